// What the HOLD viewer shows for each pile a right press can ask about.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"
#include "game/hold_viewer.h"

namespace korbo::test {
namespace {

struct HoldViewerTest : GameFixture {
    // A pile of `hidden` covered cards with ids base+1 .. base+hidden, bottom first.
    void PlayerHold(int pile, int hidden, int base) {
        game.PlayerHoldCount[static_cast<size_t>(pile)] = static_cast<int16_t>(hidden);
        for (int p = 1; p <= hidden; ++p) game.PlayerHold.Set(pile, p, {static_cast<int16_t>(base + p), 1});
    }
    hold::ViewerFill Press(int slot, int side) {
        game.DragSlot = slot;
        game.HoldViewSide = static_cast<int16_t>(side);
        return hold::HoldInfo(game);
    }
};

TEST_F(HoldViewerTest, FourteenHiddenCardsShowTheTenNearestTheTop) {
    PlayerHold(3, 14, 20);
    const auto f = Press(9, 0);
    EXPECT_EQ(f.caption, "Hold Cards Hidden: 14");
    EXPECT_EQ(f.viewPile, 3);
    // Picture 1 holds position 14 (the card directly under the top), picture 10 position 5.
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(f.cards[static_cast<size_t>(i)], 20 + 15 - i) << i;
        EXPECT_EQ(game.HoldView[static_cast<size_t>(i)], 20 + 15 - i) << i;
    }
}

TEST_F(HoldViewerTest, CaptionsAndCountsOfEachPile) {
    PlayerHold(1, 0, 0);
    PlayerHold(2, 4, 40);
    game.OppHoldInfo[4][1] = 1;  // the opponent's count includes its top
    game.OppHoldInfo[2][1] = 3;
    for (int p = 1; p <= 3; ++p) game.OppHold.Set(2, p, {static_cast<int16_t>(60 + p), 1});
    game.PlayerSideCount = 20;
    for (int p = 1; p <= 20; ++p) game.PlayerSide.Set(p, {static_cast<int16_t>(p), 1});
    game.OppSideCount = 1;
    game.StockTop = 3;
    for (int p = 1; p <= 3; ++p) game.Deck[static_cast<size_t>(p)].Id = static_cast<int16_t>(90 + p);
    struct Case {
        int slot, side;
        const char* caption;
        std::vector<int> shown;
    } cases[] = {
        {7, 0, "Hold Cards Hidden: 0", {}},
        {8, 0, "Hold Cards Hidden: 4", {44, 43, 42, 41}},
        {10, 1, "Hold Cards Hidden: 0", {}},
        {8, 1, "Hold Cards Hidden: 2", {62, 61}},
        {1, 0, "Side Cards Hidden: 19", {19, 18, 17, 16, 15, 14, 13, 12, 11, 10}},
        {1, 1, "Side Cards Hidden: 0", {}},
        {0, 0, "Stock Cards Hidden: 3", {93, 92, 91}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        game.HoldView.fill(77);  // a previous filling is always wiped
        const auto f = Press(c.slot, c.side);
        EXPECT_TRUE(f.captionSet);
        EXPECT_EQ(f.caption, c.caption);
        for (int i = 1; i <= 10; ++i) {
            const int want = i <= static_cast<int>(c.shown.size()) ? c.shown[static_cast<size_t>(i - 1)] : 0;
            EXPECT_EQ(f.cards[static_cast<size_t>(i)], want) << i;
            EXPECT_EQ(game.HoldView[static_cast<size_t>(i)], want) << i;
        }
    }
}

TEST_F(HoldViewerTest, AHandPlaceShowsNothing) {
    PlayerHold(1, 5, 0);
    const auto f = Press(4, 0);
    EXPECT_FALSE(f.captionSet);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(f.cards[static_cast<size_t>(i)], 0);
}

TEST_F(HoldViewerTest, CountsOutsideTheirArraysAreHeldToThem) {
    // Counts as a damaged saved game could leave them.
    struct Case { int16_t count; int hidden; } cases[] = {{-5, 0}, {31, 30}, {200, 30}};
    for (auto c : cases) {
        SCOPED_TRACE(c.count);
        game.PlayerHoldCount[1] = c.count;
        game.OppHoldInfo[1][1] = c.count;
        game.PlayerSideCount = c.count;
        game.StockTop = c.count;
        EXPECT_EQ(hold::HiddenCount(game, 7, 0), c.hidden);
        EXPECT_EQ(hold::HiddenCount(game, 7, 1), std::clamp(c.count - 1, 0, 30));
        EXPECT_EQ(hold::HiddenCount(game, 1, 0), std::clamp(c.count - 1, 0, 26));
        EXPECT_EQ(hold::HiddenCount(game, 0, 0), std::clamp<int>(c.count, 0, 104));
        Press(7, 0);
        Press(1, 0);
        Press(0, 1);
    }
}

}  // namespace
}  // namespace korbo::test
