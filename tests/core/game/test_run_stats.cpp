// Run statistics: counting a turn's cards and closing the run with its texts and boxes.
#include <gtest/gtest.h>

#include "table_fixture.h"

namespace korbo::test {
namespace {

using Row = std::array<int16_t, 6>;

struct StatsTest : TableFixture {
    void SetUp() override {
        TableFixture::SetUp();
        // The table reset writes the wild counters into panels 4 and 8; these tests
        // look only at what the run statistics write.
        for (int p = 0; p <= 8; ++p) view.captions.erase({Ctl::StatusBar1, p});
        game.PlayerSideCount = 10;
        game.OppSideCount = 10;
        game.Turn = TurnPlayer;
    }
};

TEST_F(StatsTest, EachCardCountsInItsSourcesCategories) {
    struct Case {
        int source;
        Row row;
    } cases[] = {
        {1, {1, 0, 0, 1, 0, 0}},  {2, {0, 1, 0, 0, 1, 0}}, {6, {0, 1, 0, 0, 1, 0}},
        {7, {0, 0, 1, 0, 0, 1}},  {10, {0, 0, 1, 0, 0, 1}}, {0, {}}, {11, {}}, {-1, {}},
    };
    for (auto& c : cases) {
        game.RunStats[3] = {};
        game.StatsAdd(c.source, 3);
        EXPECT_EQ(game.RunStats[3], c.row) << c.source;
    }
    game.RunStats[1][1] = INT16_MAX;
    game.StatsAdd(2, 1);
    EXPECT_EQ(game.RunStats[1][1], INT16_MAX);  // never wraps
    const auto before = game.RunStats;
    game.StatsAdd(2, 6);
    game.StatsAdd(2, -1);
    EXPECT_EQ(game.RunStats, before);
}

TEST_F(StatsTest, ClosingTheTurnShowsTheRunAndTheBestOfTheGame) {
    struct Case {
        const char* why;
        int turn;
        Row current, best;
        int panel;
        std::string run, bestText;  // bestText empty: panel + 1 untouched
        Row bestAfter;
    } cases[] = {
        {"a new best", TurnPlayer, {1, 2, 0, 1, 2, 0}, {0, 1, 1, 0, 1, 1}, 2, " 1- 2- 0- [ 3 ]", " 1- 2- 0- [ 3 ]",
         {1, 2, 0, 1, 2, 0}},
        {"an equal total is no new best", TurnPlayer, {0, 2, 0, 0, 2, 0}, {1, 1, 0, 1, 1, 0}, 2, " 0- 2- 0- [ 2 ]",
         "", {1, 1, 0, 1, 1, 0}},
        {"the opponent's side", TurnOpponent, {0, 0, 4, 0, 0, 4}, {}, 6, " 0- 0- 4- [ 4 ]", " 0- 0- 4- [ 4 ]",
         {0, 0, 4, 0, 0, 0}},  // no pay-off card on either side: no side run
        {"a turn with no card", TurnPlayer, {}, {2, 0, 0, 2, 0, 0}, 2, " 0- 0- 0- [ 0 ]", "", {2, 0, 0, 2, 0, 0}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        game.Turn = static_cast<int16_t>(c.turn);
        const int cur = c.turn == TurnPlayer ? 1 : 3, best = cur + 1;
        game.RunStats[cur] = c.current;
        game.RunStats[best] = c.best;
        game.StatsCk(cur, best);
        EXPECT_EQ(view.Caption(Ctl::StatusBar1, c.panel), c.run);
        EXPECT_EQ(view.Caption(Ctl::StatusBar1, c.panel + 1), c.bestText);
        EXPECT_EQ(game.RunStats[best], c.bestAfter);
        EXPECT_EQ(game.RunStats[cur], Row{});
        EXPECT_TRUE(view.boxes.empty());
        EXPECT_TRUE(view.menus[Menu::Stats]);
    }
}

TEST_F(StatsTest, TheWinnersPanelFollowsTheEmptySidePile) {
    game.Turn = TurnNobody;
    game.PlayerSideCount = 0;
    game.RunStats[1] = {1, 0, 0, 1, 0, 0};
    game.StatsCk(1, 2);
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 2), " 1- 0- 0- [ 1 ]");
    EXPECT_EQ(game.RunStats[1], (Row{1, 0, 0, 1, 0, 0}));  // no game running: kept
    SetUp();
    game.Turn = TurnNobody;
    game.OppSideCount = 0;
    game.RunStats[3] = {1, 0, 0, 1, 0, 0};
    game.StatsCk(3, 4);
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 6), " 1- 0- 0- [ 1 ]");
    // Neither side: there is no panel to write to.
    SetUp();
    game.Turn = TurnNobody;
    game.RunStats[1] = {1, 0, 0, 1, 0, 0};
    game.StatsCk(1, 2);
    for (int p = 0; p <= 8; ++p) EXPECT_EQ(view.Caption(Ctl::StatusBar1, p), "") << p;
    EXPECT_EQ(game.RunStats[2], (Row{1, 0, 0, 1, 0, 0}));
}

