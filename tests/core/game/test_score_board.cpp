// The score board's rows and its maintenance: what each button changes in which file, what
// it refuses, and that a file it cannot read leaves every file as it was.
#include <gtest/gtest.h>

#include "core/game/folder_fixture.h"
#include "game/score_board.h"

namespace korbo::test {
namespace {

using scores::Maintance;

struct ScoreBoardTest : FolderFixture {
    // A player file: totals, level totals 2-5 with best runs in Extra, persona records 6-7,
    // the settings records 12-18 and the opponent's best runs 14-15.
    Bytes PlayerBytes(int played, int won, int margin, int level) {
        std::vector<Bytes> recs;
        recs.push_back(ScoreBytes(" 255", played, won, margin, level));
        for (int r = 2; r <= 5; ++r) recs.push_back(ScoreBytes("", r, 1, r * 2, 10 + r));
        recs.push_back(ScoreBytes("Korbo", 3, 2, 1, 16));
        recs.push_back(ScoreBytes("Zed", 2, 1, -3, 17));
        for (int r = 8; r <= 11; ++r) recs.push_back(ScoreBytes("", 0, 0, 0, 0));
        recs.push_back(ScoreBytes("face.jpg", -1, 0, 1, 3));
        recs.push_back(ScoreBytes("Ann", 2, 3, 0, 1));
        recs.push_back(ScoreBytes("", 4, 5, 6, 0));
        recs.push_back(ScoreBytes("", 1, 2, 3, 0));
        recs.push_back(ScoreBytes(" 12640511", 0, 1, 1, 0));
        recs.push_back(ScoreBytes(" 32768", 12, 0, 0, 0));
        recs.push_back(ScoreBytes(" 45", 19, 0, 0, 0));
        return ScoreFileBytes(recs);
    }
    void SetUp() override {
        FolderFixture::SetUp();
        score = ScoreFileBytes({ScoreBytes(" 0", 30, 18, 40, 2), ScoreBytes("", 0, 0, 0, 0)});
        WriteBytes(Path("score.ran"), score);
        ann = PlayerBytes(10, 4, -12, 1);
        bob = PlayerBytes(7, 5, 9, 2);
        WriteBytes(Path("users/Ann.sav"), ann);
        WriteBytes(Path("users/Bob.sav"), bob);
        game.PlayerNames = {"", "Ann", "Bob"};
        game.PlayerCount = 2;
    }
    records::ScoreRec Rec(const std::string& rel, long n) {
        return records::DecodeScoreRec(Record(ReadBytes(Path(rel)), 28, n));
    }
    // The totals records as Clear leaves them: zeros, with the level and the names kept.
    void ExpectCleared(const std::string& rel, const Bytes& before) {
        const Bytes now = ReadBytes(Path(rel));
        ASSERT_EQ(now.size(), before.size());
        for (long n = 1; n <= 11; ++n) {
            SCOPED_TRACE(n);
            const auto was = records::DecodeScoreRec(Record(before, 28, n));
            const auto is = records::DecodeScoreRec(Record(now, 28, n));
            EXPECT_EQ(is.Name, was.Name);
            EXPECT_EQ(is.Played, 0);
            EXPECT_EQ(is.Won, 0);
            EXPECT_EQ(is.Margin, 0);
            EXPECT_EQ(is.Extra, n == 1 ? was.Extra : 0);
        }
        // The settings and the opponent's runs are not scores.
        for (long n = 12; n <= 18; ++n) EXPECT_EQ(Record(now, 28, n), Record(before, 28, n)) << n;
    }
    void Yes() { view.answers.push_back(mb::IDYes); }

