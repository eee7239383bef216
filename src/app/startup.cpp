// Start-up and shutdown of the table: the splash, the table's load with its error trap,
// the orderly exit, and the end of the program. The order of the steps is the core's
// (game/startup.h); this file gives it the window, the screen, the fonts and the files.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <csignal>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>

#include "app/frmSplash.h"
#include "app/program.h"
#include "display/frmKorbo.h"
#include "controls/table_controls.h"
#include "game/startup.h"
#include "platform/card_library.h"
#include "platform/fonts.h"
#include "platform/sound_player.h"

namespace korbo::ui {

namespace {

bool ended = false;
int exitCode = 0;
bool mainLoopRunning = false;
bool leaving = false;  // the exit is under way, waiting for its sound
// The longest the program waits after its windows have closed for the exit sound.
constexpr int kExitSoundMostMs = 5000;

QScreen* ScreenOf(const QWidget& w) {
    if (QScreen* s = w.screen()) return s;
    return QGuiApplication::primaryScreen();
}

// Twips and pixels as the table's layout converts them.
int ToTwips(double pixels) { return static_cast<int>(std::lround(pixels * TwipsPerPixel())); }
int ToPixels(long twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel())); }

void UnloadSplash() {
    if (frmSplash* s = frmSplash::Current()) s->close();
}

// Every loaded window but the table, then the table. Hiding the table sends it no close
// event, so its close handler does not run the exit a second time.
void UnloadWindows(frmKorbo& table) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &table && top->isVisible()) top->close();
    table.hide();
}

// Notes the first resize of a window to another size than it had.
class ResizeWatcher final : public QObject {
public:
    explicit ResizeWatcher(QSize before) : before_(before) {}
    bool resized = false;
    std::function<void()> onResize;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize && !resized && static_cast<QResizeEvent*>(e)->size() != before_) {
            resized = true;
            if (onResize) onResize();
        }
        return false;
    }

private:
    QSize before_;
};

// What the start-up and the exit ask of the table window, on Qt.
class TableStartupWindow final : public startup::StartupWindow {
public:
    explicit TableStartupWindow(frmKorbo& t) : t_(t) {}

    std::string CurrentDirectory() override { return QDir::currentPath().toStdString(); }
    void RegisterFonts(const std::string& folder) override {
        platform::RegisterPrivateFonts(QString::fromStdString(folder));
    }
    void RemoveFonts() override { platform::RemovePrivateFonts(); }
    long ScreenWidthTwips() override {
        const QScreen* s = ScreenOf(t_);
        return s ? ToTwips(s->geometry().width()) : 15360;
    }
    long ScreenColorBits() override {
        const QScreen* s = ScreenOf(t_);
        return s ? s->depth() : 24;
    }
    void UnloadSplash() override { ui::UnloadSplash(); }
    int InitializeDeck() override {
        platform::CardLibrary library;
        return library.InitializeDeck();
    }

    void InitialCardSize() override { t_.InitialCardSize(); }
    void DrawStacks() override { t_.DrawStacks(); }
    void GetCardSize() override { t_.GetCardSize(); }
    void ResizeMe() override { t_.ResizeMe(); }
    void FitWindow() override { t_.FitWindow(); }
    void GetSize() override { t_.GetSize(); }
    void LayOut() override { t_.LayOut(); }
    void SizeRelative() override { t_.SizeRelative(); }
    void ChgDisplay_Click(int index) override { t_.ChgDisplay_Click(index); }
    void ScaleFormControls(int mode, int size) override { t_.ScaleFormControls(mode, size); }
    void CardSizeInPixels() override { t_.CardSizeInPixels(); }
    void Redraw() override { t_.Redraw(); }

    // The Display Size menu, the level menu and the status bar's panels belong to the
    // table's menus and bar; until they take these, the narrow screen's start only ticks
    // the level.
    void EnableChgDisplayItem(int index, bool on) override { t_.ChgDisplay(index)->setEnabled(on); }
    void Level_Click(int level) override {
        for (int i = LevelAverage; i <= LevelRuthless; ++i) t_.CheckMenuItem(Menu::Level, i, i == level);
    }
    void StatusPanelMinWidth(int panel, int twips) override {
        if (QLabel* p = t_.StatusPanel(panel)) p->setMinimumWidth(ToPixels(twips));
    }

