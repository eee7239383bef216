// The "RC" list that carries a restored game from the host to the remote: the whole table
// as "#"-ended numbers, written in the host's view and read on the remote with the two
// sides exchanged, so that each copy shows its own player in the player's places.
//
// The list, in order (pass V is each card's value, pass I its id; a block of two passes
// sends all of V, then all of I; pass I is left out for a peer without a version):
//   1 Turn (1 the remote's turn, 2 the host's), 2 OppSideCount, 3 PlayerSideCount,
//   4 OppStackImage, 5 PlayerStackImage, 6 StockTop, 7 UsedCount, 8 HandCount,
//   9-12 the four King counters (a peer with a version),
//   A  Deck(i) and UsedPile(i), i 1..104,
//      the rules SideSize, ForcedRule, NoWildAce (a peer of version 52 or later),
//   B  OppSide(i) and PlayerSide(i), i 1..SideSize + 1,
//   C  OppSlots and PlayerSlots, 1..10,
//   D  Center(s, 1..12) and, in pass V, CenterCount(s), s 1..3,
//   E  OppHold(k, c) and PlayerHold(k, c), c 1..30, and, in pass V, the two counts of
//      pile k, k 1..4.
#pragma once

#include <string>
#include <string_view>

#include "table_state.h"

namespace korbo {

// The oldest peer version that knows the house rules and the present stack images.
inline constexpr long kRulesVersion = 52;

// The host's list for a remote of `peerVersion` ("NG": the remote sent none).
std::string EncodeRecoverList(const TableState& t, std::string_view peerVersion);

// Why the remote could not hold this table of the host's, empty when it can: its copy of
// a HOLD pile keeps 30 cards, top included, so a host's pile of 31 does not fit there.
std::string TransferRefusal(const TableState& t);

struct RecoverListResult {
    bool ok = false;
    std::string error;  // why the list was refused; the table is then as it was
};

// The remote's reading of a list from a host of `hostVersion` ("NG": the host sent none,
// and so no ids: every card's id is its value). The whole list is checked before the table
// changes: its length, every number, the counts and every card, each in exactly one place
// (or, without ids, eight cards of each value). On success the card state of the table,
// its counters and house rules are those of the list; nothing else changes.
RecoverListResult DecodeRecoverList(std::string_view list, std::string_view hostVersion, TableState& t);

}  // namespace korbo
