// The computer's whole turn: the refill and the start-of-turn remarks, the pay-off card,
// the passes of plays, the discard and the hand-over; the impatience wait, the remark on a
// poor move and the hand-over's own routine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "computer_fixture.h"
#include "fakes/record_bytes.h"

namespace korbo::test {
namespace {

struct TurnTest : ComputerFixture {
    // The computer about to hand over: two cards in its hand, one in the human's.
    void HandOverTable() {
        PlayerSide({V(3), V(5)});
        OppSide({V(7), V(9)});
        PlayerHand({V(7, 3), 0, 0, 0, 0});
        OppHand({V(2, 2), V(8, 2), 0, 0, 0});
        RestTo();
        game.Turn = TurnOpponent;
    }
};

// --- the start of the turn ------------------------------------------------------------------

// Human's pay-off 5, computer's 9 over a 2; centre pile 1 needs the 9. The computer's hand
// lacks place 6.
void ThanksTable(TurnTest& t) {
    t.PlayerSide({V(3), V(5)});
    t.OppSide({V(2), V(9)});
    t.Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1)});
    t.PlayerHand({V(7, 3), V(7, 4), V(8, 3), V(10, 3), V(11, 3)});
    t.OppHand({V(11, 1), V(12, 1), V(10, 2), V(6, 2), 0});
    t.game.HandCount = 4;
    t.RestTo();
}

TEST_F(TurnTest, TheFirstTurnAfterADealMakesNoRefillAndNoRemark) {
    ThanksTable(*this);
    game.SkipCompDeal = 1;
    const int stock = game.StockTop;
    RunComputer();
    EXPECT_EQ(game.StockTop, stock);
    EXPECT_FALSE(Said(22));
    EXPECT_FALSE(FilePlayed(12));
    EXPECT_EQ(game.SkipCompDeal, 0);
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, ARefilledTurnThanksForThePileThatNeedsItsCard) {
    ThanksTable(*this);
    const int stock = game.StockTop;
    RunComputer();
    EXPECT_EQ(game.StockTop, stock - 1);  // place 6 only
    EXPECT_TRUE(Said(22));
    EXPECT_TRUE(FilePlayed(12));
    EXPECT_GT(LogIndex("Caption Label9(1)= "), LogIndex("Caption Label9(2)=comment 22"));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, TheHumansCardHeldByTheComputerIsRemarkedOn) {
    struct Case {
        bool noComments;
        int sound;
        bool said;
    } cases[] = {{false, 0, true}, {false, 1, true}, {true, 0, false}};
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(3), V(5)});
        OppSide({V(2), V(9)});
        Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1)});  // needs the human's 5
        PlayerHand({V(7, 3), V(7, 4), V(8, 3), V(10, 3), V(11, 3)});
        OppHand({V(5, 1), V(12, 1), V(10, 2), V(6, 2), 0});
        game.HandCount = 4;
        RestTo();
        game.NoComments = c.noComments;
        game.SoundLevel = static_cast<int16_t>(c.sound);
        RunComputer();
        EXPECT_EQ(Said(21), c.said) << c.noComments << c.sound;
        EXPECT_EQ(view.Played(SndWin), c.said && c.sound == 0) << c.noComments << c.sound;
        EXPECT_FALSE(Said(22));
    }
}

// --- the pay-off card -----------------------------------------------------------------------

