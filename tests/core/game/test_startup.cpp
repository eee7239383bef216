// Start-up and shutdown: the order of the steps, the display-mode replay, the window
// placement kept in the score file across an exit and the next start, the first-start
// advice, and what the exit writes into the score file and the player's file.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "fakes/file_traps.h"
#include "fakes/scripted_transport.h"
#include "folder_fixture.h"
#include "game/startup.h"
#include "net/protocol.h"

namespace korbo::test {
namespace {

using startup::Placement;
using startup::StartupWindow;
using State = StartupWindow::State;

// The table window as start-up sees it: every call goes into the view's log, layout calls
// with the FormLoading and DisplayMode they met.
class FakeStartupWindow : public StartupWindow {
public:
    FakeStartupWindow(RecordingView& v, Game& g, std::string folder) : view(v), game(g), folder(std::move(folder)) {}
    RecordingView& view;
    Game& game;
    std::string folder;
    long screenWidth = 15360, colorBits = 24;
    int deckOk = 1;
    Rect form{100, 50, 9000, 7000};
    State state = State::Normal;
    int winWidth = 0, winHeight = 0, windowStartState = 0, cardBase = 82;
    int fonts = 0;  // registered and not removed

    void Log(const std::string& s) { view.log.push_back(s); }
    void LogLayout(const std::string& s) {
        Log(s + " [loading=" + std::to_string(game.FormLoading) + " mode=" + std::to_string(game.DisplayMode) + "]");
    }
    std::string CurrentDirectory() override { return folder; }
    void RegisterFonts(const std::string& f) override { Log("RegisterFonts " + f); fonts = 5; }
    void RemoveFonts() override { Log("RemoveFonts"); fonts = 0; }
    long ScreenWidthTwips() override { return screenWidth; }
    long ScreenColorBits() override { return colorBits; }
    void UnloadSplash() override { Log("UnloadSplash"); }
    int InitializeDeck() override { Log("InitializeDeck"); return deckOk; }
    void InitialCardSize() override { Log("InitialCardSize"); }
    int& WinWidth() override { return winWidth; }
    int& WinHeight() override { return winHeight; }
    int& WindowStartState() override { return windowStartState; }
    int& CardBase() override { return cardBase; }
    int HandBottom() override { return 5880 + 1440; }
    int OpponentHoldLeft() override { return 7200; }
    std::vector<Rect> screens{{0, 0, 15360, 11520}};
    std::vector<Rect> Screens() override { return screens; }
    int TitleBarHeight() override { return 300; }
    void DrawStacks() override { Log("DrawStacks"); }
    void GetCardSize() override { Log("GetCardSize"); }
    void ResizeMe() override { Log("ResizeMe"); }
    void FitWindow() override {
        LogLayout("FitWindow");
        winWidth = 12000;
        winHeight = 8000;
        form.Width = 12000;
        form.Height = 8000;
    }
    void GetSize() override { Log("GetSize"); }
    void LayOut() override { LogLayout("LayOut"); }
    void SizeRelative() override { LogLayout("SizeRelative"); }
    void ChgDisplay_Click(int i) override { LogLayout("ChgDisplay_Click " + std::to_string(i)); }
    void ScaleFormControls(int mode, int size) override {
        Log("ScaleFormControls " + std::to_string(mode) + " " + std::to_string(size));
    }
    void CardSizeInPixels() override { Log("CardSizeInPixels"); }
    void Redraw() override { LogLayout("Redraw"); }
    void EnableChgDisplayItem(int i, bool on) override {
        Log("EnableChgDisplayItem " + std::to_string(i) + "=" + std::to_string(on));
    }
    void Level_Click(int level) override { Log("Level_Click " + std::to_string(level)); }
    void StatusPanelMinWidth(int panel, int twips) override {
        Log("StatusPanelMinWidth " + std::to_string(panel) + " " + std::to_string(twips));
    }
    State WindowState() override { return state; }
    Rect FormRect() override { return form; }
    void SetFormRect(const Rect& r) override {
        std::ostringstream s;
        s << "SetFormRect " << r.Left << "," << r.Top << "," << r.Width << "," << r.Height;
        Log(s.str());
        form = r;
    }
    void MoveForm(int left, int top) override {
        Log("MoveForm " + std::to_string(left) + "," + std::to_string(top));
        form.Left = left;
        form.Top = top;
    }
    void Maximise() override { Log("Maximise"); state = State::Maximised; }
    void LoadFlasher() override { Log("LoadFlasher"); }
    void ShowTable() override { Log("ShowTable"); }
    bool OpenDisplaySettings() override { Log("OpenDisplaySettings"); return false; }
    void NetShutdown() override { Log("NetShutdown"); }
};

// Bytes of the built-in sound scheme: 15 records of a default and a custom name.
Bytes SoundScheme() {
    Bytes b;
    for (int i = 1; i <= 15; ++i) {
        Bytes r(200, ' ');
        Text(r, 0, "event" + std::to_string(i) + ".wav", 100);
        Text(r, 100, "custom" + std::to_string(i) + ".wav", 100);
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

// A program folder with a score file of 18 records; record 14 and 15 as a test wants them.
struct StartupTest : FolderFixture {
    std::unique_ptr<FakeStartupWindow> win;
    std::vector<Bytes> score;

    void SetUp() override {
        FolderFixture::SetUp();
        score.assign(18, ScoreBytes("", 0, 0, 0, 0));
        score[0] = ScoreBytes(" 16777215", 40, 25, 130, 1);  // computer's totals, level Clever
        score[11] = ScoreBytes("", 0, 0, 0, 3);               // card style 3
        score[12] = ScoreBytes("Anna", 0, 2, 0, 1);           // last player Anna, full sound
        score[13] = ScoreBytes("", 0, 0, 20, 0);              // display 0, never closed normally
        score[15] = ScoreBytes(" 12640511", 0, 1, 1, 0);      // deck colour, status bar, avatar
        score[16] = ScoreBytes(" 3041823", 12, 0, 0, 0);
        score[17] = ScoreBytes(" 45", 19, 0, 0, 0);
        WriteBytes(Path("wav.ran"), SoundScheme());
        NewWindow();
    }
    void WriteScore() { WriteBytes(Path("score.ran"), ScoreFileBytes(score)); }
    Bytes ScoreRecord(long n) { return Record(ReadBytes(Path("score.ran")), 28, n); }
    void NewWindow() { win = std::make_unique<FakeStartupWindow>(view, game, dir.path()); }
    size_t Find(const std::string& entry) const {
        auto it = std::find(view.log.begin(), view.log.end(), entry);
        return it == view.log.end() ? std::string::npos : static_cast<size_t>(it - view.log.begin());
    }
    bool Logged(const std::string& entry) const { return Find(entry) != std::string::npos; }
    std::vector<std::string> LayoutCalls() const {
        std::vector<std::string> out;
        for (const auto& l : view.log)
            if (l.find("[loading=") != std::string::npos || l.rfind("ScaleFormControls", 0) == 0 ||
                l.rfind("GetSize", 0) == 0 || l.rfind("EnableChgDisplayItem", 0) == 0)
                out.push_back(l);
        return out;
    }
};

TEST_F(StartupTest, MissingScoreFileShowsTheBoxAndEndsWithoutWriting) {
    EXPECT_FALSE(startup::Form_Load(game, *win));
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Unable to start KorboNET!\r\n\r\nFiles are missing.");
    EXPECT_EQ(view.boxes[0].buttons, mb::Critical | mb::OKOnly);
    EXPECT_EQ(view.boxes[0].title, "");
    // The splash is gone before the box shows; nothing of the table is laid out.
    EXPECT_LT(Find("UnloadSplash"), view.log.size());
    EXPECT_FALSE(Logged("InitialCardSize"));
    EXPECT_FALSE(Logged("ShowTable"));
    EXPECT_FALSE(fs::exists(Path("score.ran")));
    EXPECT_FALSE(fs::exists(Path("games.sav")));
}

TEST_F(StartupTest, FreshInstallationStartsInOrderAtTheTopLeftFitted) {
    WriteScore();
    const Bytes before = ReadBytes(Path("score.ran"));
    WriteBytes(Path("users/anna.sav"), ScoreFileBytes(std::vector<Bytes>(18, ScoreBytes("", 0, 0, 0, 0))));
    ASSERT_TRUE(startup::Form_Load(game, *win));

    // The order of the big steps.
    const std::vector<std::string> order = {
        "RegisterFonts " + dir.path(), "InitialCardSize", "DrawStacks", "InitializeDeck", "GetCardSize",
        "ResizeMe", "MoveForm 0,0", "FitWindow [loading=1 mode=0]", "LayOut [loading=1 mode=0]",
        "SizeRelative [loading=1 mode=0]", "Redraw [loading=0 mode=0]", "LoadFlasher", "ShowTable",
        "UnloadSplash", "CardSizeInPixels"};
    size_t at = 0;
    for (const auto& step : order) {
        const size_t found = Find(step);
        ASSERT_NE(found, std::string::npos) << step;
        EXPECT_GE(found, at) << step << " came too early";
        at = found;
    }
    // Settings of the score file applied, the intro played, the pacing wait taken.
    EXPECT_EQ(game.CompLevel, LevelClever);
    EXPECT_EQ(game.CardStyle, 3);
    ASSERT_FALSE(view.files.empty());
    EXPECT_EQ(view.files[0], Path("Sounds/intro.wav"));
    ASSERT_FALSE(view.pauses.empty());
    EXPECT_DOUBLE_EQ(view.pauses[0], 0.75);
    EXPECT_EQ(game.Sounds[3], Path("Sounds/event3.wav"));
    // A new installation: its advice once, then the known player confirmed by name.
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "Game Speed");
    EXPECT_EQ(view.boxes[0].text, std::string(startup::kSpeedAdviceText));
    EXPECT_EQ(view.boxes[0].buttons, mb::Information);
    EXPECT_GT(Find("MsgBox Game Speed: " + std::string(startup::kSpeedAdviceText)), Find("ShowTable"));
    EXPECT_LT(Find("MsgBox Game Speed: " + std::string(startup::kSpeedAdviceText)), Find("UnloadSplash"));
    EXPECT_EQ(game.PlayerName, "anna");  // the stored spelling of the file
    EXPECT_TRUE(game.PlayerChosen);
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "Welcome anna to Korbo's World");
    EXPECT_EQ(view.Caption(Ctl::Label9, 3), "anna");
    EXPECT_TRUE(view.Visible(Ctl::Picture4, 0));
    EXPECT_TRUE(view.Visible(Ctl::StatusBar1, 0));
    EXPECT_FALSE(game.FormLoading);
    EXPECT_EQ(win->windowStartState, 0);
    EXPECT_EQ(win->form.Left, 0);
    EXPECT_EQ(win->form.Top, 0);
    EXPECT_EQ(win->winWidth, 12000);  // the bonus of a large screen is replaced by the fitting
    EXPECT_EQ(game.HoldX, 7200 + 300);  // large screen: beside the opponent's second HOLD pile
    EXPECT_EQ(game.HoldY, 3200);
    EXPECT_EQ(game.MsgEnd, '\n');
    EXPECT_TRUE(game.PeerCurrent);
    EXPECT_EQ(game.PlayerCount, 1);
    EXPECT_EQ(ReadBytes(Path("score.ran")), before);  // the start-up writes nothing
}

TEST_F(StartupTest, StartUpPauseEndsAtMidnight) {
    WriteScore();
    clock.now = 86400.0 - 0.2;
    ASSERT_TRUE(startup::Form_Load(game, *win));
    ASSERT_FALSE(view.pauses.empty());
    EXPECT_NEAR(view.pauses[0], 0.2, 1e-9);
}

TEST_F(StartupTest, ExitWritesThePlacementAndTheNextStartRestoresIt) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    // The player moves and sizes the window, then leaves.
    win->form = {1500, 900, 11000, 7600};
    win->winWidth = 11000;
    win->winHeight = 7600;
    game.DisplayMode = 0;
    startup::ExitLeft(game, *win);
    EXPECT_TRUE(Logged("RemoveFonts"));
    EXPECT_EQ(win->fonts, 0);
    EXPECT_EQ(ScoreRecord(14), ScoreBytes("", 0, 0, 20, 20));
    EXPECT_EQ(ScoreRecord(15), ScoreBytes("", 7600, 11000, 1500, 900));
    EXPECT_EQ(ScoreRecord(13), ScoreBytes("Anna", 0, 2, 0, 1));  // the settings saved too

