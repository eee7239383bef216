// The computer's planning: how far the human can chain, the plan of a pile with its
// safety check, the trimming near its own pay-off value, where a pay-off King goes, the
// forced and last-chance plays, and carrying a plan out.
#include <gtest/gtest.h>

#include "computer_fixture.h"

namespace korbo::test {
namespace {

struct PlanTest : ComputerFixture {
    // The pass's set-up of a plan for pile `s` towards `target`.
    void PlanFor(int s, int target, int phase) {
        game.CurIndex = s;
        game.TargetStack = static_cast<int16_t>(target);
        game.DropHandSlot = static_cast<int16_t>(target);
        game.PlanPhase = static_cast<int16_t>(phase);
        game.WildSearchFrom = 2;
        game.PlayKind = 0;
        game.PayOffKingMode = false;
        game.PlanSlots[target][0] = 1;
    }
    std::vector<int> Plan(int s) const {
        std::vector<int> places;
        for (int i = 1; i <= game.PlanSteps[s][1]; ++i) places.push_back(game.PlanSlots[s][i]);
        return places;
    }
    void Counts(int a, int b, int c) {
        game.CenterCount = {0, static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c)};
    }
};

// --- how far the human can chain ---------------------------------------------------------------

TEST_F(PlanTest, DangerValueFollowsTheChainAndTheLevelsMargin) {
    struct Case {
        const char* name;
        int level, human, holdTop7, holdTop8;
        int a, b, c;            // centre counts
        bool oppHoldEmpty;      // one of the computer's HOLD piles is empty
        int expected;
    } cases[] = {
        {"Ace and an empty pile", LevelClever, 1, 0, 0, 0, 4, 6, true, 1},
        {"Ace and an empty pile, Average", LevelAverage, 1, 0, 0, 3, 0, 6, false, 1},
        {"Average margin of one", LevelAverage, 7, 0, 0, 8, 9, 10, false, 6},
        {"chain over HOLD tops, Average", LevelAverage, 7, 6, 5, 8, 9, 10, false, 4},
        {"chain over HOLD tops, Clever margin three", LevelClever, 7, 6, 5, 8, 9, 10, true, 2},
        {"chain wraps past the Queen", LevelAverage, 2, 1, 12, 3, 4, 5, false, 11},
        {"Ace with nothing below: eleven", LevelAverage, 1, 0, 0, 3, 4, 5, false, 11},
        {"small value below the margin", LevelClever, 3, 0, 0, 8, 9, 10, true, 12},
        {"small value with a pile below it", LevelClever, 3, 0, 0, 1, 9, 10, true, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(c.human, 0)});
        if (c.holdTop7) game.PlayerSlots.Set(7, C(V(c.holdTop7, 1)));
        if (c.holdTop8) game.PlayerSlots.Set(8, C(V(c.holdTop8, 2)));
        Counts(c.a, c.b, c.c);
        for (int k = 1; k <= 4; ++k) {
            game.OppHoldInfo[k][1] = (c.oppHoldEmpty && k == 4) ? 0 : 3;
            game.OppHoldInfo[k][2] = 1;
        }
        game.StockTop = 40;
        game.CompLevel = static_cast<int16_t>(c.level);
        game.Ck_Player();
        EXPECT_EQ(game.DangerValue, c.expected) << c.name;
    }
}

TEST_F(PlanTest, CkPlayerReportsTheEmptyAndTheLowPiles) {
    PlayerSide({V(6)});
    Counts(0, 7, 0);
    game.Ck_Player();
    EXPECT_EQ(game.EmptyStack, 3);
    EXPECT_EQ(game.WorkIndex, 3);
    Counts(2, 7, 9);
    game.Ck_Player();
    EXPECT_EQ(game.EmptyStack, 0);
    EXPECT_EQ(game.WorkIndex, 1);
}

