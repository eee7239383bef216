#include "startup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "backgrounds.h"
#include "korbogl.h"
#include "net_scores.h"
#include "personas.h"
#include "player_selection.h"
#include "records/record_file.h"
#include "records/score_rec.h"
#include "colours.h"
#include "records/int16_fields.h"
#include "persona_slots.h"

namespace korbo::startup {

using Missing = records::RecordFile::Missing;
using records::ReadScoreRec;
using records::Saturate16;
using records::ScoreRec;
using records::TrimBlanks;
using records::UpperAscii;
using State = StartupWindow::State;

namespace {

constexpr int16_t kNormalExit = 20;
constexpr int16_t kMaximised = 2;

std::string Crlf() { return std::string(CRLF); }

void Check(const records::Status& s) {
    if (!s) throw StartupError(kErrFileAccess, s.error);
}

void PlacementForDefault(Game& g, StartupWindow& w, const Placement& p) {
    w.MoveForm(0, 0);
    if (p.numberCards) g.CardStyle = 1;
    w.WinWidth() += p.widthBonus;
    w.FitWindow();
}

}  // namespace

std::string SetupErrorText(int number, const std::string& description) {
    return "Unexpected error while setting up KorboNET!" + Crlf() + "Error # " + std::to_string(number) +
           " occurred: " + Crlf() + description;
}

DisplayRecord ReadDisplayRecord(const ScoreRec& r14) {
    DisplayRecord d;
    d.DisplayMode = r14.Margin < 20 ? int16_t{0} : static_cast<int16_t>(r14.Margin - 20);
    // Only the four display modes exist; anything else in a damaged file is the normal one.
    if (d.DisplayMode > 3) d.DisplayMode = 0;
    d.PrefCode = r14.Extra;
    return d;
}

bool TitleBarOnAScreen(const Rect& frame, int titleBarHeight, const std::vector<Rect>& screens) {
    if (screens.empty()) return true;  // nothing to judge by: the stored place stands
    // In 64 bits: a damaged record's corners lie far outside the range of the fields.
    const long long left = frame.Left, top = frame.Top;
    const long long right = left + std::max(frame.Width, 0), bottom = top + std::max(titleBarHeight, 1);
    for (const Rect& s : screens) {
        const long long sl = s.Left, st = s.Top, sr = sl + s.Width, sb = st + s.Height;
        if (left < sr && sl < right && top < sb && st < bottom) return true;
    }
    return false;
}

Placement DecidePlacement(int16_t prefCode, const ScoreRec& r15, int16_t displayMode, long screenWidth,
                          int handBottom, const std::vector<Rect>& screens, int titleBarHeight) {
    Placement p;
    if (prefCode == kNormalExit) {
        if (r15.Played == kMaximised) {
            p.kind = Placement::Kind::Maximised;
        } else if (r15.Played != 0) {
            // A size that no window can have comes from a damaged file: the layout's size stays.
            if (r15.Played < 0 || r15.Won <= 0) return p;
            // So does a place from which the window could never be moved back: its title bar
            // would lie on no screen.
            const Rect stored{r15.Margin, r15.Extra, r15.Won, r15.Played};
            if (!TitleBarOnAScreen(stored, titleBarHeight, screens)) return p;
            p.kind = Placement::Kind::Geometry;
            p.rect = stored;
            if (displayMode < 2 && p.rect.Height < handBottom) p.rect.Height = handBottom;
        }
        return p;
    }
    p.kind = Placement::Kind::Default;
    if (screenWidth <= 9600) p.numberCards = true;
    else if (screenWidth > 12000) p.widthBonus = 500;
    return p;
}

ScoreRec ExitDisplayRecord(ScoreRec r14, int16_t displayMode) {
    r14.Margin = static_cast<int16_t>(displayMode + 20);
    r14.Extra = kNormalExit;
    return r14;
}

ScoreRec ExitPlacementRecord(State state, long winHeight, long winWidth, long left, long top) {
    ScoreRec r;
    switch (state) {
        case State::Maximised: r.Played = kMaximised; break;
        case State::Minimised: r.Played = 0; break;
        case State::Normal:
            // A large screen's twips do not always fit the 16-bit fields: they are taken to
            // the nearest value the field holds.
            // A height of exactly 2 twips would read back as "maximised"; no window is that small.
            r.Played = Saturate16(std::max(winHeight, 3L));
            r.Won = Saturate16(winWidth);
            r.Margin = Saturate16(left);
            r.Extra = Saturate16(top);
            break;
    }
    return r;
}

std::string FewColoursAdvice(const std::string& commentFile) {
    records::RecordFile f;
    std::string notes[4];
    if (f.Open(commentFile, 250, Missing::Fail)) {
        for (int i = 1; i <= 3; ++i) {
            std::vector<uint8_t> rec = f.Get(i);
            notes[i] = TrimBlanks(records::DecodeText(std::span(rec).subspan(150, 100)));
        }
        f.Discard();
    }
    return "Welcome to KorboNET: Korbo & Dunmir!" + Crlf() + Crlf() + notes[1] + Crlf() + notes[2] + " " + notes[3];
}

std::vector<std::string> UsersFiles(const Game& g, std::string_view ending) {
    // `ending` is written with its dot (".ran"); the listing matches the letters after it.
    return personas::ListByExtension(g.DataPath("users"), ending.substr(ending.empty() || ending[0] != '.' ? 0 : 1), true);
}

void Get_Players(Game& g) {
    const std::vector<std::string> names = personas::ListByExtension(g.DataPath("users"), "SAV");
    g.PlayerNames.assign(1, std::string());
    g.PlayerNames.insert(g.PlayerNames.end(), names.begin(), names.end());
    g.PlayerCount = static_cast<int16_t>(std::min<size_t>(names.size(), INT16_MAX));
}

void ConfirmLastPlayer(Game& g) {
    g.PlayerName = TrimBlanks(g.LastPlayerName);
    const int found = g.PlayerName.empty() ? 0 : players::FindPlayer(g, g.PlayerName);
    g.PlayerChosen = found != 0;
    if (found) {
        g.PlayerName = TrimBlanks(g.PlayerNames[static_cast<size_t>(found)]);
        // A player file that cannot be read costs only the best runs shown: the player
        // is told and the start-up goes on.
        records::RecordFile f2;
        if (records::Status s = f2.Open(g.PlayerFilePath(g.PlayerName), records::kScoreRecLength, Missing::Fail); s) {
            g.TellCutShort(f2);
            g.ChangeBestRun(f2);
            f2.Discard();
        } else {
            g.ReportProblem(s.error);
        }
    }
    g.View().SetCaption(Ctl::Label9, 3, g.PlayerName);
    g.LastPlayerName = g.PlayerName;
}

bool OpenDoor(Game& g, StartupWindow& w) {
    TableView& view = g.View();
    g.BaseDir = w.CurrentDirectory();
    w.RegisterFonts(g.BaseDir);
    g.ScreenWidth = w.ScreenWidthTwips();
    g.ColorBits = w.ScreenColorBits();
    g.Rnd().Seed(g.Time().SecondsSinceMidnight());

    g.SideSize = 19;
    g.ForcedRule = 0;
    g.NoWildAce = false;
    g.DeckColor = g.ColorBits <= 15 ? kDeckColorFewColours : kDeckColor;

    personas::ReadComments(g);
    personas::ReadPeople(g);

    const std::string scorePath = g.DataPath("score.ran");
    if (!korbogl::FileExists(scorePath)) {
        w.UnloadSplash();
        view.MsgBox(kMissingFilesText, mb::Critical | mb::OKOnly, "");
        return false;
    }
    // A score file that is there but cannot be read (a pipe or a device in its place, a
    // file far too large) is told of and left as it is; the table starts with the settings
    // of a new installation.
    records::RecordFile f2;
    if (records::Status s = f2.Open(scorePath, records::kScoreRecLength, Missing::Fail); !s) g.ReportProblem(s.error);
    else g.TellCutShort(f2);
    g.ChangeSettings(f2);
    if (g.SoundLevel == 0) view.PlayFile(g.DataPath("Sounds/intro.wav"), false);
    g.Delay(0.75);

    const DisplayRecord d = ReadDisplayRecord(ReadScoreRec(f2, records::score_file::DisplayAndExit));
    g.DisplayMode = d.DisplayMode;
    g.PrefCode = d.PrefCode;

    Get_Players(g);

    w.InitialCardSize();
    w.DrawStacks();

    g.CardsDllOk = w.InitializeDeck();
    if (g.CardsDllOk == 0) {
        view.MsgBox(kCardLibraryText, mb::OKOnly, "");
        g.CardStyle = 1;
    }

    Rect form = w.FormRect();
    w.WinHeight() = form.Height;
    w.WinWidth() = form.Width;
    w.GetCardSize();
    w.ResizeMe();

    Check(g.ChangeSettings2(f2));

    const Placement p = DecidePlacement(g.PrefCode, ReadScoreRec(f2, records::score_file::WindowPlacement),
                                        g.DisplayMode, g.ScreenWidth, w.HandBottom(), w.Screens(), w.TitleBarHeight());
    switch (p.kind) {
        case Placement::Kind::Keep: break;
        case Placement::Kind::Maximised: w.WindowStartState() = 2; break;
        case Placement::Kind::Geometry:
            w.SetFormRect(p.rect);
            form = w.FormRect();
            w.WinHeight() = form.Height;
            w.WinWidth() = form.Width;
            break;
        case Placement::Kind::Default: PlacementForDefault(g, w, p); break;
    }
    // Nothing was put into the score file: closing it leaves it untouched.
    f2.Discard();

    form = w.FormRect();
    g.HoldX = g.ScreenWidth < 13000 ? form.Left + 4000L : w.OpponentHoldLeft() + 300L;
    g.HoldY = form.Top + 3200L;

    g.NetActive = false;
    g.MsgEnd = '\n';

    personas::ChangeComments(g);
    personas::ChangePerson(g);
    backs::ReadBacks(g, g.BackList);
    netscores::Get_Users(g);
    g.ChangePreferences();
    g.PeerCurrent = true;
    return true;
}

void ReplayDisplay(Game& g, StartupWindow& w) {
    if (g.ScreenWidth < 10000) {
        w.ScaleFormControls(5, 3);
        w.FitWindow();
        w.GetSize();
        w.EnableChgDisplayItem(0, false);
        w.Level_Click(g.CompLevel);
        for (int panel : {1, 4, 5, 8}) w.StatusPanelMinWidth(panel, 700);
        g.DisplayMode = static_cast<int16_t>(g.DisplayMode & ~1);
    }
    switch (g.DisplayMode) {
        case 1:
            w.SizeRelative();
            g.DisplayMode = 0;
            g.FormLoading = false;
            w.ChgDisplay_Click(0);
            break;
        case 2:
            g.FormLoading = false;
            w.ChgDisplay_Click(1);
            w.CardBase() = 66;
            break;
        case 3:
            g.DisplayMode = 0;
            w.ChgDisplay_Click(0);  // still loading: the window is not fitted yet
            g.FormLoading = false;
            w.ChgDisplay_Click(1);
            w.CardBase() = 66;
            break;
        default:
            w.LayOut();
            w.SizeRelative();
            break;
    }
}

bool Form_Load(Game& g, StartupWindow& w) {
    TableView& view = g.View();
    g.FormLoading = true;
    if (!OpenDoor(g, w)) return false;
    ReplayDisplay(g, w);

    g.FormLoading = false;
    w.Redraw();
    view.SetFontSize(Ctl::Label9, 2, g.CommentFontSize);
    for (int i = 1; i <= 3; ++i) view.SetFontSize(Ctl::LblWild, i, g.CommentFontSize);

    w.LoadFlasher();
    if (w.WindowStartState() == 2) w.Maximise();
    w.ShowTable();

    // The advice of a new installation: its score file has never seen a normal exit.
    if (g.PrefCode != kNormalExit) {
        if (g.ColorBits < 16) {
            view.MsgBox(FewColoursAdvice(g.DataPath("snack.ade")), mb::OKOnly, "256 Colors Detected");
            if (view.MsgBox("Would you like to adjust your Color Palette setting now?", mb::YesNo,
                            "Adjust Display Properties") == mb::IDYes) {
                w.OpenDisplaySettings();
                g.BackChoice = 0;
            }
        }
        view.MsgBox(kSpeedAdviceText, mb::Information | mb::OKOnly, "Game Speed");
    }

    w.UnloadSplash();
    view.SetCaption(Ctl::Label9, 2, "Welcome to Korbo's World");

    const Rect form = w.FormRect();
    if (form.Left + form.Width * 2.0 / 3.0 > static_cast<double>(g.ScreenWidth)) w.MoveForm(0, form.Top);

    // The last player is at the table until the player window confirms who is.
    ConfirmLastPlayer(g);
    g.ShowWelcome();
    view.SetCaption(Ctl::Label9, 2, "Welcome " + g.PlayerName + " to Korbo's World");

    view.SetVisible(Ctl::StatusBar1, 0, view.MenuChecked(Menu::WildStats));
    w.CardSizeInPixels();
    if (w.WindowStartState() == 2) w.WindowStartState() = 3;
    view.SetVisible(Ctl::Picture4, 0, true);
    return true;
}

void ExitLeft(Game& g, StartupWindow& w) {
    if (g.SoundLevel == 0) g.View().PlayFile(g.Sounds[SoundTurnOver], false);
    if (g.NetActive) {
        // The host closes every socket, the remote its own; then the solo table is back.
        if (g.NetRole == 1) g.CloseAllSockets();
        else g.CloseActiveSocket();
        g.NetCleanUp();
        w.NetShutdown();
        g.NetActive = false;
    }

    // A score file that cannot be opened is told of and left as it is; the player's own
    // file still takes the settings.
    records::RecordFile f2;
    if (records::Status s = f2.Open(g.DataPath("score.ran"), records::kScoreRecLength, Missing::Fail); !s)
        g.ReportProblem(s.error);
    if (f2.IsOpen()) {
        g.SaveSettings(f2);
        (void)records::WriteScoreRec(f2, records::score_file::DisplayAndExit,
                                     ExitDisplayRecord(ReadScoreRec(f2, records::score_file::DisplayAndExit),
                                                       g.DisplayMode));
        const Rect form = w.FormRect();
        (void)records::WriteScoreRec(f2, records::score_file::WindowPlacement,
                                     ExitPlacementRecord(w.WindowState(), w.WinHeight(), w.WinWidth(), form.Left, form.Top));
    }

    // The settings go to the player's own file too, when the player has one.
    const int found = players::FindPlayer(g, g.PlayerName);
    if (found) {
        records::RecordFile f4;
        records::Status s = f4.Open(g.PlayerFilePath(g.PlayerNames[static_cast<size_t>(found)]),
                                    records::kScoreRecLength, Missing::Fail);
        if (s && f2.IsOpen()) {
            ScoreRec r1 = ReadScoreRec(f4, records::player_file::Totals);
            r1.Name = records::NumberName(g.FontColor);
            r1.Extra = g.CompLevel;
            (void)records::WriteScoreRec(f4, records::player_file::Totals, r1);
            namespace sr = records::settings_rec;
            for (long n : {sr::Looks, sr::Player, sr::Deck, sr::Mat, sr::Rules})
                (void)records::WriteScoreRec(f4, n, ReadScoreRec(f2, n));
        } else if (s) {
            // The same records, written from the settings themselves.
            g.SaveSettings(f4);
        }
        if (s) s = f4.Close();
        if (!s) g.ReportProblem(s.error);
    }
    if (f2.IsOpen())
        if (records::Status s = f2.Close(); !s) g.ReportProblem(s.error);
    w.RemoveFonts();
}

}  // namespace korbo::startup
