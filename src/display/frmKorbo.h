// The table window. It owns the controls, turns mouse and menu events into calls of the
// game, and draws what the game asks for.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>

#include "game/game.h"
#include "game/random.h"

class QLabel;

namespace korbo::ui {

class SystemClock final : public Clock {
public:
    double SecondsSinceMidnight() override;
};

class frmKorbo : public QMainWindow, public TableView {
    Q_OBJECT
public:
    explicit frmKorbo(QWidget* parent = nullptr);
    ~frmKorbo() override;

    Game& game() { return *game_; }

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
    void Flash() override;
    void Sore_Loser() override;
    SaveDialogResult ShowSaveDialog(const SaveDialogSetup& setup) override;
    void PlayResource(int id) override;
    void PlayFile(std::string_view path, bool waitUntilEnd) override;
    void Beep() override;
    int MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) override;
    void Pause(double seconds, bool dispatch) override;
    void DoEvents() override;

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
    void CardSizeInPixels();  // CardWidth, CardHeight from BaseCardWidth, BaseCardHeight
    void ScaleFormControls(int mode, int size);
    void DrawStacks();
    void Redraw();

    // --- start-up and shutdown (src/app/startup.cpp) --------------------------------------
    void Form_Load();
    void OpenDoor();
    void ExitLeft();
    // The layout's variables that start-up and exit read and set: the window's size in
    // twips as last set or measured, the card size base in pixels, and the start state
    // (0 normal, 2 maximised at start, 3 not resized since).
    int WinWidth = 0, WinHeight = 0;
    int CardBase = 82;
    int WindowStartState = 0;

private:
    using Key = std::pair<Ctl, int>;
    std::map<Key, std::string> captions_;
    std::map<Key, bool> visible_, enabled_;
    std::map<Key, Rect> rects_;
    std::map<Menu, bool> menuChecks_;
    std::map<std::pair<Menu, int>, bool> menuItemChecks_;
    std::map<Key, double> fontSizes_;
    SystemClock clock_;
    MtRandom rnd_;
    std::unique_ptr<Game> game_;
    QLabel* status_ = nullptr;
};

}  // namespace korbo::ui
