// The player's moves: press, drag and drop, the double-click, plays to the centre, the
// discard that ends the turn, and the information clicks.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/interpolate_point.h"
#include "fakes/scripted_transport.h"
#include "table_fixture.h"

namespace korbo::test {
namespace {

struct MovesTest : TableFixture {
    // Player: SIDE 7 under a 10; hand Ace, Two, Five, King, Nine; HOLD 1 a Four over a Four
    // over a Queen. Centre pile 1 holds Ace..Three, piles 2 and 3 are empty.
    void SetUp() override {
        TableFixture::SetUp();
        PlayerSide({V(7), V(10)});
        OppSide({V(8), V(11)});
        PlayerHand({V(1), V(2), V(5), V(13), V(9)});
        OppHand({V(3, 1), V(4, 1), V(6, 1), V(7, 1), V(8, 1)});
        Centre(1, {V(1, 1), V(2, 1), V(3, 2)});
        PlayerHold(1, {V(12, 1), V(4, 2)}, V(4, 3));
        RestTo();
        ASSERT_EQ(CheckPartition(game), "");
        PlayersTurn();
    }
    Rect At(int slot) const { return view.PictureRect(Ctl::Picture7, slot); }
};

// --- press and drag -----------------------------------------------------------------------

TEST_F(MovesTest, PressAndReleaseWithoutMovementDoesNothing) {
    const TableState before = game;
    game.Picture7_MouseDown(3, btn::Left, 0, 200, 300);
    EXPECT_EQ(game.Dragging, 1);
    game.Picture7_MouseUp(3, btn::Left, 0, 200, 300);
    EXPECT_EQ(game.Dragging, 0);
    EXPECT_EQ(CheckPartition(game), "");
    EXPECT_EQ(game.PlayerSlots.cells, before.PlayerSlots.cells);
    EXPECT_EQ(game.CenterCount, before.CenterCount);
    EXPECT_EQ(At(3), HandRect(3));
    EXPECT_EQ(view.frames, 0);
    EXPECT_EQ(view.walks, 0);
    EXPECT_FALSE(Logged("Caption Label9(1)= "));  // no rule was asked
}

TEST_F(MovesTest, DragMovesThePictureByThePointer) {
    game.Picture7_MouseDown(2, btn::Left, 0, 200.4, 300.6);
    EXPECT_EQ(game.GrabX, 200);
    EXPECT_EQ(game.GrabY, 301);
    game.Picture7_MouseMove(2, btn::Left, 0, 250, 280);
    EXPECT_EQ(At(2).Left, HandRect(2).Left + 50);
    EXPECT_EQ(At(2).Top, HandRect(2).Top - 21);
    game.Picture7_MouseMove(2, 0, 0, 200, 301);  // the button is not tested
    EXPECT_EQ(At(2).Left, HandRect(2).Left + 50);
    game.Picture7_MouseUp(2, btn::Left, 0, 0, 0);
    game.Picture7_MouseMove(2, btn::Left, 0, 900, 900);  // no drag any more
    EXPECT_EQ(At(2), HandRect(2));
}

TEST_F(MovesTest, ADropOnNoTargetSlidesHomeInStepsOfSixty) {
    const Rect home = HandRect(2);
    Drag(2, 9000, 1000);
    // The way back is 8000 units on the longer axis: steps at 0, 60, ... 7980, then home.
    std::vector<RecordingView::Move> slide;
    for (auto& m : view.moves)
        if (m.c == Ctl::Picture7 && m.index == 2) slide.push_back(m);
    ASSERT_GE(slide.size(), 3u);
    slide.erase(slide.begin());  // the drag itself
    ASSERT_EQ(slide.size(), 134u + 1u);
    EXPECT_EQ(view.frames, 134);
    EXPECT_EQ(slide.front().left, 9000);
    EXPECT_EQ(slide.front().top, 1000);
    for (size_t i = 1; i + 1 < slide.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(slide[i - 1].left - slide[i].left, 60);
        EXPECT_LE(std::abs(slide[i].top - slide[i - 1].top), 60);
    }
    EXPECT_EQ(slide.back().left, home.Left);
    EXPECT_EQ(slide.back().top, home.Top);
    EXPECT_EQ(game.PlayerSlots.Value(2), 1);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, APressDuringTheOpponentsTurnIsACheat) {
    game.Turn = TurnOpponent;
    game.Picture7_MouseDown(2, btn::Left, 0, 0, 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1),
              std::string(CRLF) + "     Don't try to Cheat!" + std::string(CRLF) + "     It's still my turn!");
    EXPECT_EQ(game.Dragging, 0);
    EXPECT_EQ(game.Turn, TurnOpponent);
    EXPECT_TRUE(view.Played(SndCheat));
}

TEST_F(MovesTest, APressEndsTheWaitAndTakesBackARefusal) {
    game.Turn = TurnRefused;
    game.AwaitingPlayer = true;
    game.Picture7_MouseDown(4, btn::Left, 0, 0, 0);
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_FALSE(game.AwaitingPlayer);
    EXPECT_TRUE(view.Visible(Ctl::ImgTurn2, 0));
    EXPECT_FALSE(view.Visible(Ctl::ImgTurn1, 0));
    EXPECT_EQ(game.PlaySlot, 4);
}

TEST_F(MovesTest, NoDragStartsWhenItMayNot) {
    struct Case {
        const char* why;
        std::function<void(RecordingGame&)> prepare;
        int slot;
    } cases[] = {
        {"an empty SIDE pile", [](RecordingGame& g) { g.OppSideCount = 0; }, 2},
        {"an empty HOLD pile past the first", [](RecordingGame&) {}, 8},
        {"a drag already running", [](RecordingGame& g) { g.Dragging = 1; g.DragStartLeft = -5; }, 3},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        c.prepare(game);
        const int before = game.Dragging;
        const int startLeft = game.DragStartLeft;
        game.Picture7_MouseDown(c.slot, btn::Left, 0, 0, 0);
        EXPECT_EQ(game.Dragging, before);
        EXPECT_EQ(game.DragStartLeft, startLeft);
    }
}

TEST_F(MovesTest, ARightPressOnAHandCardStartsADrag) {
    game.Picture7_MouseDown(2, btn::Right, 0, 10, 10);
    EXPECT_FALSE(game.RightDown);
    EXPECT_EQ(game.Dragging, 1);
    EXPECT_EQ(game.DragSlot, 2);
    EXPECT_TRUE(view.forms.empty());
    game.Picture7_MouseMove(2, btn::Right, 0, 10 + (CentreRect(2).Left - HandRect(2).Left),
                            10 + (kCentreTop - kHandTop));
    game.Picture7_MouseUp(2, btn::Right, 0, 0, 0);
    EXPECT_EQ(game.CenterCount[2], 1);
    EXPECT_EQ(game.Center[2][1].Id, V(1));
    EXPECT_EQ(view.walks, 0);  // dragged, not flown
}

TEST_F(MovesTest, RightPressesOnPilesShowWhatIsHidden) {
    struct Case {
        const char* why;
        int slot, shift;
        bool dev, busy;
        bool viewer;
        std::string caption;
    } cases[] = {
        {"a HOLD pile opens the viewer", 7, 0, false, false, true, ""},
        {"the SIDE pile tells its count", 1, 0, false, false, false, "Ann SIDE :  2"},
        {"Ctrl alone is no developer view", 1, keys::Ctrl, false, false, false, "Ann SIDE :  2"},
        {"Ctrl with the developer switch opens the viewer", 1, keys::Ctrl, true, false, true, ""},
        {"nothing while an animation runs", 7, 0, false, true, false, ""},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        game.DevFlag = c.dev;
        game.Busy = c.busy;
        game.HoldViewSide = 5;
        game.HoldView[3] = 77;
        game.Picture7_MouseDown(c.slot, btn::Right, c.shift, 0, 0);
        EXPECT_TRUE(game.RightDown);
        EXPECT_EQ(game.Dragging, 0);
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), c.caption);
        ASSERT_EQ(view.forms.size(), c.viewer ? 1u : 0u);
        if (c.viewer) {
            EXPECT_EQ(view.forms[0].first, Form::frmHold);
            EXPECT_FALSE(view.forms[0].second);
            EXPECT_EQ(game.HoldViewSide, 0);
            EXPECT_EQ(game.HoldView[3], 0);
            EXPECT_EQ(game.DragSlot, c.slot);
        }
    }
}