    State WindowState() override {
        if (t_.isMinimized()) return State::Minimised;
        if (t_.isMaximized()) return State::Maximised;
        return State::Normal;
    }
    int& WinWidth() override { return t_.WinWidth; }
    int& WinHeight() override { return t_.WinHeight; }
    int& WindowStartState() override { return t_.WindowStartState; }
    int& CardBase() override { return t_.CardBase; }
    int HandBottom() override {
        const Rect r = t_.PictureRect(Ctl::Picture7, 2);
        return ToTwips(r.Top + r.Height);
    }
    int OpponentHoldLeft() override { return ToTwips(t_.PictureRect(Ctl::Picture1, 8).Left); }
    std::vector<Rect> Screens() override {
        std::vector<Rect> out;
        for (const QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            out.push_back({ToTwips(g.x()), ToTwips(g.y()), ToTwips(g.width()), ToTwips(g.height())});
        }
        return out;
    }
    // The frame is not known before the table is shown; the style's title bar stands for it.
    int TitleBarHeight() override {
        return ToTwips(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &t_));
    }

    // The place is the frame's, the size the window's inside, as the layout measures it.
    Rect FormRect() override { return {ToTwips(t_.x()), ToTwips(t_.y()), ToTwips(t_.width()), ToTwips(t_.height())}; }
    void SetFormRect(const Rect& r) override {
        Place(r);
        // The replay of the display mode may size and move the table before it is shown:
        // the place is given again just before then.
        pendingPlacement = t_.isVisible() ? std::nullopt : std::optional<Rect>(r);
    }
    void MoveForm(int left, int top) override { MoveFrame(QPoint(ToPixels(left), ToPixels(top))); }
    void Maximise() override { t_.setWindowState(t_.windowState() | Qt::WindowMaximized); }
    // The animation window is loaded with the table's animations.
    void LoadFlasher() override {}
    void ShowTable() override {
        if (!t_.isMaximized()) {
            // The window manager frames the table where it stands when it is shown. A size or
            // a place given soon after, before the frame is known here, would be taken for the
            // inside's and put the title bar above the place: the table has its place first.
            if (pendingPlacement) Place(*pendingPlacement);
            pendingPlacement.reset();
            t_.show();
            return;
        }
        // The window system maximises a window after showing it. Its resize must reach the
        // table while the start state still says "maximised at start", or the table would
        // take it for the player's first resize and give up the maximised size.
        pendingPlacement.reset();
        ResizeWatcher watcher(t_.size());
        t_.installEventFilter(&watcher);
        t_.show();
        if (!watcher.resized) {
            QEventLoop wait;
            watcher.onResize = [&wait] { wait.quit(); };
            QTimer::singleShot(1000, &wait, &QEventLoop::quit);
            wait.exec(QEventLoop::ExcludeUserInputEvents);
        }
        t_.removeEventFilter(&watcher);
    }
    // There is no palette to adjust here: every screen the program runs on has colours enough.
    bool OpenDisplaySettings() override { return false; }
    // The network game has been closed by the game; the chat window goes with it.
    void NetShutdown() override {}

private:
    void Place(const Rect& r) {
        t_.resize(std::max(1, ToPixels(r.Width)), std::max(1, ToPixels(r.Height)));
        MoveFrame(QPoint(ToPixels(r.Left), ToPixels(r.Top)));
    }
    // The frame's top-left goes to p. Until the table is shown a move places its frame. Once
    // it is, the window manager may not have framed it yet, and a move would then put its
    // inside at p: the shown window is told where its frame goes.
    void MoveFrame(QPoint p) {
        if (QWindow* w = t_.windowHandle(); w && t_.isVisible()) w->setFramePosition(p);
        else t_.move(p);
    }

    frmKorbo& t_;
    static inline std::optional<Rect> pendingPlacement;
};

// The error trap's number for a failure that came as an exception of the language.
int ErrorNumber(const std::exception& e) {
    if (auto* s = dynamic_cast<const startup::StartupError*>(&e)) return s->number;
    if (dynamic_cast<const std::bad_alloc*>(&e)) return 7;        // out of memory
    if (dynamic_cast<const std::out_of_range*>(&e)) return 9;     // subscript out of range
    if (dynamic_cast<const std::overflow_error*>(&e)) return 6;   // overflow
    return 5;                                                     // invalid procedure call
}

}  // namespace

void EndProgram(int code) {
    ended = true;
    exitCode = code;
    // Only the program's own loop is left: asked outside it, Qt would refuse every later
    // modal loop of this process.
    if (mainLoopRunning) QCoreApplication::exit(code);
}
bool ProgramEnded() { return ended; }
int ProgramExitCode() { return exitCode; }
void ResetProgramEnd() {
    ended = false;
    exitCode = 0;
}

void PrepareProcess() {
    // A write that would pass the file-size limit fails and is told of like any failed write
    // (EFBIG) instead of the signal ending the program; the sound server's library, set up
    // with the table, grows a file of its own.
    std::signal(SIGXFSZ, SIG_IGN);
}

int Main() {
    PrepareProcess();
    ResetProgramEnd();
    auto* splash = new frmSplash;
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    frmKorbo table;
    table.Form_Load();
    if (ProgramEnded()) return ProgramExitCode();
    mainLoopRunning = true;
    const int code = QApplication::exec();
    mainLoopRunning = false;
    return ProgramEnded() ? ProgramExitCode() : code;
}

void frmKorbo::Form_Load() {
    TableStartupWindow w(*this);
    int number = 0;
    std::string description;
    try {
        if (startup::Form_Load(game(), w)) return;
        // The score file is missing: its box has been shown, nothing was written.
        UnloadWindows(*this);
        EndProgram(1);
        return;
    } catch (const std::exception& e) {
        number = ErrorNumber(e);
        description = e.what();
    } catch (...) {
        number = 5;
        description = "An unknown failure.";
    }
    MsgBox(startup::SetupErrorText(number, description), mb::Critical, "");
    ui::UnloadSplash();
    UnloadWindows(*this);
    EndProgram(1);
}

void frmKorbo::OpenDoor() {
    TableStartupWindow w(*this);
    if (startup::OpenDoor(game(), w)) return;
    UnloadWindows(*this);
    EndProgram(1);
}

void frmKorbo::ExitLeft() {
    if (ProgramEnded() || leaving) return;  // the program is already on its way out
    leaving = true;
    TableStartupWindow w(*this);
    startup::ExitLeft(game(), w);
    UnloadWindows(*this);
    // The windows have gone at once; the exit sound is let play out before the end.
    Sound().Finish(kExitSoundMostMs);
    leaving = false;
    EndProgram(0);
}

}  // namespace korbo::ui
