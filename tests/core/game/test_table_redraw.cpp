// The table brought in line with the state: the full redraw, the pay-off thickness
// shapes, the wild counters of the status bar and the peek at the opponent's hand.
#include <gtest/gtest.h>

#include "game/wild_show.h"
#include "table_fixture.h"

namespace korbo::test {
namespace {

struct RedrawTest : TableFixture {
    void SetUp() override {
        TableFixture::SetUp();
        game.TableDealt = true;
        PlayerSide({V(3), V(7)});
        OppSide({V(4), V(9)});
        PlayerHand({V(1), V(5), 0, V(12), V(13)});
        game.OppSlots.Set(2, C(Take(V(2, 1))));
        game.OppSlots.Set(3, C(Take(V(6, 1))));
        view.sounds.clear();
    }
};

TEST_F(RedrawTest, EveryPlaceShowsItsCardAndTheOpponentsHandStaysDown) {
    game.SoundLevel = 0;
    game.Redraw();
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 1), V(7));
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 2), V(1));
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 6), V(13));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 1), V(9));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), 0);  // face down
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), 0);
    EXPECT_TRUE(view.Visible(Ctl::Picture7, 5));  // drawn places are shown
    // Each face-down card sounds the kind-1 clip; nothing else does here.
    EXPECT_EQ(view.sounds, (std::vector<int>{SndKind1, SndKind1}));
}

// Whatever an earlier game left of its places, the cleared table shows every HOLD place
// of both sides as an empty pile, and no pay-off or hand card.
TEST_F(RedrawTest, TheClearedTableShowsEveryHoldPlaceEmpty) {
    for (Ctl pics : {Ctl::Picture7, Ctl::Picture1})
        for (int i = 1; i <= 10; ++i) view.visible[{pics, i}] = i != 8;
    game.ClearBoard();
    for (Ctl pics : {Ctl::Picture7, Ctl::Picture1}) {
        for (int i = 1; i <= 10; ++i) {
            SCOPED_TRACE(std::string(CtlName(pics)) + "(" + std::to_string(i) + ")");
            EXPECT_EQ(view.Visible(pics, i), i >= 7);
            if (i < 7) continue;
            EXPECT_EQ(view.backColor[(RecordingView::Key{pics, i})], kEmptyPlaceColor);
            EXPECT_EQ(view.drawn[(RecordingView::Key{pics, i})], -1);
        }
    }
}

TEST_F(RedrawTest, PeekingShowsTheHandFaceUpAndSilently) {
    game.SoundLevel = 0;
    game.PeekFlag = 1;
    game.Redraw();
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), V(2, 1));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), V(6, 1));
    EXPECT_TRUE(view.sounds.empty());
}

TEST_F(RedrawTest, NoSoundAtAllWithTheBossKey) {
    game.SoundLevel = 2;
    game.Center[1][1] = C(Take(V(1, 2)));
    game.CenterCount[1] = 1;
    game.Redraw();
    EXPECT_TRUE(view.sounds.empty());
    EXPECT_EQ(view.Drawn(Ctl::Picture4, 1), V(1, 2));
}

TEST_F(RedrawTest, AKingOnACentrePileShowsWhatItStandsFor) {
    // Six cards and a King on top: the King stands for a Seven.
    for (int k = 1; k <= 6; ++k) game.Center[2][k] = C(Take(V(k, 3)));
    game.Center[2][7] = C(Take(V(13, 3)));
    game.CenterCount[2] = 7;
    game.Center[3][1] = C(Take(V(1, 4)));
    game.CenterCount[3] = 1;
    view.visible[{Ctl::LblWild, 3}] = true;
    game.Redraw();
    EXPECT_TRUE(view.Visible(Ctl::LblWild, 2));
    EXPECT_EQ(view.Caption(Ctl::LblWild, 2), "7");
    EXPECT_EQ(view.toolTips[RecordingView::Key(Ctl::Picture4, 2)], " 7");
    EXPECT_FALSE(view.Visible(Ctl::LblWild, 3));
    EXPECT_EQ(view.toolTips[RecordingView::Key(Ctl::Picture4, 3)], "");
    EXPECT_EQ(view.Drawn(Ctl::Picture4, 2), V(13, 3));
}

