// The cards of one copy's table written as one line of text, and the comparison of two
// copies' lines: each one's player side is the other's opponent side, and the centre,
// stock and used piles are the same.
#pragma once

#include <string>

#include "game/table_state.h"

namespace korbo::netplay {

// One side's places as this copy holds them: the pay-off pile bottom to top, the hand
// slots 2..6 in order, and the four HOLD piles bottom to top. Every card as id.value.
struct SideCards {
    std::string payOff, hand, hold;
    bool operator==(const SideCards&) const = default;
};

struct TableCards {
    SideCards player, opponent;
    std::string centre, stock, used;
};

SideCards PlayerCards(const TableState& t);
SideCards OpponentCards(const TableState& t);
TableCards CardsOf(const TableState& t);

// The cards as one line without blanks, and back; false when the line is not one.
std::string Encode(const TableCards& c);
bool Decode(const std::string& line, TableCards& out);

// The same game seen from the other side: the sides exchanged, each in its own layout
// (the player's HOLD top stands in its place, the opponent's is the pile's last card).
TableState Mirrored(const TableState& t);

// Empty when the host's and the remote's tables agree, else the first place where they
// differ, with both copies' cards there.
std::string Disagreement(const TableCards& host, const TableCards& remote);

}  // namespace korbo::netplay