TEST_F(PlanTest, TheNearestPileToAValue) {
    struct Case {
        int a, b, c, value, pile, lookAhead;
    } cases[] = {
        {3, 5, 1, 6, 2, 1},
        {3, 4, 1, 6, 2, 2},   // the smaller distance wins
        {4, 1, 4, 6, 1, 2},   // then the lower pile
        {11, 5, 6, 1, 1, 2},  // past the Queen
        {0, 1, 0, 13, 1, 11}, // nothing within eleven: pile 1
    };
    for (const Case& c : cases) {
        Counts(c.a, c.b, c.c);
        EXPECT_EQ(game.NearestPile(c.value), c.pile) << c.a << c.b << c.c << " " << c.value;
        EXPECT_EQ(game.LookAhead, c.lookAhead) << c.a << c.b << c.c << " " << c.value;
    }
}

// --- the plan of a pile ---------------------------------------------------------------------------

TEST_F(PlanTest, APlanThatEmptiesTheHandIsAcceptedAtOnce) {
    PlayerSide({V(3)});  // the human needs a Three: a Two is no gift
    OppSide({V(11)});
    Centre(1, {V(1, 1)});
    OppHand({V(2, 2), 0, 0, 0, 0});
    game.HandCount = 1;
    RestTo();
    PlanFor(1, 1, 0);
    game.Move_Comp();
    EXPECT_EQ(game.PlayFound, 1);
    EXPECT_EQ(game.CurIndex, 1);
    EXPECT_EQ(Plan(1), std::vector<int>{2});
}

TEST_F(PlanTest, AKingIsNeverPlannedOntoAnEmptyPileUnderNoWildAce) {
    for (bool noWildAce : {false, true}) {
        SetUp();
        PlayerSide({V(9)});
        OppSide({V(3)});
        OppHand({V(13, 1), V(2, 1), 0, 0, 0});
        game.HandCount = 2;
        RestTo();
        game.NoWildAce = noWildAce;
        PlanFor(1, 1, 0);
        game.Move_Comp();
        if (!noWildAce) {
            EXPECT_EQ(game.PlayFound, 1);
            EXPECT_EQ(Plan(1), (std::vector<int>{2, 3}));  // the King as an Ace, then the Two
        } else {
            EXPECT_EQ(game.PlayFound, 0);
            for (int s = 1; s <= 3; ++s) EXPECT_EQ(game.PlanSteps[s][1], 0) << s;
        }
    }
}

TEST_F(PlanTest, AKingIsNeverPlannedOntoAPileThePlanClears) {
    PlayerSide({V(9)});
    OppSide({V(2)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1), V(9, 1), V(10, 1),
               V(11, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3)});
    OppHand({V(12, 4), V(13, 4), V(8, 4), 0, 0});
    game.HandCount = 3;
    game.NoWildAce = true;
    RestTo();
    PlanFor(1, 1, 0);
    game.Move_Comp();
    for (int s = 1; s <= 3; ++s) {
        const std::vector<int> plan = Plan(s);
        int count = game.CenterCount[s];
        for (int place : plan) {
            const int v = game.OppSlots.Value(place);
            EXPECT_FALSE(v == 13 && count == 0) << "a King planned onto empty pile " << s;
            count = count + 1 == 12 ? 0 : count + 1;
        }
    }
}