TEST_F(RedrawTest, TheBackImageAndTheBordersFollowTheTable) {
    struct Case {
        const char* why;
        bool dealt;
        int sideCount;
        bool imgHoldShown;
    } cases[] = {{"a dealt game", true, 2, true},
                 {"one card left on the pay-off pile", true, 1, false},
                 {"nothing dealt yet", false, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        game.TableDealt = c.dealt;
        game.PlayerSideCount = static_cast<int16_t>(c.sideCount);
        view.visible[{Ctl::ImgHold, 0}] = true;
        game.Redraw();
        EXPECT_EQ(view.Visible(Ctl::ImgHold, 0), c.imgHoldShown);
        EXPECT_EQ(view.Drawn(Ctl::ImgHold, 0), 0);
        if (!c.dealt) {
            EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture7, 1)], 1);
            EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture1, 1)], 1);
        }
    }
}

TEST_F(RedrawTest, PictureCardsDropTheBordersOfTheHandPlaces) {
    game.CardStyle = 6;
    game.Redraw();
    EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture7, 2)], 0);
    EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture1, 2)], 0);
    EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture7, 7)], 0) << "only HOLD places holding a card get a border";
    game.CardStyle = 1;
    game.Redraw();
    EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture7, 2)], 1);
    EXPECT_EQ(view.border[RecordingView::Key(Ctl::Picture1, 1)], 1);
}

TEST_F(RedrawTest, TheThicknessShapesTakeTheDeckColour) {
    game.DeckColor = 0x123456;
    game.SideSize = 19;
    game.Redraw();
    EXPECT_EQ(view.backColor[RecordingView::Key(Ctl::Stack, 25)], 0x123456);
    EXPECT_EQ(view.backColor[RecordingView::Key(Ctl::Stack, 7)], 0x123456);
    EXPECT_EQ(view.backColor[RecordingView::Key(Ctl::Stack, 32)], 0x123456);
    EXPECT_EQ(view.backColor.count(RecordingView::Key(Ctl::Stack, 6)), 0u);
    EXPECT_EQ(view.backColor[RecordingView::Key(Ctl::Picture4, 0)], 0x123456);
}

