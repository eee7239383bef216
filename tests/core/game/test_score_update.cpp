// The score arithmetic of a finished game and the run statistics kept in the player's file.
#include "records/score_rec.h"
#include "folder_fixture.h"

namespace korbo::test {
namespace {

using records::RecordFile;

TEST_F(GameFixture, TheMathAddsTheLosersCardsForAWinAndTakesTheOwnForALoss) {
    struct Case { int16_t playerLeft, oppLeft; int16_t played, won, margin; } cases[] = {
        {0, 7, 11, 6, 27},   // won, the opponent had 7 left
        {3, 0, 11, 5, 17},   // lost with 3 left
        {0, 1, 11, 6, 21},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.playerLeft * 100 + c.oppLeft);
        game.ScorePlayed = 10;
        game.ScoreWon = 5;
        game.ScoreMargin = 20;
        game.PlayerSideCount = c.playerLeft;
        game.OppSideCount = c.oppLeft;
        game.DoTheMath();
        EXPECT_EQ(game.ScorePlayed, c.played);
        EXPECT_EQ(game.ScoreWon, c.won);
        EXPECT_EQ(game.ScoreMargin, c.margin);
    }
}

TEST_F(GameFixture, TheMathRefusesTotalsBeyondSixteenBitsAndChangesNothing) {
    struct Case { int16_t played, won, margin, playerLeft, oppLeft; } cases[] = {
        {32767, 0, 0, 0, 5},
        {5, 32767, 0, 0, 5},
        {5, 0, 32767, 0, 5},
        {5, 0, -32768, 4, 0},
    };
    for (auto c : cases) {
        game.ScorePlayed = c.played;
        game.ScoreWon = c.won;
        game.ScoreMargin = c.margin;
        game.PlayerSideCount = c.playerLeft;
        game.OppSideCount = c.oppLeft;
        EXPECT_THROW(game.DoTheMath(), std::overflow_error);
        EXPECT_EQ(game.ScorePlayed, c.played);
        EXPECT_EQ(game.ScoreWon, c.won);
        EXPECT_EQ(game.ScoreMargin, c.margin);
    }
}

TEST_F(GameFixture, TheUpdateNamesPersonaRecordsOnly) {
    game.PeopleNames = {"Korbo", "Zed"};
    game.PersonIndex = 1;
    game.PlayerSideCount = 0;
    game.OppSideCount = 4;
    for (long rec : {2L, 5L, 6L, 11L}) {
        SCOPED_TRACE(rec);
        game.RecIndex = rec;
        game.ScoreBuffer = {"old", 1, 1, 1, 77};
        game.DoTheUpdate();
        EXPECT_EQ(game.ScoreBuffer.Name, rec > 5 ? "Zed" : "old");
        EXPECT_EQ(game.ScoreBuffer.Played, 2);
        EXPECT_EQ(game.ScoreBuffer.Won, 2);
        EXPECT_EQ(game.ScoreBuffer.Margin, 5);
        EXPECT_EQ(game.ScoreBuffer.Extra, 77);
    }
}

// StatsCk belongs to the statistics counting; here it copies a better run as that does, and
// records how it was called.
struct CountingGame : Game {
    using Game::Game;
    std::vector<std::pair<int, int>> calls;
    void StatsCk(int c, int d) override {
        calls.emplace_back(c, d);
        int sumC = RunStats[c][0] + RunStats[c][1] + RunStats[c][2];
        int sumD = RunStats[d][0] + RunStats[d][1] + RunStats[d][2];
        if (sumC > sumD)
            for (int k = 0; k < 3; ++k) RunStats[d][k] = RunStats[c][k];
    }
};

struct StatsSaveTest : FolderFixture {
    CountingGame counting{view, rnd, clock};
    std::string file;
    void SetUp() override {
        FolderFixture::SetUp();
        std::vector<Bytes> recs;
        for (int r = 1; r <= 18; ++r) recs.push_back(ScoreBytes("rec" + std::to_string(r), r, r, r, r));
        file = Path("users/Bob.sav");
        WriteBytes(file, ScoreFileBytes(recs));
    }
};

TEST_F(StatsSaveTest, ThePlayersBestRunsComeFromTheFileAndGoBackIntoIt) {
    counting.RunStats[2] = {9, 9, 9, 0, 0, 0};
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 28));
    counting.StatsSave(f, 2, 0);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(counting.calls, (std::vector<std::pair<int, int>>{{2, 0}}));
    // Records 2..7 were read into counter 0 (2, 3, 4 then), beaten by the game's 9, 9, 9.
    EXPECT_EQ(counting.RunStats[0], (std::array<int16_t, 6>{9, 9, 9, 5, 6, 7}));
    Bytes out = ReadBytes(file);
    EXPECT_EQ(Record(out, 28, 2), ScoreBytes("rec2", 2, 2, 2, 9));
    EXPECT_EQ(Record(out, 28, 5), ScoreBytes("rec5", 5, 5, 5, 5));
    EXPECT_EQ(Record(out, 28, 7), ScoreBytes("rec7", 7, 7, 7, 7));
    EXPECT_EQ(Record(out, 28, 1), ScoreBytes("rec1", 1, 1, 1, 1));
    EXPECT_EQ(Record(out, 28, 14), ScoreBytes("rec14", 14, 14, 14, 14));
}

TEST_F(StatsSaveTest, TheOpponentsBestRunsGoIntoRecordsFourteenAndFifteen) {
    counting.RunStats[5] = {1, 2, 3, 4, 5, 6};
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 28));
    counting.StatsSave(f, 4, 5);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(counting.calls, (std::vector<std::pair<int, int>>{{4, 5}}));
    Bytes out = ReadBytes(file);
    EXPECT_EQ(Record(out, 28, 14), ScoreBytes("rec14", 1, 2, 3, 14));
    EXPECT_EQ(Record(out, 28, 15), ScoreBytes("rec15", 4, 5, 6, 15));
    EXPECT_EQ(Record(out, 28, 2), ScoreBytes("rec2", 2, 2, 2, 2));
}

TEST_F(StatsSaveTest, AnIndexOutOfRangeIsRefusedBeforeAnythingIsPut) {
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 28));
    EXPECT_THROW(counting.StatsSave(f, 6, 0), std::out_of_range);
    EXPECT_THROW(counting.StatsSave(f, 2, -1), std::out_of_range);
    EXPECT_TRUE(counting.calls.empty());
    const Bytes before = ReadBytes(file);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(file), before);
}

}  // namespace
}  // namespace korbo::test