TEST_F(MovesTest, TheOpponentsAndTheStocksInformation) {
    game.StockTop = 12;
    game.UsedCount = 0;
    game.Picture1_MouseDown(1, btn::Right, 0, 0, 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "Korbo SIDE :  2");
    game.Picture4_DblClick(0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "STOCK:  12");
    game.Picture4_MouseDown(0, btn::Right, 0, 0, 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "USED:  0");
    EXPECT_TRUE(view.forms.empty());

    game.Picture1_MouseDown(9, btn::Right, 0, 0, 0);
    ASSERT_EQ(view.forms.size(), 1u);
    EXPECT_EQ(game.HoldViewSide, 1);
    EXPECT_EQ(game.DragSlot, 9);
    game.Picture1_MouseDown(9, btn::Left, 0, 0, 0);  // a left press shows nothing
    game.Busy = true;
    game.Picture1_MouseDown(9, btn::Right, 0, 0, 0);
    game.Busy = false;
    game.Picture1_MouseDown(11, btn::Right, 0, 0, 0);  // no such place
    EXPECT_EQ(view.forms.size(), 1u);

    game.DevFlag = true;
    game.Picture4_MouseDown(0, btn::Right, keys::Ctrl, 0, 0);
    EXPECT_EQ(view.forms.size(), 2u);
    EXPECT_EQ(game.DragSlot, 0);
    game.Picture1_MouseDown(1, btn::Right, keys::Ctrl, 0, 0);
    EXPECT_EQ(view.forms.size(), 3u);
}

// --- drops on the player's own places -------------------------------------------------------

TEST_F(MovesTest, ADropOnItsOwnHandPlaceSlidesBack) {
    // Shifted a gap past place 2, the card of place 3 lands on place 3 again.
    Drag(3, HandRect(2).Left + 500, kHandTop);
    EXPECT_FALSE(Logged("HandSort Picture7(3)->(3)"));
    EXPECT_EQ(game.PlayerSlots.Value(3), 2);
    EXPECT_EQ(At(3), HandRect(3));
    EXPECT_GT(view.frames, 0);
    for (int i : {2, 3, 4, 5, 6, 7}) EXPECT_TRUE(view.Enabled(Ctl::Picture7, i)) << i;
}

