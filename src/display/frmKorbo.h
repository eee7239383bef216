// The table window. It owns the controls, turns mouse and menu events into calls of the
// game, and draws what the game asks for.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "controls/table_controls.h"
#include "display/table_design.h"
#include "game/game.h"
#include "game/random.h"
#include "platform/card_library.h"

class QAction;
class QMenu;
class QLabel;
class QStatusBar;

namespace korbo::platform {
class SoundPlayer;
}

namespace korbo::ui {

class AroundTable;
class ChatWindowPort;
class frmChat;
class TableNetwork;

class SystemClock final : public Clock {
public:
    double SecondsSinceMidnight() override;
};

class frmKorbo : public QMainWindow, public TableView {
    Q_OBJECT
public:
    // Makes the game the table plays; tests hand in games of their own.
    using GameFactory = std::function<std::unique_ptr<Game>(TableView&, Random&, Clock&)>;

    explicit frmKorbo(QWidget* parent = nullptr, GameFactory makeGame = {});
    ~frmKorbo() override;

    // Label9(2): the persona's comments and the peer's chat lines, the comment area.
    static constexpr int kCommentLabel = 2;

    Game& game() { return *game_; }
    MtRandom& rnd() { return rnd_; }

    // --- the controls, by the game's names -----------------------------------------------
    Control& Picture7(int i) { return *pic7_.at(i); }
    Control& Picture1(int i) { return *pic1_.at(i); }
    Control& Picture4(int i) { return *pic4_.at(i); }
    Control& Label9(int i) { return *label9_.at(i); }
    Control& LblWild(int i) { return *lblWild_.at(i); }
    Control& Label3(int i) { return *label3_.at(i); }
    Control& Label10() { return *label10_; }
    Control& Label1() { return *label1_; }
    Control& LabelPeek() { return *labelPeek_; }
    Control& StatusMsg() { return *statusMsg_; }
    Control& ImgTurn1() { return *imgTurn1_; }
    Control& ImgTurn2() { return *imgTurn2_; }
    Control& ImgHold() { return *imgHold_; }
    Control& ImgAvatar() { return *imgAvatar_; }
    Control& ShpHold(int i) { return *shpHold_.at(i); }
    Control& Stack(int i) { return *stack_.at(i); }  // 1..50 exist once DrawStacks ran
    bool HasStack(int i) const { return i >= 0 && i <= 50 && stack_[i] != nullptr; }
    Control& Command2() { return *command2_; }
    // A control by its name ("Picture7(3)", "Label10"); null when none has it.
    Control* FindControl(std::string_view name) const;
    PictureBox& Box(Ctl c, int i);  // the picture box behind Picture7/1/4, ImgHold
    QLabel* StatusPanel(int panel) const;  // StatusBar1 panels 1..8
    QStatusBar* StatusBar1() const { return statusBar_; }
    platform::SoundPlayer& Sound() { return *sound_; }
    // The picture-card library; the start-up initialises it (InitializeDeck).
    platform::CardLibrary& CardLib() { return lib_; }
    QAction* ChgDisplay(int i) const { return chgDisplay_.at(i); }
    // The windows and pictures around the table: viewer, counter, scores, preferences,
    // comment editor, background and avatar.
    AroundTable& Around() { return *around_; }
    QAction* NewGame() const { return newGame_; }
    QAction* EndGame() const { return endGame_; }

    // The window's own size in twips, as the layout sets and reads it.
    double WindowWidthTwips() const;
    double WindowHeightTwips() const;
    void SetWindowWidthTwips(double w);
    void SetWindowHeightTwips(double h);

    // --- menus and buttons ---------------------------------------------------------------
    void NewGame_Click();
    void EndGame_Click();
    void Command2_Click();
    void DefaultMove_Click();

    // --- the menu bar (frmKorbo_menus.cpp) -------------------------------------------------
    // A menu item by its name, and for an item of a menu array by its index; a menu that
    // holds items answers with the item that opens it. Null when there is none.
    QAction* MenuItem(std::string_view name, int index = -1) const;
    void SaveIt_Click();
    void Restore_Click();
    void Tempo_Click();
    void Noises_Click(int Index);
    void chatter_Click(int Index);
    void Level_Click(int Index);
    void mnuOpRules_Click();
    void KeepOnTop_Click();
    void Helpful_Click();
    void Cheat_Click();
    void VisitNet_Click(int Index);
    void About_Click();
    void LevelIndicator_Click();
    void RulesIndicator_Click();
    // Whether the chat and thoughts window stays above the other windows.
    bool ChatOnTop() const { return chatOnTop_; }
    // The computer opponent's comment sets and personas.
    void ReadComments();
    void ReadPeople();
    void ChangeComments();
    void ChangePerson();
    // The manual at its contents (no keyword) or at a keyword of its index.
    void ShowHelp(std::string_view keyword);
    // The player window, modal, beside centre pile 3.
    void ShowWelcome();
    // Keys the table acts on wherever the focus is.
    void Form_KeyDown(int KeyCode, int Shift);
    void DisplayStats();

