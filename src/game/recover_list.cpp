#include "recover_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "house_rules.h"
#include "number_list.h"
#include "records/text_number.h"

namespace korbo {

namespace {

constexpr int kSlots = 10, kCenterPlaces = 12, kHoldPlaces = 30, kLongestSide = 26;
constexpr int kLastHandCount = 5;
// A list is never longer than this: every block at its largest, both passes.
constexpr size_t kMostItems = 12 + 2 * 208 + 3 + 2 * 2 * kLongestSide + 2 * 2 * kSlots +
                              (3 * (kCenterPlaces + 1) + 3 * kCenterPlaces) + (4 * (2 * kHoldPlaces + 2) + 4 * 2 * kHoldPlaces);
// The stack images the table draws: 0..50, or 99 for none.
constexpr int kNoStackImage = 99;

bool Versioned(std::string_view version) { return version != "NG"; }
bool Current(std::string_view version) { return records::Val(version) >= kRulesVersion; }

enum class Pass { Value, Id };

int16_t Field(CardRec c, Pass p) { return p == Pass::Value ? c.Value : c.Id; }

struct Writer {
    std::string out;
    void operator()(long n) { out += records::NumText(n) + "#"; }
    void operator()(CardRec c, Pass p) { (*this)(Field(c, p)); }
};

}  // namespace

std::string EncodeRecoverList(const TableState& t, std::string_view peerVersion) {
    const bool versioned = Versioned(peerVersion), current = Current(peerVersion);
    std::vector<Pass> passes{Pass::Value};
    if (versioned) passes.push_back(Pass::Id);
    Writer w;
    w(t.Turn);
    w(t.OppSideCount);
    w(t.PlayerSideCount);
    w(current ? t.OppStackImage : t.OppStackImage - 6);
    w(current ? t.PlayerStackImage : t.PlayerStackImage + 9);
    w(t.StockTop);
    w(t.UsedCount);
    w(t.HandCount);
    if (versioned) {
        w(t.OppWildFromPayOff);
        w(t.OppWildPlayed);
        w(t.PlayerWildFromPayOff);
        w(t.PlayerWildPlayed);
    }
    for (Pass p : passes)
        for (int i = 1; i <= 104; ++i) {
            w(CardRec{t.Deck[i].Id, t.Deck[i].Value}, p);
            w(t.UsedPile[i], p);
        }
    if (current) {
        w(t.SideSize);
        w(t.ForcedRule);
        w(t.NoWildAce ? -1 : 0);
    }
    const int side = std::clamp(t.SideSize + 1, 1, kLongestSide);
    for (Pass p : passes)
        for (int i = 1; i <= side; ++i) {
            w(t.OppSide.Get(i), p);
            w(t.PlayerSide.Get(i), p);
        }
    for (Pass p : passes)
        for (int slot = 1; slot <= kSlots; ++slot) {
            w(t.OppSlots.Get(slot), p);
            w(t.PlayerSlots.Get(slot), p);
        }
    for (Pass p : passes)
        for (int s = 1; s <= 3; ++s) {
            for (int pos = 1; pos <= kCenterPlaces; ++pos) w(t.Center[s][pos], p);
            if (p == Pass::Value) w(t.CenterCount[s]);
        }
    for (Pass p : passes)
        for (int k = 1; k <= 4; ++k) {
            for (int c = 1; c <= kHoldPlaces; ++c) {
                w(t.OppHold.Get(k, c), p);
                w(t.PlayerHold.Get(k, c), p);
            }
            if (p == Pass::Value) {
                w(t.OppHoldInfo[k][1]);
                w(t.PlayerHoldCount[k]);
            }
        }
    return w.out;
}

std::string TransferRefusal(const TableState& t) {
    for (int k = 1; k <= 4; ++k) {
        const int cards = t.PlayerHoldCount[k] + (t.PlayerSlots.Value(k + 6) != 0 ? 1 : 0);
        if (cards > kHoldPlaces)
            return "your HOLD pile " + std::to_string(k) + " holds " + std::to_string(cards) +
                   " cards, and your opponent's table keeps " + std::to_string(kHoldPlaces) + " at most";
    }
    return {};
}

namespace {

// Reads the items in order. The first fault ends the reading and names itself; every read
// after it gives 0, so the caller checks `fault` once a block is read.
class Reader {
public:
    explicit Reader(const std::vector<long>& items) : items_(items) {}
    std::string fault;

