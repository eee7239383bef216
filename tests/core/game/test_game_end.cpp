// The end of a game: the texts by cards left, sounds and animations, and what is recorded
// in the player's file and the overall score file.
#include "records/record_file.h"
#include "records/score_rec.h"
#include "folder_fixture.h"

namespace korbo::test {
namespace {

using records::ScopedWriteFault;
using records::WriteStep;

// Records the calls into routines that other parts of the table own.
struct EndGame : Game {
    using Game::Game;
    std::vector<std::string> calls;
    std::deque<int> arriving;  // message types the remote's wait processes
    void StatsCk(int c, int d) override { calls.push_back("StatsCk " + std::to_string(c) + "," + std::to_string(d)); }
    void Peek() override { calls.push_back("Peek " + std::to_string(PeekFlag)); }
    void Scores_Net() override { calls.push_back("Scores_Net"); }
    void ProcessNext() override {
        if (arriving.empty()) {
            NetActive = false;
            return;
        }
        NetMsgType = arriving.front();
        arriving.pop_front();
        calls.push_back("ProcessNext " + std::to_string(NetMsgType));
    }
};

struct GameEndTest : FolderFixture {
    EndGame g{view, rnd, clock};
    std::string scoreFile;
    Bytes scoreBefore;

    void SetUp() override {
        FolderFixture::SetUp();
        g.BaseDir = dir.path();
        g.PlayerName = "Bob";
        g.SoundLevel = 1;
        for (int i = 1; i <= 15; ++i) g.Sounds[i] = "/snd/" + std::to_string(i) + ".wav";
        std::vector<Bytes> recs(18, ScoreBytes("", 0, 0, 0, 0));
        recs[0] = ScoreBytes(" 255", 10, 6, 12, 1);
        scoreFile = Path("score.ran");
        WriteBytes(scoreFile, ScoreFileBytes(recs));
        scoreBefore = ReadBytes(scoreFile);
    }
    void End(int playerLeft, int oppLeft) {
        g.PlayerSideCount = static_cast<int16_t>(playerLeft);
        g.OppSideCount = static_cast<int16_t>(oppLeft);
        g.Game_End();
    }
    void KnownPlayer(const std::string& name, const std::vector<Bytes>& recs) {
        g.PlayerNames = {"", name};
        g.PlayerCount = 1;
        WriteBytes(Path("users/" + name + ".sav"), ScoreFileBytes(recs));
    }
    static std::vector<Bytes> BlankRecords() { return std::vector<Bytes>(18, ScoreBytes("", 0, 0, 0, 0)); }
    bool Logged(const std::string& s) const { return std::find(view.log.begin(), view.log.end(), s) != view.log.end(); }
};

const std::string kWin = "That was your LAST CARD!\r\nOK, so you won!!!  ";

TEST_F(GameEndTest, TheRemarkFollowsTheCardsLeft) {
    struct Case { bool playerWon; int left; bool net; std::string text; } cases[] = {
        {true, 1, false, kWin + "You beat me by one card! I DEMAND a rematch!"},
        {true, 2, false, kWin + "Whew, that was close!\r\n(I had 2 cards left.)"},
        {true, 5, false, kWin + "Whew, that was close!\r\n(I had 5 cards left.)"},
        {true, 6, false, kWin + "\r\n(I had 6 cards left.)"},
        {true, 10, false, kWin + "\r\n(I had 10 cards left.)"},
        {true, 11, false, kWin + "I need more memory...\r\n(I had 11 cards left.)"},
        {true, 20, false, kWin + "I need more memory...\r\n(I had 20 cards left.)"},
        {true, 1, true, kWin + "You beat Ann by one card!"},
        {true, 3, true, kWin + "\r\n(Ann had 3 cards left.)"},
        {true, 11, true, kWin + "\r\n(Ann had 11 cards left.)"},
        {false, 1, false, "That was the last card, I WON the game! You ONLY had 1 card left! That was CLOSE!"},
        {false, 2, false, "That was the last card, I WON the game! That was pretty close!\r\nYou had 2 cards left!"},
        {false, 5, false, "That was the last card, I WON the game! That was pretty close!\r\nYou had 5 cards left!"},
        {false, 6, false, "That was the last card, I WON the game! \r\nYou had 6 cards left!"},
        {false, 11, false, "That was the last card, I WON the game! \r\nYou had 11 cards left!"},
        {false, 12, false, "That was the last card, I WON the game! Were you SLEEPING?\r\nYou had 12 cards left!"},
        {false, 1, true, "That was the last card, Ann WON the game! You ONLY had 1 card left! That was CLOSE!"},
        {false, 3, true, "That was the last card, Ann WON the game! \r\nYou had 3 cards left!"},
        {false, 12, true, "That was the last card, Ann WON the game! \r\nYou had 12 cards left!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        g.NetActive = c.net;
        g.NetRole = 1;
        g.OppName = c.net ? "Ann" : "Korbo";
        if (c.playerWon) End(0, c.left);
        else End(c.left, 0);
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), c.text);
    }
}

TEST_F(GameEndTest, NothingHappensWhileBothSidesHaveCards) {
    End(3, 4);
    EXPECT_TRUE(g.calls.empty());
    EXPECT_EQ(ReadBytes(scoreFile), scoreBefore);
    EXPECT_FALSE(fs::exists(Path("users/Bob.sav")));
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 1));
}