TEST_F(MovesTest, ADropOnAnotherHandPlaceRearrangesTheHand) {
    struct Case {
        int from, to;
        std::vector<int> values;  // places 2..6 afterwards
    } cases[] = {
        {2, 5, {2, 5, 13, 1, 9}},
        {6, 3, {1, 9, 2, 5, 13}},
        {4, 2, {5, 1, 2, 13, 9}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "->" + std::to_string(c.to));
        SetUp();
        Drag(c.from, HandRect(c.to).Left, kHandTop);
        EXPECT_TRUE(Logged("HandSort Picture7(" + std::to_string(c.from) + ")->(" + std::to_string(c.to) + ")"));
        for (int h = 2; h <= 6; ++h) EXPECT_EQ(game.PlayerSlots.Value(h), c.values[h - 2]) << h;
        EXPECT_EQ(At(c.from), HandRect(c.from));
        EXPECT_EQ(game.Turn, TurnPlayer);
        EXPECT_EQ(game.transmitCalls, 0);
        EXPECT_TRUE(view.Enabled(Ctl::Picture7, c.from));
        EXPECT_EQ(CheckPartition(game), "");
    }
}

TEST_F(MovesTest, ARearrangementIsSentToACurrentPeerOnly) {
    game.NetActive = true;
    Drag(2, HandRect(4).Left, kHandTop);
    ASSERT_EQ(game.transmittedTargets, std::vector<int>{14});
    EXPECT_EQ(game.MoveSource, 2);

    SetUp();
    game.NetActive = true;
    game.PeerCurrent = false;
    Drag(2, HandRect(4).Left, kHandTop);
    EXPECT_EQ(game.transmitCalls, 0);
    EXPECT_EQ(game.PlayerSlots.Value(2), 1);  // the old peer could not follow: nothing moves
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
    EXPECT_EQ(At(2), HandRect(2));
}

TEST_F(MovesTest, ADiscardOntoAHoldPilePushesTheOldTopUnderAndHandsOver) {
    struct Case {
        bool net;
        std::string remark;
    } cases[] = {{false, "OK, it's my turn."}, {true, "OK, it's Bob's turn."}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.net);
        SetUp();
        game.NetActive = c.net;
        game.OppName = "Bob";
        game.SkipPlayerDeal = 2;
        game.HandCount = 3;
        game.RunStats[1] = {0, 2, 0, 0, 2, 0};
        Drag(6, HoldRect(7).Left, kHoldTop);
        EXPECT_EQ(game.PlayerHoldCount[1], 3);
        EXPECT_EQ(game.PlayerHold.Id(1, 3), V(4, 3));
        EXPECT_EQ(game.PlayerSlots.Id(7), V(9));
        EXPECT_EQ(game.PlayerSlots.Value(6), 0);
        EXPECT_EQ(game.Turn, TurnOpponent);
        EXPECT_EQ(game.SkipPlayerDeal, 0);
        EXPECT_EQ(game.HandCount, 5);
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), std::string(CRLF) + c.remark);
        EXPECT_TRUE(view.Visible(Ctl::ImgTurn1, 0));
        EXPECT_FALSE(view.Visible(Ctl::ImgTurn2, 0));
        EXPECT_FALSE(view.Visible(Ctl::Picture7, 6));
        EXPECT_EQ(view.Drawn(Ctl::Picture7, 7), V(9));
        EXPECT_TRUE(view.Played(SndKind1));
        EXPECT_EQ(game.MoveSource, 6);
        EXPECT_EQ(game.MoveTarget, 7);
        // The run of the turn was closed before the turn passed.
        EXPECT_EQ(view.Caption(Ctl::StatusBar1, 2), " 0- 2- 0- [ 2 ]");
        EXPECT_EQ(game.computerCalls, c.net ? 0 : 1);
        EXPECT_EQ(game.opponentCalls, c.net ? 1 : 0);
        EXPECT_EQ(game.transmitDoneCalls, c.net ? 1 : 0);
        if (!c.net) EXPECT_EQ(game.turnAtComputer, TurnOpponent);
        EXPECT_EQ(CheckPartition(game), "");
    }
}

TEST_F(MovesTest, ADiscardOntoAnEmptyHoldPileStartsIt) {
    Drag(3, HoldRect(8).Left, kHoldTop);
    EXPECT_EQ(game.PlayerHoldCount[2], 0);
    EXPECT_EQ(game.PlayerSlots.Id(8), V(2));
    EXPECT_EQ(game.computerCalls, 1);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, ARefusedDiscardKeepsTheTurn) {
    game.PlayerHoldCount[2] = 30;  // a pile with no room left
    game.PlayerSlots.Set(8, C(V(6, 7)));
    Drag(3, HoldRect(8).Left, kHoldTop);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "That HOLD pile is too full. PICK ANOTHER PILE!");
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(game.computerCalls, 0);
    EXPECT_EQ(game.PlayerSlots.Value(3), 2);
    EXPECT_EQ(At(3), HandRect(3));
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 3));
}

// --- plays to the centre -----------------------------------------------------------------------