TEST_F(StatsTest, RecordsEverAreAnnouncedByBoxes) {
    struct Case {
        const char* why;
        int cur, best;
        bool net;
        Row c, d;
        std::vector<std::string> boxes;
        Row dAfter;
    } cases[] = {
        {"a best run for the player", 2, 0, false, {3, 1, 0, 0, 1, 0}, {1, 1, 1, 0, 3, 0},
         {"New Stats Record - Best Run for Ann"}, {3, 1, 0, 0, 3, 0}},
        {"a best side run for the opponent", 4, 5, false, {0, 1, 0, 2, 0, 0}, {1, 1, 1, 1, 4, 0},
         {"New Stats Record - Best Side Run for Korbo"}, {1, 1, 1, 2, 0, 0}},
        {"both at once", 2, 0, false, {4, 0, 0, 4, 0, 0}, {1, 0, 0, 1, 0, 0},
         {"New Stats Record - Best Run for Ann", "New Stats Record - Best Side Run for Ann"}, {4, 0, 0, 4, 0, 0}},
        {"an equal side run is copied and announced again", 2, 0, false, {2, 1, 0, 2, 1, 0},
         {5, 0, 0, 2, 0, 1}, {"New Stats Record - Best Side Run for Ann"}, {5, 0, 0, 2, 1, 0}},
        {"an equal side run with fewer cards is not", 2, 0, false, {2, 0, 0, 2, 0, 0}, {5, 0, 0, 2, 0, 1},
         {}, {5, 0, 0, 2, 0, 1}},
        {"fewer pay-off cards is no side record", 2, 0, false, {1, 5, 5, 1, 5, 5}, {20, 0, 0, 2, 0, 0}, {},
         {20, 0, 0, 2, 0, 0}},
        {"never during a network game", 2, 0, true, {4, 0, 0, 4, 0, 0}, {1, 0, 0, 1, 0, 0}, {},
         {4, 0, 0, 4, 0, 0}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        game.NetActive = c.net;
        game.RunStats[c.cur] = c.c;
        game.RunStats[c.best] = c.d;
        game.StatsCk(c.cur, c.best);
        std::vector<std::string> texts;
        for (auto& b : view.boxes) {
            texts.push_back(b.text);
            EXPECT_EQ(b.title, "Stats Updated");
            EXPECT_EQ(b.buttons, mb::OKOnly | mb::Information);
        }
        EXPECT_EQ(texts, c.boxes);
        EXPECT_EQ(game.RunStats[c.best], c.dAfter);
        for (int p = 0; p <= 8; ++p) EXPECT_EQ(view.Caption(Ctl::StatusBar1, p), "") << p;
    }
}

// A view that notes the Stats menu entry at each box.
struct MenuSpyView : RecordingView {
    std::vector<bool> statsOnAtBox;
    int MsgBox(std::string_view text, int buttons, std::string_view title) override {
        auto it = menus.find(Menu::Stats);
        statsOnAtBox.push_back(it == menus.end() || it->second);
        return RecordingView::MsgBox(text, buttons, title);
    }
};

TEST(StatsMenuTest, TheStatsEntryIsOffWhileARunIsClosed) {
    MenuSpyView view;
    ManualClock clock;
    MtRandom rnd{1};
    Game game{view, rnd, clock};
    game.PlayerName = "Ann";
    view.menus[Menu::Stats] = true;
    game.RunStats[2] = {5, 0, 0, 2, 0, 0};
    game.StatsCk(2, 0);
    EXPECT_EQ(view.statsOnAtBox, (std::vector<bool>{false, false}));
    EXPECT_TRUE(view.menus[Menu::Stats]);
}

TEST_F(StatsTest, CountersOutsideTheTableAreRefused) {
    game.RunStats[1] = {1, 0, 0, 1, 0, 0};
    const auto before = game.RunStats;
    game.StatsCk(6, 0);
    game.StatsCk(1, -1);
    game.StatsCk(-1, 2);
    EXPECT_EQ(game.RunStats, before);
    EXPECT_TRUE(view.boxes.empty());
}

}  // namespace
}  // namespace korbo::test
