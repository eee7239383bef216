// The computer opponent's turn: refill, start-of-turn remarks, the pass loop of plays,
// the discard onto a HOLD pile and the hand-over to the human; the persona's impatience
// while the human is awaited and its remark on a poor move.
#include <cassert>
#include <string>

#include "game.h"
#include "korbogl.h"
#include "house_rules.h"
#include "persona_slots.h"

namespace korbo {

namespace {

constexpr double kImpatienceStep = 0.1;   // the wait looks at the clock this often
constexpr double kImpatienceAfter = 45.0;
constexpr double kImpatienceLimit = 100.0;

bool IsHandPlace(int x) { return x >= 2 && x <= 6; }

}  // namespace

// --- helpers the planner and the discard share -----------------------------------------

int Game::OppHoldValue(int pile, int countField, int depth) const {
    if (pile < 1 || pile > 4) return 0;
    const int n = OppHoldInfo[pile][countField] - depth;
    return n >= 1 && n <= 30 ? OppHold.Value(pile, n) : 0;
}

int Game::OppTop(int pile) const { return OppHoldValue(pile, HoldCount, 0); }
int Game::OppUnder(int pile) const { return OppHoldValue(pile, HoldCount, 1); }

void Game::OppHoldShape(int pile) {
    const int c = OppHoldInfo[pile][HoldCount];
    if (c < 2 || c > 30) return;
    const int t = OppHold.Value(pile, c), u = OppHold.Value(pile, c - 1), b = OppHold.Value(pile, 1);
    // The last rule that matches wins; equal top and under over another bottom keep the code.
    if (t == b) OppHoldInfo[pile][HoldShape] = 0;
    if (t != u) OppHoldInfo[pile][HoldShape] = 1;
    if (t == u - 1) OppHoldInfo[pile][HoldShape] = 2;
}

bool Game::CompMayPlay(CardRec card, int pile) const {
    if (pile < 1 || pile > 3 || card.Value < 1 || card.Value > 13) return false;
    const int count = CenterCount[pile];
    if (count >= 12) return false;
    if (card.Value == 13) return !(count == 0 && NoWildAce);
    return card.Value == count + 1;
}

// --- the turn ---------------------------------------------------------------------------

void Game::Computer() {
    if (Turn == TurnPlayer) return;
    // 1. The menus that would change the table meanwhile are closed for the turn.
    NetMsgType = 0;
    view_.EnableMenu(Menu::Lang, false);
    view_.EnableMenu(Menu::OptionStuff, false);
    view_.EnableMenu(Menu::Restore, false);
    view_.EnableMenu(Menu::mnuOpRules, false);

    // 2. The hand is refilled and the persona remarks on the piles it finds.
    if (!CompTurnStart()) return CompTurnHalted();
    SkipCompDeal = 0;
    Delay(TempoDelay);
    PlayKind = 0;
    RevisitPile = 0;

    // 3. Pass after pass, a card is played until none can be: then the discard.
    // A pass that moves no card may not be followed by another such pass: the same
    // decision would come again and the turn would never end.
    bool lastPassIdle = false;
    for (;;) {
        const CompPass next = CompTurnPass(lastPassIdle);
        if (next == CompPass::Stopped) return CompTurnHalted();
        if (next == CompPass::Discard) break;
    }

    // 4. The discard onto a HOLD pile, and the turn passes.
    CompDiscard();
    view_.SetCaption(Ctl::Label9, 2, "  ");
    Move_End_Turn();
    if (TurnAbort == 1) return CompTurnHalted();  // the human's refill found a stalemate

    // 5. The menus again, and the wait for the human.
    if (AutoSave) {
        ++AutoSaveTurn;
        SaveAuto();
    }
    if (!NoComments) view_.EnableMenu(Menu::Lang, true);
    view_.EnableMenu(Menu::Restore, true);
    view_.EnableMenu(Menu::mnuOpRules, true);
    AwaitingPlayer = true;
    ImPatient();
}

void Game::CompTurnHalted() {
    // A declined stalemate leaves the game stopped where it stands, with nothing to wait
    // for and nothing to save: only the menus the turn closed open again (the stalemate
    // opened Restore). A game the computer won has opened them at its end.
    if (TurnAbort != 1) return;
    if (!NoComments) view_.EnableMenu(Menu::Lang, true);
    view_.EnableMenu(Menu::OptionStuff, true);
    view_.EnableMenu(Menu::mnuOpRules, true);
}

bool Game::CompTurnStart() {
    const bool refilled = SkipCompDeal == 0;
    if (refilled) {
        Deal_Comp();
        if (TurnAbort == 1) return false;
        if (TurnAbort == 2) TurnAbort = 0;
    }
    if (!refilled || NoComments) return true;
    const int human = PlayerSlots.Value(1), mine = OppSlots.Value(1);
    for (int i = 1; i <= 3; ++i) {
        const int n = CenterCount[i] + 1;
        if (n != human && n == mine) {
            view_.SetCaption(Ctl::Label9, 2, Comments[CommentChainForSelf]);
            if (SoundLevel == 0) PlaySoundSlot(SoundThanks);
            Delay(0.85);
            break;
        }
        if (n == human) {
            bool held = false;
            for (int x = 2; x <= 10 && !held; ++x) held = OppSlots.Value(x) == n;
            if (held) {
                view_.SetCaption(Ctl::Label9, 2, Comments[CommentChainForHuman]);
                if (SoundLevel == 0) view_.PlayResource(SndWin);
                Delay(0.75);
                break;
            }
        }
    }
    view_.SetCaption(Ctl::Label9, 1, " ");
    return true;
}

Game::CompPass Game::CompTurnPass(bool& lastPassIdle) {
    const long movesBefore = compMoves_;
    Ck_Player();

    // a. The pay-off card first.
    const int q = OppSlots.Value(1);
    switch (CompPayOffCard(q)) {
        case PayOffPlay::Stopped: return CompPass::Stopped;
        case PayOffPlay::Played: lastPassIdle = false; return CompPass::Again;
        case PayOffPlay::NotPlayed: break;
    }
    PayOffKingMode = false;
    if (OppSideCount == 0) return CompPass::Discard;

    // b. The plan towards the target pile: the nearest one from which the pay-off card
    // becomes playable.
    const int target = NearestPile(q);
    TargetStack = static_cast<int16_t>(target);
    CurIndex = target;
    PlanSlots[target][0] = 1;
    WildSearchFrom = 2;
    DropHandSlot = static_cast<int16_t>(target);
    PlanPhase = 0;
    Move_Comp();
    if (PlayFound == 1) {
        Comp_Play();
        if (CompTurnStopped()) return CompPass::Stopped;
        if (compMoves_ == movesBefore) PlayFound = 0;  // nothing could be carried out
    }
    PlayKind = 0;
    if (PlayFound != 0) {
        lastPassIdle = false;
        return CompPass::Again;
    }

    // c. The last chances and the forced cards before a discard.
    Comp_BeforeDrop();
    if (CompTurnStopped()) return CompPass::Stopped;
    if ((PlayFound == 1 && PlayKind == 1) || PlayKind == 2) {
        const long before = compMoves_;
        StartSinglePlan(CurIndex, PlanStep);
        Move_Plan();
        Comp_Play();
        if (CompTurnStopped()) return CompPass::Stopped;
        if (compMoves_ == before) PlayFound = 0;
    }
    if (PlayFound != 0 && compMoves_ == movesBefore && lastPassIdle) PlayFound = 0;

    // d. The discard is chosen; a forced card it would hide is played instead.
    if (PlayFound == 0) {
        Comp_Drop();
        if (!CompForcedInsteadOfDiscard()) return CompPass::Stopped;
    }
    if (PlayFound == 0) return CompPass::Discard;
    lastPassIdle = compMoves_ == movesBefore;
    return CompPass::Again;
}

Game::PayOffPlay Game::CompPayOffCard(int q) {
    PayOffKingMode = false;
    bool payOff = false;
    if (q != 13) {
        for (int i = 1; i <= 3 && !payOff; ++i)
            if (CenterCount[i] + 1 == q) {
                CurIndex = i;
                payOff = true;
            }
    } else {
        int i = 1;
        while (i <= 3 && CenterCount[i] + 1 != PlayerSlots.Value(1)) ++i;
        if (NoWildAce) {
            if (i <= 3 && CenterCount[i] != 0 && CompLevel != LevelRuthless) {
                CurIndex = i;
                payOff = true;
            } else if (CenterCount[1] != 0 || CenterCount[2] != 0 || CenterCount[3] != 0) {
                PayOffKingMode = true;
                Move_Wild();
                payOff = true;
            }
        } else {
            PayOffKingMode = true;
            Move_Wild();
            payOff = true;
        }
        if (CompTurnStopped()) return PayOffPlay::Stopped;
    }
    // Whatever chose the pile, the card goes only where the rules let the human put it.
    if (!payOff || OppSideCount <= 0 || !CompMayPlay(OppSlots.Get(1), CurIndex)) return PayOffPlay::NotPlayed;
    const int pile = CurIndex;
    MovingCard = {OppSlots.Id(1), OppSlots.Value(1)};
    --OppSideCount;
    if (OppSideCount > 0) {
        ++OppStackImage;
        if (OppStackImage >= 1 && OppStackImage <= 25) view_.SetVisible(Ctl::Stack, OppStackImage, false);
    }
    OppSlots.Set(1, OppSideCount > 0 ? OppSide.Get(OppSideCount) : CardRec{});
    Comp_Flip(1, pile);
    Delay(TempoDelay);
    if (CenterCount[pile] == 12) {
        CurIndex = pile;
        Add_Used();
    }
    if (OppSideCount == 0) {
        Turn = TurnNobody;
        Game_End();
        return PayOffPlay::Stopped;
    }
    return PayOffPlay::Played;
}

bool Game::CompForcedInsteadOfDiscard() {
    const int h = CurIndex;
    const int card = IsHandPlace(h) ? OppSlots.Value(h) : 0;
    if ((ForcedRule & VisibleOnly) == 0 || (card != 1 && card != 2)) return true;
    const bool ace = card == 1 && house_rules::ForcedAceOn(ForcedRule);
    const bool two = card == 2 && house_rules::ForcedTwoOn(ForcedRule);
    int pile = 0;
    for (int s = 1; s <= 3 && pile == 0 && (ace || two); ++s)
        if (CenterCount[s] == (ace ? 0 : 1)) pile = s;
    if (pile == 0) return true;
    const long before = compMoves_;
    PlayFound = 1;
    PlayKind = static_cast<int16_t>(card);
    PlanStep = static_cast<int16_t>(h);
    CurIndex = pile;
    StartSinglePlan(pile, h);
    Move_Plan();
    Comp_Play();
    if (CompTurnStopped()) return false;
    if (compMoves_ == before) {
        // The card stays in hand: it is discarded as chosen.
        PlayFound = 0;
        CurIndex = h;
    }
    return true;
}

void Game::CompDiscard() {
    // The discard, guarded: the choice always names a HOLD pile and a hand card.
    assert(DropPile >= 1 && DropPile <= 4 && "CompDiscard: no HOLD pile chosen");
    assert(IsHandPlace(CurIndex) && OppSlots.Value(CurIndex) != 0 && "CompDiscard: no hand card chosen");
    if (DropPile < 1 || DropPile > 4) {
        view_.Beep();
        view_.Beep();
        DropPile = 1;
    }
    if (!IsHandPlace(CurIndex) || OppSlots.Value(CurIndex) == 0) {
        view_.Beep();
        view_.Beep();
        view_.Beep();
        CurIndex = FirstHandSlot;
        // A discard of nothing would lose track of the cards: take a place that holds one.
        for (int h = 2; h <= 6 && (!IsHandPlace(CurIndex) || OppSlots.Value(CurIndex) == 0); ++h) CurIndex = h;
    }
    if (OppHoldInfo[DropPile][HoldCount] >= 30) {
        int pile = DropPile;
        for (int step = 0; step < 4; ++step) {
            pile = pile % 4 + 1;
            if (OppHoldInfo[pile][HoldCount] <= 28) break;
        }
        if (OppHoldInfo[pile][HoldCount] >= 30) {
            // Cannot happen with 104 cards; the emptiest pile keeps the limit all the same.
            assert(false && "CompDiscard: every HOLD pile is full");
            for (int p = 1; p <= 4; ++p)
                if (OppHoldInfo[p][HoldCount] < OppHoldInfo[pile][HoldCount]) pile = p;
        }
        DropPile = static_cast<int16_t>(pile);
    }
    if (IsHandPlace(CurIndex) && OppSlots.Value(CurIndex) != 0) {
        const int pile = DropPile;
        const int c = ++OppHoldInfo[pile][HoldCount];
        OppHold.Set(pile, c, OppSlots.Get(CurIndex));
        if (c > 1) OppHoldShape(pile);
    }
}

void Game::Move_End_Turn() {
    view_.SetCaption(Ctl::Label9, 1,
                     NetActive ? OppName + "'s turn is over..."
                               : "I'll drop a card now..." + std::string(CRLF) + "     My Turn is over.");
    Delay(TempoDelay / 2);
    // Only a card that is there moves, and only onto a HOLD place: the turn is handed over
    // all the same.
    if (DropPile >= 1 && DropPile <= 4) DropPile = static_cast<int16_t>(DropPile + 6);
    if (IsHandPlace(CurIndex) && DropPile >= 7 && DropPile <= 10 && OppSlots.Value(CurIndex) != 0) {
        const CardRec card = OppSlots.Get(CurIndex);
        OppSlots.Set(DropPile, card);
        OppSlots.Clear(CurIndex);
        --HandCount;

        DrawPilePicture(Ctl::Picture1, CurIndex, card.Id, 1);
        Delay(TempoDelay);
        view_.ClearPicture(Ctl::Picture1, CurIndex);
        view_.SetVisible(Ctl::Picture1, CurIndex, false);  // as the player's emptied hand place
        DrawPilePicture(Ctl::Picture1, DropPile, 0, 0);
        Delay(TempoDelay);
        DrawPilePicture(Ctl::Picture1, DropPile, card.Id, 1);
        Delay(TempoDelay);
    }

    if (NetActive) {
        // The remote's end of turn: its "OK" is answered; a new game ends this at once.
        if (!Awaited(msg::OK, OnNewGame::End)) return;
        Server_Send("OK");
    }

    HandCount = 5;
    view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + std::string(CRLF) + "     It's your turn...");
    if (SoundLevel != 2) {
        PlaySoundSlot(SoundTurnOver);
        Delay(0.2);
    }
    Delay(TempoDelay);
    if (DropPile >= 7 && DropPile <= 10) view_.Refresh(Ctl::Picture1, DropPile);