TEST_F(TurnTest, TheLastPayOffCardEndsTheGameBeforeAnyRefill) {
    PlayerSide({V(3), V(5)});
    OppSide({V(9)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1)});
    PlayerHand({V(7, 3), V(8, 3), 0, 0, 0});
    OppHand({V(11, 1), V(12, 1), V(10, 2), 0, 0});
    game.HandCount = 3;
    game.SkipCompDeal = 1;
    RestTo();
    const int stock = game.StockTop;
    RunComputer();
    EXPECT_EQ(game.gameEndCalls, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_EQ(game.OppSideCount, 0);
    EXPECT_EQ(game.CenterCount[1], 9);
    EXPECT_EQ(game.StockTop, stock);        // neither hand refilled
    EXPECT_EQ(HoldCards(), 0);              // no discard
    EXPECT_EQ(OppHandCards(), 3);
    EXPECT_FALSE(Logged("Caption Label9(1)=I'll drop a card now...\r\n     My Turn is over."));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, TheTwelfthCardClearsThePileWithClearing) {
    PlayerSide({V(3), V(7)});
    OppSide({V(10), V(4), V(1)});  // an Ace: pile 1 must be cleared to take it
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1), V(9, 1), V(10, 1),
               V(11, 1)});
    Centre(2, {V(1, 2), V(2, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3)});
    OppHand({V(12, 2), V(8, 3), V(9, 3), V(6, 3), V(5, 4)});
    game.HandCount = 5;
    game.SkipCompDeal = 1;
    RestTo();
    RunComputer();
    EXPECT_TRUE(Logged("Caption Label9(0)=CLEARING"));
    EXPECT_EQ(game.UsedCount, 12);
    EXPECT_EQ(game.UsedPile[12].Id, V(12, 2));
    EXPECT_EQ(game.Center[1][1].Id, V(1));  // the pay-off Ace went onto the cleared pile
    EXPECT_TRUE(CentreInOrder());
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, APayOffKingStaysWhenNoPileMayTakeIt) {
    for (int level : {0, 1, 2}) {
        SetUp();
        PlayerSide({V(3), V(7)});
        OppSide({V(10), V(13)});
        OppHand({V(12, 2), V(8, 3), V(9, 3), V(6, 3), V(5, 4)});
        game.HandCount = 5;
        game.SkipCompDeal = 1;
        game.NoWildAce = true;
        game.CompLevel = static_cast<int16_t>(level);
        RestTo();
        RunComputer();
        EXPECT_EQ(game.OppSlots.Value(1), 13) << level;
        EXPECT_EQ(game.OppSideCount, 2) << level;
        EXPECT_TRUE(NoKingAsAce()) << level;
        EXPECT_EQ(game.Turn, TurnPlayer) << level;
    }
}

// The text would play the pay-off King onto the pile that the Ruthless plan just cleared.
TEST_F(TurnTest, NoPayOffKingGoesOntoAPileTheRuthlessPlanCleared) {
    PlayerSide({V(3), V(1)});  // the human needs an Ace: pile 1 is nearest to it
    OppSide({V(6), V(13)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1), V(9, 1), V(10, 1),
               V(11, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3), V(5, 3)});
    OppHand({V(12, 2), 0, 0, 0, 0});
    game.HandCount = 1;
    game.SkipCompDeal = 1;
    game.NoWildAce = true;
    game.CompLevel = LevelRuthless;
    RestTo();
    RunComputer();
    EXPECT_EQ(game.UsedCount, 12);  // the Queen completed pile 1
    EXPECT_TRUE(NoKingAsAce());
    EXPECT_TRUE(CentreInOrder());
    EXPECT_GE(OnCentre(V(13)), 2);
    EXPECT_EQ(CheckPartition(game), "");
}

// A discard choice from a turn before leaves a hand place in DropHandSlot; the Ruthless
// King placement plans before the pass sets it to a pile. The plan below empties HOLD pile
// 1 by substitution, which switches planning to that pile.
TEST_F(TurnTest, APayOffKingPlanNeverTakesAHandPlaceForAPile) {
    PlayerSide({V(3), V(5)});
    OppSide({V(7), V(13)});
    Centre(1, {V(1, 1)});
    Centre(2, {V(1, 2), V(2, 2), V(3, 2), V(4, 2), V(5, 2), V(6, 2)});
    Centre(3, {V(1, 3), V(2, 3), V(3, 3), V(4, 3), V(5, 3), V(6, 3), V(7, 3), V(8, 3)});
    OppHand({V(2, 4), V(3, 4), V(4, 4), V(9, 4), V(10, 4)});
    OppPile(1, {V(4, 5), V(3, 5), V(2, 5)}, 2);
    OppPile(2, {V(4, 6), V(4, 7)}, 0);
    game.HandCount = 5;
    game.SkipCompDeal = 1;
    game.CompLevel = LevelRuthless;
    RestTo();
    game.DropHandSlot = 5;
    RunComputer();
    EXPECT_TRUE(CentreInOrder());
    EXPECT_GE(OnCentre(V(13)), 1);  // the King was played
    EXPECT_TRUE(NoKingAsAce());
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(CheckPartition(game), "");
}

// --- plays, refills and stalemates inside the turn ------------------------------------------

// The computer's hand is a single Two that fits centre pile 1.
void OneCardHand(TurnTest& t) {
    t.PlayerSide({V(3), V(5)});
    t.OppSide({V(7), V(9)});
    t.Centre(1, {V(1, 1)});
    t.OppHand({V(2, 2), 0, 0, 0, 0});
    t.game.HandCount = 1;
    t.game.SkipCompDeal = 1;
}

