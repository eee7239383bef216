#include "dialogs/frmSave.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "controls/scale_controls.h"

namespace korbo::ui {

namespace {
// Blanks only, as the game trims the names it stores.
QString TrimBlanks(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    return s.mid(a, b - a);
}

void SetColours(QLineEdit* box, QPalette::ColorRole back, QPalette::ColorRole text) {
    const QPalette system = QApplication::palette();
    QPalette p = box->palette();
    p.setColor(QPalette::Base, system.color(back));
    p.setColor(QPalette::Text, system.color(text));
    box->setPalette(p);
}
}  // namespace

frmSave::frmSave(SaveDialogSetup setup, QWidget* parent, long screenWidthTwips)
    : QDialog(parent), setup_(std::move(setup)) {
    setWindowTitle("Saved Games");
    setModal(true);
    auto* grid = new QGridLayout(this);
    for (int k = 1; k <= 11; ++k) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Text1_%1").arg(k));
        box->setToolTip("Type in a descriptive name if you want!");
        box->setText(k == 11 ? "autosaved game" : QString());
        const auto& slot = setup_.Text1[static_cast<size_t>(k)];
        if (k <= 10 || !setup_.saving) box->setText(QString::fromStdString(slot.text));
        box->setEnabled(slot.available);
        // A slot is chosen by a click; restoring never edits a name.
        box->setReadOnly(!setup_.saving);
        box->installEventFilter(this);
        text1_[static_cast<size_t>(k)] = box;
        grid->addWidget(box, (k - 1) % 6, (k - 1) / 6);
    }
    // The automatic slot is offered only for restoring.
    text1_[11]->setVisible(!setup_.saving);

    check1_ = new QCheckBox("AutoSave", this);
    check1_->setObjectName("Check1");
    check1_->setToolTip("Click here to enable AutoSave");
    check1_->setChecked(setup_.autoSaveTicked);
    check1_->setVisible(setup_.showAutoSave);
    grid->addWidget(check1_, 5, 1);
    connect(check1_, &QCheckBox::clicked, this, [this] { Check1_Click(); });

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    grid->addWidget(label1_, 6, 0, 1, 2);

    cmdSave_ = new QPushButton(setup_.saving ? "Save" : "Restore", this);
    cmdSave_->setObjectName("cmdSave");
    cmdSave_->setDefault(true);
    command2_ = new QPushButton("Cancel", this);
    command2_->setObjectName("Command2");
    grid->addWidget(cmdSave_, 7, 0);
    grid->addWidget(command2_, 7, 1);
    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Form_Load(screenWidthTwips);
}

void frmSave::Form_Load(long screenWidthTwips) {
    // Scaled from the size its slots take, not from a window size it never had.
    adjustSize();
    ScaleFormToScreen(*this, screenWidthTwips);
}

void frmSave::WindowColours(QLineEdit* box) { SetColours(box, QPalette::Base, QPalette::Text); }

void frmSave::Text1_Click(int slot) {
    if (slot < 1 || slot > 11 || !text1_[static_cast<size_t>(slot)]->isEnabled()) return;
    if (selected_ != 0) WindowColours(text1_[static_cast<size_t>(selected_)]);
    QLineEdit* box = text1_[static_cast<size_t>(slot)];
    if (!setup_.saving) {
        SetColours(box, QPalette::Highlight, QPalette::HighlightedText);
        box->setReadOnly(true);
    } else {
        SetColours(box, QPalette::ToolTipBase, QPalette::ToolTipText);
        box->setReadOnly(false);
    }
    selected_ = slot;
}

void frmSave::cmdSave_Click() {
    if (selected_ == 0) {
        ++beeps_;
        QApplication::beep();
        label1_->setText("Select a game slot!");
        return;
    }
    QLineEdit* box = text1_[static_cast<size_t>(selected_)];
    WindowColours(box);
    result_.cancelled = false;
    result_.slot = selected_;
    result_.name = TrimBlanks(box->text()).toStdString();
    done(QDialog::Accepted);
}

void frmSave::Command2_Click() {
    result_ = SaveDialogResult{};
    done(QDialog::Rejected);
}

void frmSave::Check1_Click() {
    const bool ticked = check1_->isChecked();
    if (!ticked) text1_[11]->setEnabled(false);
    if (setup_.autoSaveClicked) setup_.autoSaveClicked(ticked);
}

bool frmSave::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int k = 1; k <= 11; ++k)
            if (watched == text1_[static_cast<size_t>(k)]) Text1_Click(k);
    }
    return QDialog::eventFilter(watched, event);
}

// Closing the window, or Escape, is the same as Cancel.
void frmSave::closeEvent(QCloseEvent* event) {
    result_ = SaveDialogResult{};
    QDialog::closeEvent(event);
}

void frmSave::reject() {
    result_ = SaveDialogResult{};
    QDialog::reject();
}

}  // namespace korbo::ui
