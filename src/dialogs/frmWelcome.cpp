#include "dialogs/frmWelcome.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/table_controls.h"
#include "game/player_selection.h"

namespace korbo::ui {

namespace {
constexpr double kGapTwips = 200;  // between centre pile 3 and the window
}

frmWelcome::frmWelcome(Game& g, QWidget* parent) : QDialog(parent), g_(g) {
    setWindowTitle("Welcome to Korbo & Dunmir");
    setModal(true);
    auto* box = new QVBoxLayout(this);
    label1_ = new QLabel("Please enter your name so I can keep score:\nand a credit card # would be nice too", this);
    label1_->setObjectName("Label1");
    box->addWidget(label1_);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName("Combo1");
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->lineEdit()->setMaxLength(players::kMaxNameLength);
    box->addWidget(combo1_);
    command1_ = new QPushButton("Let's play already", this);
    command1_->setObjectName("Command1");
    command1_->setDefault(true);
    box->addWidget(command1_);
    connect(combo1_, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Form_Load();
}

void frmWelcome::Form_Load() {
    // 1. The mat colour, unless a background picture is set later.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, GameColor(g_.MatColor));
    setPalette(pal);
    setAutoFillBackground(true);
    // 2. The table's text colour.
    label1_->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(GameColor(g_.FontColor).name()));
    // 4, 5. The current player first, the others, an empty line.
    for (const std::string& name : players::WelcomeList(g_)) combo1_->addItem(QString::fromStdString(name));
    combo1_->setCurrentIndex(0);
}

void frmWelcome::PlaceBeside(const QRect& table, const QRect& pile) {
    const int gap = Nearest(kGapTwips / TwipsPerPixel());
    move(table.left() + pile.left() + pile.width() + gap, table.top() + pile.top() + pile.height() / 2);
}

void frmWelcome::SetBackgroundPicture(const QPixmap& picture) {
    background_ = picture;
    update();
}

void frmWelcome::paintEvent(QPaintEvent* e) {
    if (!background_.isNull()) {
        QPainter p(this);
        p.drawPixmap(rect(), background_);
        return;
    }
    QDialog::paintEvent(e);
}

void frmWelcome::Combo1_Click() { g_.PlayerName = combo1_->currentText().toStdString(); }

void frmWelcome::Command1_Click() {
    switch (players::Confirm(g_, combo1_->currentText().toStdString())) {
        case players::Outcome::StayCleared: combo1_->setEditText(QString()); break;
        case players::Outcome::Stay: break;
        case players::Outcome::Confirmed:
            confirmed_ = true;
            accept();
            break;
    }
}

// The window goes only with a confirmed player.
void frmWelcome::closeEvent(QCloseEvent* e) {
    if (confirmed_) QDialog::closeEvent(e);
    else e->ignore();
}

void frmWelcome::reject() {}

}  // namespace korbo::ui