TEST_F(GameEndTest, TheWinnersRunIsClosedAndTheTurnIsKept) {
    g.Turn = TurnPlayer;
    End(0, 4);
    EXPECT_EQ(g.calls.at(0), "StatsCk 1,2");
    EXPECT_EQ(g.Turn, TurnPlayer);
    g.calls.clear();
    End(4, 0);
    EXPECT_EQ(g.calls.at(0), "StatsCk 3,4");
}

TEST_F(GameEndTest, ANewPlayersFileIsCreatedAndTheResultRecorded) {
    g.CompLevel = LevelClever;
    g.HelpUsed = true;
    g.RunStats[5] = {1, 2, 3, 4, 5, 6};
    End(0, 7);
    const Bytes file = ReadBytes(Path("users/Bob.sav"));
    ASSERT_EQ(file.size(), 18u * 28);
    const Bytes blank = ScoreBytes("", 0, 0, 0, 0);
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes("", 1, 1, 7, 0));
    EXPECT_EQ(Record(file, 28, 2), blank);
    EXPECT_EQ(Record(file, 28, 3), ScoreBytes("", 1, 1, 7, 0));       // level Clever
    EXPECT_EQ(Record(file, 28, 4), blank);
    EXPECT_EQ(Record(file, 28, 5), ScoreBytes("", 1, 1, 7, 0));       // an aid was used
    EXPECT_EQ(Record(file, 28, 6), ScoreBytes("Korbo", 1, 1, 7, 0));  // the built-in persona
    EXPECT_EQ(Record(file, 28, 14), ScoreBytes("", 1, 2, 3, 0));
    EXPECT_EQ(Record(file, 28, 15), ScoreBytes("", 4, 5, 6, 0));
    for (int r : {7, 8, 9, 10, 11, 12, 13, 16, 17, 18}) EXPECT_EQ(Record(file, 28, r), blank) << r;
    EXPECT_EQ(g.PlayerCount, 1);
    EXPECT_EQ(g.PlayerNames.at(1), "Bob");
    EXPECT_TRUE(g.PlayerChosen);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "Bob\r\nGames Won: 1\r\nGames Lost: 0");
    // The computer lost: played + 1, margin - its 7 cards.
    EXPECT_EQ(Record(ReadBytes(scoreFile), 28, 1), ScoreBytes(" 255", 11, 6, 5, 1));
}

