// The score record and the settings records: their bytes, the reading rules applied when a
// settings file is loaded, and storing the settings back.
#include "records/score_rec.h"
#include "folder_fixture.h"

namespace korbo::test {
namespace {

using records::RecordFile;
using records::ScoreRec;

TEST(ScoreRecord, BytesFollowTheFieldTable) {
    ScoreRec r{"Bob", 12, -3, 300, 2};
    const Bytes golden = ScoreBytes("Bob", 12, -3, 300, 2);
    auto bytes = records::EncodeScoreRec(r);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), golden);
    ScoreRec back = records::DecodeScoreRec(golden);
    EXPECT_EQ(back.Name, "Bob" + std::string(17, ' '));
    EXPECT_EQ(back.Played, 12);
    EXPECT_EQ(back.Won, -3);
    EXPECT_EQ(back.Margin, 300);
    EXPECT_EQ(back.Extra, 2);
    // A short record reads as if padded with zeros.
    ScoreRec shortRec = records::DecodeScoreRec(Bytes{'A', 'B'});
    EXPECT_EQ(shortRec.Name, "AB" + std::string(18, ' '));
    EXPECT_EQ(shortRec.Extra, 0);
}

struct SettingsTest : FolderFixture {
    // A settings file made of the given records (numbered from 1, the rest blank).
    std::string MakeFile(const std::map<long, Bytes>& recs, long count = 18) {
        std::vector<Bytes> all;
        for (long n = 1; n <= count; ++n) {
            auto it = recs.find(n);
            all.push_back(it == recs.end() ? ScoreBytes("", 0, 0, 0, 0) : it->second);
        }
        std::string p = Path("settings.ran");
        WriteBytes(p, ScoreFileBytes(all));
        return p;
    }
    void Load(const std::string& path, bool starting = true) {
        game.FormLoading = starting;
        RecordFile f;
        ASSERT_TRUE(f.Open(path, 28, RecordFile::Missing::Fail));
        game.ChangeSettings(f);
        ASSERT_TRUE(game.ChangeSettings2(f));
        ASSERT_TRUE(f.Close());
    }
    void MakeWavRan() {
        std::vector<Bytes> recs;
        for (int i = 1; i <= 15; ++i) {
            Bytes r(200, ' ');
            Text(r, 0, "default" + std::to_string(i) + ".wav", 100);
            Text(r, 100, i == 3 ? "C:\\mine\\win.wav" : "custom" + std::to_string(i) + ".wav", 100);
            recs.push_back(r);
        }
        WriteBytes(Path("wav.ran"), ScoreFileBytes(recs));
    }
};

TEST_F(SettingsTest, ABlankFileLoadsEveryDefault) {
    MakeWavRan();
    game.CompLevel = 2;
    game.AutoSave = false;
    Load(MakeFile({}));
    EXPECT_EQ(game.CardStyle, 6);
    EXPECT_EQ(game.SideSize, 19);
    EXPECT_EQ(game.WalkSteps, 45);
    EXPECT_EQ(game.ChatterLevel, 1);
    EXPECT_EQ(game.CommentFontSize, 12);
    EXPECT_EQ(game.DeckColor, 0xC0E0FF);
    EXPECT_EQ(game.MatColor, 0);
    EXPECT_EQ(game.FontColor, 0);
    EXPECT_EQ(game.CompLevel, 0);
    EXPECT_EQ(game.SoundScheme, 0);
    EXPECT_EQ(game.PersonIndex, 0);
    EXPECT_FALSE(game.NoWildAce);
    EXPECT_FALSE(game.AutoSave);
    EXPECT_EQ((view.menuCaptions[{Menu::LevelIndicator, 0}]), std::string(20, ' ') + "Level: Average");
    EXPECT_TRUE(view.ItemChecked(Menu::Level, 0));
    EXPECT_TRUE(view.ItemChecked(Menu::chatter, 1));
    EXPECT_TRUE(view.ItemChecked(Menu::Noises, 0));
    EXPECT_EQ(game.Sounds[1], Path("Sounds/default1.wav"));
}

