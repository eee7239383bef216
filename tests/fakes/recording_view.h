// A TableView for tests: it keeps the properties the core sets, records the calls the tests
// look at as lines of text, answers message boxes from a script and takes pauses as zero
// time. What it does not override the base leaves undone.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/ports.h"

namespace korbo::test {

using korbo::CtlName;

struct MsgBoxCall {
    std::string text;
    int buttons;
    std::string title;
};

class RecordingView : public TableView {
public:
    using Key = std::pair<Ctl, int>;

    // What the fake remembers of each control.
    std::map<Key, std::string> captions;
    std::map<Key, bool> visible;
    std::map<Key, bool> enabled;
    std::map<Key, long> backColor;
    std::map<Key, std::string> toolTips;
    std::map<Key, Rect> rects;
    std::map<Key, int> drawn;  // card id last drawn into a picture
    std::map<Key, int> border;
    std::map<Menu, bool> menus, menuChecks;

    std::vector<std::string> log;   // every call, in order
    std::vector<int> sounds;        // resource ids played
    std::vector<std::string> files; // sound files played
    std::vector<MsgBoxCall> boxes;
    std::deque<int> answers;        // scripted answers of the next boxes; OK when empty
    std::vector<double> pauses;
    std::vector<std::pair<Form, bool>> forms;
    int walks = 0;
    int doEvents = 0;
    std::vector<int> libraryValues;  // values for the picture-card style, by id (index 0 unused)

    // Runs inside every pause and DoEvents, to play a user acting during a wait.
    std::function<void()> onDispatch;

    std::string Caption(Ctl c, int i) const override {
        auto it = captions.find({c, i});
        return it == captions.end() ? std::string() : it->second;
    }
    void SetCaption(Ctl c, int i, std::string_view text) override {
        captions[{c, i}] = std::string(text);
        log.push_back(std::string("Caption ") + CtlName(c) + "(" + std::to_string(i) + ")=" + std::string(text));
    }
    void SetVisible(Ctl c, int i, bool on) override {
        visible[{c, i}] = on;
        log.push_back(std::string("Visible ") + CtlName(c) + "(" + std::to_string(i) + ")=" + (on ? "1" : "0"));
    }
    bool Visible(Ctl c, int i) const override {
        auto it = visible.find({c, i});
        return it != visible.end() && it->second;
    }
    void SetEnabled(Ctl c, int i, bool on) override { enabled[{c, i}] = on; }
    bool Enabled(Ctl c, int i) const override {
        auto it = enabled.find({c, i});
        return it != enabled.end() && it->second;
    }
    void SetBackColor(Ctl c, int i, long color) override { backColor[{c, i}] = color; }
    void SetToolTip(Ctl c, int i, std::string_view text) override { toolTips[{c, i}] = std::string(text); }
    Rect PictureRect(Ctl c, int i) const override {
        auto it = rects.find({c, i});
        return it == rects.end() ? Rect{} : it->second;
    }
    struct Move {
        Ctl c;
        int index, left, top;
    };
    std::vector<Move> moves;  // every MovePicture, in order
    void MovePicture(Ctl c, int i, int left, int top) override {
        moves.push_back({c, i, left, top});
        Rect& r = rects[{c, i}];
        r.Left = left;
        r.Top = top;
    }
    void ClearPicture(Ctl c, int i) override { drawn[{c, i}] = -1; }
    void DrawCard(Ctl c, int i, int cardId) override {
        drawn[{c, i}] = cardId;
        log.push_back(std::string("Draw ") + CtlName(c) + "(" + std::to_string(i) + ")=" + std::to_string(cardId));
    }
    void SetBorderStyle(Ctl c, int i, int style) override { border[{c, i}] = style; }
    std::map<Key, int> filePicture;  // the store's picture last given to a picture
    bool drawingFails = false;       // every DrawCard reports a failure
    bool DrawingFailed() const override { return drawingFails; }
    void SetFilePicture(Ctl c, int i, int filePic) override { filePicture[{c, i}] = filePic; }
    int frames = 0;
    // A frame of an animation dispatches window events, as a pause does.
    void AnimationFrame() override {
        ++frames;
        if (onDispatch) onDispatch();
    }
    void WalkTheCard(Ctl src, int si, Ctl dst, int di) override {
        ++walks;
        log.push_back(std::string("Walk ") + CtlName(src) + "(" + std::to_string(si) + ")->" + CtlName(dst) + "(" +
                      std::to_string(di) + ")");
    }
    void HandSortAnimation(Ctl pics, int from, int to) override {
        log.push_back(std::string("HandSort ") + CtlName(pics) + "(" + std::to_string(from) + ")->(" +
                      std::to_string(to) + ")");
    }
    int CardLibraryValue(int id) override {
        return id >= 0 && id < static_cast<int>(libraryValues.size()) ? libraryValues[id] : ((id - 1) % 13) + 1;
    }
    void EnableMenu(Menu m, bool on) override { menus[m] = on; }
    void CheckMenu(Menu m, bool on) override { menuChecks[m] = on; }
    void ShowForm(Form f, bool modal) override { forms.emplace_back(f, modal); }

