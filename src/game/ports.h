// The ports through which the core reaches the world. The Qt table implements TableView;
// tests implement every port with fakes.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include <cstddef>

#include "players_dialog.h"
#include "types.h"

namespace korbo {

// The saved-games dialog as the game sets it up: the slots 1..10 and the automatic slot 11,
// the AutoSave box, and what ticking that box does while the dialog is open.
struct SaveDialogSetup {
    struct Slot {
        std::string text;
        bool available = true;
    };
    bool saving = true;                 // the button reads "Save", else "Restore"
    std::array<Slot, 12> Text1{};       // the boxes 1..11; 0 unused
    bool showAutoSave = false;          // the AutoSave box is offered
    bool autoSaveTicked = false;
    std::function<void(bool ticked)> autoSaveClicked;  // the box was ticked or unticked
};

// What the dialog was left with.
struct SaveDialogResult {
    bool cancelled = true;
    int slot = 0;
    std::string name;  // the chosen box's text, trimmed
};

// Everything the game shows, plays or waits for, addressed by the table's control names.
// Every function does nothing here (a getter gives an empty value, a box answers OK, the
// save dialog is cancelled), so a fake overrides only what it records or answers; the
// table window overrides them all.
class TableView {
public:
    virtual ~TableView() = default;

    // Captions, visibility and the simple properties of a control (array element `index`).
    virtual void SetCaption(Ctl c, int index, std::string_view text) {}
    virtual std::string Caption(Ctl c, int index) const { return {}; }
    virtual void SetVisible(Ctl c, int index, bool on) {}
    virtual bool Visible(Ctl c, int index) const { return false; }
    virtual void SetEnabled(Ctl c, int index, bool on) {}
    virtual bool Enabled(Ctl c, int index) const { return false; }
    virtual void SetBackColor(Ctl c, int index, long color) {}
    virtual void SetToolTip(Ctl c, int index, std::string_view text) {}

    // Pictures: place, front order, refresh, clearing and drawing one card in the current
    // card style (id 0 is the empty pile, also the back of a face-down card).
    virtual Rect PictureRect(Ctl c, int index) const { return {}; }
    virtual void MovePicture(Ctl c, int index, int left, int top) {}
    virtual void BringToFront(Ctl c, int index) {}
    virtual void Refresh(Ctl c, int index) {}
    virtual void ClearPicture(Ctl c, int index) {}
    virtual void DrawCard(Ctl c, int index, int cardId) {}
    // True when the last DrawCard could not draw; the view has already told the user.
    virtual bool DrawingFailed() const { return false; }
    // The picture of c(index) becomes the store's empty-pile picture `filePic`: 0 the one
    // in use (also the card back), 1 and 2 its two standard variants; nothing else of the
    // picture changes. A view without the variants draws the empty pile instead.
    virtual void SetFilePicture(Ctl c, int index, int /*filePic*/) { DrawCard(c, index, 0); }
    virtual void SetBorderStyle(Ctl c, int index, int style) {}

    // One frame of an animation the core moves step by step (a card sliding home): the
    // view shows what changed and lets about one displayed frame pass.
    virtual void AnimationFrame() {}

    // A card flying from one picture to another; returns when it has arrived.
    virtual void WalkTheCard(Ctl src, int srcIndex, Ctl dst, int dstIndex) {}

    // A hand card moves from place `from` to place `to` of `pics` (hand places 2..6): the
    // view lifts the look of pics(from) into the floating ImgHold, which carries it while
    // the game shifts the places between; the game then draws every place it changed.
    virtual void HandSortAnimation(Ctl pics, int from, int to) {}

    // The picture-card library's value of card `id` (1..13), for the picture-card style;
    // 0 where there is no library value (the card keeps its standard value).
    virtual int CardLibraryValue(int id) { return 0; }
    // The library's values back to its defaults, when the table is cleared.
    virtual void CardLibraryReset() {}

    // A web address handed to the desktop's browser (only http and https ones ever are).
    virtual void OpenWebPage(std::string_view address) {}
    // A box of text shown to its end (the chat history after a new line).
    virtual void ScrollToEnd(Ctl c, int index) {}
    // The connection window, modal: what was chosen, or connect false when cancelled.
    virtual PlayersDialogResult ShowPlayersDialog(const PlayersDialogSetup& setup) { return {}; }
    virtual void UnloadForm(Form f) {}

