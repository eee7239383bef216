// Choosing the player: the refusals, a listed name found whatever its letter case, the
// previous player's file written back only after a deal, a known player's settings loaded
// only when the player changes, and a new player keeping the settings in use.
#include <sys/stat.h>

#include "core/game/folder_fixture.h"
#include "game/player_selection.h"
#include "game/startup.h"

namespace korbo::test {
namespace {

using players::Outcome;

// A player file of 18 records: level, speed and the opponent's best runs told apart.
Bytes PlayerFile(int compLevel, int speedIndex, int bestRun) {
    std::vector<Bytes> recs(18, ScoreBytes("", 0, 0, 0, 0));
    recs[0] = ScoreBytes(" 255", 3, 1, 4, compLevel);
    recs[12] = ScoreBytes("", 0, speedIndex, 0, 1);
    recs[13] = ScoreBytes("", bestRun, bestRun + 1, bestRun + 2, 0);
    recs[14] = ScoreBytes("", bestRun + 3, bestRun + 4, bestRun + 5, 0);
    return ScoreFileBytes(recs);
}

struct PlayerSelectionTest : FolderFixture {
    void SetUp() override {
        FolderFixture::SetUp();
        std::vector<Bytes> wav;
        for (int i = 1; i <= 15; ++i) {
            Bytes r(200, ' ');
            Text(r, 0, "s" + std::to_string(i) + ".wav", 100);
            wav.push_back(r);
        }
        WriteBytes(Path("wav.ran"), ScoreFileBytes(wav));
        WriteBytes(Path("users/Anna.sav"), PlayerFile(2, 4, 10));
        WriteBytes(Path("users/Bob.sav"), PlayerFile(1, 0, 20));
        WriteBytes(Path("users/Dr.Who.sav"), PlayerFile(0, 5, 30));
        startup::Get_Players(game);
        // Anna is at the table, her settings applied, no game dealt yet.
        game.LastPlayerName = "Anna";
        game.PlayerName = "Anna";
        game.PlayerChosen = true;
        game.CompLevel = 2;
        game.SpeedIndex = 4;
        view.visible[{Ctl::Command2, 0}] = true;
    }
    Bytes File(const std::string& player) { return ReadBytes(Path("users/" + player + ".sav")); }
};

TEST_F(PlayerSelectionTest, RefusedNamesChangeNothing) {
    struct Case {
        const char* typed;
        const char* title;
        const char* text;
        Outcome outcome;
    };
    const Case cases[] = {
        {"  korbo ", players::kImpersonatorTitle, players::kKorboText, Outcome::StayCleared},
        {"KoRbO", players::kImpersonatorTitle, players::kKorboText, Outcome::StayCleared},
        {" Dunmir", players::kImpersonatorTitle, players::kDunmirText, Outcome::StayCleared},
        {"", players::kUnknownTitle, players::kUnknownText, Outcome::Stay},
        {"    ", players::kUnknownTitle, players::kUnknownText, Outcome::Stay},
        {"Mr. Smith", players::kWarningTitle, players::kWarningText, Outcome::Stay},
        {"say \"hi\"", players::kWarningTitle, players::kWarningText, Outcome::Stay},
        {"../Anna", players::kWarningTitle, players::kWarningText, Outcome::Stay},
        {"why?", players::kWarningTitle, players::kWarningText, Outcome::Stay},
    };
    const Bytes anna = File("Anna");
    for (const auto& c : cases) {
        view.boxes.clear();
        EXPECT_EQ(players::Confirm(game, c.typed), c.outcome) << c.typed;
        ASSERT_EQ(view.boxes.size(), 1u) << c.typed;
        EXPECT_EQ(view.boxes[0].title, c.title) << c.typed;
        EXPECT_EQ(view.boxes[0].text, c.text) << c.typed;
        EXPECT_EQ(view.boxes[0].buttons, mb::Exclamation | mb::OKOnly);
        EXPECT_EQ(game.LastPlayerName, "Anna") << c.typed;
        EXPECT_EQ(game.CompLevel, 2) << c.typed;
    }
    EXPECT_EQ(File("Anna"), anna);
    EXPECT_EQ(FilesIn(dir / "users"), 3);
    EXPECT_EQ(view.Caption(Ctl::Label9, 3), "");
}

TEST_F(PlayerSelectionTest, TheReservedNameWithADigitIsANewPlayer) {
    game.RunStats[5] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(players::Confirm(game, " korbo1 "), Outcome::Confirmed);
    EXPECT_EQ(game.PlayerName, "korbo1");
    EXPECT_EQ(game.LastPlayerName, "korbo1");
    EXPECT_FALSE(game.PlayerChosen);
    // A new player keeps the settings in use and starts without the opponent's runs.
    EXPECT_EQ(game.CompLevel, 2);
    EXPECT_EQ(game.SpeedIndex, 4);
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{}));
    EXPECT_EQ(view.Caption(Ctl::Label9, 3), "korbo1");
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(FilesIn(dir / "users"), 3);  // the file comes with the first finished game
}

