// Building a centre pile and clearing it when it is complete.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"

namespace korbo::test {
namespace {

struct CentreTest : GameFixture {
    void Play(int pile, int id, int value) {
        game.CurIndex = pile;
        game.MovingCard = {static_cast<int16_t>(id), static_cast<int16_t>(value)};
        game.Add_Center();
    }
};

TEST_F(CentreTest, AKingShowsTheValueItStandsFor) {
    Play(2, 1, 1);
    Play(2, 2, 2);
    Play(2, 13, 13);
    EXPECT_EQ(game.CenterCount[2], 3);
    EXPECT_EQ(game.Center[2][3], (CardRec{13, 13}));
    EXPECT_EQ(view.Caption(Ctl::LblWild, 2), " 3 ");
    EXPECT_EQ((view.toolTips[{Ctl::Picture4, 2}]), " 3 ");
    EXPECT_TRUE(view.Visible(Ctl::LblWild, 2));
    Play(2, 4, 4);
    EXPECT_FALSE(view.Visible(Ctl::LblWild, 2));
    EXPECT_EQ((view.toolTips[{Ctl::Picture4, 2}]), "");
}

TEST_F(CentreTest, TheTwelfthCardClearsThePileInOrder) {
    for (int v = 1; v <= 12; ++v) Play(3, 20 + v, v);
    EXPECT_EQ(game.CenterCount[3], 12);
    game.UsedCount = 5;
    for (int i = 1; i <= 5; ++i) game.UsedPile[i] = {static_cast<int16_t>(90 + i), 1};
    game.Add_Used();
    EXPECT_EQ(game.CenterCount[3], 0);
    EXPECT_EQ(game.UsedCount, 17);
    EXPECT_EQ(game.UsedPile[6], (CardRec{21, 1}));   // the Ace first
    EXPECT_EQ(game.UsedPile[17], (CardRec{32, 12}));
    for (int p = 0; p <= 12; ++p) EXPECT_EQ(game.Center[3][p], CardRec{});
    bool clearing = false;
    for (auto& l : view.log) clearing |= l == "Caption Label9(0)=CLEARING";
    EXPECT_TRUE(clearing);
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), " ");
    EXPECT_TRUE(view.Played(SndKind1));
}

TEST_F(CentreTest, NoCardGoesPastAPilesEndOrOntoNoPile) {
    for (int v = 1; v <= 12; ++v) Play(1, v, v);
    Play(1, 50, 13);
    EXPECT_EQ(game.CenterCount[1], 12);
    Play(0, 51, 1);
    Play(4, 52, 1);
    EXPECT_EQ(game.CenterCount[0], 0);
}

}  // namespace
}  // namespace korbo::test