TEST_F(TurnTest, EmptyingTheHandRefillsItInsideTheTurn) {
    OneCardHand(*this);
    RestTo();
    const int stock = game.StockTop;
    RunComputer();
    const int play = LogIndex("Walk Picture1(2)->Picture4(1)");
    const int refill = LogIndex("Walk Picture4(0)->Picture1(2)");
    ASSERT_GE(play, 0);
    ASSERT_GE(refill, 0);
    EXPECT_LT(play, refill);
    EXPECT_TRUE(Logged("Caption Label9(1)=I Picked Up"));
    EXPECT_LE(game.StockTop, stock - 5);
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, ARefusedStalemateInsideAPlayLeavesTurnZeroWithTheCardsInPlace) {
    OneCardHand(*this);
    RestToPlayerHold();
    ASSERT_EQ(game.StockTop, 0);
    ASSERT_EQ(game.UsedCount, 0);
    view.answers = {mb::IDNo};
    RunComputer();  // returns: the pass loop does not run on with Turn 0
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "Stalemate");
    EXPECT_EQ(game.TurnAbort, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_EQ(game.CenterCount[1], 2);  // the Two was played, nothing after it
    EXPECT_EQ(OppHandCards(), 0);
    EXPECT_EQ(HoldCards(), 0);         // no discard
    EXPECT_FALSE(Logged("Caption Label9(1)=I'll drop a card now...\r\n     My Turn is over."));
    EXPECT_TRUE(view.menus[Menu::Lang]);  // the stopped game opens what the turn closed
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, AnAcceptedStalemateInsideAPlayDealsAnewAndTheTurnGoesOn) {
    OneCardHand(*this);
    RestToPlayerHold();
    view.answers = {mb::IDYes};
    RunComputer();
    EXPECT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(game.TurnAbort, 0);
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(game.UsedCount, 0);
    EXPECT_EQ(CheckPartition(game), "");
    EXPECT_TRUE(CentreInOrder());
}

TEST_F(TurnTest, AStalemateAtTheTurnsRefill) {
    for (int answer : {mb::IDNo, mb::IDYes}) {
        SetUp();
        PlayerSide({V(3), V(5)});
        OppSide({V(7), V(9)});
        Centre(1, {V(1, 1)});
        OppHand({V(11, 2), 0, 0, 0, 0});
        game.HandCount = 1;
        RestToPlayerHold();
        view.answers = {answer};
        RunComputer();
        ASSERT_EQ(view.boxes.size(), 1u) << answer;
        EXPECT_EQ(CheckPartition(game), "") << answer;
        if (answer == mb::IDNo) {
            EXPECT_EQ(game.Turn, TurnNobody);
            EXPECT_EQ(game.TurnAbort, 1);
            EXPECT_EQ(game.CenterCount[1], 1);  // nothing played
            EXPECT_EQ(game.OppSlots.Id(2), V(11, 2));
            EXPECT_EQ(view.walks, 0);
        } else {
            EXPECT_EQ(game.TurnAbort, 0);
            EXPECT_EQ(game.Turn, TurnPlayer);  // the new hands were dealt and the turn went on
            EXPECT_EQ(game.SkipPlayerDeal, 0);
        }
    }
}