    // --- the windows around the table (frmKorbo_around_menu.cpp) -------------------------
    void Score_Click();
    void Stats_Click();
    void Prefs_Click();
    void OptionStuff_Click();
    void ChgColor_Click();
    void mnuOpAddBackground_Click();
    void Avatar_Click();
    void ChgAvatar_Click();
    void CdCount_Click();
    void WildStats_Click();
    void backgrounds(int KeyCode);  // the background stepped by a key
    void ShowBackgroundWindow();    // the background window, modeless

    // --- network play from the menus (frmKorbo_net_menu.cpp) -----------------------------
    void Players_Click();
    void NetScore_Click();
    void Recover_Click();
    // Peeking switched on or off (PeekFlag already set) while a network game is on.
    void Cheat_Net();

    // --- layout variables of the table (twips unless said otherwise) ---------------------
    int WinWidth = 0, WinHeight = 0;
    int CardBase = 82;  // pixels
    int BaseCardWidth = 1065, BaseCardHeight = 1440, BaseGap = 1212;
    std::array<int, 11> HoldLeft{};
    int HoldTop = 4040;
    int WindowStartState = 0;
    // A step of an animation takes one displayed frame.
    static constexpr double kFrameSeconds = 1.0 / 60.0;
    // Frames the animations have waited for since the window was made.
    long FramesShown() const { return framesShown_; }
    // Tests run the table's waits at this fraction of their length (0: no wait at all,
    // only the pending events are dispatched).
    double pauseScale = 1.0;

    // TableView
    void SetCaption(Ctl c, int index, std::string_view text) override;
    std::string Caption(Ctl c, int index) const override;
    void SetVisible(Ctl c, int index, bool on) override;
    bool Visible(Ctl c, int index) const override;
    void SetEnabled(Ctl c, int index, bool on) override;
    bool Enabled(Ctl c, int index) const override;
    void SetBackColor(Ctl c, int index, long color) override;
    void SetToolTip(Ctl c, int index, std::string_view text) override;
    Rect PictureRect(Ctl c, int index) const override;
    void MovePicture(Ctl c, int index, int left, int top) override;
    void BringToFront(Ctl c, int index) override;
    void Refresh(Ctl c, int index) override;
    void ClearPicture(Ctl c, int index) override;
    void DrawCard(Ctl c, int index, int cardId) override;
    bool DrawingFailed() const override { return drawingFailed_; }
    void SetFilePicture(Ctl c, int index, int filePic) override;
    void SetBorderStyle(Ctl c, int index, int style) override;
    void AnimationFrame() override;
    void WalkTheCard(Ctl src, int srcIndex, Ctl dst, int dstIndex) override;
    void HandSortAnimation(Ctl pics, int from, int to) override;
    int CardLibraryValue(int id) override;
    void CardLibraryReset() override;
    void EnableMenu(Menu m, bool on) override;
    void CheckMenu(Menu m, bool on) override;
    void ShowForm(Form f, bool modal) override;
    void CheckMenuItem(Menu m, int index, bool on) override;
    bool MenuChecked(Menu m) const override;
    int MenuItemCount(Menu m) const override;
    void SetMenuCaption(Menu m, int index, std::string_view text) override;
    void ReloadPersonaPictures() override { personaPicturesOf_.clear(); }
    void SetForeColor(Ctl c, int index, long color) override;
    void SetBackStyle(Ctl c, int index, int style) override;
    void SetFontSize(Ctl c, int index, double points) override;
    double FontSize(Ctl c, int index) const override;
    void SetTableBackColor(long color) override;
    void LoadCardFaceSet(int cardStyle) override;
    void SetCardBack(int deckChoice, int filePic) override;
    void ResetPilePictures() override;
    void ClearBackground() override;
    void BackgroundPaint(int backIndex) override;
    void ShowAvatarPicture(std::string_view path) override;
    void Flash() override;
    void Sore_Loser() override;
    SaveDialogResult ShowSaveDialog(const SaveDialogSetup& setup) override;
    void PlayResource(int id) override;
    void PlayFile(std::string_view path, bool waitUntilEnd) override;
    void Beep() override;
    int MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) override;
    void Pause(double seconds, bool dispatch) override;
    void DoEvents() override;
    void OpenWebPage(std::string_view address) override;
    void ScrollToEnd(Ctl c, int index) override;
    PlayersDialogResult ShowPlayersDialog(const PlayersDialogSetup& setup) override;
    void UnloadForm(Form f) override;
    void SetMenuVisible(Menu m, bool on) override;

    // --- network play ------------------------------------------------------------------
    // The socket array the game plays on.
    TableNetwork& Network() { return *network_; }
    // The chat window, once there is one: the history box and Send go to it (nullptr
    // detaches it).
    void SetChatWindow(ChatWindowPort* chat);
    // The table's own chat window (attached from the start).
    frmChat* ChatWindow() const { return chatWindow_; }
    // The connection window's answer in the player's place (tests, tools); unset, the
    // window itself is shown.
    std::function<PlayersDialogResult(const PlayersDialogSetup&)> playersDialogAnswer;

