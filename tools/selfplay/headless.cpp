#include "headless.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "selfplay.h"

namespace korbo::selfplay {

bool ReadNumber(const std::string& text, long lo, long hi, long& out) {
    if (text.empty() || text.size() > 18) return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < lo || v > hi) return false;
    out = static_cast<long>(v);
    return true;
}

void ApplyHouseRules(Game& g, const Options& o) {
    g.CompLevel = static_cast<int16_t>(o.level);
    g.SideSize = static_cast<int16_t>(o.payOff - 1);
    g.ForcedRule = static_cast<int16_t>((o.forcedAce ? ForcedAce : 0) | (o.forcedTwo ? ForcedTwo : 0) |
                                        (o.visibleOnly ? VisibleOnly : 0));
    g.NoWildAce = o.noWildAce;
    g.ShuffleApart = o.shuffleApart;
}

namespace {

// The table's layout for the hit tests (table units): centre piles in a row, the HOLD
// places below them, the hand and pay-off places at the bottom; far enough apart that
// a card put exactly on a place overlaps no other place.
constexpr int kCentreTop = 3000, kHoldTop = 5500, kHandTop = 8000, kColumn = 2000;

Rect HomeRect(Ctl c, int i) {
    if (c == Ctl::Picture4) return {kColumn * i, kCentreTop, 1065, 1440};
    if (c == Ctl::Picture7 || c == Ctl::Picture1) {
        const int top = c == Ctl::Picture7 ? 0 : 20000;
        if (i >= 7) return {kColumn * (i - 6), top + kHoldTop, 1065, 1440};
        return {kColumn * i, top + kHandTop, 1065, 1440};
    }
    return {};
}

}  // namespace

// --- the view --------------------------------------------------------------------------------

std::string HeadlessView::Caption(Ctl c, int i) const {
    auto it = captions_.find(Key(c, i));
    return it == captions_.end() ? std::string() : it->second;
}

bool HeadlessView::Visible(Ctl c, int i) const {
    auto it = visible_.find(Key(c, i));
    return it != visible_.end() && it->second;
}

bool HeadlessView::Enabled(Ctl c, int i) const {
    auto it = enabled_.find(Key(c, i));
    return it != enabled_.end() && it->second;
}

Rect HeadlessView::PictureRect(Ctl c, int i) const {
    auto it = rects_.find(Key(c, i));
    return it == rects_.end() ? HomeRect(c, i) : it->second;
}

void HeadlessView::MovePicture(Ctl c, int i, int left, int top) {
    Rect r = PictureRect(c, i);
    r.Left = left;
    r.Top = top;
    rects_[Key(c, i)] = r;
}

void HeadlessView::WalkTheCard(Ctl src, int, Ctl dst, int dstIndex) {
    if (src == Ctl::Picture4 && (dst == Ctl::Picture7 || dst == Ctl::Picture1) && hooks_.refilled)
        hooks_.refilled(dst, dstIndex);
}

int HeadlessView::MsgBox(std::string_view text, int, std::string_view title) {
    return hooks_.box ? hooks_.box(text, title) : mb::IDOK;
}

void HeadlessView::Pause(double seconds, bool dispatch) {
    if (seconds > 0) clock_.now += seconds;
    if (dispatch && hooks_.dispatch) hooks_.dispatch();
}

void HeadlessView::DoEvents() {
    if (hooks_.dispatch) hooks_.dispatch();
}

void HeadlessView::Clear() {
    captions_.clear();
    visible_.clear();
    enabled_.clear();
    rects_.clear();
}

// --- the scripted human ---------------------------------------------------------------------

void ScriptedHuman::Drag(Game& g, int place, Ctl targetPics, int target) {
    view_.ResetLayout();
    const Rect from = view_.PictureRect(Ctl::Picture7, place);
    const Rect to = view_.PictureRect(targetPics, target);
    const double grabX = 100, grabY = 100;
    g.Picture7_MouseDown(place, btn::Left, 0, grabX, grabY);
    g.Picture7_MouseMove(place, btn::Left, 0, grabX + (to.Left - from.Left), grabY + (to.Top - from.Top));
    g.Picture7_MouseUp(place, btn::Left, 0, grabX, grabY);
}