    Bytes score, ann, bob;
};

TEST_F(ScoreBoardTest, RowsShowTheComputerThenEachPlayer) {
    auto rows = scores::PrintNames(game);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].name, "Korbo");
    EXPECT_EQ(rows[1].played, 30);
    EXPECT_EQ(rows[1].won, 18);
    EXPECT_EQ(rows[1].lost(), 12);
    EXPECT_EQ(rows[1].margin, 40);
    EXPECT_EQ(rows[2].name, "Ann");
    EXPECT_EQ(rows[2].played, 10);
    EXPECT_EQ(rows[2].lost(), 6);
    EXPECT_EQ(rows[2].margin, -12);
    EXPECT_EQ(rows[3].name, "Bob");
    game.PersonIndex = 1;
    EXPECT_EQ(scores::PrintNames(game)[1].name, "Korbo (& friends)");
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(ScoreBoardTest, AFreshInstallationShowsOnlyTheComputer) {
    game.PlayerNames = {""};
    game.PlayerCount = 0;
    EXPECT_EQ(scores::PrintNames(game).size(), 2u);
}

TEST_F(ScoreBoardTest, DeletingAPlayerTakesTheirGamesOutOfTheComputersRow) {
    Yes();
    const auto r = Maintance(game, scores::DeletePlayer, 2);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.label, "Player removed!");
    EXPECT_TRUE(r.beep);
    EXPECT_TRUE(r.clearSelection);
    EXPECT_FALSE(fs::exists(Path("users/Ann.sav")));
    EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), bob);
    const auto computer = Rec("score.ran", 1);
    EXPECT_EQ(computer.Played, 30 - 10);
    EXPECT_EQ(computer.Won, 18 - (10 - 4));  // the computer's wins against Ann
    EXPECT_EQ(computer.Margin, 40 + -12);    // the computer's margin is Ann's the other way round
    EXPECT_EQ(computer.Extra, 2);
    EXPECT_EQ(records::TrimBlanks(computer.Name), "0");
    EXPECT_EQ(game.PlayerNames, (std::vector<std::string>{"", "Bob"}));
    EXPECT_EQ(game.PlayerCount, 1);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Are you sure you want to Delete Player?");
    EXPECT_EQ(view.boxes[0].title, "DELETE");
    EXPECT_EQ(view.boxes[0].buttons, mb::YesNo);
}

TEST_F(ScoreBoardTest, ClearingOnePlayersScoresKeepsTheFileLevelAndNames) {
    Yes();
    const auto r = Maintance(game, scores::ClearPlayerScores, 3);
    EXPECT_EQ(r.label, "Scores removed!");
    EXPECT_TRUE(r.beep);
    ExpectCleared("users/Bob.sav", bob);
    EXPECT_EQ(ReadBytes(Path("users/Ann.sav")), ann);
    const auto computer = Rec("score.ran", 1);
    EXPECT_EQ(computer.Played, 30 - 7);
    EXPECT_EQ(computer.Won, 18 - 2);
    EXPECT_EQ(computer.Margin, 40 + 9);
}

TEST_F(ScoreBoardTest, ClearAllKeepsLevelsAndNames) {
    Yes();
    const auto r = Maintance(game, scores::ClearAllScores, 0);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.label, "All is forgotten.");
    ExpectCleared("users/Ann.sav", ann);
    ExpectCleared("users/Bob.sav", bob);
    const auto computer = Rec("score.ran", 1);
    EXPECT_EQ(computer.Played, 0);
    EXPECT_EQ(computer.Won, 0);
    EXPECT_EQ(computer.Margin, 0);
    EXPECT_EQ(computer.Extra, 2);
    EXPECT_EQ(records::TrimBlanks(computer.Name), "0");
    EXPECT_EQ(Record(ReadBytes(Path("score.ran")), 28, 2), Record(score, 28, 2));
    EXPECT_EQ(game.PlayerCount, 2);
}

