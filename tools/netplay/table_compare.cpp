#include "table_compare.h"

#include <array>
#include <sstream>
#include <vector>

namespace korbo::netplay {

namespace {

void Add(std::string& list, CardRec c) {
    if (!list.empty()) list += ',';
    list += std::to_string(c.Id) + "." + std::to_string(c.Value);
}

// A count from the table kept within the array's bounds, so that a broken table is shown
// as it is rather than read past its end.
int Bounded(int count, int last) { return count < 0 ? 0 : (count > last ? last : count); }

std::string PayOff(const SidePile& pile, int count) {
    std::string s;
    for (int p = 1; p <= Bounded(count, SidePile::Last); ++p) Add(s, pile.Get(p));
    return s;
}

std::string Hand(const SideSlots& slots) {
    std::string s;
    for (int h = 2; h <= 6; ++h) Add(s, slots.Get(h));
    return s;
}

constexpr int kHoldCards = 30;

}  // namespace

SideCards PlayerCards(const TableState& t) {
    SideCards c{PayOff(t.PlayerSide, t.PlayerSideCount), Hand(t.PlayerSlots), {}};
    // The player's HOLD pile: the covered cards, then the top in its place.
    for (int k = 1; k <= 4; ++k) {
        if (k > 1) c.hold += '|';
        std::string pile;
        for (int n = 1; n <= Bounded(t.PlayerHoldCount[k], kHoldCards); ++n) Add(pile, t.PlayerHold.Get(k, n));
        if (t.PlayerSlots.Id(k + 6) != 0) Add(pile, t.PlayerSlots.Get(k + 6));
        c.hold += pile;
    }
    return c;
}

SideCards OpponentCards(const TableState& t) {
    SideCards c{PayOff(t.OppSide, t.OppSideCount), Hand(t.OppSlots), {}};
    // The opponent's HOLD pile holds its top as its last card.
    for (int k = 1; k <= 4; ++k) {
        if (k > 1) c.hold += '|';
        std::string pile;
        for (int n = 1; n <= Bounded(t.OppHoldInfo[k][1], kHoldCards); ++n) Add(pile, t.OppHold.Get(k, n));
        c.hold += pile;
    }
    return c;
}

TableCards CardsOf(const TableState& t) {
    TableCards c{PlayerCards(t), OpponentCards(t), {}, {}, {}};
    for (int s = 1; s <= 3; ++s) {
        if (s > 1) c.centre += '|';
        std::string pile;
        for (int p = 1; p <= Bounded(t.CenterCount[s], 12); ++p) Add(pile, t.Center[s][p]);
        c.centre += pile;
    }
    for (int i = 1; i <= Bounded(t.StockTop, 104); ++i) Add(c.stock, {t.Deck[i].Id, t.Deck[i].Value});
    for (int i = 1; i <= Bounded(t.UsedCount, 104); ++i) Add(c.used, t.UsedPile[i]);
    return c;
}

namespace {

// The fields of a line in their order.
std::array<std::string*, 9> Fields(TableCards& c) {
    return {&c.player.payOff, &c.player.hand,   &c.player.hold, &c.opponent.payOff, &c.opponent.hand,
            &c.opponent.hold, &c.centre,        &c.stock,       &c.used};
}

}  // namespace

std::string Encode(const TableCards& c) {
    TableCards copy = c;
    std::string line;
    bool first = true;
    for (const std::string* f : Fields(copy)) {
        if (!first) line += ';';
        first = false;
        line += *f;
    }
    return line;
}

bool Decode(const std::string& line, TableCards& out) {
    std::vector<std::string> parts(1);
    for (char ch : line) {
        if (ch == ';') {
            parts.emplace_back();
            continue;
        }
        if (!(ch >= '0' && ch <= '9') && ch != '.' && ch != ',' && ch != '|' && ch != '-') return false;
        parts.back() += ch;
    }
    TableCards c;
    auto fields = Fields(c);
    if (parts.size() != fields.size()) return false;
    for (size_t i = 0; i < fields.size(); ++i) *fields[i] = parts[i];
    out = c;
    return true;
}

std::string Disagreement(const TableCards& host, const TableCards& remote) {
    std::ostringstream d;
    auto side = [&](const char* what, const SideCards& h, const SideCards& r) {
        if (h.payOff != r.payOff) d << what << " pay-off: host " << h.payOff << " remote " << r.payOff;
        else if (h.hand != r.hand) d << what << " hand: host " << h.hand << " remote " << r.hand;
        else if (h.hold != r.hold) d << what << " HOLD: host " << h.hold << " remote " << r.hold;
        return d.tellp() > 0;
    };
    if (side("host's side", host.player, remote.opponent)) return d.str();
    if (side("remote's side", host.opponent, remote.player)) return d.str();
    if (host.centre != remote.centre) d << "centre: host " << host.centre << " remote " << remote.centre;
    else if (host.stock != remote.stock) d << "stock: host " << host.stock << " remote " << remote.stock;
    else if (host.used != remote.used) d << "used: host " << host.used << " remote " << remote.used;
    return d.str();
}

TableState Mirrored(const TableState& t) {
    TableState m = t;
    m.PlayerSlots = t.OppSlots;
    m.OppSlots = t.PlayerSlots;
    m.PlayerSide = t.OppSide;
    m.OppSide = t.PlayerSide;
    m.PlayerSideCount = t.OppSideCount;
    m.OppSideCount = t.PlayerSideCount;
    m.PlayerHold.ClearAll();
    m.OppHold.ClearAll();
    m.OppHoldInfo = {};
    m.PlayerHoldCount = {};
    for (int k = 1; k <= 4; ++k) {
        // The opponent's pile holds its top last; the player's keeps it in its place.
        const int n = t.OppHoldInfo[k][1];
        if (n >= 1 && n <= 30) {
            m.PlayerHoldCount[k] = static_cast<int16_t>(n - 1);
            for (int c = 1; c < n; ++c) m.PlayerHold.Set(k, c, t.OppHold.Get(k, c));
        }
        int mine = 0;
        const int covered = t.PlayerHoldCount[k];
        for (int c = 1; c <= covered && c <= 29; ++c) m.OppHold.Set(k, ++mine, t.PlayerHold.Get(k, c));
        if (t.PlayerSlots.Id(k + 6) != 0) m.OppHold.Set(k, ++mine, t.PlayerSlots.Get(k + 6));
        m.OppHoldInfo[k][1] = static_cast<int16_t>(mine);
    }
    m.Turn = t.Turn == TurnPlayer ? TurnOpponent : (t.Turn == TurnOpponent ? TurnPlayer : t.Turn);
    return m;
}

}  // namespace korbo::netplay