// A settings file that is empty, cut off inside a record or short of the later records
// loads what it holds and the defaults for the rest; saving into it leaves it whole.
TEST_F(SettingsTest, ShortAndOddLengthFilesLoadTheirDefaults) {
    MakeWavRan();
    view.menuItemCounts[Menu::chatter] = 3;
    Bytes first13 = ScoreFileBytes(std::vector<Bytes>(13, ScoreBytes("", 0, 0, 0, 0)));
    const Bytes r13 = ScoreBytes("Ann", 0, 0, 0, 2);
    std::copy(r13.begin(), r13.end(), first13.begin() + 12 * 28);
    Bytes cut = ScoreBytes(" 255", 1, 1, 1, 2);
    cut.resize(23);  // record 1 cut off in the middle of Won
    struct Case { const char* what; Bytes bytes; int16_t level; long font; int16_t chatter; } cases[] = {
        {"empty", {}, 0, 0, 1},
        {"odd length", cut, 0, 255, 1},
        {"thirteen records", first13, 0, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string p = Path("settings.ran");
        WriteBytes(p, c.bytes);
        game.CompLevel = 2;
        Load(p);
        EXPECT_EQ(game.CompLevel, c.level);
        EXPECT_EQ(game.FontColor, c.font);
        EXPECT_EQ(game.ChatterLevel, c.chatter);
        EXPECT_EQ(game.CardStyle, 6);
        EXPECT_EQ(game.SideSize, 19);
        EXPECT_EQ(game.WalkSteps, 45);
        EXPECT_EQ(game.CommentFontSize, 12);
        EXPECT_EQ(game.DeckColor, 0xC0E0FF);
        // Storing the settings gives a file of whole records again.
        RecordFile f;
        ASSERT_TRUE(f.Open(p, 28));
        game.SaveSettings(f);
        ASSERT_TRUE(f.Close());
        EXPECT_EQ(ReadBytes(p).size(), 18u * 28);
        EXPECT_EQ(Record(ReadBytes(p), 28, 16).at(0), ' ');
    }
}

// One settings record written out in full, byte by byte: the deck colour as text.
TEST_F(SettingsTest, AColourIsStoredAsBlankDigitsAndPadding) {
    auto p = MakeFile({});
    game.DeckColor = 0xC0E0FF;  // 12640511
    game.DeckChoice = 3;
    game.AutoSave = false;
    view.CheckMenu(Menu::WildStats, true);
    view.CheckMenu(Menu::Avatar, true);
    RecordFile f;
    ASSERT_TRUE(f.Open(p, 28));
    game.SaveSettings(f);
    ASSERT_TRUE(f.Close());
    const Bytes golden = {' ', '1', '2', '6', '4', '0', '5', '1', '1', ' ', ' ', ' ', ' ', ' ',
                          ' ', ' ', ' ', ' ', ' ', ' ', 3,   0,   1,   0,   1,   0,   0,   0};
    EXPECT_EQ(Record(ReadBytes(p), 28, 16), golden);
    game.MatColor = -16777216;
    ASSERT_TRUE(f.Open(p, 28));
    game.SaveSettings(f);
    ASSERT_TRUE(f.Close());
    const Bytes mat = Record(ReadBytes(p), 28, 17);
    EXPECT_EQ(std::string(mat.begin(), mat.begin() + 20), "-16777216           ");
}

TEST_F(SettingsTest, FewScreenColoursGiveTheOtherDefaultDeckColour) {
    MakeWavRan();
    game.ColorBits = 8;
    Load(MakeFile({}));
    EXPECT_EQ(game.DeckColor, 0xC0FFFF);
}

TEST_F(SettingsTest, StoredValuesLoadIntoTheirVariables) {
    MakeWavRan();
    auto p = MakeFile({
        {1, ScoreBytes(" 255", 40, 20, -7, 1)},
        {12, ScoreBytes("face.jpg", -1, -1, 1, 3)},
        {13, ScoreBytes("Bob", 4, 3, 1, 2)},
        {16, ScoreBytes(" 4227072", 2, 1, 1, 1)},
        {17, ScoreBytes(" 32768", 14, -1, -1, 0)},
        {18, ScoreBytes(" 120", 25, 3, -1, -1)},
    });
    view.menuItemCounts[Menu::chatter] = 3;
    Load(p);
    EXPECT_EQ(game.FontColor, 255);
    EXPECT_EQ(game.CompLevel, 1);
    EXPECT_EQ((view.menuCaptions[{Menu::LevelIndicator, 0}]), std::string(20, ' ') + "Level: Clever");
    EXPECT_EQ(game.AvatarFile, "face.jpg");
    EXPECT_TRUE(game.NoLoseAnim);
    EXPECT_TRUE(game.MatColorOn);
    EXPECT_EQ(game.SoundScheme, 1);
    EXPECT_EQ(game.CardStyle, 3);
    EXPECT_EQ(game.LastPlayerName, "Bob" + std::string(17, ' '));
    EXPECT_EQ(game.BackChoice, 4);
    EXPECT_EQ(game.SpeedIndex, 3);
    EXPECT_EQ(game.SoundLevel, 1);
    EXPECT_EQ(game.ChatterLevel, 2);
    EXPECT_EQ(game.DeckColor, 4227072);
    EXPECT_EQ(game.DeckChoice, 2);
    EXPECT_TRUE(view.MenuChecked(Menu::WildStats));
    EXPECT_TRUE(view.Visible(Ctl::StatusBar1, 0));
    EXPECT_TRUE(view.MenuChecked(Menu::Avatar));
    EXPECT_TRUE(view.Visible(Ctl::ImgAvatar, 0));
    EXPECT_TRUE(game.AutoSave);
    EXPECT_EQ(game.MatColor, 32768);
    EXPECT_EQ(view.tableBackColor, 32768);
    EXPECT_EQ((view.backStyle[{Ctl::Label9, 2}]), 1);
    EXPECT_EQ((view.backColor[{Ctl::Label9, 2}]), 32768);
    EXPECT_EQ(game.CommentFontSize, 14);
    EXPECT_TRUE(game.NoWinAnim);
    EXPECT_TRUE(game.NoComments);
    EXPECT_FALSE(view.menus[Menu::Lang]);
    EXPECT_EQ(game.WalkSteps, 120);
    EXPECT_EQ(game.SideSize, 25);
    EXPECT_EQ(game.ForcedRule, 3);
    EXPECT_TRUE(game.ShuffleApart);
    EXPECT_TRUE(game.NoWildAce);
    // The custom column of the built-in scheme; a name with a drive is kept whole.
    EXPECT_EQ(game.Sounds[1], Path("Sounds/custom1.wav"));
    EXPECT_EQ(game.Sounds[3], "C:\\mine\\win.wav");
    EXPECT_EQ(game.Sounds[15], Path("Sounds/custom15.wav"));
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "LoadCardFaceSet 3"), view.log.end());
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "SetCardBack 2 0"), view.log.end());
}