    // The next start: no advice, the stored place and size, no fitting to the screen.
    view = RecordingView();
    RecordingView& v = view;
    Game next(v, rnd, clock);
    FakeStartupWindow w2(v, next, dir.path());
    ASSERT_TRUE(startup::Form_Load(next, w2));
    EXPECT_TRUE(v.boxes.empty());
    EXPECT_EQ(next.PrefCode, 20);
    EXPECT_TRUE(Logged("SetFormRect 1500,900,11000,7600"));
    EXPECT_FALSE(Logged("FitWindow [loading=1 mode=0]"));
    EXPECT_EQ(w2.winWidth, 11000);
    EXPECT_EQ(w2.winHeight, 7600);
    EXPECT_EQ(w2.form, (Rect{1500, 900, 11000, 7600}));
}

TEST_F(StartupTest, MaximisedAtExitOpensMaximisedAndMinimisedKeepsTheLayoutSize) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    win->state = State::Maximised;
    startup::ExitLeft(game, *win);
    EXPECT_EQ(ScoreRecord(15), ScoreBytes("", 2, 0, 0, 0));

    view = RecordingView();
    Game next(view, rnd, clock);
    FakeStartupWindow w2(view, next, dir.path());
    ASSERT_TRUE(startup::Form_Load(next, w2));
    EXPECT_LT(Find("Maximise"), Find("ShowTable"));
    EXPECT_EQ(w2.state, State::Maximised);
    EXPECT_EQ(w2.windowStartState, 3);  // the first resize then restores the default size
    EXPECT_FALSE(Logged("MoveForm 0,0"));

