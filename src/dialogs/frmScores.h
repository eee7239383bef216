// The score board: the computer's totals and one line per local player, with the
// maintenance buttons (delete a player or all, clear one player's scores or all) shown
// while the maintenance box is ticked.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace korbo::platform {
class FlexGrid;
}

namespace korbo::ui {

class TableWindow;

class frmScores : public QDialog {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColPlayed, ColWon, ColLost, ColMargin, kColumns };

    explicit frmScores(TableWindow& table, QWidget* parent = nullptr);

    platform::FlexGrid* GridScores() const { return grid_; }
    QCheckBox* CkMaintance() const { return ckMaintance_; }
    QPushButton* Maintance(int index) const { return maintance_.at(static_cast<size_t>(index)); }
    QPushButton* Command1() const { return command1_; }
    QLabel* Label1() const { return label1_; }
    int SelectedRow() const { return selectedRow_; }

    void PrintNames();
    void CkMaintance_Click();
    void GridScores_Click();
    void Maintance_Click(int index);
    void Command1_Click();

private:
    void Form_Load();
    void ShowSelection();

    TableWindow& table_;
    platform::FlexGrid* grid_ = nullptr;
    QCheckBox* ckMaintance_ = nullptr;
    std::array<QPushButton*, 4> maintance_{};
    QPushButton* command1_ = nullptr;
    QLabel* label1_ = nullptr;
    int selectedRow_ = 0;
    bool rowsAdded_ = false;
};

}  // namespace korbo::ui