// Values out of their range read by the documented rules; none of them may index past a
// menu or an array.
TEST_F(SettingsTest, OutOfRangeValuesReadByTheirRules) {
    MakeWavRan();
    struct Case { const char* what; long rec; Bytes bytes; std::function<void(Game&)> check; } cases[] = {
        {"scheme 5", 12, ScoreBytes("", 0, 0, 5, 0), [](Game& g) { EXPECT_EQ(g.SoundScheme, 0); }},
        {"scheme -1", 12, ScoreBytes("", 0, 0, -1, 0), [](Game& g) { EXPECT_EQ(g.SoundScheme, 0); }},
        {"card style 9", 12, ScoreBytes("", 0, 0, 0, 9), [](Game& g) { EXPECT_EQ(g.CardStyle, 6); }},
        {"chatter 0", 13, ScoreBytes("", 0, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.ChatterLevel, 1); }},
        {"chatter 7", 13, ScoreBytes("", 0, 0, 0, 7), [](Game& g) { EXPECT_EQ(g.ChatterLevel, 1); }},
        {"sound level 9", 13, ScoreBytes("", 0, 0, 9, 1), [](Game& g) { EXPECT_EQ(g.SoundLevel, 0); }},
        {"background -4", 13, ScoreBytes("", -4, 0, 0, 1), [](Game& g) { EXPECT_EQ(g.BackChoice, 0); }},
        {"speed 9 kept", 13, ScoreBytes("", 0, 9, 0, 1), [](Game& g) { EXPECT_EQ(g.SpeedIndex, 9); }},
        {"level 7", 1, ScoreBytes("", 0, 0, 0, 7), [](Game& g) { EXPECT_EQ(g.CompLevel, 0); }},
        {"deck 6", 16, ScoreBytes("", 6, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.DeckChoice, 0); }},
        {"font 0", 17, ScoreBytes("", 0, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.CommentFontSize, 12); }},
        {"font 999", 17, ScoreBytes("", 999, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.CommentFontSize, 12); }},
        {"persona 3 of 0", 17, ScoreBytes("", 0, 0, 0, 3), [](Game& g) { EXPECT_EQ(g.PersonIndex, 0); }},
        {"steps -5", 18, ScoreBytes("-5", 0, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.WalkSteps, 45); }},
        {"steps 30000", 18, ScoreBytes(" 30000", 0, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.WalkSteps, 45); }},
        {"steps text", 18, ScoreBytes("fast", 0, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.WalkSteps, 45); }},
        {"side 30", 18, ScoreBytes("", 30, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.SideSize, 19); }},
        {"side -2", 18, ScoreBytes("", -2, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.SideSize, 19); }},
        {"side 9", 18, ScoreBytes("", 9, 0, 0, 0), [](Game& g) { EXPECT_EQ(g.SideSize, 9); }},
        {"forced visible cards alone", 18, ScoreBytes("", 0, 4, 0, 0), [](Game& g) { EXPECT_EQ(g.ForcedRule, 0); }},
        {"forced Two (V) kept", 18, ScoreBytes("", 0, 6, 0, 0), [](Game& g) { EXPECT_EQ(g.ForcedRule, 6); }},
        {"colour beyond 32 bits", 16, ScoreBytes(" 99999999999", 0, 0, 0, 0),
         [](Game& g) { EXPECT_EQ(g.DeckColor, INT32_MAX); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load(MakeFile({{c.rec, c.bytes}}));
        c.check(game);
    }
}