    // --- layout and sizing (frmKorbo_layout.cpp) -----------------------------------------
    // Geometry is in twips; card play, animation and hit tests work in pixels.
    void InitialCardSize();   // CardBase 82, CardGap 41, the first hand card's size
    void GetCardSize();
    void ReSizeNet();
    void FitWindow();
    void SizeRelative();
    void ResizeMe();
    void GetSize();
    void LayOut();
    void ChgDisplay_Click(int Index);
    void Form_Resize();
    // The avatar, the stock and its frame against the window's right edge (large screens
    // and the small display), then the relative placement.
    void FollowRightEdge();
    void CardSizeInPixels();  // CardWidth, CardHeight from BaseCardWidth, BaseCardHeight
    void ScaleFormControls(int mode, int size);
    void DrawStacks();
    void Redraw();
    // The saved DisplayMode replayed at start-up (FormLoading true on entry).
    void ReplayDisplayMode();
    // Every frame's caption placed anew, clear of what the layout moved around it, and
    // the connection's progress over the comment area where it now is.
    void PlaceCaptions();

    // --- start-up and shutdown (src/app/startup.cpp) --------------------------------------
    void Form_Load();
    void OpenDoor();
    void ExitLeft();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    using Key = std::pair<Ctl, int>;
    void BuildControls();
    // One control of the design table, made and placed; a card place with its events.
    void BuildControl(const ControlDesign& row);
    void BuildPlace(const ControlDesign& row);
    Control* AddControl(QWidget* widget, ControlType type, const ControlDesign& row);
    void BuildMenus();
    // A menu item added to an array at run time (the COMMENTS menu's comment files).
    QAction* AddMenuItem(std::string_view name, int index, std::string_view caption);
    void InstallKeyPreview();
    void InstallCaptionPlacers();
    void PlaceFrameCaption(FrameBox& frame, QLabel& caption);
    // The DEAL button stands in the comment label's column: it keeps below the comment's
    // text while that runs down to its place, and goes back there when the text leaves room.
    void InstallDealPlacer();
    void KeepDealClearOfComment();
    void KeepArrowsClearOfAvatar();
    Control* Find(Ctl c, int index) const;
    Control* AddPicture(std::vector<Control*>& arr, int index, const std::string& name, Ctl ctl);
    Control* AddLabel(const std::string& name, double l, double t, double w, double h, bool frame,
                      bool fitted = false);
    // The connection's progress laid over the comment area, where it is read clear of the
    // cards and the avatar.
    void PlaceStatus();
    void PaintPicture(QPainter& p, const QRectF& r, const PictureSpec& spec);
    void PaintLibraryCard(QPainter& p, const QRectF& r, int id);
    // Errors of a drawing are told in the program's own box and then forgotten.
    void DrawingProblem(Ctl c, int index, int cardId, int number, const std::string& what);
    void WaitFrame();

    QWidget* surface_ = nullptr;
    std::vector<Control*> controls_;  // every control, in the order it was made
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> pic7_, pic1_, pic4_, label9_, lblWild_, label3_, shpHold_;
    std::array<Control*, 51> stack_{};
    Control *label10_ = nullptr, *label1_ = nullptr, *labelPeek_ = nullptr, *statusMsg_ = nullptr;
    Control *imgTurn1_ = nullptr, *imgTurn2_ = nullptr, *imgHold_ = nullptr, *imgAvatar_ = nullptr;
    Control* command2_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::array<QLabel*, 9> panels_{};
    QAction *newGame_ = nullptr, *endGame_ = nullptr;
    std::array<QAction*, 2> chgDisplay_{};
    // Every menu item by its name and array index (-1 outside arrays), and the menus that
    // hold items, by their names.
    std::map<std::pair<std::string, int>, QAction*> menuItems_;
    std::map<std::string, QMenu*> menus_;
    bool chatOnTop_ = false;

    // State the game sets on things this window does not build as controls.
    std::map<Key, std::string> captions_;
    std::map<Key, bool> visible_, enabled_;
    std::map<Menu, bool> menuChecks_, menuEnabled_, menuVisible_;

    platform::CardLibrary lib_;
    int faceStyle_ = 1;        // the working face set: number style 1..5
    PictureSpec filePic0_{PictureSpec::Kind::Pile, 0, 0};  // empty pile and card back
    bool drawingFailed_ = false;  // the last DrawCard was reported, not drawn
    long tableBackColor_ = 0x3A6B1F;
    std::unique_ptr<platform::SoundPlayer> sound_;
    SystemClock clock_;
    MtRandom rnd_;
    std::unique_ptr<Game> game_;
    AroundTable* around_ = nullptr;  // a child of the window
    std::unique_ptr<TableNetwork> network_;
    ChatWindowPort* chat_ = nullptr;
    frmChat* chatWindow_ = nullptr;  // a child window of the table
    long framesShown_ = 0;
    QElapsedTimer frameClock_;  // since the last frame's wait ended
    QHash<QString, QPixmap> pileCache_;
    int flashFrame_ = 0;
    QWidget* flashLayer_ = nullptr;
    std::array<QPixmap, 8> personaFrames_{};
    std::string personaPicturesOf_;  // the custom persona whose end-of-game pictures are loaded
};

}  // namespace korbo::ui
