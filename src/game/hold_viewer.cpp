#include "hold_viewer.h"

#include <algorithm>

#include "records/text_number.h"

namespace korbo::hold {

namespace {

constexpr int kHoldCards = 30;  // positions 1..30 of a HOLD pile's array
constexpr int kSideCards = SidePile::Last;
constexpr int kStockCards = 104;

bool IsHoldSlot(int slot) { return slot >= kFirstHoldSlot && slot <= kLastHoldSlot; }

// The card at hidden position `pos` (1 the bottom) of the pile.
CardRec HiddenCard(const TableState& t, int dragSlot, int side, int pos) {
    if (IsHoldSlot(dragSlot)) {
        const int pile = dragSlot - 6;
        return side == 0 ? t.PlayerHold.Get(pile, pos) : t.OppHold.Get(pile, pos);
    }
    if (dragSlot == kSideSlot) return side == 0 ? t.PlayerSide.Get(pos) : t.OppSide.Get(pos);
    const DeckRec& d = t.Deck[static_cast<size_t>(pos)];
    return {d.Id, d.Value};
}

}  // namespace

int HiddenCount(const TableState& t, int dragSlot, int side) {
    int n = 0, limit = 0;
    if (IsHoldSlot(dragSlot)) {
        const int pile = dragSlot - 6;
        // The opponent's count includes its top; the player's top lies in its own place.
        n = side == 0 ? t.PlayerHoldCount[static_cast<size_t>(pile)] : t.OppHoldInfo[static_cast<size_t>(pile)][HoldCount] - 1;
        limit = kHoldCards;
    } else if (dragSlot == kSideSlot) {
        n = (side == 0 ? t.PlayerSideCount : t.OppSideCount) - 1;
        limit = kSideCards;
    } else if (dragSlot == kStockSlot) {
        n = t.StockTop;
        limit = kStockCards;
    }
    // Counts come from saved games and peers too: never beyond the arrays.
    return std::clamp(n, 0, limit);
}

ViewerFill HoldInfo(TableState& t) {
    ViewerFill f;
    t.HoldView.fill(0);
    const int slot = t.DragSlot;
    if (!IsHoldSlot(slot) && slot != kSideSlot && slot != kStockSlot) return f;
    const int side = t.HoldViewSide;
    const int n = HiddenCount(t, slot, side);
    f.hidden = n;
    f.captionSet = true;
    const std::string count = records::NumText(n);
    if (IsHoldSlot(slot)) {
        f.viewPile = static_cast<int16_t>(slot - 6);
        f.caption = "Hold Cards Hidden:" + count;
    } else if (slot == kSideSlot) {
        f.caption = "Side Cards Hidden:" + count;
    } else {
        f.caption = "Stock Cards Hidden:" + count;
    }
    const int first = n > kPictures ? n - (kPictures - 1) : 1;
    int picture = 1;
    for (int pos = n; pos >= first; --pos, ++picture) {
        const CardRec c = HiddenCard(t, slot, side, pos);
        f.cards[static_cast<size_t>(picture)] = c.Id;
        t.HoldView[static_cast<size_t>(picture)] = c.Id;
    }
    return f;
}

}  // namespace korbo::hold