TEST_F(SettingsTest, AnAutoSaveOfZeroDoesNotSwitchItOff) {
    MakeWavRan();
    game.AutoSave = true;
    Load(MakeFile({{16, ScoreBytes("", 0, 0, 0, 0)}}));
    EXPECT_TRUE(game.AutoSave);
}

TEST_F(SettingsTest, APlayerSwitchMovesTheMenuTicksAndHoldsThePersonaAside) {
    MakeWavRan();
    game.CompLevel = 2;
    game.SoundLevel = 1;
    game.ChatterLevel = 1;
    game.FormLoading = false;
    game.LastPlayerName = "Ann";
    auto p = MakeFile({{1, ScoreBytes("", 0, 0, 0, 0)}, {13, ScoreBytes("Bob", 0, 0, 2, 1)}});
    RecordFile f;
    ASSERT_TRUE(f.Open(p, 28));
    game.ChangeSettings(f);
    EXPECT_FALSE(view.ItemChecked(Menu::Level, 2));
    EXPECT_TRUE(view.ItemChecked(Menu::Level, 0));
    EXPECT_FALSE(view.ItemChecked(Menu::Noises, 1));
    EXPECT_TRUE(view.ItemChecked(Menu::Noises, 2));
    EXPECT_EQ(game.LastPlayerName, "Ann");  // only the start-up takes the stored name
}

TEST_F(SettingsTest, SwitchingToTheSamePersonaAndSchemeKeepsTheSoundsWithoutAnySoundFile) {
    // No wav.ran at all: the table must not be touched.
    game.Sounds[4] = "/keep/me.wav";
    game.FormLoading = false;
    game.PersonIndex = 0;
    game.SoundScheme = 1;
    RecordFile f;
    ASSERT_TRUE(f.Open(MakeFile({{12, ScoreBytes("", 0, 0, 1, 1)}}), 28));
    game.ChangeSettings(f);
    EXPECT_EQ(game.SoundScheme, 1);  // held aside, unchanged
    EXPECT_TRUE(game.ChangeSettings2(f));
    EXPECT_EQ(game.Sounds[4], "/keep/me.wav");
}

TEST_F(SettingsTest, APlayerSwitchToAnotherSchemeReloadsTheSounds) {
    MakeWavRan();
    game.FormLoading = false;
    game.SoundScheme = 1;
    RecordFile f;
    ASSERT_TRUE(f.Open(MakeFile({{12, ScoreBytes("", 0, 0, 0, 1)}}), 28));
    game.ChangeSettings(f);
    ASSERT_TRUE(game.ChangeSettings2(f));
    EXPECT_EQ(game.SoundScheme, 0);
    EXPECT_EQ(game.Sounds[2], Path("Sounds/default2.wav"));
}

TEST_F(SettingsTest, ACustomPersonaGivesTheSoundsOfItsFile) {
    Bytes pms(5020, ' ');
    for (int i = 1; i <= 15; ++i) {
        Text(pms, 1800 + 100 * (0 + 2 * i), "p" + std::to_string(i) + ".wav", 100);
        Text(pms, 1800 + 100 * (1 + 2 * i), i == 7 ? "/abs/seven.wav" : "q" + std::to_string(i) + ".wav", 100);
    }
    WriteBytes(Path("users/Zed.pms"), pms);
    game.PeopleNames = {"Korbo", "Zed"};
    game.PersonaFileCount = 1;
    Load(MakeFile({{12, ScoreBytes("", 0, 0, 1, 1)}, {17, ScoreBytes("", 0, 0, 0, 1)}}));
    EXPECT_EQ(game.PersonIndex, 1);
    EXPECT_EQ(game.Sounds[1], Path("Sounds/q1.wav"));
    EXPECT_EQ(game.Sounds[7], "/abs/seven.wav");
}

