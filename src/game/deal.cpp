// New game, building and shuffling the deck, the deal, its announcements and the refills.
#include <string>

#include "game.h"
#include "korbogl.h"
#include "records/text_number.h"

namespace korbo {

using records::NumText;

void Game::Delay(double seconds) { korbogl::Delay(view_, clock_, Busy, seconds); }

void Game::PlayResource(int id) {
    if (SoundLevel != 2) view_.PlayResource(id);
}

void Game::DrawPilePicture(Ctl pics, int element, int cardId, int kind) {
    view_.SetVisible(pics, element, true);
    view_.DrawCard(pics, element, cardId);
    // A drawing that failed has been reported; it makes no sound.
    if (view_.DrawingFailed()) return;
    switch (kind) {
        case 1: PlayResource(SndKind1); break;
        case 2: PlayResource(SndKind2); break;
        case 3: PlayResource(SndKind3); break;
        case 5: PlayResource(SndKind5); break;
        default: break;
    }
}

void Game::NewGame_Click() {
    if (!NetActive && Turn == TurnOpponent) {
        MsgText = "At least let me finish my turn first!";
        view_.MsgBox(MsgText, mb::OKOnly, "Korbo:");
        return;
    }
    AutoSaveTurn = 0;
    const bool netGame = NetActive;
    if (netGame) {
        EnablePic(Ctl::Picture7, false);
        view_.EnableMenu(Menu::New, false);
        Server_Send("GS");
        view_.SetCaption(Ctl::Label9, 0, "WAITING for Opponent");
        if (!Awaited(msg::GS, OnNewGame::Wait)) return;
        view_.SetCaption(Ctl::Label9, 0, "");
        view_.EnableMenu(Menu::Recover, true);
        view_.EnableMenu(Menu::New, true);
    }
    PlayResource(SndNewGame);
    HelpUsed = false;
    AwaitingPlayer = false;
    if (!NetActive) {
        ClearBoard();
        if (TableDealt) ShowWelcome();
    }
    TableDealt = true;
    SetUp();
    // A network game that ended during the deal leaves nothing to show.
    if (netGame && !NetActive) return;
    GoDeal();
}

void Game::Command2_Click() {
    view_.SetVisible(Ctl::Command2, 0, false);
    if (!NetActive) {
        NewGame_Click();
        return;
    }
    if (NetRole == 1) {
        GoDeal();
        return;
    }
    if (NetMsgType == msg::GS) Server_Send("GS");
    else if (NetMsgType == msg::RC) Server_Send("RC");
    ReplyArrived = true;
    if (RecoverMode == 1) {
        // A transferred game has just been loaded: carry on where it stood.
        RecoverMode = 0;
        // A turn that the saved game cut short (at a stalemate) stops nothing of it.
        TurnAbort = 0;
        NetPrevMsgType = msg::RS;
        StackCurrent();
        Redraw();
        if (Turn == TurnPlayer) {
            view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "     It's still your turn.");
            SkipPlayerDeal = 1;
            SkipCompDeal = 0;
            view_.SetVisible(Ctl::ImgTurn2, 0, true);
            view_.SetVisible(Ctl::ImgTurn1, 0, false);
        } else {
            view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "     It's NOT your turn.");
            SkipCompDeal = 1;
            SkipPlayerDeal = 0;
            view_.SetVisible(Ctl::ImgTurn1, 0, true);
            view_.SetVisible(Ctl::ImgTurn2, 0, false);
            Opponent();
        }
        return;
    }
    SetUp();
    if (!NetActive) return;
    GoDeal();
}

void Game::BuildDeck() {
    for (int i = 1; i <= 104; ++i) {
        Deck[i].Id = static_cast<int16_t>(i);
        Deck[i].Value = static_cast<int16_t>(((i - 1) % 13) + 1);
    }
    if (CardStyle >= 6) {
        for (int i = 1; i <= 104; ++i) {
            int v = view_.CardLibraryValue(i);
            if (v >= 1 && v <= 13) Deck[i].Value = static_cast<int16_t>(v);
        }
    }
}

void Game::ShuffleDeck() {
    // Only Id and Value change places; each Seen tally stays with its card's index.
    auto swap = [&](int i, int j) {
        std::swap(Deck[i].Id, Deck[j].Id);
        std::swap(Deck[i].Value, Deck[j].Value);
    };
    auto pick = [&](int n, int base) {
        int j = static_cast<int>(rnd_.Next() * n) + 1 + base;
        return j > base + n ? base + n : j;  // a generator that returned 1.0 stays in range
    };
    if (!ShuffleApart) {
        for (int pass = 0; pass < 10; ++pass)
            for (int i = 1; i <= 104; ++i) swap(i, pick(104, 0));
    } else {
        for (int pass = 0; pass < 10; ++pass)
            for (int i = 1; i <= 52; ++i) swap(i, pick(52, 0));
        for (int pass = 0; pass < 10; ++pass)
            for (int i = 53; i <= 104; ++i) swap(i, pick(52, 52));
    }
}