    if (OppSideCount == 0) {
        Turn = TurnNobody;
        Game_End();
        return;
    }
    if (SkipPlayerDeal != 0) SkipPlayerDeal = 0;
    else Deal_Player();
    if (TurnAbort == 1) return;
    if (TurnAbort == 2) TurnAbort = 0;
    StatsCk(3, 4);
    Turn = TurnPlayer;
    view_.SetVisible(Ctl::ImgTurn2, 0, true);
    view_.SetVisible(Ctl::ImgTurn1, 0, false);
    EnablePic(Ctl::Picture7, true);
    view_.EnableMenu(Menu::OptionStuff, true);
    view_.EnableMenu(Menu::Stats, true);
}

void Game::ImPatient() {
    if (NetActive) AwaitingPlayer = false;
    if (!AwaitingPlayer) return;
    // The wait sleeps in short pauses that let the window's events run. It counts the
    // time it has paused as well as the clock, so a view whose pauses take no time (the
    // tests, the self-play tool) ends it after the same number of pauses.
    const double start = clock_.SecondsSinceMidnight();
    double paused = 0;
    while (clock_.SecondsSinceMidnight() < start + kImpatienceLimit) {
        view_.Pause(kImpatienceStep, true);
        paused += kImpatienceStep;
        if (!AwaitingPlayer) return;  // the human acted
        const double now = clock_.SecondsSinceMidnight();
        if (now < start) return;      // midnight passed
        if (NetActive) {
            AwaitingPlayer = false;
            return;
        }
        if (now >= start + kImpatienceAfter || paused >= kImpatienceAfter - 1e-9) break;
    }
    int k = static_cast<int>(rnd_.Next() * 3) + 1;
    if (k > 3) k = 3;
    view_.SetCaption(Ctl::Label9, 2, Comments[k == 1 ? CommentImpatient + 1 : k == 2 ? CommentImpatient + 2 : CommentImpatient]);
    AwaitingPlayer = false;
}

void Game::Dumbness() {
    if (NoComments) return;
    if (MovingCard[1] == 13) view_.SetCaption(Ctl::Label9, 1, Comments[CommentOwnKingCovered] + " " + Comments[CommentOwnKingCoveredTail]);
    else view_.SetCaption(Ctl::Label9, 1, Comments[CommentPayOffLeft]);
    if (SoundLevel == 0) view_.PlayResource(SndWin);
    Delay(0.75);
}

}  // namespace korbo
