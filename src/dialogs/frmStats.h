// The statistics window: one player's totals by level, aids and persona, and the run
// statistics of the current game and of all time. Closing it puts back the opponent's
// all-time runs of the current player as they were when it opened, or cleared when the
// current player's runs were cleared in it.
#pragma once

#include <QDialog>
#include <array>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace korbo::platform {
class FlexGrid;
}

namespace korbo::ui {

class TableWindow;

class frmStats : public QDialog {
    Q_OBJECT
public:
    enum Column { ColLabel = 0, ColPlayed, ColWon, ColLost, ColMargin, kColumns };
    static constexpr int kRunColumns = 10;  // 1-4 all time, 5 a gap, 6-9 the current game

    explicit frmStats(TableWindow& table, QWidget* parent = nullptr);

    QComboBox* Combo1() const { return combo1_; }
    platform::FlexGrid* GridStats() const { return gridStats_; }
    platform::FlexGrid* GridRun() const { return gridRun_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QPushButton* cmdClearStats() const { return cmdClearStats_; }
    QPushButton* Command1() const { return command1_; }
    const std::string& WindowPlayer() const { return player_; }

    void GetStats();
    void GetRun();
    void Combo1_Click();
    void cmdClearStats_Click();
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;

private:
    void Form_Load();
    void Form_QueryUnload();

    TableWindow& table_;
    QComboBox* combo1_ = nullptr;
    platform::FlexGrid* gridStats_ = nullptr;
    platform::FlexGrid* gridRun_ = nullptr;
    QLabel *label1_ = nullptr, *label2_ = nullptr;
    QPushButton *cmdClearStats_ = nullptr, *command1_ = nullptr;
    std::string player_;
    std::string currentListed_;  // the current player as the player list spells the name
    bool playerHasFile_ = false;
    std::array<int16_t, 6> oppBestAtLoad_{};  // put back on closing
    bool unloaded_ = false;
};

}  // namespace korbo::ui