    int16_t Number(const char* what, long lo = INT16_MIN, long hi = INT16_MAX) {
        if (!fault.empty()) return 0;
        if (pos_ >= items_.size()) {
            fault = "the list is too short";
            return 0;
        }
        const long v = items_[pos_++];
        if (v < lo || v > hi) {
            fault = std::string(what) + " is out of range";
            return 0;
        }
        return static_cast<int16_t>(v);
    }
    void Card(CardRec& c, Pass p) {
        if (p == Pass::Value) c.Value = Number("a card value", 0, 13);
        else c.Id = Number("a card id", 0, 104);
    }
    bool AtEnd() const { return pos_ == items_.size(); }

private:
    const std::vector<long>& items_;
    size_t pos_ = 0;
};

void ClearCards(TableState& s) {
    for (auto& d : s.Deck) d.Id = d.Value = 0;  // the card counter's tally stays
    s.UsedPile.fill(CardRec{});
    for (auto& pile : s.Center) pile.fill(CardRec{});
    s.CenterCount.fill(0);
    s.PlayerSlots.ClearAll();
    s.OppSlots.ClearAll();
    s.PlayerSide.ClearAll();
    s.OppSide.ClearAll();
    s.PlayerHold.ClearAll();
    s.OppHold.ClearAll();
    s.PlayerHoldCount.fill(0);
    for (auto& info : s.OppHoldInfo) info[1] = 0;
    // A host without a version sends no King counters: they start again.
    s.OppWildPlayed = s.PlayerWildPlayed = s.OppWildFromPayOff = s.PlayerWildFromPayOff = 0;
}

bool StackImageOk(long v) { return (v >= 0 && v <= 50) || v == kNoStackImage; }

// Blocks A to E into the staged table, with the sides exchanged.
void ReadCards(Reader& r, const std::vector<Pass>& passes, TableState& s) {
    for (Pass p : passes)
        for (int i = 1; i <= 104; ++i) {
            CardRec d{s.Deck[i].Id, s.Deck[i].Value};
            r.Card(d, p);
            s.Deck[i].Id = d.Id;
            s.Deck[i].Value = d.Value;
            r.Card(s.UsedPile[i], p);
        }
}

void ReadTableCards(Reader& r, const std::vector<Pass>& passes, TableState& s, std::array<int16_t, 5>& hostOppCount,
                    std::array<int16_t, 5>& hostPlayerCount) {
    auto card = [&](auto& row, int pos, Pass p) {
        CardRec c = row.Get(pos);
        r.Card(c, p);
        row.Set(pos, c);
    };
    for (Pass p : passes)
        for (int i = 1; i <= s.SideSize + 1; ++i) {
            card(s.PlayerSide, i, p);
            card(s.OppSide, i, p);
        }
    for (Pass p : passes)
        for (int slot = 1; slot <= kSlots; ++slot) {
            card(s.PlayerSlots, slot, p);
            card(s.OppSlots, slot, p);
        }
    for (Pass p : passes)
        for (int c = 1; c <= 3; ++c) {
            for (int pos = 1; pos <= kCenterPlaces; ++pos) r.Card(s.Center[c][pos], p);
            if (p == Pass::Value) s.CenterCount[c] = r.Number("a centre pile count", 0, kCenterPlaces);
        }
    for (Pass p : passes)
        for (int k = 1; k <= 4; ++k) {
            for (int c = 1; c <= kHoldPlaces; ++c) {
                CardRec a = s.PlayerHold.Get(k, c), b = s.OppHold.Get(k, c);
                r.Card(a, p);
                r.Card(b, p);
                s.PlayerHold.Set(k, c, a);
                s.OppHold.Set(k, c, b);
            }
            if (p == Pass::Value) {
                hostOppCount[k] = r.Number("a HOLD pile count", 0, kHoldPlaces);
                hostPlayerCount[k] = r.Number("a HOLD pile count", 0, kHoldPlaces);
            }
        }
}

// The HOLD counts as the remote keeps them: its player's arrays hold the cards under the
// top shown in the slot, its opponent's arrays the top as well.
std::string PlaceHoldTops(TableState& s, const std::array<int16_t, 5>& hostOppCount,
                          const std::array<int16_t, 5>& hostPlayerCount) {
    for (int k = 1; k <= 4; ++k) {
        s.PlayerHoldCount[k] = hostOppCount[k] != 0 ? static_cast<int16_t>(hostOppCount[k] - 1) : int16_t{0};
        int16_t n = hostPlayerCount[k];
        const CardRec top = s.OppSlots.Get(k + 6);
        if (top.Value != 0) {
            if (n + 1 > kHoldPlaces) return "a HOLD pile would pass its " + std::to_string(kHoldPlaces) + " cards";
            ++n;
            s.OppHold.Set(k, n, top);
        }
        s.OppHoldInfo[k][1] = n;
    }
    return {};
}

// Without ids every card's id is its value, in every place.
void IdsFromValues(TableState& s) {
    for (auto& d : s.Deck) d.Id = d.Value;
    for (auto& c : s.UsedPile) c.Id = c.Value;
    for (auto& pile : s.Center)
        for (auto& c : pile) c.Id = c.Value;
    for (auto* row : {&s.PlayerSlots, &s.OppSlots})
        for (int i = 0; i <= kSlots; ++i) row->Id(i) = row->Value(i);
    for (auto* row : {&s.PlayerSide, &s.OppSide})
        for (int i = 0; i <= kLongestSide; ++i) row->Id(i) = row->Value(i);
    for (auto* hold : {&s.PlayerHold, &s.OppHold})
        for (int k = 0; k <= 4; ++k)
            for (int c = 0; c <= kHoldPlaces; ++c) hold->Id(k, c) = hold->Value(k, c);
}

}  // namespace

RecoverListResult DecodeRecoverList(std::string_view list, std::string_view hostVersion, TableState& t) {
    std::vector<long> items;
    std::string error;
    if (!ReadNumberList(list, kMostItems, items, error)) return {false, error};
    const bool versioned = Versioned(hostVersion), current = Current(hostVersion);
    std::vector<Pass> passes{Pass::Value};
    if (versioned) passes.push_back(Pass::Id);

    // 1. Everything is read into a copy of the table; the table itself changes only once the
    //    whole list has passed.
    TableState s = t;
    ClearCards(s);
    Reader r(items);
    const int16_t turn = r.Number("the turn code");
    if (r.fault.empty() && turn != TurnOpponent && turn != TurnPlayer && turn != TurnRefused)
        r.fault = "the turn code is not valid";
    s.Turn = turn == TurnOpponent ? TurnPlayer : TurnOpponent;
    s.PlayerSideCount = r.Number("a pay-off count", 0, kLongestSide);
    s.OppSideCount = r.Number("a pay-off count", 0, kLongestSide);
    long playerImage = r.Number("a stack image"), oppImage = r.Number("a stack image");
    s.StockTop = r.Number("the stock count", 0, 104);
    s.UsedCount = r.Number("the used pile count", 0, 104);
    s.HandCount = r.Number("the hand count", 0, kLastHandCount);
    if (versioned) {
        s.PlayerWildFromPayOff = r.Number("a King counter", 0);
        s.PlayerWildPlayed = r.Number("a King counter", 0);
        s.OppWildFromPayOff = r.Number("a King counter", 0);
        s.OppWildPlayed = r.Number("a King counter", 0);
    }
    ReadCards(r, passes, s);

    // 2. The house rules, and the stack images on this copy's scale.
    if (current) {
        s.SideSize = r.Number("the pay-off pile size", 1, kLongestSide - 1);
        s.ForcedRule = house_rules::ReadForcedMask(r.Number("the forced-card rule"));
        s.NoWildAce = r.Number("the wild Ace rule") != 0;
        oppImage -= 25;
        playerImage += 25;
    } else {
        playerImage += 31;
        oppImage -= 34;
        s.SideSize = 19;
    }
    if (!r.fault.empty()) return {false, r.fault};
    if (!StackImageOk(playerImage) || !StackImageOk(oppImage)) return {false, "a stack image is out of range"};
    s.PlayerStackImage = static_cast<int16_t>(playerImage);
    s.OppStackImage = static_cast<int16_t>(oppImage);
    if (s.PlayerSideCount > s.SideSize + 1 || s.OppSideCount > s.SideSize + 1)
        return {false, "a pay-off count is larger than its pile"};

    // 3. The cards of the piles, the hands and the HOLD piles.
    std::array<int16_t, 5> hostOppCount{}, hostPlayerCount{};
    ReadTableCards(r, passes, s, hostOppCount, hostPlayerCount);
    if (!r.fault.empty()) return {false, r.fault};
    if (!r.AtEnd()) return {false, "the list is too long"};
    if (std::string why = PlaceHoldTops(s, hostOppCount, hostPlayerCount); !why.empty()) return {false, why};
    if (!versioned) IdsFromValues(s);

    // 4. Every card in exactly one place (by its id, or without ids eight of each value).
    const std::string cards = versioned ? CheckPartition(s) : CheckValueCounts(s);
    if (!cards.empty()) return {false, "the cards do not add up: " + cards};
    t = s;
    return {true, {}};
}

}  // namespace korbo
