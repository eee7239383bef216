// The "DK" field list between host and remote.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"

namespace korbo::test {
namespace {

struct DeckMessageTest : GameFixture {
    RecordingView remoteView;
    Game remote{remoteView, rnd, clock};

    void SetUp() override {
        game.ClearBoard();
        game.BuildDeck();
        game.ShuffleDeck();
        remote.ClearBoard();
    }
    static std::string List(int values, int ids, std::vector<long> rules, int badAt = -1, long bad = 0) {
        std::string s;
        int n = 0;
        auto add = [&](long v) {
            if (n++ == badAt) v = bad;
            s += (v >= 0 ? " " : "") + std::to_string(v) + "#";
        };
        for (int i = 1; i <= values; ++i) add(((i - 1) % 13) + 1);
        for (int i = 1; i <= ids; ++i) add(i);
        for (long r : rules) add(r);
        return s;
    }
};

TEST_F(DeckMessageTest, RoundTripsWithIdsAndRules) {
    game.SideSize = 14;
    game.ForcedRule = 5;
    game.NoWildAce = true;
    std::string list = game.EncodeDeckList(true);
    EXPECT_EQ(list.substr(0, 1), " ");
    EXPECT_NE(list.find("-1#"), std::string::npos);
    ASSERT_TRUE(remote.DecodeDeckList(list, "60").ok);
    for (int i = 1; i <= 104; ++i) {
        EXPECT_EQ(remote.Deck[i].Id, game.Deck[i].Id);
        EXPECT_EQ(remote.Deck[i].Value, game.Deck[i].Value);
    }
    EXPECT_EQ(remote.SideSize, 14);
    EXPECT_EQ(remote.ForcedRule, 5);
    EXPECT_TRUE(remote.NoWildAce);
    EXPECT_EQ(remote.OppStackImage, 11);
    EXPECT_EQ(remote.PlayerStackImage, 36);
}

// Visible cards alone force nothing: a host's mask of 4 is no forced card here.
TEST_F(DeckMessageTest, AHostsMaskOfVisibleCardsAloneIsNoForcedCard) {
    struct Case {
        int16_t sent, read;
    } cases[] = {{4, 0}, {6, 6}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        game.ForcedRule = c.sent;
        remote.ForcedRule = 3;
        ASSERT_TRUE(remote.DecodeDeckList(game.EncodeDeckList(true), "60").ok);
        EXPECT_EQ(remote.ForcedRule, c.read);
    }
}

TEST_F(DeckMessageTest, TheRulesAreReadOnlyFromAHostAbove51) {
    game.SideSize = 9;
    remote.SideSize = 19;
    ASSERT_TRUE(remote.DecodeDeckList(game.EncodeDeckList(true), "51").ok);
    EXPECT_EQ(remote.SideSize, 19);
    EXPECT_EQ(remote.Deck[7].Id, game.Deck[7].Id);
}

TEST_F(DeckMessageTest, AnOldHostsIdsEqualTheValues) {
    std::string list = game.EncodeDeckList(false);
    ASSERT_TRUE(remote.DecodeDeckList(list, "NG").ok);
    for (int i = 1; i <= 104; ++i) {
        EXPECT_EQ(remote.Deck[i].Value, game.Deck[i].Value);
        EXPECT_EQ(remote.Deck[i].Id, remote.Deck[i].Value);
    }
}

TEST_F(DeckMessageTest, BadListsAreRefusedAndChangeNothing) {
    struct Case {
        const char* why;
        std::string list;
        const char* version;
    } cases[] = {
        {"short", List(103, 0, {}), "NG"},
        {"short of ids", List(104, 100, {}), "60"},
        {"short of rules", List(104, 104, {19, 0}), "60"},
        {"too many", List(104, 104, {19, 0, 0, 5}), "60"},
        {"too many without version", List(105, 0, {}), "NG"},
        {"value 0", List(104, 0, {}, 10, 0), "NG"},
        {"value 14", List(104, 0, {}, 3, 14), "NG"},
        {"value 99", List(104, 104, {19, 0, 0}, 50, 99), "60"},
        {"id 0", List(104, 104, {19, 0, 0}, 104, 0), "60"},
        {"id 105", List(104, 104, {19, 0, 0}, 150, 105), "60"},
        {"id twice", List(104, 104, {19, 0, 0}, 105, 1), "60"},
        {"side size 40", List(104, 104, {40, 0, 0}), "60"},
        {"side size 0", List(104, 104, {0, 0, 0}), "60"},
        {"forced huge", List(104, 104, {19, 99999, 0}), "60"},
        {"not a number", " 1#x#" + List(102, 0, {}), "NG"},
        {"no final #", List(104, 0, {}) + " 5", "NG"},
        {"empty", "", "NG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        remote.ClearBoard();
        remote.BuildDeck();  // a deck already there must survive a refused list
        remote.SideSize = 19;
        remote.ForcedRule = 0;
        remote.NoWildAce = false;
        remote.Deck[5].Seen = 3;
        const TableState before = remote;
        DeckListResult r = remote.DecodeDeckList(c.list, c.version);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
        for (int i = 0; i <= 104; ++i) {
            EXPECT_EQ(remote.Deck[i].Id, before.Deck[i].Id) << i;
            EXPECT_EQ(remote.Deck[i].Value, before.Deck[i].Value) << i;
            EXPECT_EQ(remote.Deck[i].Seen, before.Deck[i].Seen) << i;
        }
        EXPECT_EQ(remote.SideSize, 19);
        EXPECT_EQ(remote.ForcedRule, 0);
        EXPECT_FALSE(remote.NoWildAce);
        EXPECT_EQ(remote.OppStackImage, before.OppStackImage);
        EXPECT_EQ(remote.PlayerStackImage, before.PlayerStackImage);
    }
}

TEST_F(DeckMessageTest, AnAcceptedListKeepsTheTallies) {
    remote.Deck[9].Seen = 2;
    ASSERT_TRUE(remote.DecodeDeckList(game.EncodeDeckList(true), "60").ok);
    EXPECT_EQ(remote.Deck[9].Seen, 2);
}

}  // namespace
}  // namespace korbo::test
