// The statistics window's figures: the rows of a player's file, the run grid, and clearing
// the stored best runs.
#include <gtest/gtest.h>

#include "core/game/folder_fixture.h"
#include "game/player_stats.h"

namespace korbo::test {
namespace {

struct PlayerStatsTest : FolderFixture {
    // Records 1..18 of a player's file; custom personas in records 7.. as named.
    Bytes File(std::vector<std::string> personas, int r15Played = 4) {
        std::vector<Bytes> recs;
        recs.push_back(ScoreBytes(" 0", 20, 12, 30, 1));
        for (int r = 2; r <= 5; ++r) recs.push_back(ScoreBytes("", r, 1, -r, 100 + r));
        recs.push_back(ScoreBytes("Korbo", 6, 3, 2, 106));
        for (int r = 7; r <= 11; ++r) {
            const std::string name = r - 7 < static_cast<int>(personas.size()) ? personas[static_cast<size_t>(r - 7)] : "";
            recs.push_back(ScoreBytes(name, r, r - 5, r * 3, r == 7 ? 107 : 999));
        }
        recs.push_back(ScoreBytes("", 0, 0, 0, 0));
        recs.push_back(ScoreBytes("Ann", 1, 1, 1, 1));
        recs.push_back(ScoreBytes("", 3, 2, 1, 55));       // the opponent's best run
        recs.push_back(ScoreBytes("", r15Played, 5, 6, 66));  // and best side run
        for (int r = 16; r <= 18; ++r) recs.push_back(ScoreBytes(" 1", 9, 9, 9, 9));
        return ScoreFileBytes(recs);
    }
    std::vector<stats::StatsRow> rows;
};

TEST_F(PlayerStatsTest, RowsFollowTheRecordsAndStopAtTheFirstFreePersona) {
    WriteBytes(Path("users/Ann.sav"), File({"Zed", "Mia"}));
    ASSERT_TRUE(stats::GetStats(game, "Ann", rows));
    ASSERT_EQ(rows.size(), 9u);  // records 1..8: the two personas' rows, not the free third
    EXPECT_EQ(rows[1].played, 20);
    EXPECT_EQ(rows[1].won, 12);
    EXPECT_EQ(rows[1].lost, 8);
    EXPECT_EQ(rows[1].margin, 30);
    EXPECT_EQ(rows[3].played, 3);
    EXPECT_EQ(rows[3].margin, -3);
    EXPECT_EQ(rows[6].played, 6);
    EXPECT_EQ(rows[6].label, "");
    EXPECT_EQ(rows[7].label, "vs Zed");
    EXPECT_EQ(rows[8].label, "vs Mia");
    EXPECT_EQ(rows[8].played, 8);
    // The stored best runs: Extra of records 2..7 (also of record 7 when it names nobody).
    EXPECT_EQ(game.RunStats[0], (std::array<int16_t, 6>{102, 103, 104, 105, 106, 107}));
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{3, 2, 1, 4, 5, 6}));
}

TEST_F(PlayerStatsTest, FiveCustomPersonasShowUpToTheFifthAndNothingOfRecordTwelve) {
    WriteBytes(Path("users/Ann.sav"), File({"A", "B", "C", "D", "E"}));
    ASSERT_TRUE(stats::GetStats(game, "Ann", rows));
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[11].label, "vs E");
    // Record 7 with no name stops the list at once, but its best run is still read.
    WriteBytes(Path("users/Bob.sav"), File({}));
    ASSERT_TRUE(stats::GetStats(game, "Bob", rows));
    EXPECT_EQ(rows.size(), 7u);
    EXPECT_EQ(game.RunStats[0][5], 107);
}

TEST_F(PlayerStatsTest, RunRecordsNeverWrittenReadAsZero) {
    struct Case { int r15Played; bool zero; } cases[] = {{1000, false}, {1001, true}, {-5, false}, {32000, true}};
    for (auto c : cases) {
        SCOPED_TRACE(c.r15Played);
        WriteBytes(Path("users/Ann.sav"), File({}, c.r15Played));
        ASSERT_TRUE(stats::GetStats(game, "Ann", rows));
        if (c.zero) EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{}));
        else EXPECT_EQ(game.RunStats[5][3], c.r15Played);
    }
}