TEST_F(PlanTest, AHoldCardOfTheSameValueReplacesTheHandCard) {
    PlayerSide({V(3)});
    OppSide({V(11)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
    OppHand({V(4, 2), V(9, 2), V(10, 2), 0, 0});
    OppPile(1, {V(5, 3), V(4, 3)}, 2);  // a run down from a Five: its Four goes first
    game.HandCount = 3;
    RestTo();
    PlanFor(1, 1, 0);
    game.Move_Comp();
    ASSERT_GE(game.PlanSteps[1][1], 1);
    EXPECT_EQ(game.PlanSlots[1][1], 7);
}

// The plan has played the Two from HOLD pile 1; the Three under it is the pile's last
// simulated card, but the pile really holds two cards, so it is not passed over: its Three
// takes the place of the hand's Three (the hand has cards left, so the pile is chosen).
TEST_F(PlanTest, AHoldPileIsPassedOverOnlyWhenItReallyHoldsOneCard) {
    PlayerSide({V(12)});
    OppSide({V(11)});
    Centre(1, {V(1, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2)});  // the plan ending on a Three is accepted
    OppHand({V(3, 3), V(9, 3), V(10, 3), 0, 0});
    OppPile(1, {V(3, 4), V(2, 4)}, 2);
    game.HandCount = 3;
    RestTo();
    PlanFor(1, 1, 0);
    game.Move_Comp();
    EXPECT_EQ(game.PlayFound, 1);
    EXPECT_EQ(Plan(1), (std::vector<int>{7, 7}));
    game.Comp_Play();
    EXPECT_EQ(game.CenterCount[1], 3);
    EXPECT_EQ(game.OppHoldInfo[1][HoldCount], 0);
    EXPECT_EQ(game.OppSlots.Value(2), 3);  // the hand's Three stays
    EXPECT_EQ(CheckPartition(game), "");
}

// The text would switch to the target pile after the plan of pile 1 was already accepted
// (the pay-off Five is next), because the last HOLD card replaced the hand's Four and
// emptied its pile; the target pile has no plan, nothing is played and the pass repeats.
TEST_F(PlanTest, AnAcceptedPlanStaysOnItsPileWhenASubstituteEmptiesAHoldPile) {
    PlayerSide({V(11)});
    OppSide({V(12), V(5)});
    Centre(1, {V(1, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2), V(4, 2), V(5, 2), V(6, 2), V(7, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3), V(5, 3), V(6, 3), V(7, 3), V(8, 3), V(9, 3)});
    OppHand({V(2, 4), V(3, 4), V(4, 4), V(9, 4), V(10, 4)});
    OppPile(1, {V(4, 5), V(3, 5), V(2, 5)}, 2);
    OppPile(2, {V(4, 6), V(4, 7)}, 0);
    game.HandCount = 5;
    RestTo();
    PlanFor(1, 2, 1);  // phase 1 has reached pile 1; the pass's target is pile 2
    game.Move_Comp();
    EXPECT_EQ(game.PlayFound, 1);
    EXPECT_EQ(game.CurIndex, 1);
    EXPECT_EQ(Plan(1), (std::vector<int>{7, 7, 7}));
    game.Comp_Play();
    EXPECT_EQ(game.CenterCount[1], 4);
    EXPECT_EQ(game.OppHoldInfo[1][1], 0);
    EXPECT_EQ(OppHandCards(), 5);
    EXPECT_TRUE(CentreInOrder());
    EXPECT_EQ(CheckPartition(game), "");
}

// Phase 1 plans pile 2; its substitutes empty HOLD pile 1 and planning switches to the
// target pile 1, where a substitute empties HOLD pile 3. The text switches again, saving
// pile 1 in place of pile 2; the check of pile 1 fails, the next pile is pile 2 again, and
// the same two switches come round for ever.
TEST_F(PlanTest, PlanningSwitchesToTheTargetPileOnlyOnce) {
    PlayerSide({V(4)});
    OppSide({V(10)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1)});
    Centre(2, {V(1, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3), V(5, 3), V(6, 3), V(7, 3), V(8, 3), V(9, 3)});
    OppHand({V(2, 4), V(3, 4), V(4, 4), V(7, 4), V(9, 4)});
    OppPile(1, {V(4, 5), V(3, 5), V(2, 5)}, 2);
    OppPile(2, {V(4, 6), V(4, 7)}, 0);
    OppPile(3, {V(7, 5)}, 1);  // a single card keeps the code of the pile it was
    OppPile(4, {V(7, 6), V(7, 7)}, 0);
    game.HandCount = 5;
    RestTo();
    PlanFor(2, 1, 1);
    game.Move_Comp();
    EXPECT_EQ(game.PlayFound, 1);
    EXPECT_EQ(game.CurIndex, 2);
    EXPECT_EQ(Plan(2), (std::vector<int>{7, 7, 7}));  // its last card covers the human's Four
}

// Only a switch made while another is still open is refused: once the check of the saved
// pile has closed the first switch, the next pile switches as the rule says, and with the
// switch open the HOLD piles no longer supply the next card.
TEST_F(PlanTest, AFurtherSwitchAfterTheFirstWasClosedStillHappens) {
    PlayerSide({V(9)});
    OppSide({V(12)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2), V(4, 2), V(5, 2), V(6, 2), V(7, 2)});
    Centre(3, {V(1, 3), V(2, 3)});
    OppHand({V(8, 7), V(11, 4), V(4, 4), V(5, 4), 0});
    OppPile(1, {V(8, 4)}, 1);          // a lone Eight: it replaces the hand's Eight and empties
    OppPile(2, {V(8, 5), V(8, 6)}, 0);
    OppPile(3, {V(9, 4)}, 0);          // the Nine that would cover the human's card
    game.HandCount = 4;
    RestTo();
    game.DangerValue = 9;
    game.EmptyStack = 0;
    PlanFor(1, 2, 1);
    game.Move_Comp();
    // Pile 1 switches to pile 2 and fails its check; pile 2 switches to itself, so its
    // plan stops at the Eight, fails too, and so does pile 3.
    EXPECT_EQ(game.PlayFound, 0);
    EXPECT_EQ(game.CurIndex, 3);
}