TEST_F(MovesTest, ARefusedCentreDropSlidesBack) {
    Drag(4, CentreRect(1).Left, kCentreTop);  // a Five on a Three
    EXPECT_EQ(game.Turn, TurnRefused);
    EXPECT_FALSE(game.DropTargetSet);
    EXPECT_EQ(game.CenterCount[1], 3);
    EXPECT_EQ(game.PlayerSlots.Value(4), 5);
    EXPECT_EQ(At(4), HandRect(4));
    EXPECT_GT(view.frames, 0);
    game.Picture7_MouseDown(4, btn::Left, 0, 0, 0);
    EXPECT_EQ(game.Turn, TurnPlayer);
}

// The slide home dispatches window events; what the player does meanwhile never takes the
// sliding card's place, and the other cards stay where they are.
TEST_F(MovesTest, APressWhileARefusedCardSlidesHomeIsDropped) {
    struct Case {
        const char* what;
        std::function<void(MovesTest&)> act;
    } cases[] = {
        {"a double-click on another hand card", [](MovesTest& t) { t.DoubleClick(2); }},
        {"a drag of another hand card", [](MovesTest& t) { t.Drag(2, t.CentreRect(2).Left, kCentreTop); }},
        {"a right press on a hand card", [](MovesTest& t) { t.Drag(3, t.CentreRect(2).Left, kCentreTop, btn::Right); }},
        {"a right press on a HOLD pile", [](MovesTest& t) { t.game.Picture7_MouseDown(7, btn::Right, 0, 10, 10); }},
        {"a press on the sliding card", [](MovesTest& t) { t.game.Picture7_MouseDown(4, btn::Left, 0, 10, 10); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const TableState before = game;
        int frame = 0;
        view.onDispatch = [&] {
            if (++frame == 3) c.act(*this);
        };
        Drag(4, CentreRect(2).Left, kCentreTop);  // a Five on an empty pile
        view.onDispatch = nullptr;
        ASSERT_GT(frame, 3);
        EXPECT_EQ(At(4), HandRect(4));
        for (int h = 2; h <= 7; ++h) EXPECT_EQ(At(h), h <= 6 ? HandRect(h) : HoldRect(h)) << h;
        EXPECT_EQ(game.PlayerSlots.cells, before.PlayerSlots.cells);
        EXPECT_EQ(game.CenterCount, before.CenterCount);
        EXPECT_EQ(view.walks, 0);
        EXPECT_TRUE(view.forms.empty());
        EXPECT_EQ(game.Dragging, 0);
        EXPECT_EQ(game.Turn, TurnRefused);
        EXPECT_EQ(CheckPartition(game), "");
        // Once the card is home, the next press acts.
        DoubleClick(2);
        EXPECT_EQ(game.CenterCount[2], 1);
        EXPECT_EQ(game.Center[2][1].Id, V(1));
    }
}

TEST_F(MovesTest, ACardMovedIntoAnEmptiedHandPlaceIsShown) {
    Drag(2, HandRect(4).Left, kHandTop);  // Two, Five, Ace, King, Nine
    DoubleClick(4);                       // the Ace goes to pile 2: place 4 is empty and hidden
    ASSERT_EQ(game.CenterCount[2], 1);
    ASSERT_FALSE(view.Visible(Ctl::Picture7, 4));
    Drag(2, HandRect(6).Left, kHandTop);  // the Two to place 6: the King moves into place 4
    const std::vector<int> values{5, 0, 13, 9, 2};
    for (int h = 2; h <= 6; ++h) {
        EXPECT_EQ(game.PlayerSlots.Value(h), values[h - 2]) << h;
        EXPECT_EQ(view.Visible(Ctl::Picture7, h), values[h - 2] != 0) << h;
    }
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 4), game.PlayerSlots.Id(4));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, ADoubleClickPlaysOntoTheFirstPileThatTakesTheCard) {
    DoubleClick(2);  // the Ace: pile 1 needs a Four, pile 2 is empty
    EXPECT_EQ(game.CenterCount[2], 1);
    EXPECT_EQ(game.Center[2][1].Id, V(1));
    EXPECT_EQ(view.walks, 1);
    EXPECT_TRUE(Logged("Walk Picture7(2)->Picture4(2)"));
    EXPECT_EQ(view.Drawn(Ctl::Picture4, 2), V(1));
    EXPECT_FALSE(view.Visible(Ctl::Picture7, 2));
    EXPECT_EQ(game.HandCount, 4);
    EXPECT_EQ(game.MoveSource, 2);
    EXPECT_EQ(game.MoveTarget, 2);
    EXPECT_EQ(game.RunStats[1][1], 1);
    EXPECT_EQ(game.RunStats[1][4], 1);
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 3));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, ADoubleClickOnAKingShowsTheRemarkAndPlaysNothing) {
    game.Comments[34] = "Kings are wild,";
    game.Comments[35] = "you choose.";
    const auto counts = game.CenterCount;
    DoubleClick(5);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "Kings are wild, you choose.");
    EXPECT_TRUE(view.Played(SndRefuse));
    EXPECT_EQ(game.CenterCount, counts);
    EXPECT_EQ(game.PlayerSlots.Value(5), 13);
    EXPECT_EQ(view.walks, 0);
}

