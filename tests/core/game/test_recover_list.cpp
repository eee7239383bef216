// The "RC" list of a game sent from the host to the remote: written field by field, read
// back with the sides exchanged for peers of every version, and hostile lists refused whole
// with the table left as it was.
#include <gtest/gtest.h>

#include <functional>

#include "fakes/game_fixture.h"
#include "fakes/placed_cards.h"
#include "game/number_list.h"
#include "game/recover_list.h"

namespace korbo::test {
namespace {

struct RecoverListTest : GameFixture {
    // A game under way on the host: cards on a centre pile and the used pile, HOLD piles
    // on both sides (one of the player's a top alone), the King counters and stack images.
    Game& Host() {
        game.SideSize = 19;
        game.ClearBoard();
        game.BuildDeck();
        game.ShuffleDeck();
        game.DealCards();
        auto take = [this] {
            const DeckRec d = game.Deck[game.StockTop];
            game.Deck[game.StockTop] = DeckRec{0, 0, d.Seen};
            --game.StockTop;
            return CardRec{d.Id, d.Value};
        };
        for (int p = 1; p <= 3; ++p) game.Center[1][p] = take();
        game.CenterCount[1] = 3;
        for (int j = 1; j <= 2; ++j) game.UsedPile[j] = take();
        game.UsedCount = 2;
        for (int c = 1; c <= 3; ++c) game.OppHold.Set(1, c, take());
        game.OppHoldInfo[1][1] = 3;
        game.OppSlots.Set(7, game.OppHold.Get(1, 3));
        game.OppHold.Set(4, 1, take());
        game.OppHoldInfo[4][1] = 1;
        game.OppSlots.Set(10, game.OppHold.Get(4, 1));
        for (int c = 1; c <= 2; ++c) game.PlayerHold.Set(2, c, take());
        game.PlayerHoldCount[2] = 2;
        game.PlayerSlots.Set(8, take());
        game.PlayerSlots.Set(9, take());
        game.OppStackImage = 7;
        game.PlayerStackImage = 40;
        game.Turn = TurnPlayer;
        game.OppWildFromPayOff = 1;
        game.OppWildPlayed = 2;
        game.PlayerWildFromPayOff = 3;
        game.PlayerWildPlayed = 4;
        game.ForcedRule = 3;
        game.NoWildAce = true;
        EXPECT_EQ(CheckPartition(game), "");
        return game;
    }
};

TEST_F(RecoverListTest, TheListIsWrittenFieldByField) {
    Game& host = Host();
    const std::string list = EncodeRecoverList(host, "60");
    std::vector<long> items;
    std::string error;
    ASSERT_TRUE(ReadNumberList(list, 2000, items, error)) << error;
    // The counters, the two passes of block A, the rules, then blocks B to E.
    EXPECT_EQ(items.size(), 12u + 416 + 3 + 2 * 40 + 40 + 75 + 488);
    EXPECT_EQ(std::vector<long>(items.begin(), items.begin() + 12),
              (std::vector<long>{2, host.OppSideCount, host.PlayerSideCount, 7, 40, host.StockTop, 2, 5, 1, 2, 3, 4}));
    EXPECT_EQ(items[12], host.Deck[1].Value);
    EXPECT_EQ(items[13], host.UsedPile[1].Value);
    EXPECT_EQ(items[12 + 208], host.Deck[1].Id);
    EXPECT_EQ(std::vector<long>(items.begin() + 428, items.begin() + 431), (std::vector<long>{19, 3, -1}));
    EXPECT_EQ(list.substr(0, 4), " 2# ");
    // An old peer gets no rules, the old stack images, and without a version no ids either.
    ASSERT_TRUE(ReadNumberList(EncodeRecoverList(host, "51"), 2000, items, error));
    EXPECT_EQ(items.size(), 12u + 416 + 2 * 40 + 40 + 75 + 488);
    EXPECT_EQ(items[3], 1);
    EXPECT_EQ(items[4], 49);
    ASSERT_TRUE(ReadNumberList(EncodeRecoverList(host, "NG"), 2000, items, error));
    EXPECT_EQ(items.size(), 8u + 208 + 40 + 20 + 39 + 248);
}

// Visible cards alone force nothing: a sent mask of 4 is no forced card on the remote.
TEST_F(RecoverListTest, ASentMaskOfVisibleCardsAloneIsNoForcedCard) {
    struct Case {
        int16_t sent, read;
    } cases[] = {{4, 0}, {6, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        Game& host = Host();
        host.ForcedRule = c.sent;
        TableState remote;
        remote.ForcedRule = 3;
        const RecoverListResult r = DecodeRecoverList(EncodeRecoverList(host, "60"), "60", remote);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(remote.ForcedRule, c.read);
    }
}

// The remote's table is the host's seen from the other chair; sent back again it is the
// host's own.
TEST_F(RecoverListTest, TheRemoteGetsTheTableWithTheSidesExchanged) {
    for (const char* version : {"60", "51", "NG"}) {
        SCOPED_TRACE(version);
        Game& host = Host();
        const bool ids = std::string(version) != "NG";
        TableState remote;
        const RecoverListResult r = DecodeRecoverList(EncodeRecoverList(host, version), version, remote);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(remote.Turn, TurnOpponent);
        EXPECT_EQ(remote.PlayerSideCount, host.OppSideCount);
        EXPECT_EQ(remote.OppSideCount, host.PlayerSideCount);
        EXPECT_EQ(remote.PlayerStackImage, 32);
        EXPECT_EQ(remote.OppStackImage, 15);
        EXPECT_EQ(remote.PlayerSide.Value(3), host.OppSide.Value(3));
        EXPECT_EQ(remote.OppSlots.Value(2), host.PlayerSlots.Value(2));
        // The host's opponent HOLD pile of three: two covered cards and the top in its slot.
        EXPECT_EQ(remote.PlayerHoldCount[1], 2);
        EXPECT_EQ(remote.PlayerSlots.Value(7), host.OppHold.Value(1, 3));
        // The host's player pile of two covered cards and a top: three cards, the top too.
        EXPECT_EQ(remote.OppHoldInfo[2][1], 3);
        EXPECT_EQ(remote.OppHold.Value(2, 3), host.PlayerSlots.Value(8));
        EXPECT_EQ(remote.OppHoldInfo[3][1], 1);
        EXPECT_EQ(remote.PlayerHoldCount[4], 0);
        EXPECT_EQ(remote.PlayerWildFromPayOff, ids ? 1 : 0);
        EXPECT_EQ(remote.OppWildPlayed, ids ? 4 : 0);
        EXPECT_EQ(remote.SideSize, 19);
        EXPECT_EQ(remote.NoWildAce, std::string(version) == "60");
        EXPECT_EQ(ids ? CheckPartition(remote) : CheckValueCounts(remote), "");
        if (!ids) {
            EXPECT_EQ(remote.PlayerSlots.Id(7), remote.PlayerSlots.Value(7));
        }

        TableState back;
        ASSERT_TRUE(DecodeRecoverList(EncodeRecoverList(remote, version), version, back).ok);
        EXPECT_EQ(Placed(back, ids), Placed(host, ids));
        EXPECT_EQ(back.Turn, host.Turn);
        EXPECT_EQ(back.PlayerStackImage, 40);
        EXPECT_EQ(back.OppStackImage, 7);
    }
}

// A list that is short, long, malformed, or holds a count, a value or an id out of range, a
// card twice or a HOLD pile past its capacity is refused and the table stays as it was.
TEST_F(RecoverListTest, AHostileListLeavesTheTableAsItWas) {
    const struct {
        const char* what;
        const char* version;
        std::function<void(Game&)> spoil;      // on the host's table before it is written
        std::function<void(std::string&)> cut;  // on the list itself
        const char* told;
    } cases[] = {
        {"short", "60", nullptr, [](std::string& l) { l.erase(l.rfind('#', l.size() - 2) + 1); }, "too short"},
        {"long", "60", nullptr, [](std::string& l) { l += " 0#"; }, "too long"},
        {"not a number", "60", nullptr, [](std::string& l) { l.replace(0, 2, "x"); }, "not a number"},
        {"no closing #", "60", nullptr, [](std::string& l) { l += " 7"; }, "#"},
        {"turn code", "60", [](Game& h) { h.Turn = 5; }, nullptr, "turn code"},
        {"stock count", "60", [](Game& h) { h.StockTop = 105; }, nullptr, "stock count"},
        {"centre count", "60", [](Game& h) { h.CenterCount[2] = 13; }, nullptr, "centre pile count"},
        {"pay-off count", "60", [](Game& h) { h.PlayerSideCount = 21; }, nullptr, "larger than its pile"},
        {"pile size", "60", [](Game& h) { h.SideSize = 26; }, nullptr, "pay-off pile size"},
        {"card value", "60", [](Game& h) { h.Deck[1].Value = 14; }, nullptr, "card value"},
        {"card id", "60", [](Game& h) { h.Deck[1].Id = 105; }, nullptr, "card id"},
        {"a card twice", "60", [](Game& h) { h.Deck[1].Id = h.Deck[2].Id; }, nullptr, "twice"},
        {"a card lost", "60", [](Game& h) { h.UsedPile[2] = {}; }, nullptr, "do not add up"},
        {"a number past 16 bits", "60", nullptr, [](std::string& l) { l.replace(0, 2, " 70000"); }, "out of range"},
        {"HOLD capacity", "60",
         [](Game& h) {
             h.PlayerHoldCount[3] = 30;
         },
         nullptr, "pass its 30 cards"},
        {"nine of a value without ids", "NG", [](Game& h) { h.Deck[1].Value = h.Deck[1].Value % 13 + 1; }, nullptr,
         "cards of value"},
        {"stack image", "60", [](Game& h) { h.OppStackImage = 80; }, nullptr, "stack image"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Game& host = Host();
        if (c.spoil) c.spoil(host);
        std::string list = EncodeRecoverList(host, c.version);
        if (c.cut) c.cut(list);

        TableState remote;
        remote.PlayerName = "Bea";
        remote.OppName = "Ann";
        remote.Turn = TurnPlayer;
        remote.StockTop = 3;
        remote.Deck[2] = DeckRec{9, 9, 1};
        const std::string before = EncodeRecoverList(remote, "60");
        const RecoverListResult r = DecodeRecoverList(list, c.version, remote);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(c.told), std::string::npos) << r.error;
        EXPECT_EQ(EncodeRecoverList(remote, "60"), before);
        EXPECT_EQ(remote.Deck[2].Seen, 1);
    }
}

}  // namespace
}  // namespace korbo::test
