// The card counter: which of the 104 cards the player has seen dealt in this game, as the
// counter window shows it (one row per suit and deck, one column per rank).
#pragma once

#include <string>
#include <string_view>

#include "ports.h"
#include "table_state.h"

namespace korbo::counter {

// The column header; the two-character "10" is why column 10 of the grid is one wider.
inline constexpr std::string_view kHeader = "1  2  3  4  5  6  7  8  9 10 J  Q  K";
inline constexpr int kRanks = 13;
inline constexpr int kWideColumn = 10;

// "Clubs" .. "Spades", each followed by CR LF, for the first deck and again for the second.
std::string RowNames();

// The tallies of card ids 1..104 in rows of thirteen: a tally as a number, an unseen card
// as "_".
std::string Grid(const TableState& t);

// The checks of the Card Counter menu entry. False (after the refusal's box) when the
// count was lost by a restore or a network game is on; true when the counter may be shown,
// and the game is then marked as played with an aid.
bool MayShow(TableState& t, TableView& view);

}  // namespace korbo::counter