void Game::DealCards() {
    const bool remote = NetActive && NetRole == 0;
    const int side = SideSize;
    auto take = [&](int pos) {
        CardRec c{Deck[pos].Id, Deck[pos].Value};
        Deck[pos].Id = 0;
        Deck[pos].Value = 0;
        return c;
    };
    for (CurIndex = 104; CurIndex >= 104 - 2 * side; CurIndex -= 2) {
        ++PlayerSideCount;
        ++OppSideCount;
        CardRec a = take(CurIndex), b = take(CurIndex - 1);
        PlayerSide.Set(PlayerSideCount, remote ? b : a);
        OppSide.Set(OppSideCount, remote ? a : b);
    }
    PlayerSlots.Set(1, PlayerSide.Get(PlayerSideCount));
    OppSlots.Set(1, OppSide.Get(OppSideCount));
    DealCounter = 2;
    for (CurIndex = 102 - 2 * side; CurIndex >= 94 - 2 * side; CurIndex -= 2) {
        CardRec a = take(CurIndex), b = take(CurIndex - 1);
        PlayerSlots.Set(DealCounter, remote ? b : a);
        OppSlots.Set(DealCounter, remote ? a : b);
        ++DealCounter;
    }
    StockTop = static_cast<int16_t>(92 - 2 * side);
}

void Game::ChooseFirstPlayer() {
    int opp = OppSlots.Value(1), mine = PlayerSlots.Value(1);
    if (opp > mine) {
        Turn = TurnOpponent;
    } else if (mine > opp) {
        Turn = TurnPlayer;
    } else {
        int k = static_cast<int>(rnd_.Next() * 2) + 1;
        Turn = k == 1 ? TurnOpponent : TurnPlayer;
    }
}

void Game::SetUp() {
    if (NetTempo != 0 && !NetActive) TempoDelay = NetTempo;
    const bool remote = NetActive && NetRole == 0;
    if (NetActive) ClearBoard();
    if (!remote) {
        BuildDeck();
        ShuffleDeck();
        if (NetActive) {
            // The peer's "GS" may be the one that ended the New handler's wait already.
            if (NetMsgType != msg::GS && !Awaited(msg::GS, OnNewGame::Wait)) return;
            Server_Send("DK " + EncodeDeckList(PeerVersion != "NG"));
            if (!Awaited(msg::DK, OnNewGame::Wait)) return;
        }
    } else {
        if (!Awaited(msg::DK, OnNewGame::Wait)) return;
        DeckListResult r = DecodeDeckList(NetMsgText, PeerVersion);
        if (!r.ok) {
            RefuseNetMessage("The deal could not be read: " + r.error + ".");
            return;
        }
        Server_Send("DK");
    }
    if (NetActive) RulesRefresh();
    DealCards();
    if (!remote) ChooseFirstPlayer();
    if (NetActive && NetRole == 1) {
        RemoteSlot = Turn == TurnOpponent ? 2 : 1;
        OutMessage = "TR " + NumText(RemoteSlot);
        Server_Send(OutMessage);
        if (!Awaited(msg::TR, OnNewGame::Wait)) return;
    }
    SkipCompDeal = 1;
    SkipPlayerDeal = 2;
    if (remote) {
        if (!Awaited(msg::TR, OnNewGame::Wait)) return;
        Server_Send("TR");
    }
}

