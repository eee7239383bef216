// The card partition check that the other tests lean on.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"

namespace korbo::test {
namespace {

struct PartitionTest : GameFixture {
    void SetUp() override {
        game.ClearBoard();
        game.SetUp();
        ASSERT_EQ(CheckPartition(game), "");
    }
};

TEST_F(PartitionTest, FindsADuplicateAMissingCardAndAStaleSlot) {
    TableState copy = game;
    copy.PlayerSlots.Set(3, copy.PlayerSlots.Get(2));
    EXPECT_NE(CheckPartition(copy), "");

    copy = static_cast<const TableState&>(game);
    copy.PlayerSlots.Clear(3);
    EXPECT_NE(CheckPartition(copy).find("missing"), std::string::npos);

    copy = static_cast<const TableState&>(game);
    copy.PlayerSlots.Set(1, copy.PlayerSlots.Get(4));
    copy.PlayerSlots.Clear(4);
    EXPECT_NE(CheckPartition(copy), "");

    copy = static_cast<const TableState&>(game);
    copy.OppHoldInfo[1][1] = 1;  // a count with no card under it
    EXPECT_NE(CheckPartition(copy), "");
}

TEST_F(PartitionTest, HoldPilesAndCentrePilesCount) {
    // The player's pile keeps its top in the slot; the opponent's keeps it in the pile too.
    game.PlayerSlots.Set(7, game.PlayerSlots.Get(2));
    game.PlayerSlots.Clear(2);
    CardRec c = game.OppSlots.Get(3);
    game.OppSlots.Clear(3);
    game.OppHold.Set(2, 1, c);
    game.OppHoldInfo[2][1] = 1;
    game.OppSlots.Set(8, c);
    EXPECT_EQ(CheckPartition(game), "");
    EXPECT_EQ(CountCardsInPlay(game), 104);
    game.OppSlots.Clear(8);
    EXPECT_NE(CheckPartition(game), "");
}

TEST_F(PartitionTest, TheCardArraysAreFieldFastest) {
    game.PlayerSlots.Set(3, {77, 12});
    EXPECT_EQ(game.PlayerSlots.cells[6], 77);
    EXPECT_EQ(game.PlayerSlots.cells[7], 12);
    game.PlayerHold.Set(2, 5, {40, 1});
    EXPECT_EQ(game.PlayerHold.cells[0 + 2 * (2 + 5 * 5)], 40);
    EXPECT_EQ(game.PlayerHold.cells[1 + 2 * (2 + 5 * 5)], 1);
}

TEST_F(PartitionTest, AnOutOfRangeIndexThrowsInsteadOfCorrupting) {
    EXPECT_THROW(game.PlayerSlots.Value(11), std::out_of_range);
    EXPECT_THROW(game.PlayerHold.Value(5, 0), std::out_of_range);
}

}  // namespace
}  // namespace korbo::test