TEST_F(MovesTest, ADoubleClickOnACardThatFitsNoPileIsACheat) {
    DoubleClick(6);  // a Nine: no pile needs one
    EXPECT_EQ(game.CurIndex, 3);
    EXPECT_EQ(game.Turn, TurnRefused);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), std::string(CRLF) + "     Don't try to Cheat!");
    EXPECT_TRUE(view.Played(SndCheat));
    EXPECT_EQ(game.PlayerSlots.Value(6), 9);
    EXPECT_EQ(view.walks, 0);
}

TEST_F(MovesTest, ADoubleClickOutsideThePlayersTurnDoesNothing) {
    for (int turn : {TurnNobody, TurnOpponent, TurnRefused}) {
        SetUp();
        game.Turn = static_cast<int16_t>(turn);
        game.Picture7_DblClick(2);
        EXPECT_EQ(game.CenterCount[2], 0) << turn;
    }
    SetUp();
    game.RightDown = true;
    game.Picture7_DblClick(2);
    EXPECT_EQ(game.CenterCount[2], 0);
}

TEST_F(MovesTest, TheTwelfthCardClearsThePile) {
    BuildUp(1, 4, 11, 4);
    ToStock(game.PlayerSlots.Get(4));
    game.PlayerSlots.Set(4, FromStock(V(12, 4)));  // a Queen in place of the Five
    ASSERT_EQ(CheckPartition(game), "");
    PlayersTurn();
    DoubleClick(4);
    EXPECT_TRUE(Logged("Caption Label9(0)=CLEARING"));
    EXPECT_EQ(game.CenterCount[1], 0);
    EXPECT_EQ(game.UsedCount, 12);
    EXPECT_EQ(game.UsedPile[1].Value, 1);
    EXPECT_EQ(game.UsedPile[12].Id, V(12, 4));
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, TheTwelfthCardsSoundsAndPausesComeInTheirOrder) {
    // The Queen the opponent needed completes pile 1: the complaint's half-second, then
    // the clearing with its own pauses.
    BuildUp(1, 4, 11, 4);
    ToStock(game.PlayerSlots.Get(4));
    game.PlayerSlots.Set(4, FromStock(V(12, 4)));
    ToStock(game.OppSide.Get(2));
    game.OppSide.Set(2, FromStock(V(12, 5)));  // the opponent's SIDE top is a Queen
    game.OppSlots.Set(1, game.OppSide.Get(2));
    ASSERT_EQ(CheckPartition(game), "");
    for (int i = 1; i <= 10; ++i) game.Comments[i] = "complaint";
    for (int i = 7; i <= 10; ++i) game.Sounds[i] = "/s/lose.wav";
    game.TempoDelay = 0.1;
    PlayersTurn();
    view.pauses.clear();
    view.sounds.clear();
    DoubleClick(4);
    EXPECT_EQ(game.CenterCount[1], 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "complaint");
    EXPECT_EQ(view.files, std::vector<std::string>{"/s/lose.wav"});
    EXPECT_EQ(view.sounds, (std::vector<int>{SndKind2, SndKind1}));  // the pile drawn, then cleared
    EXPECT_EQ(view.pauses, (std::vector<double>{0.5, 0.1, 0.2, 0.2}));
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), " ");
    EXPECT_FALSE(view.Visible(Ctl::LblWild, 1));
    EXPECT_EQ((view.backColor[{Ctl::Picture4, 1}]), 0x80C0FF);
    EXPECT_EQ(view.Drawn(Ctl::Picture4, 1), -1);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, EmptyingTheHandRefillsItInsideTheTurn) {
    for (int h : {3, 4, 5, 6}) {
        ToStock(game.PlayerSlots.Get(h));
        game.PlayerSlots.Clear(h);
    }
    game.HandCount = 1;
    ASSERT_EQ(CheckPartition(game), "");
    PlayersTurn();
    const int stock = game.StockTop;
    DoubleClick(2);
    EXPECT_EQ(game.CenterCount[2], 1);
    for (int h = 2; h <= 6; ++h) EXPECT_NE(game.PlayerSlots.Value(h), 0) << h;
    EXPECT_EQ(game.StockTop, stock - 5);
    EXPECT_EQ(game.HandCount, 5);
    EXPECT_EQ(game.Turn, TurnPlayer);
    EXPECT_EQ(game.computerCalls, 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), std::string(CRLF) + std::string(CRLF) + "YOU Picked Up");
    for (int h = 2; h <= 6; ++h) EXPECT_TRUE(view.Enabled(Ctl::Picture7, h)) << h;
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, TheLastSideCardEndsTheGameBeforeAnyRefillOrClearing) {
    // Only a Queen is left on the SIDE pile; pile 2 waits for it with Ace..Jack; the hand
    // is played out.
    ToStock(game.PlayerSide.Get(1));
    ToStock(game.PlayerSide.Get(2));
    game.PlayerSide.Set(1, FromStock(V(12, 6)));
    game.PlayerSideCount = 1;
    game.PlayerSlots.Set(1, game.PlayerSide.Get(1));
    BuildUp(2, 1, 11, 4);
    for (int h = 2; h <= 6; ++h) {
        ToStock(game.PlayerSlots.Get(h));
        game.PlayerSlots.Clear(h);
    }
    game.HandCount = 0;
    ASSERT_EQ(CheckPartition(game), "");
    PlayersTurn();
    const int stock = game.StockTop;
    Drag(1, CentreRect(2).Left, kCentreTop);
    EXPECT_EQ(game.gameEndCalls, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_EQ(game.PlayerSideCount, 0);
    EXPECT_EQ(game.CenterCount[2], 12);  // not cleared
    EXPECT_EQ(game.UsedCount, 0);
    EXPECT_EQ(game.StockTop, stock);     // nothing dealt
    for (int h = 2; h <= 6; ++h) EXPECT_EQ(game.PlayerSlots.Value(h), 0);
    EXPECT_FALSE(view.Visible(Ctl::Picture7, 1));
    EXPECT_EQ(At(1), SideRect());
    EXPECT_EQ(view.Drawn(Ctl::Picture4, 2), V(12, 6));
    EXPECT_FALSE(Logged("Caption Label9(0)=CLEARING"));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, TheLastSideCardOfANetworkGameIsConfirmedFirst) {
    ScriptedTransport net;
    game.SetTransport(&net);
    ToStock(game.PlayerSide.Get(1));
    game.PlayerSide.Set(1, game.PlayerSide.Get(2));
    game.PlayerSideCount = 1;
    BuildUp(2, 1, 9, 4);
    ASSERT_EQ(CheckPartition(game), "");
    PlayersTurn();
    game.NetActive = true;
    game.incoming = {{msg::PC, ""}, {msg::OK, ""}};
    DoubleClick(1);
    EXPECT_EQ(net.sent, (std::vector<std::string>{"PC  1# 2", "OK"}));
    EXPECT_EQ(game.gameEndCalls, 1);
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), "");
    EXPECT_TRUE(view.Enabled(Ctl::ChatSend, 0));

    // A peer that starts a new game instead abandons the move at once.
    SetUp();
    game.SetTransport(&net);
    net.sent.clear();
    ToStock(game.PlayerSide.Get(1));
    game.PlayerSide.Set(1, game.PlayerSide.Get(2));
    game.PlayerSideCount = 1;
    BuildUp(2, 1, 9, 4);
    PlayersTurn();
    game.NetActive = true;
    game.incoming = {{msg::GS, ""}};
    DoubleClick(1);
    EXPECT_EQ(net.sent, std::vector<std::string>{"PC  1# 2"});
    EXPECT_EQ(game.gameEndCalls, 0);
    EXPECT_EQ(game.Turn, TurnNobody);
}



