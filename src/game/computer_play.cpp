// Carrying out the computer's plan card by card, with the persona's remarks and sounds.
#include <cassert>
#include <algorithm>
#include <string>

#include "game.h"
#include "colours.h"
#include "persona_slots.h"

namespace korbo {

namespace {


int Draw(Random& rnd, int n, int base) {
    const int k = static_cast<int>(rnd.Next() * n);
    return std::min(k, n - 1) + base;
}

}  // namespace

void Game::Comp_Play() {
    const int s = CurIndex;
    if (s < 1 || s > 3) return;
    const int P = PlayerSlots.Value(1);
    const int steps = std::clamp<int>(PlanSteps[s][PlanLength], 0, 15);
    const CardRec last = steps >= 1 ? planCards_[s][steps] : CardRec{};
    for (PlanStep = 1; PlanStep <= steps; ++PlanStep) {
        const int x = PlanSlots[s][PlanStep];
        if (x == 1) break;  // the pay-off card is played by the turn itself
        if (x < 2 || x > 10) break;
        const CardRec card = OppSlots.Get(x);
        // A refill or a stalemate recovery may have changed the place since the plan was
        // made: the plan ends at the first card that is not the planned one or does not fit.
        if (!(card == planCards_[s][PlanStep]) || !CompMayPlay(card, s)) break;

        MovingCard = {card.Id, card.Value};
        if (card.Value == 13) WildShown = 13;
        OppSlots.Clear(x);
        if (x >= 7) {
            const int p = x - 6;
            int16_t& n = OppHoldInfo[p][HoldCount];
            if (n >= 1) OppHold.Set(p, n, {});
            if (n > 0) --n;
            OppSlots.Set(x, n > 0 ? OppHold.Get(p, n) : CardRec{});
            if (n <= 1) OppHoldInfo[p][HoldShape] = 0;
            else OppHoldShape(p);
        }
        if (!NoComments && last.Value == P) {
            view_.SetCaption(Ctl::Label9, 2, Comments[CommentAboutToBlock]);
            Delay(TempoDelay);
        }
        Comp_Flip(x, s);
        if (x <= 6) {
            if (CenterCount[s] + 1 == P && card.Value == 13) {
                view_.SetCaption(Ctl::Label9, 2, Comments[CommentKingLeavesBlock]);
                Delay(2 * TempoDelay);
            }
            view_.Refresh(Ctl::Picture4, s);
            Delay(TempoDelay);
            --HandCount;
            if (HandCount <= 0) {
                // A completed pile goes to the used pile first, so that a refill that finds
                // the stock empty reshuffles it instead of declaring a stalemate.
                if (CenterCount[s] == 12) {
                    CurIndex = s;
                    Add_Used();
                }
                Deal_Comp();
                CurIndex = s;
                if (TurnAbort == 1) return;
                if (TurnAbort == 2) TurnAbort = 0;
                Delay(TempoDelay);
            }
        }
        if (card.Value == P && P != 13) {
            // The computer covered the human's pay-off card.
            const int k = Draw(rnd_, 4, SoundWin);
            if (SoundLevel == 0) PlaySoundSlot(k);
            if (!NoComments) {
                view_.SetCaption(Ctl::Label9, 2, Comments[Draw(rnd_, 10, CommentPleased)]);
                Delay(1.85);
                if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
            }
            view_.Refresh(Ctl::Picture4, s);
        }
        if (CenterCount[s] == 12) {
            CurIndex = s;
            Add_Used();
        }
    }
    CurIndex = s;
}

void Game::Comp_Flip(int source, int pile) {
    assert(pile >= 1 && pile <= 3 && source >= 1 && source <= 10 && "Comp_Flip: no such place or pile");
    if (pile < 1 || pile > 3 || source < 1 || source > 10) return;
    const int P = PlayerSlots.Value(1);
    const bool king = MovingCard[1] == 13;
    const bool fromPayOff = source == 1;
    if (fromPayOff && king && !NetActive) {
        if (CenterCount[pile] + 1 == P) {
            view_.SetCaption(Ctl::Label9, 2, Comments[CommentKingBlocks]);
            Delay(0.5);
        }
        if (SoundLevel == 0 && !Sounds[SoundWildCard].empty()) view_.PlayFile(Sounds[SoundWildCard], true);
        ++OppWildFromPayOff;
        WildUpdate();
    }

    Busy = true;
    view_.SetBackColor(Ctl::Picture1, 0, DeckColor);
    if (source >= 2 && source <= 6) {
        DrawPilePicture(Ctl::Picture1, source, MovingCard[0], 0);
        Delay(TempoDelay);
    }
    CurIndex = pile;
    if (WildShown == 13 && source >= 2) WildShow(source);
    else view_.WalkTheCard(Ctl::Picture1, source, Ctl::Picture4, pile);
    WildShown = 0;
    Busy = false;

    CurIndex = pile;
    StatsAdd(source, 3);
    CurIndex = pile;
    Add_Center();
    ++compMoves_;
    DrawPilePicture(Ctl::Picture4, pile, MovingCard[0], 2);
    if (OppSideCount > 0) Delay(TempoDelay);

    if (fromPayOff) {
        if (!NetActive) Comp_SideCompare();
    } else if (king) {
        ++OppWildPlayed;
        WildUpdate();
    }

    if (fromPayOff) {
        if (OppSideCount > 0) {
            const int id = OppSlots.Id(1);
            DrawPilePicture(Ctl::Picture1, 1, id, 0);
            if (id >= 1 && id <= 104) Deck[id].Seen = 1;
            Delay(TempoDelay);
        } else {
            view_.ClearPicture(Ctl::Picture1, 1);
            view_.SetVisible(Ctl::Picture1, 1, false);
        }
    } else if (OppSlots.Value(source) == 0) {
        // The walk took the picture off its place: an emptied HOLD pile comes back as an
        // empty pile, an emptied hand place stays off the table.
        view_.ClearPicture(Ctl::Picture1, source);
        if (source >= 7) view_.SetBackColor(Ctl::Picture1, source, kEmptyPlaceColor);
        view_.SetVisible(Ctl::Picture1, source, source >= 7);
    } else {
        DrawPilePicture(Ctl::Picture1, source, OppSlots.Id(source), 0);
    }
    view_.SetVisible(Ctl::Picture1, 0, false);
    if (OppSideCount > 0) Delay(TempoDelay);

    if (!NetActive && fromPayOff && king && OppSideCount > 0 && OppSlots.Value(1) == CenterCount[pile]) {
        view_.SetCaption(Ctl::Label9, 2, "Argh!" + std::string(CRLF) + "That bites! Murphy's Law!");
        if (SoundLevel == 0) {
            PlaySoundSlot(SoundLose3);
            Delay(0.75);
        } else {
            Delay(0.5);
        }
    } else if (view_.Caption(Ctl::Label9, 2) != Comments[CommentAboutToBlock]) {
        view_.SetCaption(Ctl::Label9, 2, "");
    }
}

void Game::Comp_SideCompare() {
    const int P = PlayerSlots.Value(1);
    if (MovingCard[1] != P) return;
    if (!NoComments) view_.SetCaption(Ctl::Label9, 2, Comments[P == 13 ? CommentPayOffKingMatch : CommentPayOffMatch]);
    if (SoundLevel == 0) {
        PlaySoundSlot(Draw(rnd_, 4, SoundWin));
        Delay(0.75);
    }
    Delay(3 * TempoDelay);
}

}  // namespace korbo
