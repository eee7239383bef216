// What the HOLD viewer shows for the pile pressed with the right button: the cards hidden
// under its top, the one directly under the top first, at most the ten nearest the top.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "table_state.h"

namespace korbo::hold {

inline constexpr int kPictures = 10;  // Picture8(1..10)

// The places a right press can ask about (DragSlot).
inline constexpr int kStockSlot = 0, kSideSlot = 1, kFirstHoldSlot = 7, kLastHoldSlot = 10;

struct ViewerFill {
    bool captionSet = false;  // a hand place (2..6) leaves the caption as it was
    std::string caption;
    int hidden = 0;
    int16_t viewPile = 0;     // the HOLD pile shown (0 for the pay-off pile and the stock)
    std::array<int16_t, kPictures + 1> cards{};  // card id of picture i, 0 empty; 0 unused
};

// Cards hidden under the top of the pile of `dragSlot` on the side `holdViewSide` (0 the
// player's); never negative, never more than the pile's array can hold.
int HiddenCount(const TableState& t, int dragSlot, int holdViewSide);

// Fills the viewer for DragSlot and HoldViewSide, and HoldView(1..10) with the ids shown.
ViewerFill HoldInfo(TableState& t);

}  // namespace korbo::hold