TEST_F(PlanTest, TheSafetyCheckDropsAGiftToTheHuman) {
    // The human's Seven is next after a Six: a plan ending on the Five would hand it over.
    PlayerSide({V(7)});
    OppSide({V(12)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2), V(4, 2), V(5, 2), V(6, 2), V(7, 2), V(8, 2), V(9, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3), V(5, 3), V(6, 3), V(7, 3), V(8, 3), V(9, 3), V(10, 3)});
    OppHand({V(4, 4), V(5, 4), V(9, 4), V(10, 4), V(10, 5)});
    game.HandCount = 5;
    game.CompLevel = LevelAverage;
    RestTo();
    game.Ck_Player();
    ASSERT_EQ(game.DangerValue, 6);
    PlanFor(1, 1, 1);
    game.Move_Comp();
    // Four, Five on pile 1 would leave it needing the Six below the danger value; the
    // Four alone is safe (4 < D - 1).
    ASSERT_EQ(game.PlayFound, 1);
    EXPECT_EQ(game.CurIndex, 1);
    EXPECT_EQ(Plan(1), std::vector<int>{2});
}

TEST_F(PlanTest, APlanEndingOnTheHumansValueIsAcceptedAndTaunts) {
    PlayerSide({V(4)});
    OppSide({V(11)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
    OppHand({V(4, 2), V(9, 2), V(10, 2), 0, 0});
    game.HandCount = 3;
    RestTo();
    game.Ck_Player();
    PlanFor(1, 1, 1);
    game.Move_Comp();
    ASSERT_EQ(game.PlayFound, 1);
    ASSERT_EQ(Plan(1), std::vector<int>{2});
    view.log.clear();
    game.Comp_Play();
    EXPECT_EQ(game.CenterCount[1], 4);
    const int announce = LogIndex("Caption Label9(2)=comment 26");
    ASSERT_GE(announce, 0);
    int taunt = -1;
    for (int slot = 11; slot <= 20 && taunt < 0; ++slot) taunt = LogIndex("Caption Label9(2)=comment " + std::to_string(slot));
    EXPECT_GT(taunt, announce);
    bool win = false;
    for (int slot = 3; slot <= 6; ++slot) win = win || FilePlayed(slot);
    EXPECT_TRUE(win);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), " ");
}

// --- keeping cards back near the pay-off value ------------------------------------------------------