TEST_F(MovesTest, ASideCardTurnsUpTheNextOne) {
    BuildUp(2, 1, 9, 4);  // pile 2 waits for the SIDE Ten
    game.PlayerStackImage = 48;
    game.Deck[V(7)].Seen = 0;
    PlayersTurn();
    DoubleClick(1);
    EXPECT_EQ(game.CenterCount[2], 10);
    EXPECT_EQ(game.PlayerSideCount, 1);
    EXPECT_EQ(game.PlayerSlots.Id(1), V(7));
    EXPECT_EQ(game.Deck[V(7)].Seen, 1);
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 1), V(7));
    EXPECT_EQ(game.PlayerStackImage, 49);
    EXPECT_FALSE(view.Visible(Ctl::Stack, 49));
    EXPECT_EQ(view.Drawn(Ctl::ImgHold, 0), -1);  // the last card is on top now
    EXPECT_EQ(game.RunStats[1][0], 1);
    EXPECT_EQ(game.RunStats[1][3], 1);
    EXPECT_EQ(game.gameEndCalls, 0);
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 1));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, AHoldTopPlayedUncoversTheNextCard) {
    BuildUp(2, 1, 3, 4);  // pile 2 also wants a Four
    PlayersTurn();
    DoubleClick(7);  // the top Four onto pile 1
    EXPECT_EQ(game.CenterCount[1], 4);
    EXPECT_EQ(game.PlayerSlots.Id(7), V(4, 2));
    EXPECT_EQ(game.PlayerHoldCount[1], 1);
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 7), V(4, 2));
    EXPECT_TRUE(view.Visible(Ctl::Picture7, 7));
    EXPECT_EQ(game.RunStats[1][2], 1);
    EXPECT_EQ(CheckPartition(game), "");
    DoubleClick(7);  // the next Four onto pile 2 uncovers the Queen
    EXPECT_EQ(game.CenterCount[2], 4);
    EXPECT_EQ(game.PlayerSlots.Id(7), V(12, 1));
    EXPECT_EQ(game.PlayerHoldCount[1], 0);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, TheLastHoldCardLeavesAnEmptyPlace) {
    game.PlayerSlots.Set(8, FromStock(V(1, 7)));
    PlayersTurn();
    Drag(8, CentreRect(3).Left, kCentreTop);
    EXPECT_EQ(game.CenterCount[3], 1);
    EXPECT_EQ(game.PlayerSlots.Value(8), 0);
    EXPECT_EQ((view.backColor[{Ctl::Picture7, 8}]), 0x80C0FF);
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 8), -1);
    EXPECT_EQ(At(8), HoldRect(8));
    EXPECT_FALSE(view.Enabled(Ctl::Picture7, 8));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, PressingAHoldTopShowsTheCardUnderIt) {
    game.Picture7_MouseDown(7, btn::Left, 0, 0, 0);
    EXPECT_EQ(game.OppSlots.Id(0), V(4, 2));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 0), V(4, 2));
    EXPECT_TRUE(view.Visible(Ctl::Picture1, 0));
    EXPECT_EQ(view.PictureRect(Ctl::Picture1, 0).Left, HoldRect(7).Left);
    game.Picture7_MouseUp(7, btn::Left, 0, 0, 0);
    EXPECT_FALSE(view.Visible(Ctl::Picture1, 0));
    EXPECT_EQ(game.OppSlots.Get(0), CardRec{});
}

