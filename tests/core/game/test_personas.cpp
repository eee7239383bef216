// The computer opponent's personality: the comment and persona files listed, the COMMENTS
// menu built from them, and the comment lines, picture and name loaded for the current
// persona and comment set, from files that may be missing or cut short.
#include <functional>

#include "core/game/folder_fixture.h"
#include "fakes/file_traps.h"
#include "game/personas.h"

namespace korbo::test {
namespace {

// snack.ade by hand: record n holds "c0-n", "c1-n", "c2-n" in its three comment columns.
Bytes SnackFile(int records = 20) {
    Bytes b;
    for (int n = 1; n <= records; ++n) {
        Bytes r(250, ' ');
        Text(r, 0, "c0-" + std::to_string(n), 50);
        Text(r, 50, "c1-" + std::to_string(n), 50);
        Text(r, 100, "c2-" + std::to_string(n), 50);
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

// A persona file: comment i is prefix + i, the picture `picture`.
Bytes PersonaFile(const std::string& prefix, const std::string& picture) {
    Bytes r(5020, ' ');
    for (int i = 1; i <= 35; ++i) Text(r, 50 * static_cast<size_t>(i), prefix + std::to_string(i), 50);
    Text(r, 5000, picture, 20);
    return r;
}

Bytes CommentFile(const std::string& prefix) {
    Bytes b;
    for (int n = 1; n <= 20; ++n) {
        Bytes r(100, ' ');
        Text(r, 0, prefix + std::to_string(n), 100);
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

struct PersonasTest : FolderFixture {
    void SetUp() override {
        FolderFixture::SetUp();
        WriteBytes(Path("snack.ade"), SnackFile());
    }
    void List() {
        personas::ReadComments(game);
        personas::ReadPeople(game);
    }
};

TEST_F(PersonasTest, TheBuiltInPersonaReadsTheColumnOfItsCommentLevel) {
    struct Case {
        int chatterLevel;
        std::string slot1, slot20;
    } cases[] = {{0, "c0-1", "c0-20"}, {1, "c1-1", "c1-20"}};
    for (const Case& c : cases) {
        game.ChatterLevel = static_cast<int16_t>(c.chatterLevel);
        personas::ChangeComments(game);
        EXPECT_EQ(game.Comments[1], c.slot1);
        EXPECT_EQ(game.Comments[20], c.slot20);
        EXPECT_EQ(game.Comments[21], "c2-1");
        EXPECT_EQ(game.Comments[35], "c2-15");
        EXPECT_EQ(game.Comments[0], "");
        EXPECT_EQ(game.PersonaPicture, "Korbo.jpg");
    }
    ASSERT_FALSE(view.pictures.empty());
    EXPECT_EQ(view.pictures.back().second, Path("Avatars/Korbo.jpg"));
}

TEST_F(PersonasTest, ListsFollowTheFilesOfTheUsersFolder) {
    for (const char* f : {"Zed.cmt", "ahoy.CMT", "Mabel.pms", "Bo.PMS", "Ann.sav", "x.cm"}) WriteBytes(Path("users/") + f, {});
    fs::create_directories(Path("users/folder.cmt"));
    List();
    EXPECT_EQ(game.CommentFileCount, 2);
    EXPECT_EQ(game.CommentFiles, (std::vector<std::string>{"", "Zed", "ahoy"}));
    EXPECT_EQ(view.menuCaptions[std::pair(Menu::chatter, 2)], "Zed");
    EXPECT_EQ(view.menuCaptions[std::pair(Menu::chatter, 3)], "ahoy");
    EXPECT_EQ(view.menuCaptions.count(std::pair(Menu::chatter, 4)), 0u);
    EXPECT_EQ(game.PersonaFileCount, 2);
    EXPECT_EQ(game.PeopleNames, (std::vector<std::string>{"Korbo", "Bo", "Mabel"}));
}

TEST_F(PersonasTest, WithoutFilesOnlyTheStandardSetAndKorboRemain) {
    game.PersonIndex = 3;
    List();
    EXPECT_TRUE(view.menuCaptions.empty());
    EXPECT_EQ(game.CommentItems, (std::vector<std::string>{"", "Standard"}));
    EXPECT_EQ(game.PeopleNames, (std::vector<std::string>{"Korbo"}));
    EXPECT_EQ(game.PersonIndex, 0);
}

TEST_F(PersonasTest, ACustomPersonaWithACommentFile) {
    WriteBytes(Path("users/Mabel.pms"), PersonaFile("mabel ", "Mabel.jpg"));
    WriteBytes(Path("users/pirate.cmt"), CommentFile("arr "));
    List();
    game.PersonIndex = 1;
    game.ChatterLevel = 1;
    personas::ChangeComments(game);
    personas::ChangePerson(game);
    EXPECT_EQ(game.Comments[1], "mabel 1");
    EXPECT_EQ(game.Comments[35], "mabel 35");
    EXPECT_EQ(game.PersonaPicture, "Mabel.jpg");
    EXPECT_EQ(view.pictures.back().second, Path("Avatars/Mabel.jpg"));
    EXPECT_EQ(view.Caption(Ctl::Label9, 4), "Mabel");
    EXPECT_EQ(game.OppName, "Mabel");
    EXPECT_EQ(view.personaPicturesReloaded, 0);

    // The comment file replaces slots 1..20; 21..35 stay the persona's.
    personas::chatter_Click(game, 2);
    EXPECT_EQ(game.ChatterLevel, 2);
    EXPECT_TRUE(view.ItemChecked(Menu::chatter, 2));
    EXPECT_FALSE(view.ItemChecked(Menu::chatter, 1));
    EXPECT_EQ(game.Comments[1], "arr 1");
    EXPECT_EQ(game.Comments[20], "arr 20");
    EXPECT_EQ(game.Comments[21], "mabel 21");

    // Back to Korbo: his own lines, name and end-of-game pictures.
    game.PersonIndex = 0;
    personas::chatter_Click(game, 1);
    personas::ChangePerson(game);
    EXPECT_EQ(game.Comments[1], "c1-1");
    EXPECT_EQ(game.OppName, "Korbo");
    EXPECT_EQ(view.personaPicturesReloaded, 1);
}

TEST_F(PersonasTest, AnItemBeyondTheMenuIsRefused) {
    List();
    game.ChatterLevel = 1;
    personas::chatter_Click(game, 2);
    personas::chatter_Click(game, 0);
    personas::chatter_Click(game, -7);
    EXPECT_EQ(game.ChatterLevel, 1);
}

// A persona removed between runs: the index that named it falls back to Korbo.
TEST_F(PersonasTest, APersonIndexNamingNoPersonaFallsBackToKorbo) {
    WriteBytes(Path("users/Mabel.pms"), PersonaFile("mabel ", "Mabel.jpg"));
    List();
    for (int16_t index : {int16_t{2}, int16_t{-1}, int16_t{300}}) {
        game.PersonIndex = index;
        personas::ChangeComments(game);
        personas::ChangePerson(game);
        EXPECT_EQ(game.PersonIndex, 0);
        EXPECT_EQ(game.Comments[1], "c1-1");
        EXPECT_EQ(game.OppName, "Korbo");
    }
}

// Missing, cut-off or vanished files give blank lines and are never created or changed.
TEST_F(PersonasTest, MissingOrShortFilesGiveBlankLinesAndStayAsTheyAre) {
    const Bytes three = SnackFile(3);
    const Bytes shortSnack(three.begin(), three.begin() + 2 * 250 + 40);
    WriteBytes(Path("snack.ade"), shortSnack);
    WriteBytes(Path("users/Mabel.pms"), PersonaFile("mabel ", "Mabel.jpg"));
    WriteBytes(Path("users/pirate.cmt"), Bytes(150, 'x'));
    List();
    personas::ChangeComments(game);
    EXPECT_EQ(game.Comments[2], "c1-2");
    EXPECT_EQ(game.Comments[3], "");  // record 3 is cut off inside its first column
    EXPECT_EQ(game.Comments[22], "c2-2");
    EXPECT_EQ(game.Comments[23], "");
    EXPECT_EQ(ReadBytes(Path("snack.ade")), shortSnack);

    game.ChatterLevel = 2;
    personas::ChangeComments(game);
    EXPECT_EQ(game.Comments[1], std::string(100, 'x'));
    EXPECT_EQ(game.Comments[2], std::string(50, 'x'));  // the part the file holds
    EXPECT_EQ(game.Comments[3], "");
    EXPECT_EQ(ReadBytes(Path("users/pirate.cmt")), Bytes(150, 'x'));

    // The persona's file vanished: blank lines, and the avatar is left as it was.
    fs::remove(Path("users/Mabel.pms"));
    fs::remove(Path("snack.ade"));
    game.PersonIndex = 1;
    view.pictures.clear();
    personas::ChangeComments(game);
    EXPECT_EQ(game.Comments[21], "");
    EXPECT_TRUE(view.pictures.empty());
    EXPECT_FALSE(fs::exists(Path("users/Mabel.pms")));
    EXPECT_FALSE(fs::exists(Path("snack.ade")));
}

// A persona file that is there but cannot be read: the player is told once, Korbo plays for
// this run, and the stored choice stays, so that the persona comes back once its file is
// mended.
TEST_F(PersonasTest, AnUnreadablePersonaFileIsToldAndTheChoiceKept) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* reason;
    } cases[] = {
        {"a folder", [](const std::string& p) { fs::create_directories(p); }, "folder"},
        {"a pipe", [](const std::string& p) { MakeFifo(p); }, "not a plain file"},
        {"a link to a device", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, "not a plain file"},
        {"a file of 6 GB", [](const std::string& p) { MakeSparse(p, kSixGigabytes); }, "larger than 1 MiB"},
    };
    Bytes wav;
    for (int i = 1; i <= 15; ++i) {
        Bytes r(200, ' ');
        Text(r, 0, "korbo" + std::to_string(i) + ".wav", 100);
        wav.insert(wav.end(), r.begin(), r.end());
    }
    WriteBytes(Path("wav.ran"), wav);
    WriteBytes(Path("users/Ann.pms"), PersonaFile("ann ", "Ann.jpg"));
    const std::string mabel = Path("users/Mabel.pms");
    std::vector<Bytes> recs(18, ScoreBytes("", 0, 0, 0, 0));
    recs[16] = ScoreBytes("", 12, 0, 0, 2);  // record 17: PersonIndex 2, Mabel
    const std::string settings = Path("settings.ran");
    // A run of the program, started: the lists, the settings, then the comments and the name.
    auto start = [&](Game& g) {
        g.BaseDir = dir.path();
        g.FormLoading = true;
        personas::ReadComments(g);
        personas::ReadPeople(g);
        records::RecordFile f;
        ASSERT_TRUE(f.Open(settings, 28, records::RecordFile::Missing::Fail));
        g.ChangeSettings(f);
        ASSERT_TRUE(g.ChangeSettings2(f));
        f.Discard();
        g.FormLoading = false;
        personas::ChangeComments(g);
        personas::ChangePerson(g);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(mabel);
        c.make(mabel);
        WriteBytes(settings, ScoreFileBytes(recs));
        view.boxes.clear();
        Game run{view, rnd, clock};
        start(run);
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_NE(view.boxes[0].text.find("Mabel.pms"), std::string::npos) << view.boxes[0].text;
        EXPECT_NE(view.boxes[0].text.find(c.reason), std::string::npos) << view.boxes[0].text;
        EXPECT_NE(view.boxes[0].text.find("Korbo plays in place of Mabel"), std::string::npos) << view.boxes[0].text;
        EXPECT_EQ(run.PeopleNames, (std::vector<std::string>{"Korbo", "Ann", "Mabel"}));
        EXPECT_EQ(run.PersonIndex, 0);
        EXPECT_EQ(run.OppName, "Korbo");
        EXPECT_EQ(run.Comments[1], "c1-1");
        EXPECT_EQ(run.Sounds[1], Path("Sounds/korbo1.wav"));
        // The comments loaded again (a COMMENTS item chosen) tell nothing new.
        personas::chatter_Click(run, 1);
        EXPECT_EQ(view.boxes.size(), 1u);

        // The exit stores the choice as it was.
        records::RecordFile out;
        ASSERT_TRUE(out.Open(settings, 28, records::RecordFile::Missing::Fail));
        run.SaveSettings(out);
        ASSERT_TRUE(out.Close());
        EXPECT_EQ(GetLe16(Record(ReadBytes(settings), 28, 17), 26), 2);
    }

    // Mended, the persona is back at the next start.
    fs::remove_all(mabel);
    WriteBytes(mabel, PersonaFile("mabel ", "Mabel.jpg"));
    view.boxes.clear();
    Game mended{view, rnd, clock};
    start(mended);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(mended.PersonIndex, 2);
    EXPECT_EQ(mended.OppName, "Mabel");
    EXPECT_EQ(mended.Comments[1], "mabel 1");
}

// Choosing an unreadable persona in the preferences gives Korbo too; choosing Korbo after a
// readable persona stores Korbo.
TEST_F(PersonasTest, AChosenPersonaThatCannotBeReadGivesKorboAndTheChoiceFollowsThePlayer) {
    WriteBytes(Path("users/Ann.pms"), PersonaFile("ann ", "Ann.jpg"));
    fs::create_directories(Path("users/Mabel.pms"));
    List();
    auto storedChoice = [&] {
        const std::string p = Path("settings.ran");
        records::RecordFile f;
        EXPECT_TRUE(f.Open(p, 28));
        game.SaveSettings(f);
        EXPECT_TRUE(f.Close());
        return GetLe16(Record(ReadBytes(p), 28, 17), 26);
    };
    game.PersonIndex = 2;
    personas::ChangeComments(game);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(game.PersonIndex, 0);
    EXPECT_EQ(storedChoice(), 2);
    game.PersonIndex = 1;
    personas::ChangeComments(game);
    EXPECT_EQ(game.Comments[1], "ann 1");
    EXPECT_EQ(storedChoice(), 1);
    game.PersonIndex = 0;
    personas::ChangeComments(game);
    EXPECT_EQ(storedChoice(), 0);
    EXPECT_EQ(view.boxes.size(), 1u);
}

// The comment files are read the same way: one that is there but cannot be read is told of
// once; its lines stay blank. A missing one says nothing.
TEST_F(PersonasTest, AnUnreadableCommentFileIsToldOnce) {
    fs::remove(Path("snack.ade"));
    fs::create_directories(Path("snack.ade"));
    MakeSparse(Path("users/pirate.cmt"), kSixGigabytes);
    List();
    for (int round = 0; round < 2; ++round) {
        game.ChatterLevel = 1;
        personas::ChangeComments(game);
        personas::chatter_Click(game, 2);
    }
    ASSERT_EQ(view.boxes.size(), 2u);
    EXPECT_NE(view.boxes[0].text.find("snack.ade is a folder"), std::string::npos) << view.boxes[0].text;
    EXPECT_NE(view.boxes[1].text.find("pirate.cmt is larger than 1 MiB"), std::string::npos) << view.boxes[1].text;
    EXPECT_EQ(game.Comments[1], "");
    EXPECT_EQ(game.Comments[21], "");

    fs::remove_all(Path("snack.ade"));
    fs::remove(Path("users/pirate.cmt"));
    view.boxes.clear();
    personas::ChangeComments(game);
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(PersonasTest, CommentsSwitchedOffKeepOnlyTheLastLine) {
    game.NoComments = true;
    personas::ChangeComments(game);
    for (int i = 1; i <= 34; ++i) EXPECT_EQ(game.Comments[static_cast<size_t>(i)], "") << i;
    EXPECT_EQ(game.Comments[35], "c2-15");
    EXPECT_FALSE(view.menus[Menu::Lang]);
}

TEST_F(PersonasTest, ThePlayersOwnAvatarComesFirstWhenItExists) {
    fs::create_directories(Path("Avatars"));
    WriteBytes(Path("Avatars/me.png"), {1, 2, 3});
    game.AvatarFile = "me.png";
    personas::ChangeComments(game);
    EXPECT_EQ(view.pictures.back().second, Path("Avatars/me.png"));
    game.AvatarFile = "gone.png";
    personas::ChangeComments(game);
    EXPECT_EQ(view.pictures.back().second, Path("Avatars/Korbo.jpg"));
}

TEST_F(PersonasTest, ChatPhrasesFollowTheLinesInANetworkGame) {
    personas::ChangeComments(game);
    EXPECT_TRUE(view.chatPhrases.empty());
    game.NetActive = true;
    personas::ChangeComments(game);
    ASSERT_EQ(view.chatPhrases.size(), 20u);
    EXPECT_EQ(view.chatPhrases[1], "c1-1");
    EXPECT_EQ(view.chatPhrases[20], "c1-20");
}

}  // namespace
}  // namespace korbo::test
