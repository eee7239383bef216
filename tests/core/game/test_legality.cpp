// Where a dropped card lands, and which moves the rules refuse.
#include <gtest/gtest.h>

#include <ostream>

#include "fakes/case_names.h"
#include "fakes/game_fixture.h"

namespace korbo::test {
namespace {

struct LegalityTest : GameFixture {
    // A table of pictures 1000 wide and 1400 high; centre piles in a row at top 3000.
    void SetUp() override {
        game.CardWidth = 1000;
        game.CardHeight = 1400;
        game.CardGap = 500;
        for (int s = 1; s <= 3; ++s) view.rects[{Ctl::Picture4, s}] = {1000 + 1200 * (s - 1), 3000, 1000, 1400};
        for (int i = 2; i <= 6; ++i) view.rects[{Ctl::Picture7, i}] = {1000 + 1100 * (i - 2), 8000, 1000, 1400};
        for (int i = 7; i <= 10; ++i) view.rects[{Ctl::Picture7, i}] = {1000 + 1200 * (i - 7), 5500, 1000, 1400};
        for (int h = 2; h <= 6; ++h) game.PlayerSlots.Set(h, {static_cast<int16_t>(h), static_cast<int16_t>(h)});
        game.Turn = TurnPlayer;
    }
    int Drop(int slot, int left, int top) { return game.FindDropTarget(slot, Rect{left, top, 1000, 1400}); }
};

TEST_F(LegalityTest, CentrePileEdges) {
    struct Case {
        const char* why;
        int slot, left, top, target;
    } cases[] = {
        {"right on pile 1", 2, 1000, 3000, 1},
        {"touching pile 1 from the left", 2, 0, 3000, 1},
        {"one unit apart on the left", 2, -1, 3000, -1},
        {"touching pile 1 from above", 2, 1000, 1600, 1},
        {"one unit above", 2, 1000, 1599, -1},
        {"touching from below", 2, 1000, 4400, 1},
        {"shifted a gap past pile 1 goes to pile 2", 2, 1500, 3000, 2},
        {"shifted a little less stays", 2, 1499, 3000, 1},
        {"shifted past pile 3 never gives 4", 2, 3400 + 500, 3000, 3},
        {"the SIDE top reaches the centre", 1, 2200, 3000, 2},
        {"a HOLD top reaches the centre", 8, 3400, 3000, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Drop(c.slot, c.left, c.top), c.target);
    }
}

TEST_F(LegalityTest, HoldAndHandTargets) {
    struct Case {
        const char* why;
        int slot, left, top, target;
    } cases[] = {
        {"onto HOLD pile 1", 2, 1000, 5500, 7},
        {"lower bound is two thirds of a card", 2, 1000, 5500 + 933, 7},
        {"past two thirds", 2, 1000, 5500 + 934, -1},
        {"shifted a gap past HOLD 1", 2, 1500, 5500, 8},
        {"shifted past HOLD 4 never gives 11", 2, 4600 + 500, 5500, 10},
        {"a HOLD top between HOLD piles finds nothing", 8, 1600, 5500, -1},
        {"the SIDE top on a HOLD pile finds nothing", 1, 1000, 5500, -1},
        {"onto hand place 3", 2, 2100, 8000, 3},
        {"half a card apart from hand place 3", 2, 2100 - 501, 8000, -1},
        {"a full card height below still lands", 6, 2100, 8000 + 1400, 3},
        {"shifted a gap past place 5 gives 6", 2, 5400 + 500, 8000, 6},
        {"shifted a gap past place 6 never gives 7", 3, 5400 + 500, 8000, 6},
        {"its own place is skipped", 3, 2100, 8000, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Drop(c.slot, c.left, c.top), c.target);
    }
}

TEST_F(LegalityTest, CentreIsTestedBeforeHold) {
    view.rects[{Ctl::Picture7, 7}] = {1000, 3200, 1000, 1400};
    EXPECT_EQ(Drop(2, 1000, 3100), 1);
    EXPECT_TRUE(game.DropTargetSet);
    EXPECT_EQ(game.DropTarget, Ctl::Picture4);
}

TEST_F(LegalityTest, AnEmptyHandPlaceIsNoTarget) {
    game.PlayerSlots.Clear(4);
    EXPECT_EQ(Drop(2, 3200, 8000), -1);
}

struct CentreCase {
    const char* why;
    int value, count;
    bool noWildAce;
    bool accepted;
};

void PrintTo(const CentreCase& c, std::ostream* os) { *os << c.why; }

class CentreMove : public GameFixture, public ::testing::WithParamInterface<CentreCase> {};

TEST_P(CentreMove, Judged) {
    const auto& c = GetParam();
    game.Turn = TurnPlayer;
    game.NoWildAce = c.noWildAce;
    game.PlaySlot = 3;
    game.PlayerSlots.Value(3) = static_cast<int16_t>(c.value);
    game.CurIndex = 2;
    game.CenterCount[2] = static_cast<int16_t>(c.count);
    game.Legal();
    EXPECT_EQ(game.Turn == TurnRefused, !c.accepted) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CentreMove,
    ::testing::Values(CentreCase{"Ace on empty", 1, 0, false, true}, CentreCase{"Two on Ace", 2, 1, false, true},
                      CentreCase{"Queen on Jack", 12, 11, false, true},
                      CentreCase{"Two on empty", 2, 0, false, false}, CentreCase{"Five on Three", 5, 3, false, false},
                      CentreCase{"King on empty", 13, 0, false, true},
                      CentreCase{"King on eleven", 13, 11, false, true},
                      CentreCase{"King on empty without wild Ace", 13, 0, true, false},
                      CentreCase{"King on a pile without wild Ace", 13, 4, true, true},
                      CentreCase{"Ace on empty without wild Ace", 1, 0, true, true}),
    NamedByWhy{});

TEST_F(LegalityTest, AWrongCardIsACheat) {
    game.PlaySlot = 2;  // a Two
    game.CurIndex = 1;
    game.Legal();
    EXPECT_EQ(game.Turn, TurnRefused);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "\r\n     Don't try to Cheat!");
    EXPECT_TRUE(view.Played(SndCheat));
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(LegalityTest, TheWildAceBox) {
    game.NoWildAce = true;
    game.PlayerSlots.Value(2) = 13;
    game.PlaySlot = 2;
    game.CurIndex = 3;
    game.Legal();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Wild card can not be used as an Ace.");
    EXPECT_EQ(view.boxes[0].title, "Rules Enforced");
    EXPECT_EQ(view.boxes[0].buttons, mb::OKOnly | mb::Information);
    EXPECT_TRUE(view.sounds.empty());
}

TEST_F(LegalityTest, CheatDuringTheOpponentsTurnSaysSo) {
    game.Turn = TurnOpponent;
    game.CheatError();
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "\r\n     Don't try to Cheat!\r\n     It's still my turn!");
}

TEST_F(LegalityTest, ANoGameRefusalIsSilent) {
    game.Turn = TurnNobody;
    game.PlaySlot = 2;
    game.CurIndex = 1;
    game.Legal();
    EXPECT_EQ(game.Turn, TurnRefused);
    EXPECT_FALSE(view.Played(SndCheat));
}

// --- the discard check ------------------------------------------------------------------

struct DiscardTest : LegalityTest {
    void Prepare(std::initializer_list<int> hand, int side, std::initializer_list<int> centre) {
        int h = 2;
        for (int v : hand) game.PlayerSlots.Set(h++, {static_cast<int16_t>(h), static_cast<int16_t>(v)});
        game.PlayerSlots.Value(1) = static_cast<int16_t>(side);
        int s = 1;
        for (int c : centre) game.CenterCount[s++] = static_cast<int16_t>(c);
        game.PlaySlot = 2;
        game.DragStartLeft = 1000;
        game.DragStartTop = 8000;
        view.MovePicture(Ctl::Picture7, 2, 1000, 5500);
    }
};

TEST_F(DiscardTest, AFullPileRefusesAndTheTurnGoesOn) {
    Prepare({5, 6, 7, 8, 9}, 10, {0, 0, 0});
    game.PlayerHoldCount[2] = 30;
    game.PlayerSlots.Value(8) = 4;
    EXPECT_FALSE(game.DiscardCheck(8));
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "That HOLD pile is too full. PICK ANOTHER PILE!");
    EXPECT_TRUE(view.Played(SndRefuse));
    EXPECT_EQ(view.PictureRect(Ctl::Picture7, 2).Top, 8000);
    EXPECT_EQ(game.Turn, TurnPlayer);
    game.PlayerHoldCount[2] = 29;
    EXPECT_TRUE(game.DiscardCheck(8));
}

