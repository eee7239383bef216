// The saved-games dialog: ten named slots and the automatic slot, chosen by a click, and the
// AutoSave box. The game sets it up and reads the answer; the handlers carry the game's
// names so that tests can drive them as a click would.
#pragma once

#include <QDialog>
#include <array>

#include "game/ports.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korbo::ui {

class frmSave : public QDialog {
    Q_OBJECT
public:
    // Scaled for a screen `screenWidthTwips` wide, as the game measured it; 0 leaves the
    // window at its designed size.
    explicit frmSave(SaveDialogSetup setup, QWidget* parent = nullptr, long screenWidthTwips = 0);

    // The answer once the dialog is closed; cancelled until a slot is confirmed.
    const SaveDialogResult& Result() const { return result_; }
    int Selection() const { return selected_; }
    int Beeps() const { return beeps_; }

    QLineEdit* Text1(int slot) const { return text1_.at(slot); }
    QCheckBox* Check1() const { return check1_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* Command2() const { return command2_; }
    QLabel* Label1() const { return label1_; }

    void Text1_Click(int slot);
    void cmdSave_Click();
    void Command2_Click();
    void Check1_Click();

protected:
    void Form_Load(long screenWidthTwips);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void WindowColours(QLineEdit* box);

    SaveDialogSetup setup_;
    SaveDialogResult result_;
    std::array<QLineEdit*, 12> text1_{};
    QCheckBox* check1_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* command2_ = nullptr;
    QLabel* label1_ = nullptr;
    int selected_ = 0;
    int beeps_ = 0;
};

}  // namespace korbo::ui