// The stored persona's file went away between runs (or cannot be read): Korbo and his
// sound scheme take its place, and the start goes on.
TEST_F(SettingsTest, AStoredPersonaWithoutItsFileGivesWayToKorbo) {
    MakeWavRan();
    game.PeopleNames = {"Korbo", "Zed"};
    game.PersonaFileCount = 1;
    fs::create_directories(Path("users/Zed.pms"));  // a folder in the file's place
    Load(MakeFile({{12, ScoreBytes("", 0, 0, 0, 1)}, {17, ScoreBytes("", 0, 0, 0, 1)}}));
    EXPECT_EQ(game.PersonIndex, 0);
    EXPECT_EQ(game.Sounds[2], Path("Sounds/default2.wav"));
}

TEST_F(SettingsTest, AMissingSoundTableIsAnErrorThatLeavesTheSoundsAsTheyWere) {
    game.Sounds[1] = "/old.wav";
    game.FormLoading = true;
    RecordFile f;
    ASSERT_TRUE(f.Open(MakeFile({{18, ScoreBytes(" 70", 0, 0, 0, 0)}}), 28));
    game.ChangeSettings(f);
    records::Status s = game.ChangeSettings2(f);
    EXPECT_FALSE(s);
    EXPECT_NE(s.error.find("wav.ran"), std::string::npos);
    EXPECT_EQ(game.Sounds[1], "/old.wav");
    EXPECT_EQ(game.WalkSteps, 70);  // the records before the sound table are applied
    EXPECT_FALSE(fs::exists(Path("wav.ran")));  // and reading never creates it
}

TEST_F(SettingsTest, BestRunsOfTheOpponentLoadFromRecordsFourteenAndFifteen) {
    RecordFile f;
    ASSERT_TRUE(f.Open(MakeFile({{14, ScoreBytes("", 1, 2, 3, 99)}, {15, ScoreBytes("", 4, 5, 6, 99)}}), 28));
    game.ChangeBestRun(f);
    EXPECT_EQ(game.RunStats[5], (std::array<int16_t, 6>{1, 2, 3, 4, 5, 6}));
}

TEST_F(SettingsTest, PreferencesSetTheTempoByTheSpeedIndex) {
    struct Case { int16_t index; double tempo; } cases[] = {
        {0, 0.9}, {1, 0.6}, {2, 0.4}, {3, 0.2}, {4, 0.05}, {5, 0.0}, {6, 0.123}, {-1, 0.123}};
    for (auto c : cases) {
        SCOPED_TRACE(c.index);
        game.TempoDelay = 0.123;
        game.SpeedIndex = c.index;
        game.ChangePreferences();
        EXPECT_DOUBLE_EQ(game.TempoDelay, c.tempo);
    }
}

TEST_F(SettingsTest, PreferencesChooseTheBackgroundAndApplyTheLabels) {
    struct Case { int16_t choice; long bits; int16_t def; int16_t index; bool cleared; bool painted; } cases[] = {
        {0, 24, 3, 3, false, true},   // the default picture
        {0, 24, 0, 1, false, true},   // no default: the first picture
        {0, 8, 3, 6, true, false},    // few colours: the plain mat
        {2, 24, 3, 2, false, true},
        {9, 24, 3, 6, true, false},   // beyond the list: the plain mat
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.choice);
        view.log.clear();
        game.BackPicCount = 5;
        game.BackChoice = c.choice;
        game.ColorBits = c.bits;
        game.DefaultBackIndex = c.def;
        game.FontColor = 0xFF;
        game.CommentFontSize = 15;
        game.PeekFlag = 1;
        game.FormLoading = true;
        game.ChangePreferences();
        EXPECT_EQ(game.BackIndex, c.index);
        auto has = [&](const std::string& s) { return std::find(view.log.begin(), view.log.end(), s) != view.log.end(); };
        EXPECT_EQ(has("ClearBackground"), c.cleared);
        EXPECT_EQ(has("BackgroundPaint " + std::to_string(c.index)), c.painted);
        EXPECT_EQ(game.PeekFlag, 0);
        EXPECT_EQ((view.foreColor[{Ctl::Label9, 4}]), 0xFF);
        EXPECT_DOUBLE_EQ((view.fontSize[{Ctl::LblWild, 3}]), 15);
    }
}