    virtual void EnableMenu(Menu m, bool on) {}
    virtual void CheckMenu(Menu m, bool on) {}
    virtual void SetMenuVisible(Menu m, bool on) {}  // the indicators on the menu bar
    virtual void ShowForm(Form f, bool modal) {}
    virtual bool MenuChecked(Menu m) const { return false; }  // the tick CheckMenu set
    // Items of a menu array by their own index: Level(0..2), Noises(0..2), chatter(1..).
    virtual void CheckMenuItem(Menu m, int index, bool on) {}
    virtual int MenuItemCount(Menu m) const { return 0; }  // the highest item of a menu array
    virtual void SetMenuCaption(Menu m, int index, std::string_view text) {}

    // The end-of-game pictures are the built-in persona's again.
    virtual void ReloadPersonaPictures() {}
    // The chat window's phrase button `index` (1..20).
    virtual void SetChatPhrase(int index, std::string_view text) {}

    // The looks of the table: label colours and fonts, the mat, the card faces and back.
    virtual void SetForeColor(Ctl c, int index, long color) {}
    virtual void SetBackStyle(Ctl c, int index, int style) {}  // 0 transparent, 1 opaque
    virtual void SetFontSize(Ctl c, int index, double points) {}
    virtual double FontSize(Ctl c, int index) const { return 0; }
    virtual void SetTableBackColor(long color) {}
    virtual void LoadCardFaceSet(int cardStyle) {}
    // The card back: designer deck `deckChoice` (1..5), or with 0 the store's picture
    // `filePic` (1 the large standard back, 2 the plain one).
    virtual void SetCardBack(int deckChoice, int filePic) {}
    virtual void ResetPilePictures() {}
    virtual void ClearBackground() {}               // the painted background off, form refreshed
    virtual void BackgroundPaint(int backIndex) {}  // background picture backIndex painted
    // The avatar shows the picture file at `path`; one that cannot be loaded leaves it as it was.
    virtual void ShowAvatarPicture(std::string_view path) {}

    // The end-of-game animations: the persona's picture sequence and the loser's shake.
    virtual void Flash() {}
    virtual void Sore_Loser() {}

    // The saved-games dialog, modal.
    virtual SaveDialogResult ShowSaveDialog(const SaveDialogSetup& setup) { return {}; }

    // Sound on one channel: a clip carried with the program, or a WAV file.
    virtual void PlayResource(int id) {}
    virtual void PlayFile(std::string_view path, bool waitUntilEnd) {}
    virtual void Beep() {}

    // A modal box; the answer is one of the mb::ID* codes. An empty title stands for the
    // program's own title.
    virtual int MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) { return mb::IDOK; }

    // Waiting: Pause lets `seconds` pass, dispatching window events unless `dispatch` is
    // false; it never spins. DoEvents dispatches what is pending and returns.
    virtual void Pause(double seconds, bool dispatch) {}
    virtual void DoEvents() {}
};

// The one uniform generator r in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    virtual double Next() = 0;
    virtual void Seed(double seed) = 0;
};

// Seconds since midnight, local time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double SecondsSinceMidnight() = 0;
};

// The table's socket array as the game sees it: element 0 listens (host) or connects
// (remote); further elements take the callers the host accepts. State codes follow the
// game's socket control: 0 closed, 1 open, 2 listening, 6 connecting, 7 connected, 8 the peer
// is closing, 9 error. Its events come into the game's Winsock1_* handlers. Everything does
// nothing here, so a fake overrides only what it plays.
class Transport {
public:
    virtual ~Transport() = default;
    virtual int State(int index) const { return 0; }
    // On element 0. False when it cannot listen: the element's Error event has then been
    // raised already, before Listen returns.
    virtual bool Listen(int port) { return false; }
    virtual bool Connect(std::string_view host, int port) { return false; }  // on element 0
    // Loads element `index` and takes the caller announced by a connection request there.
    virtual bool Accept(int index, long requestId) { return false; }
    virtual void Close(int index) {}
    virtual void Unload(int index) {}  // element 0 stays
    virtual bool SendLine(int index, std::string_view text) { return false; }  // text without the line feed
    // What element `index` received and nobody took yet, at most `maxBytes` of it.
    virtual std::string Receive(int index, std::size_t maxBytes) { return {}; }
    virtual std::string LocalAddress(int index) const { return {}; }
    virtual int LocalPort(int index) const { return 0; }
    // The port the element binds to when it next listens or connects (0: any free one).
    virtual void SetLocalPort(int index, int port) {}
    // The machine's IPv4 addresses, dotted.
    virtual std::vector<std::string> Addresses() const { return {}; }
    // Sleeps until data, a change of a socket or a window event arrives, and dispatches
    // what came. Never spins: with nothing to come it keeps sleeping.
    virtual void WaitForActivity() {}
};

}  // namespace korbo