TEST_F(PlanTest, MoveWaitTrimsThePlanNearTheComputersValue) {
    struct Case {
        const char* name;
        int level, q, human, stock, from;
        std::vector<int> values;
        int stepsLeft, found;
    } cases[] = {
        {"three below the pay-off value are kept", LevelClever, 10, 2, 50, 4, {5, 6, 7, 8}, 2, 0},
        {"Average keeps two", LevelAverage, 10, 2, 50, 4, {5, 6, 7, 8}, 3, 0},
        {"a King last changes nothing", LevelClever, 10, 2, 50, 4, {5, 6, 7, 13}, 4, 0},
        {"trimming back onto the human's value accepts", LevelClever, 10, 7, 50, 4, {5, 6, 7, 8}, 3, 1},
        {"low pay-off value, big stock", LevelClever, 3, 9, 50, 0, {1, 2}, 0, 0},
        {"low pay-off value, small stock keeps the Ace", LevelClever, 3, 9, 5, 0, {1, 2}, 1, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(c.human, 0)});
        OppSide({V(c.q, 1)});
        game.CenterCount = {0, static_cast<int16_t>(c.from), 11, 10};
        game.StockTop = static_cast<int16_t>(c.stock);
        game.CompLevel = static_cast<int16_t>(c.level);
        game.CurIndex = 1;
        game.PlanSteps[1] = {static_cast<int16_t>(c.from), 0};
        for (size_t i = 0; i < c.values.size(); ++i)
            game.PlanAppend(1, 2 + static_cast<int>(i), C(V(c.values[i], 2)));
        game.PlayFound = 0;
        game.Move_Wait();
        EXPECT_EQ(game.PlanSteps[1][1], c.stepsLeft) << c.name;
        EXPECT_EQ(game.PlayFound, c.found) << c.name;
    }
}

// --- where a pay-off King goes -------------------------------------------------------------------

TEST_F(PlanTest, MoveWildPutsThePayOffKingOutsideTheDangerBand) {
    struct Case {
        const char* name;
        int level;
        bool noWildAce;
        int danger, human, a, b, c, emptyStack, pile;
    } cases[] = {
        {"above the human's value", LevelAverage, false, 4, 7, 5, 9, 2, 0, 2},
        {"none outside: Average takes pile 2", LevelAverage, false, 4, 7, 5, 6, 3, 0, 2},
        {"below the danger value", LevelClever, false, 4, 7, 0, 3, 5, 1, 1},
        {"not onto an empty pile under NoWildAce", LevelClever, true, 4, 7, 0, 3, 5, 1, 2},
        {"D 1: never to need a Queen", LevelClever, false, 1, 5, 3, 11, 6, 0, 3},
        {"D above P: between them", LevelClever, false, 9, 3, 1, 4, 8, 0, 2},
        {"far below with pile 2 empty", LevelClever, false, 5, 9, 4, 0, 6, 2, 2},
        // Nothing outside the band and no plan: Ruthless takes the lowest pile, pile 2 only
        // below pile 1 and pile 3 only strictly below the pile taken so far.
        {"Ruthless: lowest pile, a tie keeps pile 1", LevelRuthless, false, 4, 7, 3, 3, 4, 0, 1},
        {"Ruthless: pile 2 below pile 1, a tie keeps pile 2", LevelRuthless, false, 4, 7, 4, 3, 3, 0, 2},
        {"Ruthless: pile 3 strictly lowest", LevelRuthless, false, 4, 7, 3, 4, 2, 0, 3},
        {"Ruthless: all equal keeps pile 1", LevelRuthless, false, 4, 7, 2, 2, 2, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(c.human, 0)});
        OppSide({V(13, 1)});
        Counts(c.a, c.b, c.c);
        game.DangerValue = static_cast<int16_t>(c.danger);
        game.EmptyStack = static_cast<int16_t>(c.emptyStack);
        game.CompLevel = static_cast<int16_t>(c.level);
        game.NoWildAce = c.noWildAce;
        game.PayOffKingMode = true;
        game.Move_Wild();
        EXPECT_EQ(game.CurIndex, c.pile) << c.name;
    }
}

TEST_F(PlanTest, APayOffKingWhoseNewTopFitsIsMurphysLaw) {
    PlayerSide({V(6)});
    OppSide({V(6, 1), V(13)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1)});
    RestTo();
    game.MovingCard = {V(13), 13};
    --game.OppSideCount;
    game.OppSlots.Set(1, game.OppSide.Get(game.OppSideCount));
    game.Comp_Flip(1, 1);
    EXPECT_TRUE(Said(23));  // the King takes the human's Six
    EXPECT_EQ(game.OppWildFromPayOff, 1);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "Argh!\r\nThat bites! Murphy's Law!");
    EXPECT_TRUE(FilePlayed(9));
    EXPECT_EQ(game.CenterCount[1], 6);
    EXPECT_EQ(CheckPartition(game), "");
}