TEST_F(PlayerStatsTest, TheRunGridPairsTheAllTimeAndTheGamesBest) {
    for (int c = 0; c < 6; ++c)
        for (int k = 0; k < 6; ++k) game.RunStats[c][k] = static_cast<int16_t>(10 * c + k);
    const auto grid = stats::GetRun(game);
    struct Case { int row, bestCounter, bestFrom, gameCounter; } cases[] = {
        {1, 5, 0, 4}, {2, 5, 3, 4}, {3, 0, 0, 2}, {4, 0, 3, 2}};
    for (auto c : cases) {
        SCOPED_TRACE(c.row);
        const auto& row = grid[static_cast<size_t>(c.row)];
        long bestSum = 0, gameSum = 0;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(row.best[static_cast<size_t>(k)], 10 * c.bestCounter + c.bestFrom + k);
            EXPECT_EQ(row.current[static_cast<size_t>(k)], 10 * c.gameCounter + c.bestFrom + k);
            bestSum += 10 * c.bestCounter + c.bestFrom + k;
            gameSum += 10 * c.gameCounter + c.bestFrom + k;
        }
        EXPECT_EQ(row.BestSum(), bestSum);
        EXPECT_EQ(row.CurrentSum(), gameSum);
    }
}

TEST_F(PlayerStatsTest, ClearingTheRunsTouchesOnlyTheRunFields) {
    const Bytes before = File({"Zed"});
    WriteBytes(Path("users/Ann.sav"), before);
    game.RunStats[0].fill(7);
    game.RunStats[5].fill(8);
    game.RunStats[2].fill(9);
    view.answers.push_back(mb::IDYes);
    ASSERT_TRUE(stats::ClearRunStats(game, "Ann"));
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Are you sure you want to Clear Run Stats\r\nfor this player and Korbo?");
    EXPECT_EQ(view.boxes[0].title, "DELETE");
    const Bytes now = ReadBytes(Path("users/Ann.sav"));
    ASSERT_EQ(now.size(), before.size());
    for (long n = 1; n <= 18; ++n) {
        SCOPED_TRACE(n);
        auto was = records::DecodeScoreRec(Record(before, 28, n));
        const auto is = records::DecodeScoreRec(Record(now, 28, n));
        if (n >= 2 && n <= 7) was.Extra = 0;
        if (n == 14 || n == 15) was.Played = was.Won = was.Margin = 0;
        EXPECT_EQ(is, was);
    }
    EXPECT_EQ(game.RunStats[0], (std::array<int16_t, 6>{}));
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{}));
    EXPECT_EQ(game.RunStats[2][0], 9);  // the game's own runs stay
}

TEST_F(PlayerStatsTest, NoAnswerOrAnUnreadableFileChangesNothing) {
    const Bytes before = File({});
    WriteBytes(Path("users/Ann.sav"), before);
    game.RunStats[5].fill(8);
    view.answers.push_back(mb::IDNo);
    EXPECT_FALSE(stats::ClearRunStats(game, "Ann"));
    EXPECT_EQ(ReadBytes(Path("users/Ann.sav")), before);
    EXPECT_EQ(game.RunStats[5][0], 8);

    fs::create_directories(Path("users/Bob.sav"));
    view.boxes.clear();
    view.answers.push_back(mb::IDYes);
    EXPECT_FALSE(stats::ClearRunStats(game, "Bob"));
    EXPECT_FALSE(stats::GetStats(game, "Bob", rows));
    EXPECT_FALSE(stats::GetStats(game, "Nobody", rows));
    ASSERT_EQ(view.boxes.size(), 4u);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(view.boxes[i].text.substr(0, 19), "Here's the problem:");
    EXPECT_EQ(game.RunStats[5][0], 8);
}

}  // namespace
}  // namespace korbo::test