// A stalemate declined anywhere in the computer's turn stops the game where it stands: no
// impatience remark over the stalemate's text, no automatic save of the stopped table, the
// menus the turn closed open again and no turn arrow is left showing.
TEST_F(TurnTest, ADeclinedStalemateStopsTheGameWithTheMenusOpen) {
    enum Where { ComputersRefill, InsideAPlay, HumansRefill };
    struct Case {
        const char* why;
        Where where;
        bool noComments;
    } cases[] = {
        {"at the computer's refill", ComputersRefill, false},
        {"at a refill inside a play", InsideAPlay, false},
        {"at the human's refill in the hand-over", HumansRefill, false},
        {"at the human's refill, comments off", HumansRefill, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        TempDir folder;
        game.BaseDir = folder.path();
        PlayerSide({V(3), V(5)});
        OppSide({V(7), V(9)});
        Centre(1, {V(1, 1)});
        switch (c.where) {
            case ComputersRefill:
                OppHand({V(11, 2), 0, 0, 0, 0});
                game.HandCount = 1;
                break;
            case InsideAPlay:  // the Two goes on the Ace and the empty hand is refilled
                OppHand({V(2, 2), 0, 0, 0, 0});
                game.HandCount = 1;
                game.SkipCompDeal = 1;
                break;
            case HumansRefill:
                PlayerHand({V(7, 3), 0, 0, 0, 0});
                OppHand({V(11, 2), V(12, 2), 0, 0, 0});  // nothing to play: a discard
                game.SkipCompDeal = 1;
                break;
        }
        RestToPlayerHold();
        ASSERT_EQ(game.StockTop, 0);
        game.NoComments = c.noComments;
        game.AutoSave = true;
        game.AutoSaveTurn = 3;
        view.visible[{Ctl::ImgTurn1, 0}] = true;  // shown by the human's discard
        view.onDispatch = nullptr;                // the human does not act: impatience would speak
        view.answers = {mb::IDNo};
        RunComputer();
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].title, "Stalemate");
        EXPECT_EQ(game.Turn, TurnNobody);
        EXPECT_EQ(game.TurnAbort, 1);
        EXPECT_EQ(view.Caption(Ctl::Label9, 2),
                  "This game declared a Stalemate! Reshuffle cards in play to continue or start up a new game.");
        EXPECT_FALSE(game.AwaitingPlayer);
        EXPECT_EQ(game.AutoSaveTurn, 3);
        EXPECT_FALSE(std::filesystem::exists(folder / "games.sav"));
        EXPECT_EQ(view.menus[Menu::Lang], !c.noComments);
        EXPECT_TRUE(view.menus[Menu::OptionStuff]);
        EXPECT_TRUE(view.menus[Menu::mnuOpRules]);
        EXPECT_TRUE(view.menus[Menu::Restore]);
        EXPECT_FALSE(view.Visible(Ctl::ImgTurn1, 0));
        EXPECT_FALSE(view.Visible(Ctl::ImgTurn2, 0));
        EXPECT_EQ(CheckPartition(game), "");
    }
}

// The text refills the hand before clearing a complete pile: a refill that finds the stock
// empty would then declare a stalemate while twelve cards wait on the table.
TEST_F(TurnTest, ACompletePileGoesToTheUsedPileBeforeTheRefill) {
    PlayerSide({V(3), V(5)});
    OppSide({V(7), V(1)});
    Centre(1, {V(1, 1), V(2, 1), V(3, 1), V(4, 1), V(5, 1), V(6, 1), V(7, 1), V(8, 1), V(9, 1), V(10, 1),
               V(11, 1)});
    Centre(2, {V(1, 2)});
    Centre(3, {V(1, 3)});
    OppHand({V(12, 2), 0, 0, 0, 0});
    game.HandCount = 1;
    game.SkipCompDeal = 1;
    RestToPlayerHold();
    RunComputer();
    EXPECT_TRUE(view.boxes.empty());  // no stalemate
    EXPECT_TRUE(Logged("Caption Label9(0)=CLEARING"));
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(game.Center[1][1].Id, V(1));  // then the pay-off Ace started the pile again
    EXPECT_EQ(CheckPartition(game), "");
}

// --- the discard ------------------------------------------------------------------------------