// --- forced and last-chance plays ----------------------------------------------------------------

TEST_F(PlanTest, ForcedAcesAndTwosBeforeTheDiscard) {
    struct Case {
        const char* name;
        int rule;
        int holdTop;      // value on the computer's HOLD pile 2 (place 8), 0 none
        int found, kind, pile, place;
    } cases[] = {
        {"no forced cards", 0, 0, 0, 0, 0, 0},
        {"forced Ace from the hand", ForcedAce, 0, 1, 1, 2, 6},
        {"visible only: not from the hand", ForcedAce | VisibleOnly, 0, 0, 0, 0, 0},
        {"visible only: from a HOLD top", ForcedAce | VisibleOnly, 1, 1, 1, 2, 8},
        {"forced Two onto the lone Ace", ForcedTwo, 2, 1, 2, 3, 8},
        {"mask 4 forces nothing", VisibleOnly, 1, 0, 0, 0, 0},
        // Both forced: the Two's search runs after the Ace's and its play is the one made.
        {"Ace and Two forced: the Two is played", ForcedAce | ForcedTwo, 2, 1, 2, 3, 8},
    };
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(9)});
        OppSide({V(11)});
        Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
        Centre(3, {V(1, 3)});
        OppHand({V(1, 2), V(7, 2), V(12, 2), V(10, 2), V(8, 2)});
        if (c.holdTop) OppPile(2, {V(c.holdTop, 4)}, 0);
        game.HandCount = 5;
        RestTo();
        game.ForcedRule = static_cast<int16_t>(c.rule);
        game.DropHandSlot = 1;
        game.PlayFound = 0;
        game.PlayKind = 0;
        game.Comp_BeforeDrop();
        EXPECT_EQ(game.PlayFound, c.found) << c.name;
        EXPECT_EQ(game.PlayKind, c.kind) << c.name;
        if (c.found) {
            EXPECT_EQ(game.CurIndex, c.pile) << c.name;
            EXPECT_EQ(game.PlanStep, c.place) << c.name;
        }
    }
}

// The sizes that decide between two HOLD piles of equal tops are the piles' real sizes;
// only where the rule says so are the sizes left by the plan compared.
TEST_F(PlanTest, MoveCompHoldComparesRealPileSizesWhereTheRuleSaysNotSimulated) {
    struct Case {
        const char* name;
        int level;
        int realQ;      // cards really on pile q (2); its plan has taken two of them
        int expected;
    } cases[] = {
        {"Average, two runs: q really larger", LevelAverage, 4, 2},
        {"Average, two runs: q really no larger", LevelAverage, 3, 99},
        {"Clever, two runs: q really larger", LevelClever, 4, 2},
        {"Clever, two runs: q really no larger", LevelClever, 3, 99},
    };
    for (const Case& c : cases) {
        SetUp();
        game.CompLevel = static_cast<int16_t>(c.level);
        // p (1): 10 9 8, a run of three, untouched by the plan.
        OppPile(1, {V(10, 0), V(9, 0), V(8, 0)}, 2);
        // q (2): 9 8 and one or two cards the plan has already taken off it.
        std::vector<int> q{V(9, 1), V(8, 1)};
        for (int k = 2; k < c.realQ; ++k) q.push_back(V(7 - (k - 2), 1));
        OppPile(2, q, 2);
        for (int k = 1; k <= 4; ++k) game.OppHoldInfo[k][0] = game.OppHoldInfo[k][1];
        game.OppHoldInfo[2][0] = 2;  // simulated: q shows its Eight over its Nine
        game.PlanStep = 1;
        game.Move_Comp_Hold();
        EXPECT_EQ(game.SideChoice, c.expected) << c.name;
    }
}