TEST_F(PlayerSelectionTest, AListedNameTypedInOtherLettersIsThatPlayer) {
    EXPECT_EQ(players::Confirm(game, "  bOB "), Outcome::Confirmed);
    EXPECT_EQ(game.PlayerName, "Bob");
    EXPECT_EQ(game.LastPlayerName, "Bob");
    EXPECT_TRUE(game.PlayerChosen);
    EXPECT_EQ(view.Caption(Ctl::Label9, 3), "Bob");
    // Bob's settings and best runs.
    EXPECT_EQ(game.CompLevel, 1);
    EXPECT_EQ(game.SpeedIndex, 0);
    EXPECT_DOUBLE_EQ(game.TempoDelay, 0.9);
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{20, 21, 22, 23, 24, 25}));
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(PlayerSelectionTest, AListedNameIsNotCheckedForCharacters) {
    EXPECT_EQ(players::Confirm(game, "DR.WHO"), Outcome::Confirmed);
    EXPECT_EQ(game.PlayerName, "Dr.Who");
    EXPECT_TRUE(game.PlayerChosen);
    EXPECT_EQ(game.SpeedIndex, 5);
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(PlayerSelectionTest, ReconfirmingThePlayerReloadsOnlyTheBestRuns) {
    const std::string path = Path("users/Anna.sav");
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const Bytes anna = File("Anna");
    view.visible[{Ctl::Command2, 0}] = false;  // even after a deal
    game.SpeedIndex = 1;                        // a setting changed since Anna's file was read
    game.RunStats[5].fill(0);
    EXPECT_EQ(players::Confirm(game, "anna"), Outcome::Confirmed);
    EXPECT_EQ(game.SpeedIndex, 1);
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(File("Anna"), anna);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
}

TEST_F(PlayerSelectionTest, AfterADealThePreviousPlayersFileIsWrittenBack) {
    view.visible[{Ctl::Command2, 0}] = false;
    game.SpeedIndex = 3;  // Anna sped Korbo up during her game
    ASSERT_EQ(players::Confirm(game, "Bob"), Outcome::Confirmed);
    const Bytes anna = File("Anna");
    EXPECT_EQ(GetLe16(Record(anna, 28, 13), 22), 3);            // record 13 Won: SpeedIndex
    EXPECT_EQ(GetLe16(Record(anna, 28, 1), 26), 2);             // record 1 Extra: CompLevel
    EXPECT_EQ(game.SpeedIndex, 0);  // then Bob's own
}

TEST_F(PlayerSelectionTest, BeforeADealOrWithoutAFileNothingIsWrittenBack) {
    const Bytes anna = File("Anna");
    ASSERT_EQ(players::Confirm(game, "Bob"), Outcome::Confirmed);
    EXPECT_EQ(File("Anna"), anna);

    // A new player has no file to write back, dealt or not.
    view.visible[{Ctl::Command2, 0}] = false;
    ASSERT_EQ(players::Confirm(game, "Carol"), Outcome::Confirmed);
    ASSERT_EQ(players::Confirm(game, "Anna"), Outcome::Confirmed);
    EXPECT_FALSE(fs::exists(Path("users/Carol.sav")));
    EXPECT_EQ(FilesIn(dir / "users"), 3);
}

TEST_F(PlayerSelectionTest, AVanishedPlayerFileIsToldAndTheChoiceGoesOn) {
    fs::remove(Path("users/Bob.sav"));
    EXPECT_EQ(players::Confirm(game, "Bob"), Outcome::Confirmed);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("Bob.sav"), std::string::npos);
    EXPECT_EQ(game.PlayerName, "Bob");
    EXPECT_FALSE(fs::exists(Path("users/Bob.sav")));
}

TEST_F(PlayerSelectionTest, TheListOffersTheCurrentPlayerFirstAndEachOtherOnce) {
    EXPECT_EQ(players::WelcomeList(game), (std::vector<std::string>{"Anna", "Bob", "Dr.Who", ""}));
    game.PlayerName.clear();
    game.LastPlayerName = "  Bob   ";
    EXPECT_EQ(players::WelcomeList(game), (std::vector<std::string>{"Bob", "Anna", "Dr.Who", ""}));
    EXPECT_EQ(game.PlayerName, "Bob");
    game.PlayerName = "Zed";
    EXPECT_EQ(players::WelcomeList(game), (std::vector<std::string>{"Zed", "Anna", "Bob", "Dr.Who", ""}));
}

}  // namespace
}  // namespace korbo::test