bool ScriptedHuman::Attempt(Game& g, int place, int pile, bool drag) {
    const CardRec before = g.PlayerSlots.Get(place);
    const int count = g.CenterCount[pile];
    const int used = g.UsedCount;
    if (drag) {
        Drag(g, place, Ctl::Picture4, pile);
    } else {
        view_.ResetLayout();
        g.Picture7_DblClick(place);
    }
    return g.CenterCount[pile] != count || g.UsedCount != used || !(g.PlayerSlots.Get(place) == before) ||
           g.Turn != TurnPlayer;
}

bool ScriptedHuman::Play(Game& g) {
    auto pileFor = [&](int value) {
        for (int s = 1; s <= 3; ++s) {
            if (g.CenterCount[s] >= 12) continue;
            if (value == 13 ? !(g.NoWildAce && g.CenterCount[s] == 0) : g.CenterCount[s] + 1 == value) return s;
        }
        return 0;
    };
    for (int place = 1; place <= 10; ++place) {
        const int value = g.PlayerSlots.Value(place);
        if (value == 0 || (value == 13 && place != 1)) continue;
        const int pile = pileFor(value);
        if (pile == 0) continue;
        if (!Attempt(g, place, pile, value == 13)) {
            hooks_.violation("the player's play of place " + std::to_string(place) + " onto pile " +
                             std::to_string(pile) + " did not happen");
            return false;
        }
        hooks_.check("after a player play");
        return true;
    }
    return false;
}

bool ScriptedHuman::PlayTo(Game& g, int place, int pile) {
    if (place < 1 || place > 10 || pile < 1 || pile > 3 || g.PlayerSlots.Value(place) == 0) return false;
    if (!Attempt(g, place, pile, true)) return false;
    hooks_.check("after a player play");
    return true;
}

bool ScriptedHuman::DiscardTo(Game& g, int place, int holdPlace) {
    if (place < 2 || place > 6 || holdPlace < 7 || holdPlace > 10 || g.PlayerSlots.Value(place) == 0) return false;
    pendingSource_ = place;
    pendingTarget_ = holdPlace;
    discardDone_ = false;
    Drag(g, place, Ctl::Picture7, holdPlace);
    if (!discardDone_) pendingSource_ = 0;
    return discardDone_;
}

void ScriptedHuman::Discard(Game& g) {
    int h = 0;
    for (int x = 2; x <= 6; ++x) {
        const int v = g.PlayerSlots.Value(x);
        if (v == 0 || v == 13) continue;
        if (h == 0 || v > g.PlayerSlots.Value(h)) h = x;
    }
    for (int x = 2; x <= 6 && h == 0; ++x)
        if (g.PlayerSlots.Value(x) != 0) h = x;  // nothing but Kings
    if (h == 0) {
        hooks_.violation("the player has no card to discard");
        return;
    }
    // HOLD piles by size, the smaller first and the lower number on ties.
    int order[4] = {1, 2, 3, 4};
    auto size = [&](int k) { return g.PlayerHoldCount[k] + (g.PlayerSlots.Value(k + 6) != 0 ? 1 : 0); };
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (size(order[j]) < size(order[i]) || (size(order[j]) == size(order[i]) && order[j] < order[i]))
                std::swap(order[i], order[j]);
    const bool netGame = g.NetActive;
    for (int k : order) {
        if (g.PlayerHoldCount[k] >= 30) continue;  // the capacity check would refuse it
        if (DiscardTo(g, h, k + 6)) return;
        // The network game ended under the discard (the peer quit, or what it sent was
        // refused): the table is cleaned up and nothing is left to move.
        if (netGame && !g.NetActive) return;
    }
    hooks_.violation("no HOLD pile took the player's discard");
}

bool ScriptedHuman::DiscardArrived() {
    if (pendingSource_ == 0) return false;
    const int source = pendingSource_, target = pendingTarget_;
    pendingSource_ = 0;
    discardDone_ = true;
    hooks_.discarded(source, target);
    return true;
}

void ScriptedHuman::Turn(Game& g, const bool& stop) {
    g.AwaitingPlayer = false;
    while (g.Turn == TurnPlayer && g.PlayerSideCount > 0 && g.OppSideCount > 0) {
        if (Play(g)) continue;
        if (stop) return;
        if (g.Turn != TurnPlayer) return;
        Discard(g);
        return;
    }
}

}  // namespace korbo::selfplay
