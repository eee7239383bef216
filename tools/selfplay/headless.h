// The pieces of a table without a window that the developer tools share: a clock that
// moves only when a pause is taken, a view that keeps what the game reads back, and the
// scripted human that moves through the same entry points as the table window.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "game/game.h"

namespace korbo::selfplay {

struct Options;

// Reads a whole decimal number within [lo, hi].
bool ReadNumber(const std::string& text, long lo, long hi, long& out);

// The house rules of the options, set on a game before its deal.
void ApplyHouseRules(Game& g, const Options& o);

class HeadlessClock final : public Clock {
public:
    double now = 12 * 3600.0;
    double SecondsSinceMidnight() override { return now; }
};

// Keeps what the game reads back (captions, visibility, enabled places, picture places),
// tells of cards walked from the stock and answers boxes through its hooks; everything
// else the base leaves undone.
class HeadlessView : public TableView {
public:
    struct Hooks {
        std::function<void(Ctl pics, int place)> refilled;  // a card walked from the stock
        std::function<int(std::string_view text, std::string_view title)> box;
        std::function<void()> dispatch;  // a pause or DoEvents lets events in
    };

    HeadlessView(HeadlessClock& clock, Hooks hooks) : clock_(clock), hooks_(std::move(hooks)) {}

    void SetCaption(Ctl c, int i, std::string_view text) override { captions_[Key(c, i)] = std::string(text); }
    std::string Caption(Ctl c, int i) const override;
    void SetVisible(Ctl c, int i, bool on) override { visible_[Key(c, i)] = on; }
    bool Visible(Ctl c, int i) const override;
    void SetEnabled(Ctl c, int i, bool on) override { enabled_[Key(c, i)] = on; }
    bool Enabled(Ctl c, int i) const override;
    Rect PictureRect(Ctl c, int i) const override;
    void MovePicture(Ctl c, int i, int left, int top) override;
    void WalkTheCard(Ctl src, int srcIndex, Ctl dst, int dstIndex) override;
    int MsgBox(std::string_view text, int buttons, std::string_view title) override;
    void Pause(double seconds, bool dispatch) override;
    void DoEvents() override;

    void ResetLayout() { rects_.clear(); }
    void Clear();

private:
    static int Key(Ctl c, int i) { return static_cast<int>(c) * 256 + (i & 255); }
    HeadlessClock& clock_;
    Hooks hooks_;
    std::map<int, std::string> captions_;
    std::map<int, bool> visible_, enabled_;
    std::map<int, Rect> rects_;
};

// The scripted human: plays the first card that fits (pay-off top, hand, HOLD tops; a King
// only from the pay-off top), then discards its highest hand card onto the smallest HOLD
// pile. Every play goes through the mouse entry points of the table. A network game that
// ends under one of its moves ends its turn there.
class ScriptedHuman {
public:
    struct Hooks {
        std::function<void(const std::string& what)> violation;
        std::function<void(const char* where)> check;
        // The discard was taken by the game (source place, HOLD place).
        std::function<void(int source, int target)> discarded;
    };

    ScriptedHuman(HeadlessView& view, Hooks hooks) : view_(view), hooks_(std::move(hooks)) {}

    // One play; false when nothing fits (or a play did not happen, told as a violation).
    bool Play(Game& g);
    // The turn's discard.
    void Discard(Game& g);
    // A given play or discard, as another policy chose it; false when the table did not
    // take it.
    bool PlayTo(Game& g, int place, int pile);
    bool DiscardTo(Game& g, int place, int holdPlace);
    // The whole turn: plays while the player moves and both pay-off piles hold cards, then
    // the discard.
    void Turn(Game& g, const bool& stop);

    // The game calls this when the player's discard ended the turn (before the opponent
    // moves); false when no discard of the human was pending.
    bool DiscardArrived();
    void Reset() { pendingSource_ = pendingTarget_ = 0; }

private:
    void Drag(Game& g, int place, Ctl targetPics, int target);
    // The play of `place` onto `pile`, by a drag or a double click; whether it moved.
    bool Attempt(Game& g, int place, int pile, bool drag);

    HeadlessView& view_;
    Hooks hooks_;
    int pendingSource_ = 0, pendingTarget_ = 0;
    bool discardDone_ = false;
};

}  // namespace korbo::selfplay
