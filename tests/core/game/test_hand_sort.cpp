// Rearranging a hand: the moved card and the places that shift.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace korbo::test {
namespace {

struct HandSortTest : TableFixture {
    void SetUp() override {
        TableFixture::SetUp();
        PlayerHand({V(1), V(2), V(3), V(4), V(5)});
        OppHand({V(6), V(7), 0, V(9), V(10)});
        view.log.clear();
    }
    std::vector<int> Values(const SideSlots& s) {
        std::vector<int> v;
        for (int h = 2; h <= 6; ++h) v.push_back(s.Value(h));
        return v;
    }
};

TEST_F(HandSortTest, TheCardMovesAndThePlacesBetweenShift) {
    struct Case {
        int from, to;
        std::vector<int> values;
        int steps;
    } cases[] = {
        {2, 6, {2, 3, 4, 5, 1}, 4},
        {6, 2, {5, 1, 2, 3, 4}, 4},
        {3, 4, {1, 3, 2, 4, 5}, 1},
        {5, 3, {1, 4, 2, 3, 5}, 2},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "->" + std::to_string(c.to));
        SetUp();
        game.Hand_Sort(game.PlayerSlots, Ctl::Picture7, c.from, c.to);
        EXPECT_EQ(Values(game.PlayerSlots), c.values);
        EXPECT_EQ(view.pauses, std::vector<double>(c.steps, 0.02));
        EXPECT_TRUE(view.Played(SndKind1));
        EXPECT_EQ(view.Drawn(Ctl::Picture7, c.to), game.PlayerSlots.Id(c.to));
        EXPECT_EQ(view.Drawn(Ctl::ImgHold, 0), 0);  // the floating picture is a back again
        EXPECT_EQ(view.log.front(), "HandSort Picture7(" + std::to_string(c.from) + ")->(" + std::to_string(c.to) + ")");
    }
}

TEST_F(HandSortTest, TheOpponentsHandStaysFaceDownUnlessPeeking) {
    game.Hand_Sort(game.OppSlots, Ctl::Picture1, 2, 5);
    EXPECT_EQ(Values(game.OppSlots), (std::vector<int>{7, 0, 9, 6, 10}));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), 0);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 5), 0);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), -1);  // the empty place moved along: emptied
    EXPECT_FALSE(view.Visible(Ctl::Picture1, 3));
    EXPECT_EQ((view.backColor[{Ctl::Picture1, 4}]), game.DeckColor);

    SetUp();
    game.PeekFlag = 1;
    game.Hand_Sort(game.OppSlots, Ctl::Picture1, 2, 5);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 5), V(6));
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), V(7));
}

TEST_F(HandSortTest, PlacesOutsideTheHandAreRefused) {
    const auto before = game.PlayerSlots.cells;
    for (auto [from, to] : {std::pair{1, 4}, {2, 7}, {0, 3}, {4, 4}, {-3, 2}, {6, 16}}) {
        game.Hand_Sort(game.PlayerSlots, Ctl::Picture7, from, to);
        EXPECT_EQ(game.PlayerSlots.cells, before) << from << "->" << to;
    }
    EXPECT_TRUE(view.log.empty());
}

}  // namespace
}  // namespace korbo::test