// The other table's copy of a pile keeps 30 cards, its top among them: in a network game
// the discard that would make a 31st is refused as a full pile, and so never sent.
TEST_F(DiscardTest, ANetworkGameStopsAPileOneCardShortOfASoloGame) {
    const struct {
        bool net;
        int covered;
        bool allowed;
    } cases[] = {{false, 29, true}, {false, 30, false}, {true, 28, true}, {true, 29, false}, {true, 30, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.net ? "network, " : "solo, ") + std::to_string(c.covered) + " covered");
        view = RecordingView();
        Prepare({5, 6, 7, 8, 9}, 10, {0, 0, 0});
        game.NetActive = c.net;
        game.PlayerHoldCount[2] = static_cast<int16_t>(c.covered);
        game.PlayerSlots.Value(8) = 4;
        EXPECT_EQ(game.DiscardCheck(8), c.allowed);
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), c.allowed ? " " : "That HOLD pile is too full. PICK ANOTHER PILE!");
        EXPECT_EQ(view.Played(SndRefuse), !c.allowed);
        EXPECT_EQ(game.Turn, TurnPlayer);
    }
}

struct ForcedCase {
    const char* why;
    int rule;
    std::vector<int> hand;  // places 2..6; place 2 is dragged
    int side;
    std::vector<int> holdTops;  // places 7..10
    std::vector<int> centre;
    const char* refusal;  // nullptr: allowed
};

void PrintTo(const ForcedCase& c, std::ostream* os) { *os << c.why; }