TEST_F(TurnTest, AFullHoldPileSendsTheDiscardToTheNextWithTwentyEightAtMost) {
    PlayerSide({V(3), V(5)});
    OppSide({V(7), V(4)});
    Centre(1, {V(1, 1), V(2, 1)});
    Centre(2, {V(1, 2), V(2, 2)});
    Centre(3, {V(1, 3), V(2, 3)});
    OppHand({V(5, 1), V(6, 1), V(7, 1), V(8, 1), V(10, 1)});
    OppPile(3, {V(12, 2), V(11, 2)}, 2);
    OppPile(4, {V(10, 2)}, 0);
    std::vector<int> full = Spare(29, {3, 13}, {V(5, 2), V(9, 2)});
    full.push_back(V(5, 2));
    OppPile(1, full, 0);  // a Five on top of thirty cards: the Five of the hand goes there first
    std::vector<int> almost = Spare(28, {3, 13}, {V(9, 2)});
    almost.push_back(V(9, 2));
    OppPile(2, almost, 1);
    game.HandCount = 5;
    game.SkipCompDeal = 1;
    RestTo();
    RunComputer();
    EXPECT_EQ(game.OppHoldInfo[1][1], 30);
    EXPECT_EQ(game.OppHoldInfo[2][1], 29);
    EXPECT_EQ(game.OppHoldInfo[3][1], 3);
    EXPECT_EQ(game.OppSlots.Id(9), V(5, 1));
    EXPECT_EQ(game.OppHold.Id(3, 3), V(5, 1));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(TurnTest, TheShapeOfAPileFollowsItsLastMatchingRule) {
    // bottom, under, top -> shape; equal top and under over another bottom keep the old code
    struct Case {
        int b, u, t, before, after;
    } cases[] = {
        {9, 9, 9, 1, 0},   // top equals bottom
        {9, 8, 8, 1, 1},   // top equals under, not bottom: unchanged
        {9, 8, 8, 2, 2},
        {9, 8, 7, 0, 2},   // one below the card under it
        {9, 5, 7, 0, 1},
        {7, 8, 7, 1, 2},   // equals the bottom, then one below: the last rule wins
        {7, 5, 7, 2, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        OppHold(1, {V(c.b, 0), V(c.u, 1), V(c.t, 2)});
        game.OppHoldInfo[1][2] = static_cast<int16_t>(c.before);
        game.OppHoldShape(1);
        EXPECT_EQ(game.OppHoldInfo[1][2], c.after) << c.b << " " << c.u << " " << c.t;
    }
}

// --- the hand-over ----------------------------------------------------------------------------

TEST_F(TurnTest, TheEndOfTheTurnMovesTheDiscardAndHandsOver) {
    struct Case {
        int sound;
        bool turnOver;
    } cases[] = {{0, true}, {1, true}, {2, false}};
    for (const Case& c : cases) {
        SetUp();
        PlayerSide({V(3), V(5)});
        OppSide({V(7), V(9)});
        PlayerHand({V(7, 3), 0, 0, 0, 0});
        OppHand({V(2, 2), V(8, 2), 0, 0, 0});
        OppHold(2, {V(6, 2)});
        RestTo();
        game.SoundLevel = static_cast<int16_t>(c.sound);
        game.Turn = TurnOpponent;
        game.HandCount = 2;
        game.CurIndex = 3;
        game.DropPile = 2;
        const int stock = game.StockTop;
        game.Move_End_Turn();
        EXPECT_EQ(game.DropPile, 8);
        EXPECT_EQ(game.OppSlots.Id(8), V(8, 2));
        EXPECT_EQ(game.OppSlots.Value(3), 0);
        EXPECT_EQ(game.HandCount, 5);
        EXPECT_EQ(game.Turn, TurnPlayer);
        EXPECT_EQ(game.StockTop, stock - 4);  // the human's hand refilled
        EXPECT_TRUE(Logged("Caption Label9(1)=I'll drop a card now...\r\n     My Turn is over."));
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), "\r\n\r\n     It's your turn...");
        EXPECT_EQ(FilePlayed(2), c.turnOver);
        EXPECT_EQ(std::count(view.pauses.begin(), view.pauses.end(), 0.2) > 0, c.turnOver);
        EXPECT_TRUE(view.Visible(Ctl::ImgTurn2, 0));
        EXPECT_FALSE(view.Visible(Ctl::ImgTurn1, 0));
        EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
        EXPECT_TRUE(view.menus[Menu::OptionStuff]);
        EXPECT_TRUE(view.menus[Menu::Stats]);
    }
}

// The hand place the discard came from leaves the table, as the player's does; the HOLD
// pile shows the card.
TEST_F(TurnTest, TheDiscardsHandPlaceLeavesTheTable) {
    HandOverTable();
    game.HandCount = 2;
    game.CurIndex = 3;
    game.DropPile = 2;
    view.visible[{Ctl::Picture1, 3}] = true;
    game.Move_End_Turn();
    EXPECT_FALSE(view.Visible(Ctl::Picture1, 3));
    EXPECT_EQ(view.drawn[(RecordingView::Key{Ctl::Picture1, 3})], -1);
    EXPECT_TRUE(view.Visible(Ctl::Picture1, 8));
    EXPECT_EQ(view.drawn[(RecordingView::Key{Ctl::Picture1, 8})], V(8, 2));
}

TEST_F(TurnTest, TheFirstHandOverAfterADealSkipsTheHumansRefill) {
    HandOverTable();
    game.SkipPlayerDeal = 2;
    game.CurIndex = 2;
    game.DropPile = 1;
    const int stock = game.StockTop;
    game.Move_End_Turn();
    EXPECT_EQ(game.StockTop, stock);
    EXPECT_EQ(game.SkipPlayerDeal, 0);
    EXPECT_EQ(game.Turn, TurnPlayer);
}

// --- the turn's rhythm --------------------------------------------------------------------------