// The player's file first (18 blank records for a new player, then the totals, the level,
// the aid, the persona and the run statistics), committed whole; then the computer's totals.
TEST_F(GameEndTest, TheResultsAreWrittenInTheirOrder) {
    std::vector<std::string> trace;
    records::ScopedPutTrace watch([&](const std::string& path, long n) {
        trace.push_back(fs::path(path).filename().string() + (n ? " " + std::to_string(n) : " on disk"));
    });
    g.CompLevel = LevelRuthless;
    g.HelpUsed = true;
    g.PeopleNames = {"Korbo", "Zed"};
    g.PersonIndex = 1;
    End(4, 0);
    std::vector<std::string> expected;
    auto bob = [&](long r) { expected.push_back("Bob.sav " + std::to_string(r)); };
    for (long r = 1; r <= 18; ++r) bob(r);  // the new player's blank file
    bob(1);                                 // overall totals
    bob(4);                                 // 2 + level Ruthless
    bob(5);                                 // an aid was used
    bob(7);                                 // the first free custom persona record
    for (long r = 2; r <= 7; ++r) bob(r);   // the player's best runs
    bob(14);                                // the opponent's best runs
    bob(15);
    expected.push_back("Bob.sav on disk");
    expected.push_back("score.ran 1");
    expected.push_back("score.ran on disk");
    EXPECT_EQ(trace, expected);
}

// With the real run statistics: records 2..7 carry both the totals and the best runs.
TEST_F(GameEndTest, TotalsAndBestRunsShareTheirRecords) {
    Game real{view, rnd, clock};
    real.BaseDir = dir.path();
    real.PlayerName = "Bob";
    real.SoundLevel = 2;
    real.CompLevel = LevelAverage;
    real.HelpUsed = true;
    real.RunStats[2] = {3, 2, 1, 4, 0, 1};  // the player's best turns of this game
    real.RunStats[4] = {1, 1, 1, 2, 0, 0};  // the opponent's
    real.PlayerSideCount = 0;
    real.OppSideCount = 9;
    real.Game_End();
    const Bytes file = ReadBytes(Path("users/Bob.sav"));
    ASSERT_EQ(file.size(), 18u * 28);
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes("", 1, 1, 9, 0));
    EXPECT_EQ(Record(file, 28, 2), ScoreBytes("", 1, 1, 9, 3));       // level Average; RunStats(0, 0)
    EXPECT_EQ(Record(file, 28, 3), ScoreBytes("", 0, 0, 0, 2));
    EXPECT_EQ(Record(file, 28, 4), ScoreBytes("", 0, 0, 0, 1));
    EXPECT_EQ(Record(file, 28, 5), ScoreBytes("", 1, 1, 9, 4));       // the aid; RunStats(0, 3)
    EXPECT_EQ(Record(file, 28, 6), ScoreBytes("Korbo", 1, 1, 9, 0));  // the persona; RunStats(0, 4)
    EXPECT_EQ(Record(file, 28, 7), ScoreBytes("", 0, 0, 0, 1));
    EXPECT_EQ(Record(file, 28, 14), ScoreBytes("", 1, 1, 1, 0));
    EXPECT_EQ(Record(file, 28, 15), ScoreBytes("", 2, 0, 0, 0));
    // The new best runs were announced.
    ASSERT_GE(view.boxes.size(), 2u);
    EXPECT_EQ(view.boxes[0].text, "New Stats Record - Best Run for Bob");
}

TEST_F(GameEndTest, AKnownPlayerIsFoundWithoutRegardToCaseAndBlanks) {
    auto recs = BlankRecords();
    recs[0] = ScoreBytes(" 99", 10, 4, -3, 2);
    recs[2] = ScoreBytes("lvl", 5, 1, 0, 8);
    recs[4] = ScoreBytes("aids", 3, 3, 3, 3);
    KnownPlayer("bob", recs);
    g.PlayerName = " BOB ";
    g.CompLevel = LevelAverage;
    g.HelpUsed = false;
    End(5, 0);
    const Bytes file = ReadBytes(Path("users/bob.sav"));
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes(" 99", 11, 4, -8, 2));
    EXPECT_EQ(Record(file, 28, 2), ScoreBytes("", 1, 0, -5, 0));
    EXPECT_EQ(Record(file, 28, 3), ScoreBytes("lvl", 5, 1, 0, 8));
    EXPECT_EQ(Record(file, 28, 5), ScoreBytes("aids", 3, 3, 3, 3));  // no aid: untouched
    EXPECT_EQ(g.PlayerCount, 1);
    EXPECT_FALSE(fs::exists(Path("users/BOB.sav")));
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), " BOB \r\nGames Won: 4\r\nGames Lost: 7");
    // The computer won: won + 1, margin + the player's 5.
    EXPECT_EQ(Record(ReadBytes(scoreFile), 28, 1), ScoreBytes(" 255", 11, 7, 17, 1));
}

