// The comparison of two copies' tables: a table and its mirror (the other copy's view of the
// same game) agree, and every kind of difference is found and named.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fakes/game_fixture.h"
#include "table_compare.h"

namespace korbo::netplay {
namespace {

class TableCompareTest : public test::GameFixture {
protected:
    void SetUp() override {
        game.BuildDeck();
        game.ShuffleDeck();
        game.DealCards();
        // A few cards in play beyond the deal: on a centre pile, on HOLD piles, on the used pile.
        game.Center[2][1] = {1, 1};
        game.CenterCount[2] = 1;
        game.PlayerHold.Set(3, 1, {40, 1});
        game.PlayerHoldCount[3] = 1;
        game.PlayerSlots.Set(9, {41, 2});
        game.OppHold.Set(2, 1, {42, 3});
        game.OppHold.Set(2, 2, {43, 4});
        game.OppHoldInfo[2][1] = 2;
        game.OppSlots.Set(8, {43, 4});
        game.UsedPile[1] = {50, 11};
        game.UsedCount = 1;
    }
};

TEST_F(TableCompareTest, ATableAndItsMirrorAgree) {
    const TableCards host = CardsOf(game);
    const TableCards remote = CardsOf(Mirrored(game));
    EXPECT_EQ(Disagreement(host, remote), "");
    EXPECT_EQ(host.player.hold, "||40.1,41.2|");
    EXPECT_EQ(remote.opponent.hold, host.player.hold);
    EXPECT_EQ(host.opponent.hold, "|42.3,43.4||");
    // Seen from the other side twice, the table is itself again.
    EXPECT_EQ(Encode(CardsOf(Mirrored(Mirrored(game)))), Encode(host));
    // A copy that does not exchange the sides is told at once.
    EXPECT_NE(Disagreement(host, host), "");
}

TEST_F(TableCompareTest, EveryDifferenceIsNamed) {
    struct Case {
        const char* name;
        std::function<void(TableState&)> change;
        const char* found;
    };
    const Case cases[] = {
        {"hand order", [](TableState& t) { std::swap(t.PlayerSlots.cells[4], t.PlayerSlots.cells[6]); },
         "remote's side hand"},
        {"pay-off top", [](TableState& t) { --t.OppSideCount; }, "host's side pay-off"},
        {"HOLD pile", [](TableState& t) { t.PlayerHoldCount[2] = 0; }, "remote's side HOLD"},
        {"opponent HOLD count", [](TableState& t) { t.OppHoldInfo[3][1] = 1; }, "host's side HOLD"},
        {"centre", [](TableState& t) { t.CenterCount[2] = 0; }, "centre"},
        {"stock", [](TableState& t) { t.Deck[1].Id = 99; }, "stock"},
        {"used", [](TableState& t) { t.UsedCount = 0; }, "used"},
    };
    for (const Case& c : cases) {
        TableState remote = Mirrored(game);
        c.change(remote);
        const std::string d = Disagreement(CardsOf(game), CardsOf(remote));
        EXPECT_EQ(d.rfind(c.found, 0), 0u) << c.name << ": " << d;
    }
}

TEST_F(TableCompareTest, ALineReadsBackAsTheCardsItWasWrittenFrom) {
    const TableCards c = CardsOf(game);
    TableCards back;
    ASSERT_TRUE(Decode(Encode(c), back));
    EXPECT_TRUE(back.player == c.player && back.opponent == c.opponent);
    EXPECT_EQ(Encode(back), Encode(c));
    for (const char* bad : {"", "1.1;2.2", "1.1;;;;;;;;;", "a;;;;;;;;", "1.1 ;;;;;;;;"})
        EXPECT_FALSE(Decode(bad, back)) << bad;
    EXPECT_TRUE(Decode(";;;;;;;;", back));
}

// A count out of range shows what there is, never reads past the arrays.
TEST_F(TableCompareTest, ABrokenCountIsReadWithinTheTable) {
    game.PlayerSideCount = 500;
    game.OppHoldInfo[1][1] = -3;
    game.CenterCount[1] = 40;
    game.StockTop = -1;
    const TableCards c = CardsOf(game);
    EXPECT_EQ(std::count(c.player.payOff.begin(), c.player.payOff.end(), ',') + 1, SidePile::Last);
    EXPECT_EQ(c.stock, "");
}

}  // namespace
}  // namespace korbo::netplay