TEST_F(TurnTest, ImpatienceSpeaksAfterFortyFiveSecondsOfWaiting) {
    view.onDispatch = nullptr;
    game.AwaitingPlayer = true;
    game.ImPatient();
    EXPECT_FALSE(game.AwaitingPlayer);
    const std::string said = view.Caption(Ctl::Label9, 2);
    EXPECT_TRUE(said == game.Comments[28] || said == game.Comments[29] || said == game.Comments[30]) << said;
    double waited = 0;
    for (double p : view.pauses) waited += p;
    EXPECT_NEAR(waited, 45.0, 0.2);
}

TEST_F(TurnTest, ImpatienceFollowsTheClockWhenPausesTakeTime) {
    int pauses = 0;
    view.onDispatch = [&] {
        ++pauses;
        clock.now += 1.0;  // a slow machine: each short pause takes a second
    };
    game.AwaitingPlayer = true;
    game.ImPatient();
    EXPECT_EQ(pauses, 45);
    EXPECT_NE(view.Caption(Ctl::Label9, 2), "");
}

TEST_F(TurnTest, ImpatienceEndsSilentlyWhenTheHumanActsOrMidnightPassesOrOnTheNetwork) {
    enum How { Acts, Midnight, Network, NotAwaited };
    for (How how : {Acts, Midnight, Network, NotAwaited}) {
        SetUp();
        int pauses = 0;
        view.onDispatch = [&] {
            if (++pauses < 100) return;
            if (how == Acts) game.AwaitingPlayer = false;  // a press on a card, at ten seconds
            if (how == Midnight) clock.now = 3.0;
        };
        game.AwaitingPlayer = how != NotAwaited;
        game.NetActive = how == Network;
        game.ImPatient();
        EXPECT_EQ(game.AwaitingPlayer, how == Midnight) << how;
        EXPECT_EQ(view.Caption(Ctl::Label9, 2), "") << how;
        EXPECT_LE(pauses, 100) << how;
    }
}

TEST_F(TurnTest, DumbnessRemarksOnTheMovedCard) {
    struct Case {
        int value, sound;
        bool noComments;
        std::string text;
        bool resource;
    } cases[] = {
        {13, 0, false, "comment 31 comment 32", true},
        {6, 0, false, "comment 33", true},
        {6, 1, false, "comment 33", false},
        {13, 0, true, "", false},
    };
    for (const Case& c : cases) {
        SetUp();
        game.MovingCard = {static_cast<int16_t>(c.value), static_cast<int16_t>(c.value)};
        game.SoundLevel = static_cast<int16_t>(c.sound);
        game.NoComments = c.noComments;
        game.Game::Dumbness();
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), c.text);
        EXPECT_EQ(view.Played(SndWin), c.resource);
        EXPECT_EQ(view.pauses.size(), c.noComments ? 0u : 1u);
    }
}

TEST_F(TurnTest, EnablePicEnablesOnlyPlacesThatHoldACard) {
    PlayerSide({V(3), V(5)});
    PlayerHand({V(7, 3), 0, V(8, 3), 0, 0});
    game.EnablePic(Ctl::Picture7, true);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(view.Enabled(Ctl::Picture7, i), i == 1 || i == 2 || i == 4) << i;
    game.EnablePic(Ctl::Picture7, false);
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(view.Enabled(Ctl::Picture7, i)) << i;
}

TEST_F(TurnTest, TheTurnDisablesTheMenusAndEnablesThemAtItsEnd) {
    ThanksTable(*this);
    std::vector<bool> during;
    view.onDispatch = [&] {
        if (game.Turn == TurnOpponent) during.push_back(view.menus[Menu::Restore] || view.menus[Menu::mnuOpRules]);
        game.AwaitingPlayer = false;
    };
    RunComputer();
    ASSERT_FALSE(during.empty());
    for (bool on : during) EXPECT_FALSE(on);
    EXPECT_TRUE(view.menus[Menu::Lang]);
    EXPECT_TRUE(view.menus[Menu::Restore]);
    EXPECT_TRUE(view.menus[Menu::mnuOpRules]);
    EXPECT_FALSE(game.AwaitingPlayer);
}

TEST_F(TurnTest, NothingHappensInTheHumansTurn) {
    ThanksTable(*this);
    const TableState before = game;
    game.Turn = TurnPlayer;
    view.log.clear();
    game.Game::Computer();
    EXPECT_EQ(game.OppSlots.cells, before.OppSlots.cells);
    EXPECT_TRUE(view.log.empty());
}

}  // namespace
}  // namespace korbo::test
