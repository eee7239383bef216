// The computer's discard: the hand sort, the duplicate finder, the pairing of HOLD piles
// with equal tops and the stages of the choice.
#include <gtest/gtest.h>

#include <algorithm>

#include "computer_fixture.h"

namespace korbo::test {
namespace {

struct DropTest : ComputerFixture {
    // The computer's hand, already in the sorted order the discard works on.
    // The lowest copy of a value not yet on the table.
    int FreeId(int value) const {
        int copy = 0;
        while (copy < 7 && placed.count(V(value, copy))) ++copy;
        return V(value, copy);
    }
    void Hand(const std::vector<int>& values) {
        int h = 2, n = 0;
        for (int v : values) {
            game.OppSlots.Set(h++, C(Take(FreeId(v))));
            ++n;
        }
        game.HandCount = static_cast<int16_t>(n);
        game.FirstHandSlot = 2;
        for (int x = 2; x <= n + 1; ++x)
            if (game.OppSlots.Value(x) != 13) {
                game.FirstHandSlot = static_cast<int16_t>(x);
                break;
            }
    }
    void Choose() {
        game.TargetStack = 1;
        game.Comp_Drop();
    }
};

TEST_F(DropTest, TheHandIsSortedHighFirstWithKingsFirstAndGapsLast) {
    game.OppSlots.Set(2, C(V(5, 1)));
    game.OppSlots.Set(4, C(V(13, 1)));
    game.OppSlots.Set(5, C(V(9, 1)));
    game.OppSlots.Set(6, C(V(9, 2)));
    game.HandCount = 4;
    game.Comp_Reseq();
    EXPECT_EQ(game.OppSlots.Value(2), 13);
    EXPECT_EQ(game.OppSlots.Value(3), 9);
    EXPECT_EQ(game.OppSlots.Value(4), 9);
    EXPECT_EQ(game.OppSlots.Value(5), 5);
    EXPECT_EQ(game.OppSlots.Value(6), 0);
    EXPECT_EQ(game.CurIndex, 2);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), 0);   // face down
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 6), -1);  // cleared
    game.PeekFlag = 1;
    game.Comp_Reseq();
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), V(13, 1));
}

// A place the sort left without a card is off the table, as every emptied hand place is;
// the places of the hand are on it.
TEST_F(DropTest, TheSortedHandShowsNoEmptyPlace) {
    game.OppSlots.Set(2, C(V(5, 1)));
    game.OppSlots.Set(5, C(V(9, 1)));
    game.HandCount = 2;
    for (int h = 2; h <= 6; ++h) view.visible[{Ctl::Picture1, h}] = true;
    game.Comp_Reseq();
    for (int h = 2; h <= 6; ++h) EXPECT_EQ(view.Visible(Ctl::Picture1, h), h <= 3) << "place " << h;
}

