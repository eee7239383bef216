// The cards of a table that lie in a place (within the counts), one line each, for
// comparing two tables whose arrays may differ beyond their counts.
#pragma once

#include <string>
#include <vector>

#include "game/table_state.h"

namespace korbo::test {

inline std::vector<std::string> Placed(const TableState& t, bool ids = true) {
    std::vector<std::string> out;
    auto add = [&](const std::string& where, CardRec c) {
        out.push_back(where + "=" + std::to_string(ids ? c.Id : 0) + "/" + std::to_string(c.Value));
    };
    for (int i = 1; i <= t.StockTop; ++i) add("Deck" + std::to_string(i), {t.Deck[i].Id, t.Deck[i].Value});
    for (int i = 1; i <= t.UsedCount; ++i) add("Used" + std::to_string(i), t.UsedPile[i]);
    for (int s = 1; s <= 3; ++s)
        for (int p = 1; p <= t.CenterCount[s]; ++p) add("Center" + std::to_string(s * 100 + p), t.Center[s][p]);
    for (int i = 1; i <= t.PlayerSideCount; ++i) add("PSide" + std::to_string(i), t.PlayerSide.Get(i));
    for (int i = 1; i <= t.OppSideCount; ++i) add("OSide" + std::to_string(i), t.OppSide.Get(i));
    for (int s = 1; s <= 10; ++s) add("PSlot" + std::to_string(s), t.PlayerSlots.Get(s));
    for (int s = 1; s <= 10; ++s) add("OSlot" + std::to_string(s), t.OppSlots.Get(s));
    for (int k = 1; k <= 4; ++k) {
        for (int c = 1; c <= t.PlayerHoldCount[k]; ++c) add("PHold" + std::to_string(k * 100 + c), t.PlayerHold.Get(k, c));
        for (int c = 1; c <= t.OppHoldInfo[k][1]; ++c) add("OHold" + std::to_string(k * 100 + c), t.OppHold.Get(k, c));
    }
    return out;
}

}  // namespace korbo::test