TEST_F(PlanTest, MoveCompHoldPicksAnotherPileOfTheSameTopByLevelAndShape) {
    struct Case {
        const char* name;
        int level;
        std::vector<int> p, q;  // values, bottom first; the top is an Eight on both
        int shapeP, shapeQ;
        int expected;           // SideChoice: 2 = q, 0 = none and the search ends, 99 = goes on
    } cases[] = {
        {"Clever, p of equal cards, q not: q", LevelClever, {8, 8}, {5, 8}, 0, 1, 2},
        {"Clever, both of equal cards, q larger: none", LevelClever, {8, 8}, {8, 8, 8}, 0, 0, 0},
        {"Clever, both of equal cards, p larger: q", LevelClever, {8, 8, 8}, {8, 8}, 0, 0, 2},
        {"Clever, p a single card: none", LevelClever, {8}, {8, 8}, 0, 0, 0},
        {"Clever, p no run, q a run: q", LevelClever, {5, 8}, {9, 8}, 1, 2, 2},
        {"Clever, neither a run: goes on", LevelClever, {5, 8}, {6, 8}, 1, 1, 99},
        {"Average, p single, q of shape 1 and larger: q", LevelAverage, {8}, {5, 8}, 1, 1, 2},
        {"Average, p of two, q of shape 1: goes on", LevelAverage, {5, 8}, {6, 8}, 1, 1, 99},
        {"Average, q of shape 2 over p of shape 1: q", LevelAverage, {5, 8}, {9, 8}, 1, 2, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        game.CompLevel = static_cast<int16_t>(c.level);
        int copy = 0;
        std::vector<int> p, q;
        for (int v : c.p) p.push_back(V(v, copy++));
        for (int v : c.q) q.push_back(V(v, copy++));
        OppPile(1, p, c.shapeP);
        OppPile(2, q, c.shapeQ);
        for (int k = 1; k <= 4; ++k) game.OppHoldInfo[k][0] = game.OppHoldInfo[k][1];
        game.PlanStep = 1;
        game.Move_Comp_Hold();
        EXPECT_EQ(game.SideChoice, c.expected) << c.name;
    }
}

TEST_F(PlanTest, AHandOfKingsIsPlayedOntoTheTargetUnlessKingsMayNotBeAces) {
    for (bool noWildAce : {false, true}) {
        SetUp();
        PlayerSide({V(9)});
        OppSide({V(11)});
        Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
        OppHand({V(13, 1), V(13, 2), 0, 0, 0});
        game.HandCount = 2;
        RestTo();
        game.NoWildAce = noWildAce;
        game.DropHandSlot = 1;
        game.PlayFound = 0;
        game.PlayKind = 0;
        game.Comp_BeforeDrop();
        EXPECT_EQ(game.FirstHandSlot, 2);
        EXPECT_EQ(game.PlayKind, noWildAce ? 0 : 13);
        EXPECT_EQ(game.PlayFound, noWildAce ? 0 : 1);
        if (noWildAce) continue;
        // The next pass's plan plays the first of them onto the target pile.
        PlanFor(1, 1, 0);
        game.PlayKind = 13;
        game.Move_Comp();
        EXPECT_EQ(game.PlayFound, 1);
        EXPECT_EQ(Plan(1), std::vector<int>{2});
    }
}

// A Ruthless pay-off King's plan can play the hand of Kings and refill the hand before
// the pass plans again with the mark still set.
TEST_F(PlanTest, TheMarkOfAHandOfKingsPlaysOnlyAKing) {
    PlayerSide({V(9)});
    OppSide({V(11)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1)});
    OppHand({V(1, 2), V(13, 2), V(4, 2), V(3, 2), V(8, 2)});
    game.HandCount = 5;
    RestTo();
    PlanFor(1, 1, 0);
    game.PlayKind = 13;
    game.FirstHandSlot = 2;
    game.Move_Comp();
    for (int s = 1; s <= 3; ++s) {
        int count = game.CenterCount[s];
        for (int place : Plan(s)) {
            const int v = game.OppSlots.Value(place);
            EXPECT_TRUE(v == 13 || v == count + 1) << "place " << place << " onto pile " << s;
            count = count + 1 == 12 ? 0 : count + 1;
        }
    }
}

