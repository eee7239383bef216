// The rules that judge the human player's moves, and the refusals the player sees.
#include <string>

#include "game.h"
#include "house_rules.h"

namespace korbo {

namespace {

// Two rectangles are apart on an axis only when one's far edge is strictly less than the
// other's near edge: touching edges overlap.
bool Apart(double aNear, double aSpan, double bNear, double bSpan) {
    return aNear + aSpan < bNear || bNear + bSpan < aNear;
}

constexpr int kHoldCovered = 30;  // cards a HOLD pile keeps under its top

}  // namespace

int Game::FindDropTarget(int slot) { return FindDropTarget(slot, view_.PictureRect(Ctl::Picture7, slot)); }

int Game::FindDropTarget(int slot, const Rect& card) {
    const double w = CardWidth, h = CardHeight;
    for (int s = 1; s <= 3; ++s) {
        Rect pile = view_.PictureRect(Ctl::Picture4, s);
        if (Apart(card.Left, w, pile.Left, w) || Apart(card.Top, h, pile.Top, h)) continue;
        int target = s;
        if (pile.Left + CardGap <= card.Left) target = s + 1 > 3 ? 3 : s + 1;
        DropTarget = Ctl::Picture4;
        DropTargetSet = true;
        return target;
    }
    if (slot < 2 || slot > 6) return -1;
    const double twoThirds = (h / 3) * 2;
    for (int i = 7; i <= 10; ++i) {
        Rect pile = view_.PictureRect(Ctl::Picture7, i);
        if (card.Left + w < pile.Left || pile.Left + w < card.Left || card.Top + h < pile.Top ||
            pile.Top + twoThirds < card.Top)
            continue;
        int target = i;
        if (pile.Left + CardGap <= card.Left) target = i + 1 > 10 ? 10 : i + 1;
        DropTarget = Ctl::Picture7;
        DropTargetSet = true;
        return target;
    }
    for (int i = 2; i <= 6; ++i) {
        if (i == slot || PlayerSlots.Value(i) == 0) continue;
        Rect place = view_.PictureRect(Ctl::Picture7, i);
        if (card.Left + w / 2 < place.Left || place.Left + w / 2 < card.Left || card.Top + h / 2 < place.Top ||
            place.Top + h < card.Top)
            continue;
        int target = i;
        if (place.Left + CardGap <= card.Left) target = i + 1 > 6 ? 6 : i + 1;
        DropTarget = Ctl::Picture7;
        DropTargetSet = true;
        return target;
    }
    return -1;
}

void Game::Legal() {
    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    if (CurIndex < 1 || CurIndex > 3 || PlaySlot < 1 || PlaySlot > 10) {
        Turn = TurnRefused;  // no such pile or place: nothing can be played there
        return;
    }
    const int value = PlayerSlots.Value(PlaySlot);
    const int count = CenterCount[CurIndex];
    if (value == 13) {
        if (count == 0 && NoWildAce) {
            view_.MsgBox("Wild card can not be used as an Ace.", mb::OKOnly | mb::Information, "Rules Enforced");
            Turn = TurnRefused;
        }
        return;
    }
    if (value != 0 && value == count + 1) return;
    if (Turn != TurnNobody) CheatError();
    Turn = TurnRefused;
}

bool Game::DiscardCheck(int t) {
    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    if (t < 7 || t > 10) return false;
    const int k = t - 6;
    // The other table's copy of the pile keeps 30 cards, its top among them: in a network
    // game the pile is full one card earlier, so no discard goes out that it cannot take.
    const int mostCovered = NetActive ? kHoldCovered - 1 : kHoldCovered;
    if (PlayerHoldCount[k] >= mostCovered) {
        view_.SetCaption(Ctl::Label9, 1, "That HOLD pile is too full. PICK ANOTHER PILE!");
        PlayResource(SndRefuse);
        view_.MovePicture(Ctl::Picture7, PlaySlot, DragStartLeft, DragStartTop);
        EnablePic(Ctl::Picture7, true);
        return false;
    }
    // The places a forced card is looked for, in order.
    auto holds = [&](int value) {
        if (PlayerSlots.Value(1) == value) return true;
        if (ForcedRule < 4) {
            for (int h = 2; h <= 6; ++h)
                if (PlayerSlots.Value(h) == value) return true;
        } else if (PlaySlot >= 2 && PlaySlot <= 6 && PlayerSlots.Value(PlaySlot) == value) {
            return true;
        }
        for (int h = 7; h <= 10; ++h)
            if (PlayerSlots.Value(h) == value) return true;
        return false;
    };
    auto pileWith = [&](int count) {
        for (int s = 1; s <= 3; ++s)
            if (CenterCount[s] == count) return true;
        return false;
    };
    if (house_rules::ForcedAceOn(ForcedRule) && pileWith(0) && holds(1)) {
        PlayerGoBack("Ace");
        return false;
    }
    if (house_rules::ForcedTwoOn(ForcedRule) && pileWith(1) && holds(2)) {
        PlayerGoBack("Two");
        return false;
    }
    return true;
}

void Game::CheatError() {
    MsgText = "     Don't try to Cheat!";
    std::string text = std::string(CRLF) + MsgText;
    if (Turn == TurnOpponent) text += std::string(CRLF) + "     It's still my turn!";
    view_.SetCaption(Ctl::Label9, 1, text);
    PlayResource(SndCheat);
}

void Game::PlayerGoBack(std::string_view cardName) {
    const std::string n(cardName);
    view_.MsgBox("Forced " + n + " rule is in effect. You must play your " + n, mb::OKOnly | mb::Information,
                 "Rule Enforced");
    view_.MovePicture(Ctl::Picture7, PlaySlot, DragStartLeft, DragStartTop);
    EnablePic(Ctl::Picture7, true);
}

}  // namespace korbo