TEST_F(SettingsTest, PreferencesResetThePilesForANewPlayerBeforeTheFirstDeal) {
    struct Case { int16_t pref; std::string player, last; bool dealt; bool reset; } cases[] = {
        {20, "Bob", "Bob ", false, false},
        {20, "Bob", "Ann", false, true},
        {20, "Bob", "Ann", true, false},
        {77, "Bob", "Bob", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.player + "/" + c.last);
        view.log.clear();
        game.PrefCode = c.pref;
        game.PlayerName = c.player;
        game.LastPlayerName = c.last;
        game.TableDealt = c.dealt;
        game.ChangePreferences();
        EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "ResetPilePictures"), c.reset ? 1 : 0);
    }
}

// Storing the settings builds the records byte for byte, colours and the step count as text.
TEST_F(SettingsTest, SavingWritesTheSettingsRecordsByteForByte) {
    auto p = MakeFile({{1, ScoreBytes("old", 30, 12, -5, 0)}, {18, ScoreBytes("x", 1, 1, 1, 1)}});
    game.FontColor = 16777215;
    game.CompLevel = 2;
    game.AvatarFile = "  me.jpg ";
    game.NoLoseAnim = true;
    game.MatColorOn = false;
    game.SoundScheme = 1;
    game.CardStyle = 4;
    game.PlayerName = "Bob";
    game.BackChoice = 3;
    game.SpeedIndex = 5;
    game.SoundLevel = 2;
    game.ChatterLevel = 2;
    game.DeckColor = 12640511;
    game.DeckChoice = 0;
    game.AutoSave = true;
    game.MatColor = -1;
    view.fontSize[{Ctl::Label9, 2}] = 12.5;  // halves go to the even neighbour
    game.NoWinAnim = false;
    game.NoComments = true;
    game.PersonIndex = 0;
    game.WalkSteps = 45;
    game.SideSize = 14;
    game.ForcedRule = 5;
    game.ShuffleApart = true;
    game.NoWildAce = false;
    view.CheckMenu(Menu::WildStats, true);
    view.CheckMenu(Menu::Avatar, false);
    RecordFile f;
    ASSERT_TRUE(f.Open(p, 28));
    game.SaveSettings(f);
    ASSERT_TRUE(f.Close());
    Bytes file = ReadBytes(p);
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes(" 16777215", 30, 12, -5, 2));
    EXPECT_EQ(Record(file, 28, 12), ScoreBytes("me.jpg", -1, 0, 1, 4));
    EXPECT_EQ(Record(file, 28, 13), ScoreBytes("Bob", 3, 5, 2, 2));
    EXPECT_EQ(Record(file, 28, 16), ScoreBytes(" 12640511", 0, 1, 0, 1));
    EXPECT_EQ(Record(file, 28, 17), ScoreBytes("-1", 12, 0, -1, 0));
    EXPECT_EQ(Record(file, 28, 18), ScoreBytes(" 45", 14, 5, -1, 0));
    EXPECT_EQ(Record(file, 28, 14), ScoreBytes("", 0, 0, 0, 0));  // untouched
}

TEST_F(SettingsTest, SavedSettingsLoadBackTheSame) {
    MakeWavRan();
    game.FontColor = 0x123456;
    game.DeckColor = 0xABCDEF;
    game.MatColor = 0x10;
    game.WalkSteps = 220;
    game.SideSize = 9;
    game.CardStyle = 2;
    game.CommentFontSize = 16;
    view.fontSize[{Ctl::Label9, 2}] = 16;
    auto p = MakeFile({});
    {
        RecordFile f;
        ASSERT_TRUE(f.Open(p, 28));
        game.SaveSettings(f);
        ASSERT_TRUE(f.Close());
    }
    game.FontColor = game.DeckColor = game.MatColor = 0;
    game.WalkSteps = game.SideSize = game.CardStyle = game.CommentFontSize = 1;
    Load(p);
    EXPECT_EQ(game.FontColor, 0x123456);
    EXPECT_EQ(game.DeckColor, 0xABCDEF);
    EXPECT_EQ(game.MatColor, 0x10);
    EXPECT_EQ(game.WalkSteps, 220);
    EXPECT_EQ(game.SideSize, 9);
    EXPECT_EQ(game.CardStyle, 2);
    EXPECT_EQ(game.CommentFontSize, 16);
}

}  // namespace
}  // namespace korbo::test