TEST_F(RedrawTest, TheStockTakesThePlainPictureOnlyOnAScreenOfExactly12000Twips) {
    struct Case {
        const char* why;
        long screen;
        int deckChoice;
        long colour;
        int picture;
    } cases[] = {{"12000 twips, standard back and colour", 12000, 0, 0xC0E0FF, 2},
                 {"12000 twips, the other standard colour", 12000, 0, 0xC0FFFF, 2},
                 {"a wider screen", 15360, 0, 0xC0E0FF, 0},
                 {"a narrower screen", 9600, 0, 0xC0E0FF, 0},
                 {"a designer back", 12000, 3, 0xC0E0FF, 0},
                 {"a colour of the player's own", 12000, 0, 0x123456, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        game.ScreenWidth = c.screen;
        game.DeckChoice = static_cast<int16_t>(c.deckChoice);
        game.DeckColor = c.colour;
        view.filePicture.clear();
        game.Redraw();
        ASSERT_EQ(view.filePicture.count(RecordingView::Key(Ctl::Picture4, 0)), 1u);
        EXPECT_EQ(view.filePicture[RecordingView::Key(Ctl::Picture4, 0)], c.picture);
        EXPECT_EQ(view.backColor[RecordingView::Key(Ctl::Picture4, 0)], c.colour);
    }
}

TEST_F(RedrawTest, ADrawingThatFailsMakesNoSound) {
    game.SoundLevel = 0;
    view.drawingFails = true;
    for (int kind : {1, 2, 3, 5}) game.DrawPilePicture(Ctl::Picture7, 2, V(4), kind);
    EXPECT_TRUE(view.sounds.empty());
    view.drawingFails = false;
    game.DrawPilePicture(Ctl::Picture7, 2, V(4), 2);
    EXPECT_EQ(view.sounds, (std::vector<int>{SndKind2}));
}

TEST_F(RedrawTest, ThePlainMatStepPaintsTheMatColour) {
    game.BackPicCount = 3;
    game.BackIndex = 4;
    game.MatColor = 0x00AA00;
    game.Redraw();
    EXPECT_EQ(view.tableBackColor, 0x00AA00);
}

TEST_F(RedrawTest, StackCurrentShowsTheShapesThatStandForCards) {
    game.OppStackImage = 6;
    game.PlayerStackImage = 40;
    game.StackCurrent(true);
    for (int k = 1; k <= 50; ++k) {
        const bool want = (k >= 7 && k <= 25) || k >= 41;
        EXPECT_EQ(view.Visible(Ctl::Stack, k), want) << k;
    }
    game.StackCurrent(false);
    EXPECT_FALSE(view.Visible(Ctl::Stack, 25));
    EXPECT_FALSE(view.Visible(Ctl::Stack, 50));
}

TEST_F(RedrawTest, StackCurrentLeavesTheShapesAloneAtNinetyNine) {
    game.OppStackImage = 99;
    view.visible.clear();
    view.log.clear();
    game.StackCurrent();
    EXPECT_TRUE(view.visible.empty());
}

TEST_F(RedrawTest, ShapeIndicesFromAFileNeverReachBeyondTheShapes) {
    game.OppStackImage = -40;
    game.PlayerStackImage = -5;
    view.visible.clear();
    game.StackCurrent();
    for (auto& [key, on] : view.visible) {
        EXPECT_GE(key.second, 1);
        EXPECT_LE(key.second, 50);
    }
}

TEST_F(RedrawTest, TheWildCountersGoToPanelsFourAndEight) {
    game.PlayerWildFromPayOff = 1;
    game.PlayerWildPlayed = 3;
    game.OppWildPlayed = 2;
    game.ScreenWidth = 15360;
    game.WildUpdate();
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 4), "Wild:  1/ 3");
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 8), "Wild:  0/ 2");
    game.ScreenWidth = 9600;  // a narrow screen has no room for the prefix
    game.WildUpdate();
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 4), " 1/ 3");
}

TEST_F(RedrawTest, PeekTurnsTheHandUpAndDownAgain) {
    game.SoundLevel = 1;
    game.PeekFlag = 1;
    game.Peek();
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), V(2, 1));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), V(6, 1));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 4), -1) << "an empty hand place is left alone";
    EXPECT_TRUE(view.Played(SndKind1));
    game.PeekFlag = 0;
    game.Peek();
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), 0);
    view.sounds.clear();
    game.SoundLevel = 2;
    game.Peek();
    EXPECT_TRUE(view.sounds.empty());
}

}  // namespace
}  // namespace korbo::test

namespace korbo::test {
namespace {

struct WildShowTest : TableFixture {};

TEST_F(WildShowTest, AHandKingIsTurnedUpAnnouncedAndWalked) {
    struct Case {
        const char* why;
        int slot, level;
        bool faceUp, sound;
        double pause;
    } cases[] = {{"from the hand at full sound", 3, 0, true, true, 0},
                 {"from the hand with some sounds", 4, 1, true, false, 0.75},
                 {"from a HOLD pile with the boss key", 8, 2, false, false, 0.75}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        game.Sounds[1] = "/snd/wild.wav";
        game.SoundLevel = static_cast<int16_t>(c.level);
        game.MovingCard = {V(13, 2), 13};
        game.WildShown = 13;
        game.CurIndex = 2;
        ShowWildKing(game, c.slot);
        EXPECT_EQ(view.Drawn(Ctl::Picture1, c.slot) == V(13, 2), c.faceUp);
        EXPECT_EQ(!view.files.empty(), c.sound);
        EXPECT_EQ(view.pauses.empty() ? 0.0 : view.pauses.back(), c.pause);
        EXPECT_EQ(view.walks, 1);
        EXPECT_EQ(game.WildShown, 0);
    }
}

}  // namespace
}  // namespace korbo::test
