// The move handshake of a network game: this table's moves go out one "PC" at a time and
// are confirmed step by step; the peer's moves are checked against the opponent's side of
// this table and replayed there with the computer's own routines.
#include <optional>
#include <string>

#include "game.h"
#include "net/protocol.h"

namespace korbo {

namespace {

constexpr int kHoldPlaces = 30;  // cards a mirrored HOLD pile holds, its top included

bool IsCentre(long t) { return t >= 1 && t <= 3; }
bool IsHoldTarget(long t) { return t >= 7 && t <= 10; }
bool IsHandTarget(long t) { return t >= 12 && t <= 16; }
bool IsHandSlot(long s) { return s >= 2 && s <= 6; }
bool IsHoldSlot(long s) { return s >= 7 && s <= 10; }

// Marks a move handshake as running for as long as it lasts.
struct Handshake {
    int& depth;
    explicit Handshake(int& d) : depth(d) { ++depth; }
    ~Handshake() { --depth; }
    Handshake(const Handshake&) = delete;
    Handshake& operator=(const Handshake&) = delete;
};

}  // namespace

void Game::Move_Transmit() {
    const Handshake running(handshakeDepth_);
    view_.SetEnabled(Ctl::ChatSend, 0, false);
    view_.SetCaption(Ctl::Label9, 0, "  W A I T" + std::string(CRLF));
    OutMessage = net::MoveMsg(MoveSource, MoveTarget);
    Server_Send(OutMessage);
    const NetWait echo = AwaitMessage(msg::PC, OnNewGame::End);
    if (echo == NetWait::NewGame) return;
    if (echo == NetWait::Arrived) {
        Server_Send(net::NextMoveMsg());
        if (AwaitMessage(msg::WT, OnNewGame::End) == NetWait::NewGame) return;
    }
    view_.SetCaption(Ctl::Label9, 0, "");
    view_.SetEnabled(Ctl::ChatSend, 0, true);
}

void Game::Move_Transmit_Done() {
    if (!NetActive) return;
    const Handshake running(handshakeDepth_);
    view_.SetEnabled(Ctl::ChatSend, 0, false);
    view_.SetCaption(Ctl::Label9, 0, "  W A I T" + std::string(CRLF));
    OutMessage = net::MoveMsg(MoveSource, MoveTarget);
    Server_Send(OutMessage);
    if (!Awaited(msg::PC, OnNewGame::End)) return;
    Server_Send(net::TurnDoneMsg());
    if (NetMsgType != msg::GO && !Awaited(msg::OK, OnNewGame::End)) return;
    view_.SetCaption(Ctl::Label9, 0, "");
    if (NetMsgType != msg::GO) view_.SetEnabled(Ctl::ChatSend, 0, true);
}

std::string Game::MoveCheck(long source, long target) const {
    // Each place with a blank before it, a negative one too.
    const std::string move = " (from place " + std::to_string(source) + " to " + std::to_string(target) + ")";
    if (!IsCentre(target) && !IsHoldTarget(target) && !IsHandTarget(target))
        return "A move goes to a place that does not exist" + move + ".";
    if (source < 1 || source > 10) return "A move comes from a place that does not exist" + move + ".";
    const int s = static_cast<int>(source);
    const int t = static_cast<int>(target);
    const CardRec card = OppSlots.Get(s);
    if (card.Value < 1 || card.Value > 13) return "A move takes a card from an empty place" + move + ".";
    if (s == 1 && OppSideCount < 1) return "A move takes a card from an empty pay-off pile" + move + ".";
    if (IsHoldSlot(s) && OppHoldInfo[s - 6][1] < 1) return "A move takes a card from an empty HOLD pile" + move + ".";
    if (IsHandTarget(t)) {
        if (!IsHandSlot(s)) return "Only a hand card can move within the hand" + move + ".";
        return {};
    }
    if (IsHoldTarget(t)) {
        if (!IsHandSlot(s)) return "Only a hand card can end a turn on a HOLD pile" + move + ".";
        if (OppHoldInfo[t - 6][1] >= kHoldPlaces) return "A HOLD pile has no room left" + move + ".";
        return {};
    }
    // A centre pile takes the next value, or a King standing for it; the peer's own house
    // rules decided the rest.
    if (CenterCount[t] >= 12) return "A centre pile has no room left" + move + ".";
    if (card.Value != 13 && card.Value != CenterCount[t] + 1)
        return "A card does not fit the centre pile it was played on" + move + ".";
    return {};
}

bool Game::ReplayPlay(int source, int pile) {
    CurIndex = pile;
    const CardRec card = OppSlots.Get(source);
    MovingCard = {card.Id, card.Value};
    const bool king = card.Value == 13;
    if (king) WildShown = 13;
    if (source == 1) {
        --OppSideCount;
        if (king) {
            if (SoundLevel == 0) {
                if (!Sounds[1].empty()) view_.PlayFile(Sounds[1], false);
                Delay(0.75);
            }
            ++OppWildFromPayOff;
            WildUpdate();
            Delay(TempoDelay);
            WildShown = 0;
        }
        if (OppSideCount > 0) {
            ++OppStackImage;
            if (OppStackImage >= 1 && OppStackImage <= 25) view_.SetVisible(Ctl::Stack, OppStackImage, false);
        }
        OppSlots.Set(1, OppSideCount > 0 ? OppSide.Get(OppSideCount) : CardRec{});
        Comp_Flip(1, pile);
        if (OppSideCount == 0) return true;
    } else if (IsHoldSlot(source)) {
        const int k = source - 6;
        DealSlot = k;
        int16_t& n = OppHoldInfo[k][1];
        OppHold.Set(k, n, {});
        --n;
        OppSlots.Set(source, n > 0 ? OppHold.Get(k, n) : CardRec{});
        OppHoldInfo[k][2] = n > 1 && OppHold.Value(k, n) != OppHold.Value(k, n - 1) ? 1 : 0;
        Comp_Flip(source, pile);
    } else {
        OppSlots.Clear(source);
        Comp_Flip(source, pile);
        if (HandCount > 0) --HandCount;
    }
    if (CenterCount[pile] == 12) {
        CurIndex = pile;
        Add_Used();
    }
    view_.Refresh(Ctl::Picture4, pile);
    return false;
}

void Game::ReplayDiscard() {
    const int k = DropPile;
    const int c = ++OppHoldInfo[k][1];
    OppHold.Set(k, c, OppSlots.Get(CurIndex));
    OppHoldInfo[k][2] = c > 1 && OppHold.Value(k, c) != OppHold.Value(k, c - 1) ? 1 : 0;
    Move_End_Turn();
}

void Game::Opponent() {
    holdTransfer_ = true;  // a sent game waits for the first move's wait below
    struct Release {
        bool& hold;
        ~Release() { hold = false; }
    } release{holdTransfer_};
    // 1.
    RemoteSlot = 0;
    view_.EnableMenu(Menu::OptionStuff, false);
    view_.EnableMenu(Menu::Stats, false);
    // 2. The refill, unless the deal or a resumed game filled the hand already.
    if (SkipCompDeal != 0) {
        SkipCompDeal = 0;
    } else {
        Deal_Comp();
        if (TurnAbort == 1) return;
        if (TurnAbort == 2) TurnAbort = 0;
    }
    // 3. One pass for each move of the peer, until its discard or its last pay-off card.
    for (;;) {
        holdTransfer_ = false;
        if (!Awaited(msg::PC, OnNewGame::End)) return;
        // From the move until its confirmation, the move's handshake runs.
        std::optional<Handshake> running(std::in_place, handshakeDepth_);
        const long source = NetMoveSource, target = NetMoveTarget;
        const std::string refused = MoveCheck(source, target);
        if (!refused.empty()) {
            RefuseNetMessage(refused);
            return;
        }
        Server_Send(net::MoveEcho());
        const int s = static_cast<int>(source), t = static_cast<int>(target);
        RemoteSlot = static_cast<int16_t>(t);
        if (IsHoldTarget(t)) {
            // 5. The discard ends the turn.
            CurIndex = s;
            DropPile = static_cast<int16_t>(t - 6);
            ReplayDiscard();
            return;
        }
        if (IsHandTarget(t)) {
            Hand_Sort(OppSlots, Ctl::Picture1, s, t - 10);
        } else if (ReplayPlay(s, t)) {
            // 4. The peer's last pay-off card: the game is over once it is confirmed.
            if (NetActive) {
                if (!Awaited(msg::OK, OnNewGame::Wait)) return;
                Server_Send(net::TurnDoneMsg());
            }
            Turn = TurnNobody;
            view_.Refresh(Ctl::Picture4, t);
            Game_End();
            return;
        }
        if (!Awaited(msg::WT, OnNewGame::End)) return;
        Server_Send(net::NextMoveMsg());
        // The refill after the move is no part of it: a game sent meanwhile waits for the
        // next wait, the next move's or that of a stalemate the refill finds.
        running.reset();
        if (HandCount == 0) {
            holdTransfer_ = true;
            Deal_Comp();
            if (TurnAbort == 1) return;
            if (TurnAbort == 2) TurnAbort = 0;
        }
    }
}

}  // namespace korbo
