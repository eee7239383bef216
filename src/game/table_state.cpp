#include "table_state.h"

#include <sstream>

namespace korbo {

namespace {

// Counts the cards by id (each once) or, for cards that carry no ids of their own, by
// value (each value as often as the two decks hold it).
struct Tally {
    explicit Tally(bool byValue) : byValue(byValue) {}
    bool byValue;
    std::array<int, 105> seen{};
    std::string fault;

    int Limit() const { return byValue ? kCardsOfAValue : 1; }

    // A place inside a pile's count must hold a card; a hand place or a HOLD top may not.
    void Add(CardRec c, const char* where, int a, int b = -1, bool required = true) {
        if (!fault.empty()) return;
        if (c.Id == 0 && c.Value == 0 && !required) return;
        const bool sound = c.Id >= 1 && c.Id <= 104 && c.Value >= 1 && c.Value <= 13;
        const int key = byValue ? c.Value : c.Id;
        // The common case first: a sound card within its count needs no text.
        if (sound && seen[key] < Limit()) {
            ++seen[key];
            return;
        }
        std::ostringstream s;
        if (c.Id == 0 && c.Value == 0) {
            s << "empty place inside " << where << "(" << a;
        } else if (c.Id < 1 || c.Id > 104) {
            s << "card id " << c.Id << " out of range at " << where << "(" << a;
        } else if (c.Value < 1 || c.Value > 13) {
            s << "card " << c.Id << " has value " << c.Value << " at " << where << "(" << a;
        } else if (byValue) {
            s << "more than " << kCardsOfAValue << " cards of value " << c.Value << ", again at " << where << "(" << a;
        } else {
            s << "card " << c.Id << " lies twice, again at " << where << "(" << a;
        }
        if (b >= 0) s << "," << b;
        s << ")";
        fault = s.str();
    }
};

}  // namespace

namespace {
std::string CheckPlaces(const TableState& t, bool byValue) {
    Tally k(byValue);
    if (t.StockTop < 0 || t.StockTop > 104) return "StockTop out of range";
    if (t.UsedCount < 0 || t.UsedCount > 104) return "UsedCount out of range";
    for (int i = 1; i <= 104; ++i) {
        CardRec c{t.Deck[i].Id, t.Deck[i].Value};
        if (i > t.StockTop) {
            if (c.Id != 0 || c.Value != 0) return "stock position above StockTop is not empty";
            continue;
        }
        k.Add(c, "Deck", i);
    }
    for (int i = 1; i <= 104; ++i) {
        if (i > t.UsedCount) {
            if (!(t.UsedPile[i] == CardRec{})) return "used pile above UsedCount is not empty";
            continue;
        }
        k.Add(t.UsedPile[i], "UsedPile", i);
    }
    for (int s = 1; s <= 3; ++s) {
        int n = t.CenterCount[s];
        if (n < 0 || n > 12) return "CenterCount out of range";
        for (int p = 1; p <= 12; ++p) {
            if (p > n) {
                if (!(t.Center[s][p] == CardRec{})) return "centre pile above its count is not empty";
                continue;
            }
            k.Add(t.Center[s][p], "Center", s, p);
        }
    }
    auto side = [&](const SidePile& pile, int count, const SideSlots& slots, const char* name) {
        if (count < 0 || count > 26) { k.fault = std::string(name) + " count out of range"; return; }
        for (int p = 1; p <= count; ++p) k.Add(pile.Get(p), name, p);
        CardRec top = count > 0 ? pile.Get(count) : CardRec{};
        if (k.fault.empty() && !(slots.Get(1) == top) && count > 0)
            k.fault = std::string(name) + " top differs from slot 1";
    };
    side(t.PlayerSide, t.PlayerSideCount, t.PlayerSlots, "PlayerSide");
    side(t.OppSide, t.OppSideCount, t.OppSlots, "OppSide");
    for (int h = 2; h <= 6; ++h) {
        k.Add(t.PlayerSlots.Get(h), "PlayerSlots", h, -1, false);
        k.Add(t.OppSlots.Get(h), "OppSlots", h, -1, false);
    }
    for (int pile = 1; pile <= 4; ++pile) {
        int covered = t.PlayerHoldCount[pile];
        if (covered < 0 || covered > 30) return "PlayerHoldCount out of range";
        if (covered > 0 && t.PlayerSlots.Value(pile + 6) == 0) return "covered player HOLD pile without a top";
        for (int c = 1; c <= covered; ++c) k.Add(t.PlayerHold.Get(pile, c), "PlayerHold", pile, c);
        k.Add(t.PlayerSlots.Get(pile + 6), "PlayerSlots", pile + 6, -1, false);

        int n = t.OppHoldInfo[pile][HoldCount];
        if (n < 0 || n > 30) return "OppHoldInfo count out of range";
        for (int c = 1; c <= n; ++c) k.Add(t.OppHold.Get(pile, c), "OppHold", pile, c);
        CardRec top = n > 0 ? t.OppHold.Get(pile, n) : CardRec{};
        if (k.fault.empty() && !(t.OppSlots.Get(pile + 6) == top))
            return "opponent HOLD top differs from its slot";
    }
    if (!k.fault.empty()) return k.fault;
    if (byValue) {
        for (int v = 1; v <= 13; ++v)
            if (k.seen[v] != kCardsOfAValue) {
                std::ostringstream s;
                s << "only " << k.seen[v] << " cards of value " << v;
                return s.str();
            }
        return {};
    }
    for (int id = 1; id <= 104; ++id)
        if (k.seen[id] != 1) {
            std::ostringstream s;
            s << "card " << id << " is missing";
            return s.str();
        }
    return {};
}
}  // namespace

std::string CheckPartition(const TableState& t) { return CheckPlaces(t, false); }

std::string CheckValueCounts(const TableState& t) { return CheckPlaces(t, true); }

int CountCardsInPlay(const TableState& t) {
    int n = t.StockTop + t.UsedCount + t.PlayerSideCount + t.OppSideCount;
    for (int s = 1; s <= 3; ++s) n += t.CenterCount[s];
    for (int h = 2; h <= 6; ++h) {
        n += t.PlayerSlots.Value(h) != 0;
        n += t.OppSlots.Value(h) != 0;
    }
    for (int k = 1; k <= 4; ++k) {
        n += t.PlayerHoldCount[k] + (t.PlayerSlots.Value(k + 6) != 0);
        n += t.OppHoldInfo[k][HoldCount];
    }
    return n;
}

}  // namespace korbo
