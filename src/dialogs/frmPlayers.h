// The connection window "KorboNet": host or remote, the own name and the opponent's, the
// host's address and the port. It checks what was typed and hands the choice back; the
// game then opens the sockets. Handlers carry the window's own names so that tests can drive
// them as a click would.
#pragma once

#include <QDialog>
#include <array>

#include "game/players_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korbo::ui {

class frmPlayers : public QDialog {
    Q_OBJECT
public:
    explicit frmPlayers(PlayersDialogSetup setup, QWidget* parent = nullptr);

    const PlayersDialogResult& Result() const { return result_; }

    QRadioButton* Option1() const { return option1_; }
    QRadioButton* Option2() const { return option2_; }
    QLineEdit* TxtOpponent(int i) const { return txtOpponent_.at(static_cast<size_t>(i)); }
    QLineEdit* Text2() const { return text2_; }
    QLineEdit* Text3() const { return text3_; }
    QLabel* Label5() const { return label5_; }
    QLabel* PlayerLabel() const { return playerLabel_; }
    QPushButton* cmdConnect() const { return cmdConnect_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }

    void Option1_Click();
    void Option2_Click();
    void cmdConnect_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

private:
    int Box(std::string_view text, int buttons, std::string_view title);
    void Refocus(QLineEdit* box);

    PlayersDialogSetup setup_;
    PlayersDialogResult result_;
    QRadioButton *option1_ = nullptr, *option2_ = nullptr;
    std::array<QLineEdit*, 2> txtOpponent_{};
    QLineEdit *text2_ = nullptr, *text3_ = nullptr;
    QLabel *label5_ = nullptr, *playerLabel_ = nullptr;
    QPushButton *cmdConnect_ = nullptr, *cmdCancel_ = nullptr, *cmdHelp_ = nullptr;
};

}  // namespace korbo::ui
