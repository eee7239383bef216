// The house rules dialog: the pay-off pile size, the shuffle, the forced cards and the
// wild-Ace ban. Choices are held as pending values until Apply; Restore Defaults changes
// three rules at once. The handlers carry the game's names so tests drive them as clicks.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "game/game.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace korbo::ui {

class frmRules : public QDialog {
    Q_OBJECT
public:
    // `rulesText` is the forced and wild part of the rules summary, which the dialog
    // keeps up to date with the rules.
    frmRules(Game& g, std::string& rulesText, QWidget* parent = nullptr);

    // True once the dialog changed something that needs a new game.
    bool RulesChanged() const { return rulesChanged_; }

    QRadioButton* optSide(int i) const { return optSide_.at(static_cast<size_t>(i)); }
    QRadioButton* optShuffle(int i) const { return optShuffle_.at(static_cast<size_t>(i)); }
    QCheckBox* chkNoForced() const { return chkNoForced_; }
    QCheckBox* chkForced(int mask) const;  // 1, 2 or 4
    QCheckBox* chkWild() const { return chkWild_; }
    QPushButton* cmdSave() const { return cmdSave_; }
    QPushButton* cmdReturn() const { return cmdReturn_; }
    QPushButton* cmdDefault() const { return cmdDefault_; }
    QPushButton* cmdHelp() const { return cmdHelp_; }

    // The pending values.
    int16_t NewForced = 0, NewSideSize = 19;
    bool NewNoWildAce = false, NewShuffleApart = false;

    void ReadForcedCards();
    void optSide_Click(int index);
    void optShuffle_Click(int index);
    void chkForced_Click(int mask);
    void chkNoForced_Click();
    void chkWild_Click();
    void cmdDefault_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();
    void cmdSave_Click();

private:
    void Form_Load();
    void SetTicked(QCheckBox* box, bool on);  // without the box's own handler

    Game& g_;
    std::string& rulesText_;
    bool rulesChanged_ = false;
    std::array<QRadioButton*, 4> optSide_{};
    std::array<QRadioButton*, 2> optShuffle_{};
    QCheckBox* chkNoForced_ = nullptr;
    std::array<QCheckBox*, 5> chkForced_{};  // elements 1, 2 and 4
    QCheckBox* chkWild_ = nullptr;
    QPushButton *cmdSave_ = nullptr, *cmdReturn_ = nullptr, *cmdDefault_ = nullptr, *cmdHelp_ = nullptr;
};

}  // namespace korbo::ui