TEST_F(GameEndTest, ThePersonaRecordIsFoundByNameThenFreeThenSix) {
    struct Case { std::vector<std::string> taken; int expected; } cases[] = {
        {{"", "Ann", "Zed", "", ""}, 9},         // its own record, even with 7 free
        {{"Ann", "", "Cat", "", ""}, 8},         // the first free one
        {{"A", "B", "C", "D", "E"}, 6},          // a seventh custom persona counts in record 6
        {{"  Zed  ", "", "", "", ""}, 7},        // names compare trimmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        auto recs = BlankRecords();
        for (int i = 0; i < 5; ++i) recs[static_cast<size_t>(6 + i)] = ScoreBytes(c.taken[i], 2, 1, 0, 0);
        KnownPlayer("Bob", recs);
        g.PeopleNames = {"Korbo", "Zed"};
        g.PersonIndex = 1;
        End(0, 3);
        const Bytes file = ReadBytes(Path("users/Bob.sav"));
        for (int r = 6; r <= 11; ++r) {
            const Bytes before = recs[static_cast<size_t>(r - 1)];
            if (r == c.expected) {
                EXPECT_EQ(GetLe16(Record(file, 28, r), 20), r == 6 ? 1 : 3) << r;
                EXPECT_EQ(records::TrimBlanks(records::DecodeText(Bytes(file.begin() + 28 * (r - 1),
                                                                       file.begin() + 28 * (r - 1) + 20))),
                          "Zed");
            } else {
                EXPECT_EQ(Record(file, 28, r), before) << r;
            }
        }
    }
}

TEST_F(GameEndTest, ANetworkGameWritesNoFileAndKeepsTheSession) {
    KnownPlayer("Bob", BlankRecords());
    const Bytes playerBefore = ReadBytes(Path("users/Bob.sav"));
    g.NetActive = true;
    g.NetRole = 1;
    g.OppName = "Ann";
    g.NetSession = {2, 1, 10, -4};
    End(0, 6);
    EXPECT_EQ(g.NetSession, (std::array<int16_t, 4>{3, 1, 16, -10}));
    EXPECT_EQ(view.Caption(Ctl::Label9, 2),
              "This NET session:\r\nBob won:\r\n 3  margin  16\r\nAnn won:\r\n 1  margin -10\r\n");
    EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), playerBefore);
    EXPECT_EQ(ReadBytes(scoreFile), scoreBefore);
    EXPECT_NE(std::find(g.calls.begin(), g.calls.end(), "Scores_Net"), g.calls.end());
    EXPECT_TRUE(view.menus[Menu::Stats]);
    EXPECT_TRUE(view.menus[Menu::OptionStuff]);

    End(2, 0);
    EXPECT_EQ(g.NetSession, (std::array<int16_t, 4>{3, 2, 14, -8}));
}

TEST_F(GameEndTest, TheRemoteWaitsForTheHostsNextGameOrTheEnd) {
    g.NetActive = true;
    g.NetRole = 0;
    g.arriving = {7, 9, 3, 8};
    End(0, 2);
    EXPECT_EQ(g.arriving.size(), 1u);  // stopped at GS
    EXPECT_EQ(view.doEvents, 2 + 0);
    g.arriving = {9, 6, 3};
    End(0, 2);
    EXPECT_EQ(g.arriving.size(), 1u);  // stopped at GO
}

