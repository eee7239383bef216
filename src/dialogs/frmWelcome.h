// The player window: who is at the table. The list offers the current player first and
// every other local player; a name is picked or typed and confirmed with the button. The
// window closes only on a confirmed player, so a player is always chosen before a deal.
#pragma once

#include <QDialog>
#include <QPixmap>

#include "game/game.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace korbo::ui {

class frmWelcome : public QDialog {
    Q_OBJECT
public:
    explicit frmWelcome(Game& g, QWidget* parent = nullptr);

    QComboBox* Combo1() const { return combo1_; }
    QPushButton* Command1() const { return command1_; }
    QLabel* Label1() const { return label1_; }

    // The window stands beside centre pile 3 of the table: `table` is the table window's
    // frame and `pile` the pile's rectangle inside it, in pixels.
    void PlaceBeside(const QRect& table, const QRect& pile);
    // The table's background picture, painted stretched over the window; a null picture
    // leaves the mat colour.
    void SetBackgroundPicture(const QPixmap& picture);

    void Combo1_Click();
    void Command1_Click();

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Form_Load();

    Game& g_;
    QComboBox* combo1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QLabel* label1_ = nullptr;
    QPixmap background_;
    bool confirmed_ = false;
};

}  // namespace korbo::ui