TEST_F(MovesTest, KingsAreCountedAndRemarkedOn) {
    // The King from the hand onto pile 1 stands for a Four; the SIDE top is a Ten.
    game.Sounds[15] = "/s/wild.wav";
    Drag(5, CentreRect(1).Left, kCentreTop);
    EXPECT_EQ(game.PlayerWildPlayed, 1);
    EXPECT_EQ(game.PlayerWildFromPayOff, 0);
    EXPECT_EQ(view.Caption(Ctl::LblWild, 1), " 4 ");
    EXPECT_EQ((view.backColor[{Ctl::Picture4, 1}]), 0xFFFFFF);
    EXPECT_EQ(view.files, std::vector<std::string>{"/s/wild.wav"});
    EXPECT_EQ(game.dumbnessCalls, 0);

    // A King that takes the SIDE top's value is a wasted one.
    SetUp();
    BuildUp(1, 4, 9, 4);
    PlayersTurn();
    Drag(5, CentreRect(1).Left, kCentreTop);
    EXPECT_EQ(game.CenterCount[1], 10);
    EXPECT_EQ(game.dumbnessCalls, 1);

    // From the SIDE pile it is Murphy's Law: the King stands for a Seven, and the Seven
    // comes up next.
    SetUp();
    ToStock(game.PlayerSide.Get(2));
    game.PlayerSide.Set(2, FromStock(V(13, 5)));
    game.PlayerSlots.Set(1, game.PlayerSide.Get(2));
    BuildUp(1, 4, 6, 4);
    PlayersTurn();
    Drag(1, CentreRect(1).Left, kCentreTop);
    EXPECT_EQ(game.CenterCount[1], 7);
    EXPECT_EQ(game.PlayerWildFromPayOff, 1);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), std::string(CRLF) + "Murphy's Law strikes again!");
    EXPECT_EQ(game.dumbnessCalls, 0);
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(MovesTest, PlayingTheSideTopsValueFromTheHandIsRemarkedOn) {
    ToStock(game.PlayerSlots.Get(6));
    game.PlayerSlots.Set(6, FromStock(V(10, 4)));  // a Ten in hand, like the SIDE top
    BuildUp(1, 4, 9, 5);
    PlayersTurn();
    DoubleClick(6);
    EXPECT_EQ(game.CenterCount[1], 10);
    EXPECT_EQ(game.dumbnessCalls, 1);
    // The Nine before it was no such mistake.
    SetUp();
    BuildUp(1, 4, 8, 5);
    PlayersTurn();
    DoubleClick(6);
    EXPECT_EQ(game.CenterCount[1], 9);
    EXPECT_EQ(game.dumbnessCalls, 0);
}

TEST_F(MovesTest, TakingTheOpponentsValueDrawsAComplaint) {
    struct Case {
        const char* why;
        bool noComments, net;
        int oppTop;  // value of the opponent's SIDE top
        bool complaint;
    } cases[] = {
        {"the Four the opponent needed", false, false, 4, true},
        {"comments off", true, false, 4, false},
        {"a network game", false, true, 4, false},
        {"another value", false, false, 5, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        for (int i = 1; i <= 10; ++i) game.Comments[i] = "complaint " + std::to_string(i);
        game.Sounds[11] = "/s/whine.wav";
        for (int i = 7; i <= 10; ++i) game.Sounds[i] = "/s/lose" + std::to_string(i) + ".wav";
        game.NoComments = c.noComments;
        game.NetActive = c.net;
        game.OppSlots.Value(1) = static_cast<int16_t>(c.oppTop);
        view.captions[{Ctl::Label9, 2}] = "before";
        DoubleClick(7);
        EXPECT_EQ(game.CenterCount[1], 4);
        const std::string said = view.Caption(Ctl::Label9, 2);
        if (c.complaint) {
            EXPECT_EQ(said.rfind("complaint ", 0), 0u) << said;
            ASSERT_EQ(view.files.size(), 1u);
            EXPECT_EQ(view.files[0].rfind("/s/lose", 0), 0u);
        } else {
            EXPECT_EQ(said, c.net ? "before" : " ");
            EXPECT_TRUE(view.files.empty());
        }
    }
}

TEST_F(MovesTest, TakingTheOpponentsValueWithTheSideCardIsWhinedAbout) {
    game.Comments[1] = "one";
    for (int i = 2; i <= 10; ++i) game.Comments[i] = "other";
    game.Sounds[11] = "/s/whine.wav";
    BuildUp(2, 1, 9, 4);
    game.OppSlots.Value(1) = 10;
    PlayersTurn();
    DoubleClick(1);
    EXPECT_EQ(game.CenterCount[2], 10);
    EXPECT_NE(view.Caption(Ctl::Label9, 2), " ");
    EXPECT_EQ(view.files, std::vector<std::string>{"/s/whine.wav"});
    // Only with full sound.
    SetUp();
    game.Sounds[11] = "/s/whine.wav";
    game.SoundLevel = 1;
    BuildUp(2, 1, 9, 4);
    game.OppSlots.Value(1) = 10;
    PlayersTurn();
    DoubleClick(1);
    EXPECT_TRUE(view.files.empty());
}

TEST_F(MovesTest, ANetworkPlayIsSentAndANewGameStopsTheRest) {
    BuildUp(1, 4, 11, 4);
    ToStock(game.PlayerSlots.Get(4));
    game.PlayerSlots.Set(4, FromStock(V(12, 4)));
    PlayersTurn();
    game.NetActive = true;
    game.onTransmit = [&] { game.NetMsgType = msg::GS; };
    DoubleClick(4);
    EXPECT_EQ(game.transmittedTargets, std::vector<int>{1});
    EXPECT_EQ(game.MoveSource, 4);
    EXPECT_EQ(game.CenterCount[1], 12);  // the new game takes over: no clearing, no refill
    EXPECT_FALSE(Logged("Caption Label9(0)=CLEARING"));
    EXPECT_FALSE(view.Enabled(Ctl::Picture7, 2));

    SetUp();
    BuildUp(1, 4, 11, 4);
    ToStock(game.PlayerSlots.Get(4));
    game.PlayerSlots.Set(4, FromStock(V(12, 4)));
    PlayersTurn();
    game.NetActive = true;
    game.onTransmit = [&] { game.NetMsgType = msg::WT; };
    DoubleClick(4);
    EXPECT_EQ(game.CenterCount[1], 0);
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
}

TEST_F(MovesTest, AnAceOnAnEmptyPileIsNoComplaintWhileAnotherPileIsEmpty) {
    game.Comments[1] = game.Comments[2] = "complaint";
    for (int i = 3; i <= 10; ++i) game.Comments[i] = "complaint";
    game.OppSlots.Value(1) = 1;
    view.captions[{Ctl::Label9, 2}] = "x";
    DoubleClick(2);  // the Ace onto pile 2; pile 3 is still empty
    EXPECT_EQ(game.CenterCount[2], 1);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), " ");
}

