// The HOLD viewer: up to ten of the cards hidden under the top of a pile, the one directly
// under the top first. Made on first use and kept; closing it, or a click on one of its
// cards, only hides it (a click also remembers where it stood).
#pragma once

#include <QWidget>
#include <array>

#include "game/colours.h"
#include "game/hold_viewer.h"

namespace korbo::ui {

class PictureBox;
class TableWindow;

class frmHold : public QWidget {
    Q_OBJECT
public:
    static constexpr long kEmptyColor = kEmptyPlaceColor;
    static constexpr double kPictureWidth = 1065, kPictureHeight = 1440;  // twips
    static constexpr double kOverlap = 60;                                 // twips

    explicit frmHold(TableWindow& table, QWidget* parent = nullptr);

    PictureBox* Picture8(int i) const { return pictures_.at(static_cast<size_t>(i)); }
    int16_t ViewPile() const { return viewPile_; }

    // Fills the viewer for the pressed pile (DragSlot, HoldViewSide); the caller shows it.
    void HoldInfo();
    // Where the window would reach past the screen's edge it is moved just inside, so that
    // every card it shows can be seen.
    void KeepOnScreen();
    void Picture8_Click(int index);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();

    TableWindow& table_;
    std::array<PictureBox*, hold::kPictures + 1> pictures_{};
    int16_t viewPile_ = 0;
};

// A right press on a pile: the viewer filled and shown, modeless, where it last stood.
void ShowHoldViewer(TableWindow& table, frmHold& viewer);

}  // namespace korbo::ui