    w2.state = State::Minimised;
    startup::ExitLeft(next, w2);
    EXPECT_EQ(ScoreRecord(15), ScoreBytes("", 0, 0, 0, 0));
    view = RecordingView();
    Game third(view, rnd, clock);
    FakeStartupWindow w3(view, third, dir.path());
    ASSERT_TRUE(startup::Form_Load(third, w3));
    EXPECT_EQ(w3.form, (Rect{100, 50, 9000, 7000}));  // what the layout chose
    EXPECT_EQ(w3.windowStartState, 0);
    EXPECT_FALSE(Logged("Maximise"));
}

TEST_F(StartupTest, ExitCopiesTheSettingsIntoThePlayersFile) {
    WriteScore();
    std::vector<Bytes> anna(18, ScoreBytes("", 0, 0, 0, 0));
    anna[0] = ScoreBytes(" 0", 12, 7, -30, 0);
    anna[13] = ScoreBytes("", 5, 4, 3, 0);  // the opponent's best runs stay
    WriteBytes(Path("users/Anna.sav"), ScoreFileBytes(anna));
    ASSERT_TRUE(startup::Form_Load(game, *win));
    game.CompLevel = LevelRuthless;
    game.FontColor = 255;
    game.CardStyle = 5;
    startup::ExitLeft(game, *win);

    const Bytes file = ReadBytes(Path("users/Anna.sav"));
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes(" 255", 12, 7, -30, 2));
    for (long n : {12L, 13L, 16L, 17L, 18L}) EXPECT_EQ(Record(file, 28, n), ScoreRecord(n)) << "record " << n;
    EXPECT_EQ(Record(file, 28, 14), ScoreBytes("", 5, 4, 3, 0));
    EXPECT_EQ(GetLe16(ScoreRecord(12), 26), 5);
}