    // Menu arrays, the menu bar's captions and the looks of the table.
    std::map<std::pair<Menu, int>, bool> menuItemChecks;
    std::map<std::pair<Menu, int>, std::string> menuCaptions;
    std::map<Menu, int> menuItemCounts;  // highest item of each menu array; 1 when not set
    std::map<Key, long> foreColor;
    std::map<Key, int> backStyle;
    std::map<Key, double> fontSize;
    long tableBackColor = -1;
    void CheckMenuItem(Menu m, int i, bool on) override {
        menuItemChecks[{m, i}] = on;
        log.push_back("CheckMenuItem " + std::to_string(static_cast<int>(m)) + "(" + std::to_string(i) + ")=" +
                      (on ? "1" : "0"));
    }
    bool MenuChecked(Menu m) const override {
        auto it = menuChecks.find(m);
        return it != menuChecks.end() && it->second;
    }
    bool ItemChecked(Menu m, int i) const {
        auto it = menuItemChecks.find({m, i});
        return it != menuItemChecks.end() && it->second;
    }
    int MenuItemCount(Menu m) const override {
        auto it = menuItemCounts.find(m);
        return it == menuItemCounts.end() ? 1 : it->second;
    }
    void SetMenuCaption(Menu m, int i, std::string_view text) override { menuCaptions[{m, i}] = std::string(text); }
    // Pictures shown as the avatar, the chat phrases, the end-of-game pictures reset.
    std::vector<std::pair<Key, std::string>> pictures;
    std::map<int, std::string> chatPhrases;
    int personaPicturesReloaded = 0;
    void ShowAvatarPicture(std::string_view path) override { pictures.emplace_back(Key{Ctl::ImgAvatar, 0}, std::string(path)); }
    void SetChatPhrase(int i, std::string_view text) override { chatPhrases[i] = std::string(text); }
    void ReloadPersonaPictures() override { ++personaPicturesReloaded; }
    void SetForeColor(Ctl c, int i, long color) override { foreColor[{c, i}] = color; }
    void SetBackStyle(Ctl c, int i, int style) override { backStyle[{c, i}] = style; }
    void SetFontSize(Ctl c, int i, double points) override { fontSize[{c, i}] = points; }
    double FontSize(Ctl c, int i) const override {
        auto it = fontSize.find({c, i});
        return it == fontSize.end() ? 0.0 : it->second;
    }
    void SetTableBackColor(long color) override { tableBackColor = color; }
    void LoadCardFaceSet(int style) override { log.push_back("LoadCardFaceSet " + std::to_string(style)); }
    void SetCardBack(int deckChoice, int filePic) override {
        log.push_back("SetCardBack " + std::to_string(deckChoice) + " " + std::to_string(filePic));
    }
    void ResetPilePictures() override { log.push_back("ResetPilePictures"); }
    void ClearBackground() override { log.push_back("ClearBackground"); }
    void BackgroundPaint(int backIndex) override { log.push_back("BackgroundPaint " + std::to_string(backIndex)); }
    void Flash() override { log.push_back("Flash"); }
    void Sore_Loser() override { log.push_back("Sore_Loser"); }

    // The saved-games dialog: each showing is kept; the answer comes from `saveDialog` when
    // set (it may tick the AutoSave box through the setup), else from `saveAnswers`, else
    // the dialog is cancelled.
    std::vector<SaveDialogSetup> saveDialogs;
    std::function<SaveDialogResult(const SaveDialogSetup&)> saveDialog;
    std::deque<SaveDialogResult> saveAnswers;
    SaveDialogResult ShowSaveDialog(const SaveDialogSetup& setup) override {
        saveDialogs.push_back(setup);
        log.push_back(std::string("SaveDialog ") + (setup.saving ? "Save" : "Restore"));
        if (saveDialog) return saveDialog(setup);
        if (saveAnswers.empty()) return {};
        SaveDialogResult r = saveAnswers.front();
        saveAnswers.pop_front();
        return r;
    }
    void PlayResource(int id) override {
        sounds.push_back(id);
        log.push_back("Sound " + std::to_string(id));
    }
    void PlayFile(std::string_view path, bool wait) override {
        files.emplace_back(path);
        log.push_back(std::string("PlayFile ") + std::string(path) + (wait ? " (wait)" : ""));
    }
    void Beep() override { log.push_back("Beep"); }
    int MsgBox(std::string_view text, int buttons, std::string_view title) override {
        boxes.push_back({std::string(text), buttons, std::string(title)});
        log.push_back("MsgBox " + std::string(title) + ": " + std::string(text));
        if (answers.empty()) return mb::IDOK;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Pause(double seconds, bool dispatch) override {
        pauses.push_back(seconds);
        if (dispatch && onDispatch) onDispatch();
    }
    void DoEvents() override {
        ++doEvents;
        if (onDispatch) onDispatch();
    }

    // Helpers for assertions.
    bool Played(int id) const {
        for (int s : sounds)
            if (s == id) return true;
        return false;
    }
    int Drawn(Ctl c, int i) const {
        auto it = drawn.find({c, i});
        return it == drawn.end() ? -1 : it->second;
    }
};

}  // namespace korbo::test