TEST_F(GameEndTest, SoundsAndAnimationsFollowTheWinner) {
    struct Case { bool playerWon; int16_t level; bool noLose; std::vector<std::string> expected, absent; } cases[] = {
        {true, 0, false, {"PlayFile /snd/14.wav", "Sore_Loser"}, {"Flash"}},
        {true, 0, true, {"PlayFile /snd/14.wav"}, {"Sore_Loser", "Flash"}},
        {true, 1, false, {"Sore_Loser"}, {"PlayFile /snd/14.wav"}},
        {false, 0, false, {"PlayFile " + std::string() + "LOSER (wait)", "PlayFile /snd/13.wav", "Flash"},
         {"Sore_Loser"}},
        {false, 2, false, {"Flash"}, {"PlayFile /snd/13.wav"}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.playerWon) * 10 + c.level);
        view.log.clear();
        g.calls.clear();
        g.FlashShown = false;
        g.SoundLevel = c.level;
        g.NoLoseAnim = c.noLose;
        if (c.playerWon) End(0, 4);
        else End(4, 0);
        for (auto e : c.expected) {
            if (e.find("LOSER") != std::string::npos) e = "PlayFile " + Path("Sounds/loser.wav") + " (wait)";
            EXPECT_TRUE(Logged(e)) << e;
        }
        for (const auto& a : c.absent) EXPECT_FALSE(Logged(a)) << a;
        EXPECT_EQ(g.FlashShown, !c.playerWon);
        if (c.playerWon) {
            EXPECT_NE(std::find(g.calls.begin(), g.calls.end(), "Peek 1"), g.calls.end());
        }
    }
}

TEST_F(GameEndTest, TheMenusComeBackAndThePicturesStayOff) {
    for (int i = 1; i <= 10; ++i) view.enabled[{Ctl::Picture7, i}] = true;
    g.PlayerSlots.Set(3, {5, 5});
    g.AwaitingPlayer = true;
    g.NoComments = true;
    view.menus[Menu::Lang] = false;
    End(0, 3);
    EXPECT_FALSE(g.AwaitingPlayer);
    EXPECT_FALSE(view.Enabled(Ctl::Picture7, 3));
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 1));
    for (Menu m : {Menu::OptionStuff, Menu::Restore, Menu::New, Menu::mnuOpRules, Menu::Stats})
        EXPECT_TRUE(view.menus[m]) << static_cast<int>(m);
    EXPECT_FALSE(view.menus[Menu::Lang]);
    g.NoComments = false;
    End(0, 3);
    EXPECT_TRUE(view.menus[Menu::Lang]);
}

// --- failures --------------------------------------------------------------------------------

TEST_F(GameEndTest, AFailedWriteKeepsBothFilesAndIsReported) {
    auto recs = BlankRecords();
    recs[0] = ScoreBytes("", 4, 2, 1, 0);
    KnownPlayer("Bob", recs);
    const Bytes playerBefore = ReadBytes(Path("users/Bob.sav"));
    ScopedWriteFault fault([](WriteStep s, const std::string&) { return s == WriteStep::Write; });
    End(0, 3);
    EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), playerBefore);
    EXPECT_EQ(ReadBytes(scoreFile), scoreBefore);
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_NE(view.boxes[0].text.find("Bob.sav"), std::string::npos) << view.boxes[0].text;
    EXPECT_NE(view.boxes[1].text.find("score.ran"), std::string::npos) << view.boxes[1].text;
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "");  // no totals that are not on disk
    EXPECT_TRUE(view.menus[Menu::New]);
}

