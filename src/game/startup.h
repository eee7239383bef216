// Start-up and shutdown of the table: the order of the steps, the settings read from and
// written to the score file, and the window placement. The window side of each step is
// asked of a StartupWindow, so the whole order runs and is checked without a window.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "records/score_rec.h"

namespace korbo::startup {

// What the start-up and the exit ask of the table window and the program around it.
// Geometry is in twips.
class StartupWindow {
public:
    virtual ~StartupWindow() = default;

    // The program folder: the current directory.
    virtual std::string CurrentDirectory() = 0;
    virtual void RegisterFonts(const std::string& folder) = 0;
    virtual void RemoveFonts() = 0;
    virtual long ScreenWidthTwips() = 0;
    virtual long ScreenColorBits() = 0;
    virtual void UnloadSplash() = 0;
    // Non-zero when picture cards can be drawn.
    virtual int InitializeDeck() = 0;

    // The table's layout routines, called by their own names.
    virtual void InitialCardSize() = 0;
    virtual void DrawStacks() = 0;
    virtual void GetCardSize() = 0;
    virtual void ResizeMe() = 0;
    virtual void FitWindow() = 0;
    virtual void GetSize() = 0;
    virtual void LayOut() = 0;
    virtual void SizeRelative() = 0;
    virtual void ChgDisplay_Click(int index) = 0;
    virtual void ScaleFormControls(int mode, int size) = 0;
    virtual void CardSizeInPixels() = 0;
    virtual void Redraw() = 0;

    // Menus and panels that only the narrow screen touches.
    virtual void EnableChgDisplayItem(int index, bool on) = 0;
    virtual void Level_Click(int level) = 0;
    virtual void StatusPanelMinWidth(int panel, int twips) = 0;

    // The layout's variables of the table window (twips; CardBase in pixels).
    virtual int& WinWidth() = 0;
    virtual int& WinHeight() = 0;
    virtual int& WindowStartState() = 0;  // 0 normal, 2 maximised at start, 3 not resized since
    virtual int& CardBase() = 0;
    // Twips: the bottom edge of the player's first hand picture, and the left edge of the
    // opponent's second HOLD pile.
    virtual int HandBottom() = 0;
    virtual int OpponentHoldLeft() = 0;
    // Twips: every screen of the desktop, and the height of a window's title bar.
    virtual std::vector<Rect> Screens() = 0;
    virtual int TitleBarHeight() = 0;

    // The table window itself: Left and Top of its frame, Width and Height of its inside.
    enum class State { Normal, Minimised, Maximised };
    virtual State WindowState() = 0;
    virtual Rect FormRect() = 0;
    virtual void SetFormRect(const Rect& r) = 0;
    virtual void MoveForm(int left, int top) = 0;
    virtual void Maximise() = 0;
    virtual void LoadFlasher() = 0;
    virtual void ShowTable() = 0;
    // Runs the display settings of the machine for the few-colours advice; false when the
    // machine has none to offer.
    virtual bool OpenDisplaySettings() = 0;

    // The network game still running at exit: sockets closed, the chat window unloaded.
    virtual void NetShutdown() = 0;
};

// A failure during start-up, with the number and words the error box shows.
struct StartupError : std::runtime_error {
    int number;
    StartupError(int n, const std::string& what) : std::runtime_error(what), number(n) {}
};
// Error numbers of the start-up's own failures.
constexpr int kErrFileAccess = 75;  // a data file that cannot be read or written
constexpr int kErrBadFile = 53;     // a data file that is missing where it must be

// The texts of the start-up.
inline constexpr const char* kMissingFilesText = "Unable to start KorboNET!\r\n\r\nFiles are missing.";
inline constexpr const char* kCardLibraryText =
    "Problem loading QCard32.DLL (picture cards).\r\nUse number card style only.";
inline constexpr const char* kSpeedAdviceText =
    "Adjust the card animation speed to fit the capability of your computer.\r\n"
    "If the cards animate too slowly or quickly, adjust the setting from the Options Menu, Speed Setting.";
// The box of the error trap, for error `number` with `description`.
std::string SetupErrorText(int number, const std::string& description);

// --- decisions that need nothing but numbers ------------------------------------------------

// DisplayMode and PrefCode from record 14 of the score file.
struct DisplayRecord {
    int16_t DisplayMode = 0;
    int16_t PrefCode = 0;
};
DisplayRecord ReadDisplayRecord(const records::ScoreRec& r14);

// What the saved window placement (record 15) does at start-up.
struct Placement {
    enum class Kind {
        Keep,       // nothing stored: the size chosen by the layout stays
        Maximised,  // the table opens maximised
        Geometry,   // the stored size and place
        Default,    // no valid placement: top-left corner, fitted to the screen
    };
    Kind kind = Kind::Keep;
    Rect rect;                 // Geometry: Left, Top, Width, Height
    bool numberCards = false;  // Default on a small screen: number cards only
    int widthBonus = 0;        // Default on a large screen: added to WinWidth before fitting
};
// `handBottom` is the bottom edge of the player's first hand picture, the least height a
// normal display needs. A stored place whose title bar lies on none of the `screens` is
// ignored as a damaged size is.
Placement DecidePlacement(int16_t prefCode, const records::ScoreRec& r15, int16_t displayMode, long screenWidth,
                          int handBottom, const std::vector<Rect>& screens, int titleBarHeight);
// True when some part of the title bar of a window whose frame has `frame`'s Left, Top and
// Width lies on one of the screens.
bool TitleBarOnAScreen(const Rect& frame, int titleBarHeight, const std::vector<Rect>& screens);

// Record 14 and 15 as the exit writes them.
records::ScoreRec ExitDisplayRecord(records::ScoreRec r14, int16_t displayMode);
records::ScoreRec ExitPlacementRecord(StartupWindow::State state, long winHeight, long winWidth, long left, long top);

// The text of the few-colours advice: the welcome and the notes of records 1..3 of the
// built-in comment file (empty notes where the file is missing or short).
std::string FewColoursAdvice(const std::string& commentFile);

// --- the steps ---------------------------------------------------------------------------------

// The first half of the start-up. False when score.ran is missing: the box has been shown
// and the program must end without writing anything. A failure throws StartupError.
bool OpenDoor(Game& g, StartupWindow& w);
// The whole start-up of the table window, OpenDoor included. False when the program must
// end (score.ran missing). A failure throws StartupError (or whatever a step raised).
bool Form_Load(Game& g, StartupWindow& w);
// The screen check and the replay of the saved display mode (steps 2 and 3 of Form_Load).
void ReplayDisplay(Game& g, StartupWindow& w);
// The orderly exit up to the fonts: sound, network, score file and player file. The
// caller then closes the windows and ends the program. A file that cannot be written is
// told to the player; the exit goes on.
void ExitLeft(Game& g, StartupWindow& w);

// --- routines of the player records that start-up needs before their windows exist -----------

// The local players: the .sav files of the users folder, without their extension.
void Get_Players(Game& g);
// The plain files of the users folder whose name ends in `ending` (".sav", ".ran"), the
// letters compared without regard to case, in name order.
std::vector<std::string> UsersFiles(const Game& g, std::string_view ending);
// Until the player-selection window exists, start-up confirms the last player of the score
// file as that window does when the same player is confirmed: a known player's best runs
// are loaded from the player's file.
void ConfirmLastPlayer(Game& g);

}  // namespace korbo::startup