TEST_F(MovesTest, MovePlayerRefusesWhatCannotBePlayed) {
    struct Case {
        const char* why;
        int turn, slot, pile;
    } cases[] = {
        {"not the player's turn", TurnOpponent, 2, 2},
        {"no such pile", TurnPlayer, 2, 4},
        {"no such place", TurnPlayer, 11, 2},
        {"an empty place", TurnPlayer, 9, 2},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        game.Turn = static_cast<int16_t>(c.turn);
        game.PlaySlot = c.slot;
        game.CurIndex = c.pile;
        game.Move_Player();
        EXPECT_EQ(CheckPartition(game), "");
        EXPECT_EQ(game.CenterCount[2], 0);
        EXPECT_EQ(view.walks, 0);
    }
}

TEST_F(MovesTest, DeveloperKeys) {
    game.PlayerSide.Set(3, C(V(6, 7)));
    game.PlayerSideCount = 3;
    game.PlayerSlots.Set(1, C(V(6, 7)));
    game.Picture7_KeyDown(2, keys::P, keys::Ctrl | keys::Shift);
    EXPECT_EQ(game.PlayerSideCount, 2);
    EXPECT_EQ(game.PlayerSide.Get(2), game.PlayerSlots.Get(1));  // the top stays on top
    EXPECT_TRUE(Logged("Beep"));

    game.OppSideCount = 1;
    game.Picture7_KeyDown(2, keys::S, keys::Ctrl | keys::Shift);
    EXPECT_EQ(game.OppSideCount, 1);  // never raised: no card comes back from elsewhere

    game.HostAddress = "10.0.0.7";
    game.Picture7_KeyDown(2, keys::H, keys::Ctrl | keys::Shift | keys::Alt);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "10.0.0.7");
    game.Picture7_KeyDown(2, keys::P, keys::Ctrl);  // Ctrl alone is no developer key
    EXPECT_EQ(game.PlayerSideCount, 2);
}

// --- the slide's arithmetic -----------------------------------------------------------------

TEST(InterpolatePointTest, Fractions) {
    struct Case {
        int x1, y1, x2, y2;
        float t;
        int x, y;
    } cases[] = {
        {100, 200, 700, -400, 0.0f, 100, 200},
        {100, 200, 700, -400, 1.0f, 700, -400},
        {0, 0, 5, -5, 0.5f, 3, -2},      // halves go up: 2.5 -> 3, -2.5 -> -2
        {10, 10, 10, 10, 0.7f, 10, 10},
        {0, 0, 1000, 3, 0.25f, 250, 1},  // 0.75 -> 1
        {-32768, 32767, 32767, -32768, 1.0f, 32767, -32768},  // a 17-bit difference, kept whole
        {0, 0, 30000, -30000, 2.0f, 32767, -32768},           // beyond the range: clamped
    };
    for (auto& c : cases) {
        int16_t x = 0, y = 0;
        InterpolatePoint(static_cast<int16_t>(c.x1), static_cast<int16_t>(c.y1), static_cast<int16_t>(c.x2),
                         static_cast<int16_t>(c.y2), c.t, x, y);
        EXPECT_EQ(x, c.x) << c.x1 << "->" << c.x2 << " at " << c.t;
        EXPECT_EQ(y, c.y) << c.y1 << "->" << c.y2 << " at " << c.t;
    }
}

}  // namespace
}  // namespace korbo::test