// The disk fills up while the results are written: both files keep what they held, both
// failures are told, and no totals are shown that are not on disk.
TEST_F(GameEndTest, AFullDiskKeepsBothFilesAndIsReported) {
    auto recs = BlankRecords();
    recs[0] = ScoreBytes("", 4, 2, 1, 0);
    KnownPlayer("Bob", recs);
    const Bytes playerBefore = ReadBytes(Path("users/Bob.sav"));
    {
        FullDisk disk(200);  // both files are 18 records of 28 bytes
        ASSERT_TRUE(disk.ok());
        End(0, 3);
    }
    EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), playerBefore);
    EXPECT_EQ(ReadBytes(scoreFile), scoreBefore);
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_NE(view.boxes[0].text.find("Bob.sav"), std::string::npos) << view.boxes[0].text;
    EXPECT_NE(view.boxes[1].text.find("score.ran"), std::string::npos) << view.boxes[1].text;
    for (const auto& box : view.boxes) EXPECT_NE(box.text.find("File too large"), std::string::npos) << box.text;
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "");
    EXPECT_EQ(FilesIn(dir / "users"), 1);
    EXPECT_EQ(FilesIn(dir.path()), 1);
}

TEST_F(GameEndTest, ANewPlayerWhoseFileCannotBeWrittenGetsNoFileAndNoListing) {
    ScopedWriteFault fault([](WriteStep s, const std::string& p) {
        return s == WriteStep::Rename && p.find("Bob.sav") != std::string::npos;
    });
    End(0, 3);
    EXPECT_FALSE(fs::exists(Path("users/Bob.sav")));
    EXPECT_EQ(g.PlayerCount, 0);
    EXPECT_FALSE(g.PlayerChosen);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(ReadBytes(scoreFile), scoreBefore);  // the other file is written all the same
}

TEST_F(GameEndTest, AnExistingFileMissingFromTheListIsNotBlanked) {
    auto recs = BlankRecords();
    recs[0] = ScoreBytes("", 30, 20, 10, 1);
    WriteBytes(Path("users/Bob.sav"), ScoreFileBytes(recs));
    g.PlayerCount = 0;
    End(0, 2);
    EXPECT_EQ(Record(ReadBytes(Path("users/Bob.sav")), 28, 1), ScoreBytes("", 31, 21, 12, 1));
}

TEST_F(GameEndTest, ATotalAtItsLimitIsRefusedAndItsFileKept) {
    auto recs = BlankRecords();
    recs[0] = ScoreBytes("", 32767, 2, 1, 0);
    KnownPlayer("Bob", recs);
    const Bytes playerBefore = ReadBytes(Path("users/Bob.sav"));
    End(0, 3);
    EXPECT_EQ(ReadBytes(Path("users/Bob.sav")), playerBefore);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("Overflow"), std::string::npos);
    EXPECT_EQ(Record(ReadBytes(scoreFile), 28, 1), ScoreBytes(" 255", 11, 6, 9, 1));
}

TEST_F(GameEndTest, ShortOddAndMissingFilesNeverStopTheGameEnd) {
    struct Case { const char* what; Bytes player; bool score; } cases[] = {
        {"odd length", Bytes(45, 'x'), true},
        {"empty", Bytes{}, true},
        {"one byte", Bytes{7}, true},
        {"no score file", ScoreFileBytes(BlankRecords()), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view.boxes.clear();
        g.PlayerNames = {"", "Bob"};
        g.PlayerCount = 1;
        WriteBytes(Path("users/Bob.sav"), c.player);
        if (!c.score) fs::remove(scoreFile);
        End(0, 3);
        const Bytes file = ReadBytes(Path("users/Bob.sav"));
        EXPECT_GE(file.size(), 15u * 28);
        EXPECT_EQ(GetLe16(file, 20) , c.player.size() >= 28 ? GetLe16(c.player, 20) + 1 : 1);
        EXPECT_EQ(view.boxes.size(), c.score ? 0u : 1u);
        EXPECT_FALSE(fs::exists(scoreFile) != c.score);  // never created
    }
}

TEST_F(GameEndTest, ANameThatIsNotAFileNameIsRefused) {
    for (std::string name : {"../escape", "a/b", "", "  "}) {
        SCOPED_TRACE(name);
        view.boxes.clear();
        g.PlayerName = name;
        End(0, 3);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_NE(view.boxes[0].text.find("cannot be used as a file name"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(dir / "escape.sav"));
    EXPECT_TRUE(fs::is_empty(dir / "users"));
}

}  // namespace
}  // namespace korbo::test