// An Exit in the middle of a network game with a host without a version writes the
// player's own card style and house rules, not the ones that game had to play with.
TEST_F(StartupTest, ExitDuringAGameWithAnOldHostKeepsThePlayersOwnLooksAndRules) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    game.CardStyle = 6;
    game.SideSize = 25;
    game.ForcedRule = 3;
    game.NoWildAce = true;
    ScriptedTransport net;
    game.SetTransport(&net);
    game.NetActive = true;
    game.NetRole = 0;
    game.InMessage = net::HelloWithoutVersion() + "\n";
    game.GetMessage();
    ASSERT_EQ(game.CardStyle, 1);
    ASSERT_EQ(game.SideSize, 19);
    startup::ExitLeft(game, *win);
    EXPECT_EQ(GetLe16(ScoreRecord(12), 26), 6);
    const Bytes rules = ScoreRecord(18);
    EXPECT_EQ(GetLe16(rules, 20), 25);
    EXPECT_EQ(GetLe16(rules, 22), 3);
    EXPECT_EQ(GetLe16(rules, 26), -1);
}

TEST_F(StartupTest, ExitOfAPlayerWithoutAFileWritesOnlyTheScoreFile) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    EXPECT_FALSE(game.PlayerChosen);
    startup::ExitLeft(game, *win);
    EXPECT_TRUE(fs::is_empty(Path("users")));
    EXPECT_EQ(GetLe16(ScoreRecord(14), 26), 20);
    EXPECT_TRUE(view.boxes.size() == 1u);  // only the first start's advice
}

TEST_F(StartupTest, ExitWithoutAScoreFileTellsThePlayerAndStillRemovesTheFonts) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    fs::remove(Path("score.ran"));
    view.boxes.clear();
    startup::ExitLeft(game, *win);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text.rfind("Here's the problem:", 0), 0u);
    EXPECT_FALSE(fs::exists(Path("score.ran")));
    EXPECT_EQ(win->fonts, 0);
}

