// The card counter window: the tallies of the cards seen dealt, one row per suit and deck.
// It stays loaded between uses; closing it only hides it.
#pragma once

#include <QDialog>

class QLabel;

namespace korbo::ui {

class TableWindow;

class frmCounter : public QDialog {
    Q_OBJECT
public:
    explicit frmCounter(TableWindow& table, QWidget* parent = nullptr);

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* LblGrid() const { return lblGrid_; }

    // The texts of the header, the row names and the grid, and the window sized around them.
    void Fill(const std::string& header, const std::string& rowNames, const std::string& grid);
    void Form_KeyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();

    TableWindow& table_;
    QLabel *label1_, *label2_, *lblGrid_;
};

// The Card Counter menu entry: the refusals, then the grid shown modal. False when refused.
bool CdCount_Click(TableWindow& table, frmCounter& counter);

}  // namespace korbo::ui