TEST_F(ScoreBoardTest, DeleteAllRemovesEveryPlayerAndClearsTheComputer) {
    Yes();
    const auto r = Maintance(game, scores::DeleteAllPlayers, 0);
    EXPECT_EQ(r.label, "All is forgotten.");
    EXPECT_FALSE(fs::exists(Path("users/Ann.sav")));
    EXPECT_FALSE(fs::exists(Path("users/Bob.sav")));
    EXPECT_EQ(game.PlayerCount, 0);
    EXPECT_EQ(game.PlayerNames.size(), 1u);
    EXPECT_EQ(Rec("score.ran", 1).Played, 0);
    EXPECT_EQ(Rec("score.ran", 1).Extra, 2);
}

TEST_F(ScoreBoardTest, RefusalsChangeNoFile) {
    struct Case {
        int index, row;
        bool answerYes;
        const char* label;
        bool beep;
    } cases[] = {
        {scores::DeletePlayer, 1, true, "Sorry, Korbo stays.", true},
        {scores::ClearPlayerScores, 1, true, "Sorry, Korbo stays.", true},
        {scores::DeletePlayer, 0, true, "Select a player", true},
        {scores::ClearPlayerScores, 4, true, "Select a player", true},
        {scores::DeletePlayer, 2, false, "", false},
        {scores::ClearAllScores, 0, false, "", false},
        {scores::DeleteAllPlayers, 0, false, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " row " << c.row);
        view.answers.push_back(c.answerYes ? mb::IDYes : mb::IDNo);
        const auto r = Maintance(game, c.index, c.row);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.label, c.label);
        EXPECT_EQ(r.beep, c.beep);
        EXPECT_EQ(ReadBytes(Path("score.ran")), score);
        EXPECT_EQ(ReadBytes(Path("users/Ann.sav")), ann);
        EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), bob);
    }
}

TEST_F(ScoreBoardTest, AFileThatCannotBeReadIsToldAndNothingChanges) {
    // Bob's file is a folder; then a score whose subtraction leaves the 16-bit range.
    fs::remove(Path("users/Bob.sav"));
    fs::create_directories(Path("users/Bob.sav"));
    struct Case { int index, row; } cases[] = {
        {scores::ClearAllScores, 0}, {scores::ClearPlayerScores, 3}, {scores::DeletePlayer, 3}};
    for (auto c : cases) {
        SCOPED_TRACE(c.index);
        view.boxes.clear();
        Yes();
        Maintance(game, c.index, c.row);
        ASSERT_EQ(view.boxes.size(), 2u);
        EXPECT_EQ(view.boxes[1].text.substr(0, 19), "Here's the problem:");
        EXPECT_EQ(ReadBytes(Path("score.ran")), score);
        EXPECT_EQ(ReadBytes(Path("users/Ann.sav")), ann);
        EXPECT_TRUE(fs::is_directory(Path("users/Bob.sav")));
    }
    WriteBytes(Path("users/Ann.sav"), PlayerBytes(-32760, 0, 0, 1));
    const Bytes annNow = ReadBytes(Path("users/Ann.sav"));
    view.boxes.clear();
    Yes();
    Maintance(game, scores::DeletePlayer, 2);
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_NE(view.boxes[1].text.find("Overflow"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path("score.ran")), score);
    EXPECT_EQ(ReadBytes(Path("users/Ann.sav")), annNow);
    // The board itself lists what it can and tells of the rest.
    view.boxes.clear();
    const auto rows = scores::PrintNames(game);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].played, 0);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("Bob.sav"), std::string::npos);
}

TEST_F(ScoreBoardTest, AFailedCommitLeavesTheScoreFileAsItWas) {
    records::ScopedWriteFault fault([](records::WriteStep s, const std::string& path) {
        return s == records::WriteStep::Rename && path.find("score.ran") != std::string::npos;
    });
    Yes();
    Maintance(game, scores::ClearPlayerScores, 2);
    EXPECT_EQ(ReadBytes(Path("score.ran")), score);
    ASSERT_EQ(view.boxes.size(), 2u);
}

}  // namespace
}  // namespace korbo::test
