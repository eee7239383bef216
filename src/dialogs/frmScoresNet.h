// The network score list: one local player's network score file at a time, its opponents
// one per row, with Next to go through the files and the deletion of a file or of one
// opponent.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace korbo::platform {
class FlexGrid;
}

namespace korbo::ui {

class TableWindow;

class frmScoresNet : public QDialog {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColPlayed, ColWon, ColLost, ColMargin, kColumns };

    explicit frmScoresNet(TableWindow& table, QWidget* parent = nullptr);

    platform::FlexGrid* GridNET() const { return grid_; }
    QLabel* Label1() const { return label1_; }
    QPushButton* CmdNext() const { return cmdNext_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }
    QPushButton* Command4() const { return command4_; }
    int RecIndex() const { return recIndex_; }
    int SelectedRow() const { return selectedRow_; }

    void PrintUsers();
    void CmdNext_Click();
    void GridNET_Click();
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();

private:
    void Form_Load();

    TableWindow& table_;
    platform::FlexGrid* grid_ = nullptr;
    QLabel* label1_ = nullptr;
    QPushButton *cmdNext_ = nullptr, *command1_ = nullptr, *command2_ = nullptr, *command4_ = nullptr;
    int recIndex_ = 1;
    int selectedRow_ = 0;
    int rowsShown_ = 0;  // opponents listed from the file shown
};

}  // namespace korbo::ui