TEST_F(DropTest, DuplicatesInTheSortedHand) {
    struct Case {
        const char* name;
        std::vector<int> hand;
        int q, dup;
    } cases[] = {
        {"a pair of Kings is no duplicate", {13, 13, 9, 7, 5}, 6, 0},
        {"a lower pair replaces a higher one", {10, 8, 8, 5, 5}, 6, 4},
        {"a pair of the pay-off value stops the search", {10, 8, 8, 6, 6}, 6, 6},
        {"three equal cards stop the search", {9, 7, 7, 7, 2}, 5, 5},
        {"no pair", {12, 9, 7, 3, 1}, 5, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        for (size_t i = 0; i < c.hand.size(); ++i) game.OppSlots.Set(2 + static_cast<int>(i), C(V(c.hand[i], static_cast<int>(i))));
        game.OppSlots.Set(1, C(V(c.q, 7)));
        game.HandCount = 5;
        game.FirstHandSlot = c.hand[0] == 13 ? 4 : 2;
        game.DupSlot = 0;
        game.CurIndex = 2;
        game.Comp_Dups();
        EXPECT_EQ(game.DupSlot, c.dup) << c.name;
        EXPECT_EQ(game.CurIndex, c.dup ? c.dup : 2) << c.name;
    }
}

TEST_F(DropTest, AnEqualTopOnAPileOfEqualCardsTakesTheDiscardFirst) {
    OppSide({V(9)});
    Hand({10, 8, 6, 5, 3});
    OppPile(1, {V(12, 4), V(11, 4)}, 2);
    OppPile(2, {V(9, 4), V(6, 4)}, 1);   // equal top, but not a pile of equals
    OppPile(3, {V(6, 5), V(6, 6)}, 0);
    Choose();                             // pile 4 is empty, yet pile 3 comes first
    EXPECT_EQ(game.CurIndex, 4);
    EXPECT_EQ(game.DropPile, 3);
}

TEST_F(DropTest, AnEmptyHoldPileTakesTheHighestCardNotOneBelowThePayOff) {
    struct Case {
        const char* name;
        std::vector<int> hand;
        int q, place;
    } cases[] = {
        {"the highest card", {10, 8, 6, 5, 3}, 12, 2},
        {"not the one below the pay-off value", {10, 8, 6, 5, 3}, 11, 3},
        {"a duplicate first", {10, 8, 6, 6, 3}, 11, 5},
        {"a single card one below", {10}, 11, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        OppSide({V(c.q, 0)});
        Hand(c.hand);
        OppPile(1, {V(12, 4), V(11, 4)}, 2);
        OppPile(3, {V(13, 4)}, 0);
        Choose();
        EXPECT_EQ(game.CurIndex, c.place) << c.name;
        EXPECT_EQ(game.DropPile, 2) << c.name;  // the first empty pile
    }
}

TEST_F(DropTest, WithNoHoldTopAboveTheHandThePayOffPileTakesTheHighestCard) {
    OppSide({V(4)});
    Hand({10, 9, 8, 7, 6});
    OppPile(1, {V(9, 4), V(5, 4)}, 1);
    OppPile(2, {V(9, 5), V(4, 4)}, 1);
    OppPile(3, {V(9, 6), V(3, 4)}, 1);
    OppPile(4, {V(9, 7), V(2, 4)}, 1);
    Choose();
    EXPECT_EQ(game.CurIndex, 2);
    EXPECT_EQ(game.DropPile, 2);  // E: its top is the pay-off value
}

TEST_F(DropTest, ADescendingBuildTakesTheCardOneBelowASingleCard) {
    OppSide({V(7)});
    Centre(1, {V(1, 1), V(2, 1)});
    Hand({10, 8, 6, 5, 3});
    OppPile(1, {V(13, 4), V(12, 4)}, 1);
    OppPile(2, {V(11, 4)}, 0);
    OppPile(3, {V(2, 5), V(4, 5)}, 1);
    OppPile(4, {V(1, 5), V(1, 6)}, 0);
    Choose();
    EXPECT_EQ(game.CurIndex, 2);  // the Ten onto the lone Jack
    EXPECT_EQ(game.DropPile, 2);
}

TEST_F(DropTest, LaterStagesOfTheChoice) {
    struct Case {
        const char* name;
        int q, target;                 // pay-off value, count of the target pile
        std::vector<int> hand;         // sorted
        std::vector<int> tops, unders; // pile 1..4: two cards each, shape 1
        int place, pile;
    } cases[] = {
        {"nothing above the hand: the pile whose top the target needs", 12, 3, {10, 9, 8, 7, 6},
         {5, 3, 2, 4}, {9, 9, 9, 9}, 2, 2},
        {"nothing above the hand: the first pile not an Ace, no pay-off card", 10, 0, {10, 9, 8, 7, 6},
         {1, 3, 2, 4}, {9, 9, 9, 9}, 3, 2},
        {"past the pay-off value: the smallest gap below the target", 3, 9, {11, 10, 6, 5, 2},
         {12, 8, 12, 12}, {1, 1, 1, 1}, 4, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        OppSide({V(c.q, 7)});
        Hand(c.hand);
        for (int k = 1; k <= 4; ++k) {
            const int under = FreeId(c.unders[k - 1]);
            placed.insert(under);  // held for the pile while the top is found
            const int top = FreeId(c.tops[k - 1]);
            placed.erase(under);
            OppPile(k, {under, top}, 1);
        }
        game.CenterCount[1] = static_cast<int16_t>(c.target);
        Choose();
        EXPECT_EQ(game.CurIndex, c.place) << c.name;
        EXPECT_EQ(game.DropPile, c.pile) << c.name;
    }
}

TEST_F(DropTest, PilesWithEqualTopsArePaired) {
    struct Case {
        const char* name;
        std::vector<int> p1, p2;
        int s1, s2, partner1, partner2;
    } cases[] = {
        {"a pile of equals keeps itself", {6, 6}, {9, 6}, 0, 1, 1, 1},
        {"a run meets a pile of others", {7, 6}, {9, 6}, 2, 1, 2, 2},
        {"two runs: the shorter takes it", {8, 7, 6}, {7, 6}, 2, 2, 2, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        OppSide({V(12, 7)});
        Hand({11, 10, 9, 8, 3});
        auto ids = [](const std::vector<int>& values, int copy) {
            std::vector<int> out;
            for (int v : values) out.push_back(V(v, copy++));
            return out;
        };
        OppPile(1, ids(c.p1, 3), c.s1);
        OppPile(2, ids(c.p2, 6), c.s2);
        game.DupSlot = 0;
        game.DropHandSlot = 0;
        game.RememberedPile = 0;
        game.Comp_Analyze();
        EXPECT_EQ(game.OppHoldInfo[1][3], c.partner1) << c.name;
        EXPECT_EQ(game.OppHoldInfo[2][3], c.partner2) << c.name;
        EXPECT_EQ(game.RememberedPile, c.partner2) << c.name;  // the last pile with a partner
        EXPECT_EQ(game.RememberedSlot, game.FirstHandSlot) << c.name;
    }
}

// Two Nines in hand, the second of them the duplicate, and two HOLD piles topped by a
// Nine that each keep the discard for themselves: the search ends at the first pile that
// takes the duplicate, so it is remembered, not the later one.
TEST_F(DropTest, TheDuplicateIsRememberedForTheFirstPileThatTakesIt) {
    OppSide({V(12, 7)});
    Hand({9, 9, 4, 3, 2});
    OppPile(1, {V(5, 3), V(9, 3)}, 1);
    OppPile(2, {V(5, 4), V(9, 4)}, 1);
    OppPile(3, {V(7, 5)}, 0);
    OppPile(4, {V(6, 5)}, 0);
    game.DropHandSlot = 2;
    game.DupSlot = 3;
    game.RememberedPile = 0;
    game.Comp_Analyze();
    EXPECT_EQ(game.OppHoldInfo[1][HoldPartner], 1);
    EXPECT_EQ(game.OppHoldInfo[2][HoldPartner], 2);
    EXPECT_EQ(game.RememberedPile, 1);
    EXPECT_EQ(game.RememberedSlot, 3);
}

TEST_F(DropTest, TheChoiceIsAlwaysAHandCardOntoAHoldPile) {
    // Whatever the hand and the piles, the choice names a card of the hand and a pile 1..4.
    MtRandom g(99);
    for (int round = 0; round < 300; ++round) {
        SetUp();
        auto value = [&] { return 1 + static_cast<int>(g.Next() * 13); };
        OppSide({V(value(), 7)});
        std::vector<int> hand;
        for (int i = 0; i < 5; ++i) hand.push_back(value());
        std::sort(hand.rbegin(), hand.rend());
        for (int i = 0; i < 5; ++i) game.OppSlots.Set(2 + i, C(V(hand[i], i)));
        game.HandCount = 5;
        game.FirstHandSlot = 2;
        for (int x = 2; x <= 6; ++x)
            if (game.OppSlots.Value(x) != 13) {
                game.FirstHandSlot = static_cast<int16_t>(x);
                break;
            }
        for (int k = 1; k <= 4; ++k) {
            const int n = 1 + static_cast<int>(g.Next() * 3);
            for (int i = 0; i < n; ++i) game.OppHold.Set(k, ++game.OppHoldInfo[k][1], C(V(value(), 5)));
            game.OppSlots.Set(k + 6, game.OppHold.Get(k, n));
            game.OppHoldInfo[k][2] = static_cast<int16_t>(static_cast<int>(g.Next() * 3));
        }
        game.CenterCount[1] = static_cast<int16_t>(g.Next() * 12);
        game.TargetStack = 1;
        game.Comp_Drop();
        EXPECT_GE(game.CurIndex, 2) << round;
        EXPECT_LE(game.CurIndex, 6) << round;
        EXPECT_NE(game.OppSlots.Value(game.CurIndex), 0) << round;
        EXPECT_GE(game.DropPile, 1) << round;
        EXPECT_LE(game.DropPile, 4) << round;
    }
}

}  // namespace
}  // namespace korbo::test