void Game::GoDeal() {
    CountCards = true;
    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    SavedTempo = TempoDelay;
    TempoDelay = TempoDelay / 2;
    PlayResource(SndShuffle);
    for (int k = 25; k >= 26 - SideSize; --k) {
        view_.SetVisible(Ctl::Stack, k, true);
        view_.SetVisible(Ctl::Stack, k + 25, true);
    }
    DrawPilePicture(Ctl::Picture1, 1, OppSlots.Id(1), 0);
    DrawPilePicture(Ctl::Picture7, 1, PlayerSlots.Id(1), 0);
    auto mark = [&](int id) {
        if (id >= 1 && id <= 104) Deck[id].Seen = 1;
    };
    mark(OppSlots.Id(1));
    mark(PlayerSlots.Id(1));
    Delay(0.6);
    CardMoving = true;
    PlayResource(SndKind1);
    for (int k = 2; k <= 6; ++k) {
        mark(PlayerSlots.Id(k));
        mark(OppSlots.Id(k));
        view_.WalkTheCard(Ctl::Picture4, 0, Ctl::Picture7, k);
        DrawPilePicture(Ctl::Picture7, k, PlayerSlots.Id(k), 0);
        view_.WalkTheCard(Ctl::Picture4, 0, Ctl::Picture1, k);
        DrawPilePicture(Ctl::Picture1, k, PeekFlag == 1 ? OppSlots.Id(k) : 0, 0);
        Delay(TempoDelay);
    }
    CardMoving = false;
    const bool tie = OppSlots.Value(1) == PlayerSlots.Value(1);
    if (tie)
        view_.SetCaption(Ctl::Label9, 1, "It was a tie..." + std::string(CRLF) + "We flipped for it.");
    if (NetActive) view_.SetEnabled(Ctl::ChatSend, 0, true);
    view_.SetVisible(Ctl::ImgTurn1, 0, Turn == TurnOpponent);
    view_.SetVisible(Ctl::ImgTurn2, 0, Turn == TurnPlayer);
    view_.DrawCard(Ctl::ImgHold, 0, 0);
    view_.SetVisible(Ctl::ImgHold, 0, true);
    if (AutoSave) {
        AutoSaveTurn = 1;
        SaveAuto();
    }
    TempoDelay = SavedTempo;
    StatusBar_Clear();
    WildUpdate();
    if (Turn == TurnOpponent) {
        if (tie) {
            view_.SetCaption(Ctl::Label9, 2, "I won the toss --" + std::string(CRLF) + "So I go FIRST!");
            Delay(2.0);
        } else {
            view_.SetCaption(Ctl::Label9, 2,
                             "My " + NumText(OppSlots.Value(1)) + " beats" + std::string(CRLF) + "your" +
                                 NumText(PlayerSlots.Value(1)) + std::string(CRLF) + "So I go FIRST!");
            Delay(1.85);
        }
        Delay(TempoDelay);
        if (NetActive) Opponent();
        else Computer();
    } else if (Turn == TurnPlayer) {
        view_.SetCaption(Ctl::Label9, 2, std::string(CRLF) + std::string(CRLF) + "YOU go first");
        EnablePic(Ctl::Picture7, true);
        Dragging = 0;
        Delay(1.5);
    }
}

// The loop both refills share. False when the stock and the used pile are both empty:
// the stalemate has then been handled and the refill ends.
bool Game::RefillHand(bool player) {
    SideSlots& slots = player ? PlayerSlots : OppSlots;
    const Ctl pics = player ? Ctl::Picture7 : Ctl::Picture1;
    // A network game that ends during the refill (its reshuffle refused, the peer gone) has
    // been cleaned up: nothing more is dealt, and the tempo stays the one it gave back.
    const bool netGame = NetActive;
    auto netGameEnded = [&] { return netGame && !NetActive; };
    for (DealSlot = 2; DealSlot <= 6; ++DealSlot) {
        if (StockTop == 0) RESHUFFLE();
        if (netGameEnded()) {
            TurnAbort = 1;
            return false;
        }
        if (slots.Value(DealSlot) != 0) continue;
        if (StockTop < 1 || StockTop > 104 || Deck[StockTop].Value == 0) {
            STALEMATE();
            if (!netGameEnded()) TempoDelay = SavedTempo;
            return false;
        }
        slots.Value(DealSlot) = Deck[StockTop].Value;
        slots.Id(DealSlot) = Deck[StockTop].Id;
        Deck[StockTop].Id = Deck[StockTop].Value = 0;
        CardMoving = true;
        view_.WalkTheCard(Ctl::Picture4, 0, pics, DealSlot);
        --StockTop;
        CardMoving = false;
        if (player) view_.SetEnabled(pics, DealSlot, true);
        const bool faceUp = player || PeekFlag != 0;
        DrawPilePicture(pics, DealSlot, faceUp ? slots.Id(DealSlot) : 0, 0);
        if (CountCards) {
            int id = slots.Id(DealSlot);
            if (id >= 1 && id <= 104) ++Deck[id].Seen;
        }
        Delay(TempoDelay);
    }
    return true;
}

void Game::Deal_Comp() {
    SavedTempo = TempoDelay;
    TempoDelay = TempoDelay / 2;
    const int before = HandCount;
    if (!RefillHand(false)) return;
    if (before == 0)
        view_.SetCaption(Ctl::Label9, 1, NetActive ? OppName + " Picked Up" : std::string("I Picked Up"));
    TempoDelay = SavedTempo;
    Delay(2 * TempoDelay);
    HandCount = 5;
}

void Game::Deal_Player() {
    SavedTempo = TempoDelay;
    TempoDelay = NetActive ? 0.05 : TempoDelay / 2;
    const int before = HandCount;
    if (!RefillHand(true)) return;
    if (before == 0)
        view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + std::string(CRLF) + "YOU Picked Up");
    TempoDelay = SavedTempo;
    HandCount = 5;
}

}  // namespace korbo
