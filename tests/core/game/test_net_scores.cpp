// The network score files: what the end of a network game writes, byte for byte; what the
// score window reads and deletes; and that a damaged or unlisted file is never lost.
#include <gtest/gtest.h>

#include "core/game/folder_fixture.h"
#include "game/net_scores.h"

namespace korbo::test {
namespace {

using netscores::DeleteOpponent;
using netscores::NetScoreBoard;

struct NetScoresTest : FolderFixture {
    void SetUp() override {
        FolderFixture::SetUp();
        game.NetActive = true;
        game.PlayerName = "Alice";
        game.OppName = "Bob";
    }
    // The end of a network game: `own` cards left in the player's pay-off pile, `theirs` in
    // the opponent's.
    void Finish(const std::string& opponent, int own, int theirs) {
        game.OppName = opponent;
        game.PlayerSideCount = static_cast<int16_t>(own);
        game.OppSideCount = static_cast<int16_t>(theirs);
        game.Scores_Net();
    }
    // A file of three opponents.
    Bytes ThreeOpponents() {
        return ScoreFileBytes({ScoreBytes("Alice", 9, 5, 6, 4), ScoreBytes("Bob", 4, 3, 8, 2),
                               ScoreBytes("Carol", 3, 1, -5, 3), ScoreBytes("Dave", 2, 1, 3, 4)});
    }
    Bytes Blank() {
        Bytes b = ScoreBytes("", 0, 0, 0, 0);
        b[0] = 0;
        return b;
    }
};

TEST_F(NetScoresTest, AFirstGameWonBySevenCreatesTheFile) {
    Finish("Bob", 0, 7);
    EXPECT_EQ(ReadBytes(Path("users/Alice.ran")),
              ScoreFileBytes({ScoreBytes("Alice", 1, 1, 7, 2), ScoreBytes("Bob", 1, 1, 7, 2)}));
    ASSERT_EQ(game.NetScoreFileCount, 1);
    EXPECT_EQ(game.NetScoreFiles[1], Path("users/Alice.ran"));
    EXPECT_TRUE(view.boxes.empty());
}

// The end of a network game records it in the network score file only.
TEST_F(NetScoresTest, TheEndOfANetworkGameRecordsItThere) {
    WriteBytes(Path("score.ran"), ScoreFileBytes({ScoreBytes(" 0", 5, 2, 3, 0)}));
    game.NetRole = 1;
    game.PlayerSideCount = 0;
    game.OppSideCount = 7;
    game.Game_End();
    EXPECT_EQ(ReadBytes(Path("users/Alice.ran")),
              ScoreFileBytes({ScoreBytes("Alice", 1, 1, 7, 2), ScoreBytes("Bob", 1, 1, 7, 2)}));
    EXPECT_EQ(ReadBytes(Path("score.ran")), ScoreFileBytes({ScoreBytes(" 0", 5, 2, 3, 0)}));
    EXPECT_EQ(FilesIn(Path("users")), 1);
}

TEST_F(NetScoresTest, ALaterLossByFourAgainstANewOpponentAddsARecord) {
    Finish("Bob", 0, 7);
    Finish("Carol", 4, 0);
    EXPECT_EQ(ReadBytes(Path("users/Alice.ran")),
              ScoreFileBytes({ScoreBytes("Alice", 2, 1, 3, 3), ScoreBytes("Bob", 1, 1, 7, 2),
                              ScoreBytes("Carol", 1, 0, -4, 3)}));
}

TEST_F(NetScoresTest, AKnownOpponentIsFoundWithoutRegardToCaseAndBlanks) {
    WriteBytes(Path("users/Alice.ran"), ThreeOpponents());
    Finish("  carol ", 0, 2);
    const Bytes after = ReadBytes(Path("users/Alice.ran"));
    EXPECT_EQ(Record(after, 28, 1), ScoreBytes("Alice", 10, 6, 8, 4));
    EXPECT_EQ(Record(after, 28, 3), ScoreBytes("  carol", 4, 2, -3, 4));
    EXPECT_EQ(after.size(), 4u * 28);
}

TEST_F(NetScoresTest, AnOpponentNameLongerThanItsFieldFindsItsRecordAgain) {
    const std::string longName = "Bartholomew Longname-Smith";
    Finish(longName, 0, 3);
    Finish(longName, 2, 0);
    const Bytes after = ReadBytes(Path("users/Alice.ran"));
    EXPECT_EQ(after.size(), 2u * 28);
    EXPECT_EQ(Record(after, 28, 2), ScoreBytes(longName.substr(0, 20), 2, 1, 1, 2));
}

// The player's file is found on disk even where the window's list of eleven leaves it out,
// or where its name differs in letter case: it is added to, never started afresh.
TEST_F(NetScoresTest, AFileTheListLeavesOutIsAddedToNotReplaced) {
    const struct {
        const char* file;
        int others;
    } cases[] = {{"Alice.ran", 11}, {"ALICE.ran", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempDir here;
        game.BaseDir = here.path();
        fs::create_directories(here / "users");
        for (int i = 0; i < c.others; ++i) WriteBytes(here / ("users/A" + std::to_string(10 + i) + ".ran"), ThreeOpponents());
        WriteBytes(here / (std::string("users/") + c.file), ThreeOpponents());
        Finish("Dave", 0, 1);
        const Bytes after = ReadBytes(here / (std::string("users/") + c.file));
        EXPECT_EQ(Record(after, 28, 1), ScoreBytes("Alice", 10, 6, 7, 4));
        EXPECT_EQ(Record(after, 28, 4), ScoreBytes("Dave", 3, 2, 4, 4));
        EXPECT_EQ(FilesIn(here / "users"), c.others + 1);
    }
}

TEST_F(NetScoresTest, TheListHoldsElevenFilesInNameOrder) {
    for (int i = 0; i < 12; ++i) WriteBytes(Path("users/P" + std::to_string(20 - i) + ".ran"), ThreeOpponents());
    WriteBytes(Path("users/Alice.sav"), Bytes(28, 0));
    netscores::Get_Users(game);
    ASSERT_EQ(game.NetScoreFileCount, 11);
    EXPECT_EQ(game.NetScoreFiles[1], Path("users/P10.ran"));
    EXPECT_EQ(game.NetScoreFiles[11], Path("users/P20.ran"));
}

// A file whose first record does not describe it, or a result that would take a total past
// its 16-bit range, is told of and the file stays as it was.
TEST_F(NetScoresTest, ADamagedFileOrAnOverflowIsToldAndLeftAsItIs) {
    const struct {
        const char* what;
        Bytes file;
        const char* told;
    } cases[] = {
        {"last record beyond the file", ScoreFileBytes({ScoreBytes("Alice", 1, 1, 7, 9), ScoreBytes("Bob", 1, 1, 7, 2)}),
         "is damaged"},
        {"no last record", ScoreFileBytes({ScoreBytes("Alice", 1, 1, 7, 0), ScoreBytes("Bob", 1, 1, 7, 2)}), "is damaged"},
        {"an empty file", Bytes{}, "is damaged"},
        {"games beyond 16 bits", ScoreFileBytes({ScoreBytes("Alice", 32767, 1, 7, 2), ScoreBytes("Bob", 1, 1, 7, 2)}),
         "Overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.boxes.clear();
        WriteBytes(Path("users/Alice.ran"), c.file);
        Finish("Bob", 0, 3);
        EXPECT_EQ(ReadBytes(Path("users/Alice.ran")), c.file);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_NE(view.boxes[0].text.find(c.told), std::string::npos) << view.boxes[0].text;
    }
}

TEST_F(NetScoresTest, APlayerNameThatCannotNameAFileWritesNothing) {
    for (const char* name : {"a/b", "..", " "}) {
        SCOPED_TRACE(name);
        view.boxes.clear();
        game.PlayerName = name;
        Finish("Bob", 0, 3);
        EXPECT_EQ(FilesIn(Path("users")), 0);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_NE(view.boxes[0].text.find("cannot name a file"), std::string::npos);
    }
}

TEST_F(NetScoresTest, TheBoardShowsTheRecordsInUse) {
    WriteBytes(Path("users/Alice.ran"), ThreeOpponents());
    netscores::Get_Users(game);
    NetScoreBoard board;
    ASSERT_TRUE(netscores::PrintUsers(game, 1, board));
    EXPECT_EQ(board.player, "Alice");
    ASSERT_EQ(board.Opponents(), 3);
    EXPECT_EQ(board.rows[2].name, "Carol");
    EXPECT_EQ(board.rows[2].lost(), 2);
    EXPECT_EQ(board.rows[2].margin, -5);
    EXPECT_FALSE(netscores::PrintUsers(game, 2, board));
}

TEST_F(NetScoresTest, DeletingTheOpponentInRowOneOfThreeMovesTheOthersUp) {
    WriteBytes(Path("users/Alice.ran"), ThreeOpponents());
    netscores::Get_Users(game);
    const auto r = DeleteOpponent(game, 1, 1, "Bob", 3);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(ReadBytes(Path("users/Alice.ran")),
              ScoreFileBytes({ScoreBytes("Alice", 9, 5, 6, 3), ScoreBytes("Carol", 3, 1, -5, 3),
                              ScoreBytes("Dave", 2, 1, 3, 4), Blank()}));
    NetScoreBoard board;
    ASSERT_TRUE(netscores::PrintUsers(game, 1, board));
    EXPECT_EQ(board.Opponents(), 2);
}

TEST_F(NetScoresTest, DeletingAnOpponentNeedsARowOfAKnownName) {
    WriteBytes(Path("users/Alice.ran"), ThreeOpponents());
    netscores::Get_Users(game);
    const struct {
        int row;
        const char* name;
        const char* label;
        const char* box;
    } cases[] = {{0, "", "Select a player", nullptr}, {4, "", "Select a player", nullptr}, {2, "Zed", "", "Opponent Not Found"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        view.boxes.clear();
        const auto r = DeleteOpponent(game, 1, c.row, c.name, 3);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.label, c.label);
        EXPECT_EQ(view.boxes.empty(), c.box == nullptr);
        if (c.box) {
            EXPECT_EQ(view.boxes[0].title, "DELETE OPPONENT");
        }
        EXPECT_EQ(ReadBytes(Path("users/Alice.ran")), ThreeOpponents());
    }
}

TEST_F(NetScoresTest, DeletingAFileAsksFirst) {
    WriteBytes(Path("users/Alice.ran"), ThreeOpponents());
    WriteBytes(Path("users/Bob.ran"), ThreeOpponents());
    netscores::Get_Users(game);
    view.answers = {mb::IDNo};
    EXPECT_FALSE(netscores::DeleteFile(game, 1));
    EXPECT_EQ(FilesIn(Path("users")), 2);
    view.answers = {mb::IDYes};
    EXPECT_TRUE(netscores::DeleteFile(game, 1));
    EXPECT_FALSE(fs::exists(Path("users/Alice.ran")));
    ASSERT_EQ(view.boxes.size(), 3u);
    EXPECT_EQ(view.boxes[2].text, "Player Eliminated.");
    ASSERT_EQ(game.NetScoreFileCount, 1);
    EXPECT_EQ(game.NetScoreFiles[1], Path("users/Bob.ran"));
}

}  // namespace
}  // namespace korbo::test
