// The speed dialog: how long the computer pauses after each of its actions and how many
// steps a flying card takes. The bars act at once; Done closes the dialog.
#pragma once

#include <QDialog>

#include "game/table_state.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace korbo::ui {

class frmSpeed : public QDialog {
    Q_OBJECT
public:
    explicit frmSpeed(TableState& table, QWidget* parent = nullptr);

    QScrollBar* HScroll1() const { return hScroll1_; }  // the computer's speed, 0..5
    QScrollBar* VScroll1() const { return vScroll1_; }  // the card animation, 0..10
    QLabel* Label1() const { return label1_; }          // the speed's name
    QLabel* lblAni() const { return lblAni_; }          // the animation bar's position
    QPushButton* Command1() const { return command1_; }

    void HScroll1_Change();
    void VScroll1_Change();
    void Command1_Click();

private:
    void Form_Load();

    TableState& t_;
    QScrollBar* hScroll1_ = nullptr;
    QScrollBar* vScroll1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* lblAni_ = nullptr;
    QPushButton* command1_ = nullptr;
};

}  // namespace korbo::ui