class Forced : public DiscardTest, public ::testing::WithParamInterface<ForcedCase> {};

TEST_P(Forced, Rule) {
    const auto& c = GetParam();
    game.ForcedRule = static_cast<int16_t>(c.rule);
    for (int h = 0; h < 5; ++h) game.PlayerSlots.Set(h + 2, {static_cast<int16_t>(h + 2), static_cast<int16_t>(c.hand[h])});
    for (int h = 0; h < 4; ++h) game.PlayerSlots.Value(h + 7) = static_cast<int16_t>(c.holdTops[h]);
    game.PlayerSlots.Value(1) = static_cast<int16_t>(c.side);
    for (int s = 0; s < 3; ++s) game.CenterCount[s + 1] = static_cast<int16_t>(c.centre[s]);
    game.PlaySlot = 2;
    bool allowed = game.DiscardCheck(7);
    if (!c.refusal) {
        EXPECT_TRUE(allowed) << c.why;
        EXPECT_TRUE(view.boxes.empty()) << c.why;
    } else {
        EXPECT_FALSE(allowed) << c.why;
        ASSERT_EQ(view.boxes.size(), 1u) << c.why;
        EXPECT_EQ(view.boxes[0].text, c.refusal) << c.why;
        EXPECT_EQ(view.boxes[0].title, "Rule Enforced");
    }
}

const char* kAce = "Forced Ace rule is in effect. You must play your Ace";
const char* kTwo = "Forced Two rule is in effect. You must play your Two";

INSTANTIATE_TEST_SUITE_P(
    Masks, Forced,
    ::testing::Values(
        ForcedCase{"no rule", 0, {5, 1, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 0, 0}, nullptr},
        ForcedCase{"Ace in hand", 1, {5, 1, 7, 8, 9}, 10, {0, 0, 0, 0}, {3, 0, 0}, kAce},
        ForcedCase{"Ace on the SIDE", 1, {5, 6, 7, 8, 9}, 1, {0, 0, 0, 0}, {3, 4, 0}, kAce},
        ForcedCase{"Ace on a HOLD top", 1, {5, 6, 7, 8, 9}, 10, {0, 0, 1, 0}, {0, 0, 0}, kAce},
        ForcedCase{"no empty pile", 1, {1, 1, 7, 8, 9}, 1, {0, 0, 0, 0}, {3, 4, 5}, nullptr},
        ForcedCase{"King is no Ace", 1, {13, 6, 7, 8, 9}, 13, {0, 0, 0, 0}, {0, 0, 0}, nullptr},
        ForcedCase{"visible only ignores the rest of the hand", 5, {5, 1, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 0, 0}, nullptr},
        ForcedCase{"visible only sees the dragged card", 5, {1, 6, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 0, 0}, kAce},
        ForcedCase{"visible only sees the SIDE", 5, {5, 6, 7, 8, 9}, 1, {0, 0, 0, 0}, {0, 0, 0}, kAce},
        ForcedCase{"mask 4 alone", 4, {1, 2, 7, 8, 9}, 1, {0, 0, 0, 0}, {0, 1, 0}, nullptr},
        ForcedCase{"mask 8", 8, {1, 2, 7, 8, 9}, 1, {0, 0, 0, 0}, {0, 1, 0}, nullptr},
        ForcedCase{"Two on an Ace pile", 2, {5, 2, 7, 8, 9}, 10, {0, 0, 0, 0}, {1, 0, 0}, kTwo},
        ForcedCase{"Two without an Ace pile", 2, {5, 2, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 2, 0}, nullptr},
        ForcedCase{"Two rule ignores Aces", 2, {5, 1, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 0, 0}, nullptr},
        ForcedCase{"both: Ace first", 3, {2, 1, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 1, 0}, kAce},
        ForcedCase{"both: Two when no Ace is held", 3, {2, 6, 7, 8, 9}, 10, {0, 0, 0, 0}, {0, 1, 0}, kTwo},
        ForcedCase{"6: visible Two on a HOLD top", 6, {5, 2, 7, 8, 9}, 10, {0, 2, 0, 0}, {1, 0, 0}, kTwo},
        ForcedCase{"6: hidden Two ignored", 6, {5, 2, 7, 8, 9}, 10, {0, 0, 0, 0}, {1, 0, 0}, nullptr},
        ForcedCase{"7: both visible only", 7, {5, 1, 7, 8, 9}, 2, {0, 0, 0, 0}, {0, 1, 0}, kTwo}),
    NamedByWhy{});

TEST_F(DiscardTest, ARefusedForcedDiscardJumpsBack) {
    game.ForcedRule = 1;
    Prepare({1, 6, 7, 8, 9}, 10, {0, 0, 0});
    EXPECT_FALSE(game.DiscardCheck(9));
    EXPECT_EQ(view.PictureRect(Ctl::Picture7, 2).Left, 1000);
    EXPECT_EQ(view.PictureRect(Ctl::Picture7, 2).Top, 8000);
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
    EXPECT_EQ(game.Turn, TurnPlayer);
}

}  // namespace
}  // namespace korbo::test