// --- carrying a plan out -------------------------------------------------------------------------

// A King from the hand empties it; the refill finds nothing and the stalemate recovery
// gathers the HOLD piles, so the plan's next step names an empty place.
TEST_F(PlanTest, APlanStepEmptiedByARecoveryIsNeverPlayed) {
    PlayerSide({V(2), V(11)});
    OppSide({V(3), V(8)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1)});
    OppHand({V(5, 2), V(13, 2), 0, 0, 0});
    OppPile(1, {V(7, 2)}, 0);
    game.HandCount = 2;
    game.Turn = TurnOpponent;
    RestToPlayerHold();
    PlanFor(1, 1, 0);
    game.Move_Comp();
    ASSERT_EQ(game.PlayFound, 1);
    ASSERT_EQ(Plan(1), (std::vector<int>{2, 3, 7}));
    view.answers = {mb::IDYes};
    game.Comp_Play();
    EXPECT_EQ(view.boxes.size(), 1u);  // the stalemate, accepted
    EXPECT_EQ(game.CenterCount[1], 0);
    EXPECT_EQ(game.OppHoldInfo[1][1], 0);
    EXPECT_EQ(OppHandCards(), 5);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(PlanTest, APlayFromAHoldPileUncoversTheNextCardAndItsShape) {
    PlayerSide({V(11)});
    OppSide({V(12)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1)});
    OppHand({V(9, 2), V(10, 2), 0, 0, 0});
    OppPile(1, {V(8, 3), V(6, 3), V(5, 3), V(4, 3)}, 2);
    game.HandCount = 2;
    RestTo();
    PlanFor(1, 1, 1);
    game.PlanSteps[1] = {3, 0};
    game.PlanAppend(1, 7, C(V(4, 3)));
    game.Comp_Play();
    EXPECT_EQ(game.CenterCount[1], 4);
    EXPECT_EQ(game.OppHoldInfo[1][1], 3);
    EXPECT_EQ(game.OppSlots.Id(7), V(5, 3));
    EXPECT_EQ(game.OppHoldInfo[1][2], 2);  // Five on a Six
    EXPECT_EQ(CheckPartition(game), "");
}

// The walk takes the card's picture off its place; a HOLD pile left without a card comes
// back as an empty pile, a hand place stays off the table.
TEST_F(PlanTest, APlaceEmptiedByAPlayShowsAsThePlayersDoes) {
    PlayerSide({V(11)});
    OppSide({V(12)});
    OppHand({V(1, 2), V(10, 2), 0, 0, 0});
    OppPile(1, {V(2, 3)}, 0);
    game.HandCount = 2;
    RestTo();
    PlanFor(1, 1, 1);
    game.PlanSteps[1] = {0, 0};
    game.PlanAppend(1, 2, C(V(1, 2)));
    game.PlanAppend(1, 7, C(V(2, 3)));
    view.log.clear();
    game.Comp_Play();
    ASSERT_EQ(game.CenterCount[1], 2);
    ASSERT_EQ(game.OppHoldInfo[1][1], 0);
    // The last word on each place, after its walk.
    auto last = [&](const std::string& place) {
        std::string word;
        bool walked = false;
        for (const std::string& line : view.log) {
            if (line.rfind("Walk Picture1(" + place + ")", 0) == 0) walked = true;
            if (walked && line.rfind("Visible Picture1(" + place + ")=", 0) == 0) word = line.substr(line.size() - 1);
        }
        return word;
    };
    EXPECT_EQ(last("7"), "1");
    EXPECT_EQ(view.backColor[(RecordingView::Key{Ctl::Picture1, 7})], kEmptyPlaceColor);
    EXPECT_EQ(view.drawn[(RecordingView::Key{Ctl::Picture1, 7})], -1);
    EXPECT_EQ(last("2"), "0");
}

}  // namespace
}  // namespace korbo::test
