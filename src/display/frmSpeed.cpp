#include "display/frmSpeed.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "game/speed.h"
#include "records/text_number.h"

namespace korbo::ui {

namespace {
// Where the animation bar rests when the step count is none of its own.
constexpr int kRestingWalkPosition = speed::WalkPosition(speed::kDefaultWalkSteps);
}  // namespace

frmSpeed::frmSpeed(TableState& table, QWidget* parent) : QDialog(parent), t_(table) {
    setWindowTitle("Speed Settings");
    setModal(true);
    auto* grid = new QGridLayout(this);

    grid->addWidget(new QLabel("Korbo's Speed:", this), 0, 0, 1, 3);
    grid->addWidget(new QLabel("Slower", this), 1, 0);
    hScroll1_ = new QScrollBar(Qt::Horizontal, this);
    hScroll1_->setObjectName("HScroll1");
    hScroll1_->setRange(0, speed::kLastSpeed);
    hScroll1_->setPageStep(1);
    hScroll1_->setMinimumWidth(180);
    grid->addWidget(hScroll1_, 1, 1);
    grid->addWidget(new QLabel("Faster", this), 1, 2);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignCenter);
    grid->addWidget(label1_, 2, 1);

    grid->addWidget(new QLabel("Card Animation Speed:", this), 0, 3);
    vScroll1_ = new QScrollBar(Qt::Vertical, this);
    vScroll1_->setObjectName("VScroll1");
    vScroll1_->setRange(0, speed::kLastWalkPosition);
    vScroll1_->setPageStep(1);
    vScroll1_->setValue(kRestingWalkPosition);
    vScroll1_->setMinimumHeight(110);
    grid->addWidget(vScroll1_, 1, 3, 3, 1, Qt::AlignHCenter);
    lblAni_ = new QLabel(this);
    lblAni_->setObjectName("lblAni");
    lblAni_->setAlignment(Qt::AlignCenter);
    grid->addWidget(lblAni_, 4, 3);

    auto* note = new QLabel("Not responsible for games played at the speed of light", this);
    note->setWordWrap(true);
    grid->addWidget(note, 3, 0, 2, 3);
    command1_ = new QPushButton("&Done", this);
    command1_->setObjectName("Command1");
    command1_->setDefault(true);
    grid->addWidget(command1_, 5, 0, 1, 4, Qt::AlignHCenter);

    Form_Load();
    connect(hScroll1_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(vScroll1_, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmSpeed::Form_Load() {
    // Opening the dialog shows the settings; only moving a bar changes them.
    const QSignalBlocker h(hScroll1_), v(vScroll1_);
    const int speedIndex = std::clamp<int>(t_.SpeedIndex, 0, speed::kLastSpeed);
    hScroll1_->setValue(speedIndex);
    label1_->setText(speed::kSpeedNames[static_cast<size_t>(speedIndex)]);
    if (t_.WalkSteps == 0) t_.WalkSteps = speed::kDefaultWalkSteps;
    if (const int pos = speed::WalkPosition(t_.WalkSteps); pos >= 0) vScroll1_->setValue(pos);
    lblAni_->setText(QString::fromStdString(records::NumText(vScroll1_->value())));
}

void frmSpeed::HScroll1_Change() {
    const int v = hScroll1_->value();
    t_.SpeedIndex = static_cast<int16_t>(v);
    t_.TempoDelay = speed::kTempoDelay[static_cast<size_t>(v)];
    label1_->setText(speed::kSpeedNames[static_cast<size_t>(v)]);
}

void frmSpeed::VScroll1_Change() {
    const int pos = vScroll1_->value();
    t_.WalkSteps = speed::kWalkSteps[static_cast<size_t>(pos)];
    lblAni_->setText(QString::fromStdString(records::NumText(pos)));
}

void frmSpeed::Command1_Click() { accept(); }

}  // namespace korbo::ui
