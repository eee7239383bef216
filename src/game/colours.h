// The table's fixed colours, as the game stores them (0xBBGGRR).
#pragma once

namespace korbo {

// A place with no card: HOLD piles, centre piles, emptied hand places and the stock.
inline constexpr long kEmptyPlaceColor = 0x80C0FF;
// The back of a card face: what shows round a card's corners.
inline constexpr long kWhite = 0xFFFFFF;
// The standard deck colour, and the one used on a display below 16 bits per pixel.
inline constexpr long kDeckColor = 0xC0E0FF;
inline constexpr long kDeckColorFewColours = 0xC0FFFF;

// One of the two standard deck colours (the large card back may be drawn with them).
constexpr bool StandardDeckColor(long c) { return c == kDeckColor || c == kDeckColorFewColours; }

}  // namespace korbo