TEST_F(StartupTest, DamagedSoundSchemeEndsInTheErrorTrap) {
    WriteScore();
    fs::remove(Path("wav.ran"));
    try {
        startup::Form_Load(game, *win);
        FAIL() << "the start-up went on without its sound scheme";
    } catch (const startup::StartupError& e) {
        EXPECT_EQ(e.number, startup::kErrFileAccess);
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_FALSE(Logged("ShowTable"));
    EXPECT_EQ(startup::SetupErrorText(75, "wav.ran cannot be read"),
              "Unexpected error while setting up KorboNET!\r\nError # 75 occurred: \r\nwav.ran cannot be read");
}

TEST_F(StartupTest, CardLibraryFailureMeansNumberCards) {
    WriteScore();
    win->deckOk = 0;
    ASSERT_TRUE(startup::Form_Load(game, *win));
    ASSERT_GE(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Problem loading QCard32.DLL (picture cards).\r\nUse number card style only.");
    EXPECT_EQ(view.boxes[0].buttons, mb::OKOnly);
    EXPECT_EQ(game.CardStyle, 1);
    EXPECT_EQ(game.CardsDllOk, 0);
}

TEST_F(StartupTest, FewColoursAdviceOnAFirstStart) {
    WriteScore();
    Bytes comments;
    const char* notes[] = {"Note one.", "Note two.", "Note three."};
    for (int i = 0; i < 3; ++i) {
        Bytes r(250, ' ');
        Text(r, 150, std::string("  ") + notes[i] + "  ", 100);
        comments.insert(comments.end(), r.begin(), r.end());
    }
    WriteBytes(Path("snack.ade"), comments);
    win->colorBits = 8;
    score[12] = ScoreBytes("Anna", 3, 2, 0, 1);  // a chosen background
    WriteScore();
    view.answers = {mb::IDOK, mb::IDYes, mb::IDOK};
    ASSERT_TRUE(startup::Form_Load(game, *win));
    ASSERT_EQ(view.boxes.size(), 3u);
    EXPECT_EQ(view.boxes[0].title, "256 Colors Detected");
    EXPECT_EQ(view.boxes[0].text, "Welcome to KorboNET: Korbo & Dunmir!\r\n\r\nNote one.\r\nNote two. Note three.");
    EXPECT_EQ(view.boxes[1].title, "Adjust Display Properties");
    EXPECT_EQ(view.boxes[1].text, "Would you like to adjust your Color Palette setting now?");
    EXPECT_EQ(view.boxes[1].buttons, mb::YesNo);
    EXPECT_EQ(view.boxes[2].title, "Game Speed");
    EXPECT_TRUE(Logged("OpenDisplaySettings"));
    EXPECT_EQ(game.BackChoice, 0);
}

// --- the display-mode replay -------------------------------------------------------------------

struct ReplayCase {
    int storedMode;
    long screen;
    std::vector<std::string> calls;
    int cardBase;
};

TEST_F(StartupTest, DisplayModeReplayOnWideAndNarrowScreens) {
    const std::vector<std::string> narrow = {"ScaleFormControls 5 3", "FitWindow [loading=1 mode={m}]", "GetSize",
                                             "EnableChgDisplayItem 0=0"};
    auto withMode = [](std::vector<std::string> v, int m) {
        for (auto& s : v) {
            const auto at = s.find("{m}");
            if (at != std::string::npos) s.replace(at, 3, std::to_string(m));
        }
        return v;
    };
    auto concat = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const ReplayCase cases[] = {
        {0, 15360, {"LayOut [loading=1 mode=0]", "SizeRelative [loading=1 mode=0]"}, 82},
        {1, 15360, {"SizeRelative [loading=1 mode=1]", "ChgDisplay_Click 0 [loading=0 mode=0]"}, 82},
        {2, 15360, {"ChgDisplay_Click 1 [loading=0 mode=2]"}, 66},
        {3, 15360, {"ChgDisplay_Click 0 [loading=1 mode=0]", "ChgDisplay_Click 1 [loading=0 mode=0]"}, 66},
        // A narrow screen scales first and never keeps the cards moved up: 1 plays as 0, 3 as 2.
        {0, 9600, concat(withMode(narrow, 0), {"LayOut [loading=1 mode=0]", "SizeRelative [loading=1 mode=0]"}), 82},
        {1, 9600, concat(withMode(narrow, 1), {"LayOut [loading=1 mode=0]", "SizeRelative [loading=1 mode=0]"}), 82},
        {3, 9999, concat(withMode(narrow, 3), {"ChgDisplay_Click 1 [loading=0 mode=2]"}), 66},
    };
    for (const auto& c : cases) {
        RecordingView v;
        Game g(v, rnd, clock);
        g.DisplayMode = static_cast<int16_t>(c.storedMode);
        g.ScreenWidth = c.screen;
        g.FormLoading = true;
        g.CompLevel = LevelRuthless;
        FakeStartupWindow w(v, g, dir.path());
        startup::ReplayDisplay(g, w);
        std::vector<std::string> got;
        for (const auto& l : v.log)
            if (l.find("[loading=") != std::string::npos || l.rfind("ScaleFormControls", 0) == 0 ||
                l.rfind("GetSize", 0) == 0 || l.rfind("EnableChgDisplayItem", 0) == 0)
                got.push_back(l);
        EXPECT_EQ(got, c.calls) << "mode " << c.storedMode << " on " << c.screen;
        EXPECT_EQ(w.cardBase, c.cardBase) << "mode " << c.storedMode << " on " << c.screen;
        const bool narrowScreen = c.screen < 10000;
        const int played = narrowScreen ? (c.storedMode & 2) : c.storedMode;
        // Only the plain layout leaves the loading flag to the end of the start-up.
        EXPECT_EQ(g.FormLoading, played == 0) << "mode " << c.storedMode;
        EXPECT_EQ(std::count(v.log.begin(), v.log.end(), "Level_Click 2"), narrowScreen ? 1 : 0);
        for (int panel : {1, 4, 5, 8})
            EXPECT_EQ(std::count(v.log.begin(), v.log.end(), "StatusPanelMinWidth " + std::to_string(panel) + " 700"),
                      narrowScreen ? 1 : 0);
    }
}

TEST_F(StartupTest, StoredSmallDisplayWithCardsUpOnANarrowScreenStartsSmall) {
    score[13] = ScoreBytes("", 0, 0, 23, 20);
    score[14] = ScoreBytes("", 6000, 9000, 0, 0);
    WriteScore();
    win->screenWidth = 9000;
    ASSERT_TRUE(startup::Form_Load(game, *win));
    EXPECT_EQ(LayoutCalls(), (std::vector<std::string>{"ScaleFormControls 5 3", "FitWindow [loading=1 mode=3]",
                                                        "GetSize", "EnableChgDisplayItem 0=0",
                                                        "ChgDisplay_Click 1 [loading=0 mode=2]",
                                                        "Redraw [loading=0 mode=2]"}));
    EXPECT_EQ(win->cardBase, 66);
    EXPECT_EQ(game.HoldX, 0 + 4000);  // a small screen: beside the table's left edge
}

// --- the window placement -------------------------------------------------------------------

TEST(StartupPlacement, DecisionTable) {
    using records::ScoreRec;
    using K = Placement::Kind;
    struct Case {
        int prefCode;
        ScoreRec r15;
        int mode;
        long screen;
        K kind;
        Rect rect;
        bool numberCards;
        int bonus;
    };
    const int hand = 5880 + 1440;
    const Case cases[] = {
        {20, {"", 2, 0, 0, 0}, 0, 15360, K::Maximised, {}, false, 0},
        {20, {"", 0, 0, 0, 0}, 0, 15360, K::Keep, {}, false, 0},
        {20, {"", 8000, 12000, 300, 200}, 0, 15360, K::Geometry, {300, 200, 12000, 8000}, false, 0},
        // Too low for the normal display: raised to the hand's bottom edge; the small one keeps it.
        {20, {"", 5000, 12000, 300, 200}, 1, 15360, K::Geometry, {300, 200, 12000, hand}, false, 0},
        {20, {"", 5000, 12000, 300, 200}, 2, 15360, K::Geometry, {300, 200, 12000, 5000}, false, 0},
        {20, {"", 8000, 12000, -400, -30}, 0, 15360, K::Geometry, {-400, -30, 12000, 8000}, false, 0},
        // A damaged record: no window has a negative or empty size.
        {20, {"", -5, 12000, 0, 0}, 0, 15360, K::Keep, {}, false, 0},
        {20, {"", 8000, 0, 0, 0}, 0, 15360, K::Keep, {}, false, 0},
        // Not closed normally: record 15 is ignored, whatever it holds.
        {0, {"", 2, 0, 0, 0}, 0, 15360, K::Default, {}, false, 500},
        {19, {"", 8000, 12000, 300, 200}, 0, 12001, K::Default, {}, false, 500},
        {0, {}, 0, 12000, K::Default, {}, false, 0},
        {0, {}, 0, 9601, K::Default, {}, false, 0},
        {0, {}, 0, 9600, K::Default, {}, true, 0},
        {77, {}, 0, 7200, K::Default, {}, true, 0},
    };
    for (const auto& c : cases) {
        const Placement p = startup::DecidePlacement(static_cast<int16_t>(c.prefCode), c.r15,
                                                     static_cast<int16_t>(c.mode), c.screen, hand,
                                                     {{0, 0, 15360, 11520}}, 300);
        const std::string what = "pref " + std::to_string(c.prefCode) + " played " + std::to_string(c.r15.Played) +
                                 " screen " + std::to_string(c.screen);
        EXPECT_EQ(p.kind, c.kind) << what;
        if (c.kind == K::Geometry) {
            EXPECT_EQ(p.rect, c.rect) << what;
        }
        EXPECT_EQ(p.numberCards, c.numberCards) << what;
        EXPECT_EQ(p.widthBonus, c.bonus) << what;
    }
}

TEST_F(StartupTest, NarrowScreenWithoutPlacementForcesNumberCards) {
    for (long screen : {9600L, 9601L}) {
        WriteScore();  // card style 3 stored, never closed normally
        RecordingView v;
        Game g(v, rnd, clock);
        FakeStartupWindow w(v, g, dir.path());
        w.screenWidth = screen;
        ASSERT_TRUE(startup::Form_Load(g, w));
        EXPECT_EQ(g.CardStyle, screen <= 9600 ? 1 : 3) << screen;
    }
    // With a saved placement the stored style stays.
    score[13] = ScoreBytes("", 0, 0, 20, 20);
    score[14] = ScoreBytes("", 7000, 9000, 0, 0);
    WriteScore();
    RecordingView v;
    Game g(v, rnd, clock);
    FakeStartupWindow w(v, g, dir.path());
    w.screenWidth = 9600;
    ASSERT_TRUE(startup::Form_Load(g, w));
    EXPECT_EQ(g.CardStyle, 3);
}

TEST(StartupRecords, DisplayRecordAndExitRecords) {
    using records::ScoreRec;
    struct Case {
        int margin, extra, mode, pref;
    } cases[] = {{20, 20, 0, 20}, {23, 0, 3, 0}, {21, 77, 1, 77}, {19, 20, 0, 20}, {0, 0, 0, 0}, {27, 20, 0, 20}};
    for (auto c : cases) {
        const auto d = startup::ReadDisplayRecord({"", 0, 0, static_cast<int16_t>(c.margin), static_cast<int16_t>(c.extra)});
        EXPECT_EQ(d.DisplayMode, c.mode) << c.margin;
        EXPECT_EQ(d.PrefCode, c.pref) << c.extra;
    }
    // Record 14 keeps what the game does not use.
    EXPECT_EQ(startup::ExitDisplayRecord({"notes", 1, 2, 3, 4}, 2), (ScoreRec{"notes", 1, 2, 22, 20}));
    // Record 15 by the window's state; twips beyond the 16-bit field are taken to its ends.
    auto rec = [](int played, int won, int margin, int extra) {
        ScoreRec r;
        r.Played = static_cast<int16_t>(played);
        r.Won = static_cast<int16_t>(won);
        r.Margin = static_cast<int16_t>(margin);
        r.Extra = static_cast<int16_t>(extra);
        return r;
    };
    EXPECT_EQ(startup::ExitPlacementRecord(State::Normal, 8000, 12000, 300, 200), rec(8000, 12000, 300, 200));
    EXPECT_EQ(startup::ExitPlacementRecord(State::Maximised, 8000, 12000, 300, 200), rec(2, 0, 0, 0));
    EXPECT_EQ(startup::ExitPlacementRecord(State::Minimised, 8000, 12000, 300, 200), rec(0, 0, 0, 0));
    EXPECT_EQ(startup::ExitPlacementRecord(State::Normal, 40000, 57600, -40000, 33000),
              rec(32767, 32767, -32768, 32767));
    EXPECT_EQ(startup::ExitPlacementRecord(State::Normal, 2, 100, 0, 0).Played, 3);
}

TEST_F(StartupTest, IntroAndLeavingSoundsOnlyAtFullSound) {
    for (int level : {0, 1, 2}) {
        score[12] = ScoreBytes("Anna", 0, 2, level, 1);
        WriteScore();
        RecordingView v;
        Game g(v, rnd, clock);
        FakeStartupWindow w(v, g, dir.path());
        ASSERT_TRUE(startup::Form_Load(g, w));
        EXPECT_EQ(v.files, (level == 0 ? std::vector<std::string>{Path("Sounds/intro.wav")} : std::vector<std::string>{}))
            << "level " << level;
        v.files.clear();
        startup::ExitLeft(g, w);
        EXPECT_EQ(v.files, (level == 0 ? std::vector<std::string>{Path("Sounds/event2.wav")} : std::vector<std::string>{}))
            << "level " << level;
    }
}

TEST_F(StartupTest, ExitDuringANetworkGameClosesTheConnectionFirst) {
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    game.NetActive = true;
    startup::ExitLeft(game, *win);
    EXPECT_FALSE(game.NetActive);
    ASSERT_TRUE(Logged("NetShutdown"));
    EXPECT_LT(Find("NetShutdown"), Find("RemoveFonts"));
    EXPECT_EQ(GetLe16(ScoreRecord(14), 26), 20);  // the settings are still saved
}

TEST_F(StartupTest, LocalPlayersAreTheSavFilesOfTheUsersFolder) {
    for (const char* f : {"Zed.sav", "anna.SAV", "notes.txt", "Bob.ran", "x.sav.bak"}) WriteBytes(Path(std::string("users/") + f), {1});
    fs::create_directories(Path("users/folder.sav"));
    startup::Get_Players(game);
    EXPECT_EQ(game.PlayerCount, 2);
    EXPECT_EQ(game.PlayerNames, (std::vector<std::string>{"", "Zed", "anna"}));
}

// --- a window placement that would put the table out of reach ------------------------------

TEST(WindowPlacement, ATitleBarCountsWhenAnyPartOfItLiesOnAScreen) {
    const std::vector<Rect> one{{0, 0, 15360, 11520}};
    const std::vector<Rect> two{{0, 0, 15360, 11520}, {15360, 0, 19200, 14400}};
    const std::vector<Rect> apart{{0, 0, 1000, 1000}, {2000, 0, 1000, 1000}};
    struct Case {
        const char* what;
        Rect frame;
        const std::vector<Rect>& screens;
        bool on;
    } cases[] = {
        {"inside", {100, 50, 9000, 7000}, one, true},
        {"the damaged record", {-32768, -32768, 32760, 32760}, one, false},
        {"left of the screen, touching its edge", {-9000, 100, 9000, 7000}, one, false},
        {"one twip over the left edge", {-8999, 100, 9000, 7000}, one, true},
        {"right of the screen", {15360, 100, 9000, 7000}, one, false},
        {"on the second screen", {16000, 100, 9000, 7000}, two, true},
        {"title bar just above the top", {100, -300, 9000, 7000}, one, false},
        {"one twip of the title bar on the top", {100, -299, 9000, 7000}, one, true},
        {"below the bottom, the window's body lower still", {100, 11520, 9000, 7000}, one, false},
        {"title bar on the bottom row", {100, 11519, 9000, 7000}, one, true},
        {"between two screens", {1100, 0, 800, 700}, apart, false},
        {"no screen known", {-32768, -32768, 32760, 32760}, {}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startup::TitleBarOnAScreen(c.frame, 300, c.screens), c.on) << c.what;
}

// The placement a damaged record gave: the window at (-2185, -2185) pixels, out of reach. It
// is ignored as a damaged size is, and the exit stores where the window really was.
TEST_F(StartupTest, APlacementWithItsTitleBarOnNoScreenIsIgnoredAndMendedAtExit) {
    score[13] = ScoreBytes("", 0, 0, 20, 20);  // closed normally before
    score[14] = ScoreBytes("", 32760, 32760, -32768, -32768);
    WriteScore();
    ASSERT_TRUE(startup::Form_Load(game, *win));
    EXPECT_EQ(game.PrefCode, 20);
    for (const auto& l : view.log) EXPECT_EQ(l.rfind("SetFormRect", 0), std::string::npos) << l;
    EXPECT_EQ(win->form, (Rect{100, 50, 9000, 7000}));  // what the layout chose
    EXPECT_EQ(win->winWidth, 9000);
    EXPECT_EQ(win->winHeight, 7000);
    startup::ExitLeft(game, *win);
    EXPECT_EQ(ScoreRecord(15), ScoreBytes("", 7000, 9000, 100, 50));

    view = RecordingView();
    Game next(view, rnd, clock);
    FakeStartupWindow w2(view, next, dir.path());
    ASSERT_TRUE(startup::Form_Load(next, w2));
    EXPECT_TRUE(Logged("SetFormRect 100,50,9000,7320"));  // raised to the hand's bottom edge

    // A place on a second screen beside the first is a valid one.
    score[14] = ScoreBytes("", 7000, 9000, 16000, 100);
    WriteScore();
    view = RecordingView();
    Game third(view, rnd, clock);
    FakeStartupWindow w3(view, third, dir.path());
    w3.screens.push_back({15360, 0, 19200, 14400});
    ASSERT_TRUE(startup::Form_Load(third, w3));
    EXPECT_TRUE(Logged("SetFormRect 16000,100,9000,7320"));
}

// --- a score file that is not what it seems ------------------------------------------------

// A pipe or a file far too large under the score file's name: the start-up tells why, goes
// on with the settings of a new installation and never waits; the exit tells it again and
// leaves the file as it is.
TEST_F(StartupTest, AScoreFileThatCannotBeReadIsToldOfAndTheTableStartsAnyway) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* words;
    } cases[] = {
        {"pipe", [](const std::string& p) { MakeFifo(p); }, "is not a plain file"},
        {"sparse 6 GB file", [](const std::string& p) { MakeSparse(p, kSixGigabytes); }, "is larger than 1 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(Path("score.ran"));
        c.make(Path("score.ran"));
        view = RecordingView();
        Game g(view, rnd, clock);
        FakeStartupWindow w(view, g, dir.path());
        ASSERT_TRUE(WithoutWaiting(Path("score.ran"), [&] { return startup::Form_Load(g, w); }));
        ASSERT_GE(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text.rfind("Here's the problem:\r\nThe file score.ran " + std::string(c.words), 0), 0u)
            << view.boxes[0].text;
        EXPECT_TRUE(Logged("ShowTable"));
        EXPECT_EQ(g.CompLevel, LevelAverage);  // nothing of the file was read
        EXPECT_EQ(g.CardStyle, 6);
        EXPECT_EQ(g.PrefCode, 0);

        view.boxes.clear();
        WithoutWaiting(Path("score.ran"), [&] { startup::ExitLeft(g, w); });
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_NE(view.boxes[0].text.find(c.words), std::string::npos) << view.boxes[0].text;
        EXPECT_EQ(w.fonts, 0);
        EXPECT_EQ(FilesIn(dir.path()), std::string(c.what) == "pipe" ? 1 : 2);  // wav.ran, and the large file
    }
    EXPECT_EQ(fs::file_size(Path("score.ran")), kSixGigabytes);
}

// The score file grew far too large while the game ran: the exit leaves it as it is, and the
// player's own file still takes the settings, as the score file would have passed them on.
TEST_F(StartupTest, AnOversizedScoreFileAtExitStillLeavesThePlayersSettingsInTheirFile) {
    WriteScore();
    std::vector<Bytes> anna(18, ScoreBytes("", 0, 0, 0, 0));
    anna[0] = ScoreBytes(" 0", 12, 7, -30, 0);
    WriteBytes(Path("users/Anna.sav"), ScoreFileBytes(anna));
    ASSERT_TRUE(startup::Form_Load(game, *win));
    game.CompLevel = LevelRuthless;
    game.FontColor = 255;
    game.CardStyle = 5;
    const Bytes before = ReadBytes(Path("score.ran"));
    fs::resize_file(Path("score.ran"), kSixGigabytes);
    view.boxes.clear();
    startup::ExitLeft(game, *win);

    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("score.ran is larger than 1 MiB"), std::string::npos) << view.boxes[0].text;
    EXPECT_EQ(fs::file_size(Path("score.ran")), kSixGigabytes);
    std::ifstream in(Path("score.ran"), std::ios::binary);
    Bytes head(before.size());
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    EXPECT_EQ(head, before);

    const Bytes file = ReadBytes(Path("users/Anna.sav"));
    EXPECT_EQ(Record(file, 28, 1), ScoreBytes(" 255", 12, 7, -30, 2));
    EXPECT_EQ(GetLe16(Record(file, 28, 12), 26), 5);  // the card style
    EXPECT_EQ(Record(file, 28, 13), ScoreBytes("Anna", 0, 2, 0, 1));
    EXPECT_EQ(Record(file, 28, 18), ScoreBytes(" 45", 19, 0, 0, 0));
}

}  // namespace
}  // namespace korbo::test
