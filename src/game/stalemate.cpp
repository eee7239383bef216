// The stock running out: the used pile shuffled back into the stock, and the stalemate
// when there is nothing left to deal, with its recovery.
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game.h"
#include "korbogl.h"
#include "number_list.h"
#include "records/text_number.h"
#include "colours.h"

namespace korbo {

using records::NumText;

namespace {

constexpr int16_t kRecoveryFailed = 666;
const char* const kRedealError =
    "Oops! Sorry, I dropped the cards and can't redeal. Let's give up on this stalemate and start a new game.";

}  // namespace

// --- the reshuffle list ----------------------------------------------------------------

std::string Game::EncodeReshuffleList(bool withVersion) const {
    std::string out;
    const int n = StockTop < 0 ? 0 : StockTop > 104 ? 104 : StockTop;
    for (int i = 1; i <= n; ++i) out += NumText(Deck[i].Value) + "#";
    if (withVersion)
        for (int i = 1; i <= n; ++i) out += NumText(Deck[i].Id) + "#";
    return out;
}

DeckListResult Game::DecodeReshuffleList(std::string_view list, std::string_view hostVersion) {
    const bool versioned = hostVersion != "NG";
    const int n = StockTop;
    if (n < 1 || n > 104) return {false, "there is no used pile to reshuffle"};
    std::vector<long> items;
    std::string error;
    if (!ReadNumberList(list, 208, items, error)) return {false, error};
    const size_t need = versioned ? 2 * n : n;
    if (items.size() < need) return {false, "the list is too short"};
    if (items.size() > need) return {false, "the list is too long"};

    // The list must hold exactly the cards of our own used pile, each once.
    std::map<std::pair<long, long>, int> pile;
    for (int j = 1; j <= UsedCount && j <= 104; ++j)
        if (UsedPile[j].Value != 0) ++pile[{UsedPile[j].Id, UsedPile[j].Value}];
    std::vector<CardRec> cards(n);
    for (int i = 0; i < n; ++i) {
        const long value = items[i];
        const long id = versioned ? items[n + i] : value;
        if (value < 1 || value > 13) return {false, "a card value is out of range"};
        if (id < 1 || id > 104) return {false, "a card id is out of range"};
        auto it = pile.find({id, value});
        if (it == pile.end() || it->second == 0) return {false, "a card is not in the used pile"};
        --it->second;
        cards[i] = {static_cast<int16_t>(id), static_cast<int16_t>(value)};
    }
    for (int i = 1; i <= n; ++i) {
        Deck[i].Id = cards[i - 1].Id;
        Deck[i].Value = cards[i - 1].Value;
    }
    return {true, {}};
}

// --- the reshuffle ------------------------------------------------------------------------

void Game::RESHUFFLE() {
    reshuffleRefused_ = false;
    CountCards = false;
    if (UsedCount <= 0 || UsedCount > 104) return;
    // Only real cards come back; a hole in the used pile is not dealt as a card.
    int cards = 0;
    for (int j = 1; j <= UsedCount; ++j) cards += UsedPile[j].Value != 0;
    if (cards == 0) {
        UsedPile.fill(CardRec{});
        UsedCount = 0;
        return;
    }
    StockTop = static_cast<int16_t>(cards);
    const bool remote = NetActive && NetRole == 0;
    const bool host = NetActive && NetRole == 1;
    if (NetActive) view_.SetEnabled(Ctl::ChatSend, 0, false);

    if (remote) {
        PlayResource(SndNewGame);
        view_.SetCaption(Ctl::Label9, 0, OppName + " Reshuffled");
        Delay(0.75);
        NetMsgType = 0;
        if (!Awaited(msg::DK, OnNewGame::Wait)) {
            // The peer is gone before its order came: the cards stay in the used pile.
            StockTop = 0;
            return;
        }
        DeckListResult r = DecodeReshuffleList(NetMsgText, PeerVersion);
        if (!r.ok) {
            // An order of our own would have the two tables deal different cards: the game
            // ends here, and the cards stay in the used pile as they were.
            StockTop = 0;
            reshuffleRefused_ = true;
            RefuseNetMessage("The reshuffled stock could not be read: " + r.error + ".");
            return;
        }
        Server_Send("DK");
    } else {
        PlayResource(SndNewGame);
        view_.SetCaption(Ctl::Label9, NetActive ? 0 : 2, "I Reshuffled");
        Delay(0.75);
        Delay(TempoDelay);
        const int n = UsedCount;
        for (int i = 1; i <= StockTop; ++i) {
            int j = 0;
            // A uniform draw without replacement; a generator stuck on taken places is
            // helped along to the next card so the deal always ends.
            for (int tries = 0; tries < 1000; ++tries) {
                j = static_cast<int>(rnd_.Next() * n) + 1;
                if (j > n) j = n;
                if (j < 1) j = 1;
                if (UsedPile[j].Value != 0) break;
            }
            for (int step = 0; UsedPile[j].Value == 0 && step < n; ++step) j = j % n + 1;
            Deck[i].Id = UsedPile[j].Id;
            Deck[i].Value = UsedPile[j].Value;
            UsedPile[j] = {};
        }
        if (host) {
            NetMsgType = 0;
            Server_Send("DK " + EncodeReshuffleList(PeerVersion != "NG"));
            Awaited(msg::DK, OnNewGame::Wait);  // a peer that quits ends the wait; the cards are dealt anyway
        }
    }
    UsedPile.fill(CardRec{});
    UsedCount = 0;
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    if (NetActive) view_.SetEnabled(Ctl::ChatSend, 0, true);
    view_.SetCaption(Ctl::Label9, 0, "");
    view_.SetVisible(Ctl::Picture4, 0, true);
}

// --- the stalemate ----------------------------------------------------------------------

void Game::STALEMATE() {
    const bool remote = NetActive && NetRole == 0;
    AwaitingPlayer = false;
    view_.ClearPicture(Ctl::Picture4, 0);
    view_.SetCaption(Ctl::Label9, 1,
                     "UNBELIEVABLY RUZAVOVU!" + std::string(CRLF) + "We're out of cards." + std::string(CRLF) +
                         "I can't deal anymore." + std::string(CRLF) + "STALEMATE");
    TempoDelay = SavedTempo;
    view_.SetCaption(Ctl::Label9, 2,
                     remote ? "HOST will decide whether to reshuffle the cards in play or start a new game."
                            : "This game declared a Stalemate! Reshuffle cards in play to continue or start up a "
                              "new game.");
    PlayResource(SndCheat);
    view_.EnableMenu(Menu::Restore, true);

    // Until the cards are dealt anew the game stands still; every way out but a good
    // recovery leaves it stopped, so the turn code never plays on with Turn 0.
    auto stop = [&] {
        TurnAbort = 1;
        Turn = TurnNobody;
        EnablePic(Ctl::Picture7, false);
        // Nobody's turn now: no arrow stays on the stopped table.
        view_.SetVisible(Ctl::ImgTurn1, 0, false);
        view_.SetVisible(Ctl::ImgTurn2, 0, false);
    };
    bool recover = false;
    if (!remote) {
        const int answer = view_.MsgBox("Reshuffle cards and continue with this game?", mb::YesNo, "Stalemate");
        if (answer == mb::IDYes) {
            if (NetActive) Server_Send("OK");
            recover = true;
        }
    } else {
        // The turn's own "OK" is not the host's answer; a new game the host began while this
        // table was still refilling is, and nothing more will come until NEW is pressed. The
        // player is told of it again, as the stalemate's words above replaced that.
        if (NetMsgType == msg::GS) TellHostsNewGame();
        else NetMsgType = 0;
        while (NetActive && NetMsgType != msg::GS) {
            ProcessNext();
            if (NetMsgType == msg::OK) {
                recover = true;
                break;
            }
            if (NetMsgType == msg::GS || NetMsgType == msg::GO || !NetActive) break;
            // The host restored a saved game instead: it stands on the table now, and the
            // turn that met the stalemate stops without touching it.
            if (NetMsgType == msg::RC && RecoverMode == 1) {
                TurnAbort = 1;
                return;
            }
            DoEvents();
        }
    }
    if (recover) {
        TurnAbort = 2;
        Stale_Recover();
        if (reshuffleRefused_) {
            stop();  // the refusal has told the player and ended the network game
            return;
        }
        if (WorkIndex == kRecoveryFailed) {
            view_.MsgBox(kRedealError, mb::OKOnly | mb::Exclamation, "Dealer Error");
            stop();
            WorkIndex = 0;
            return;
        }
    } else {
        stop();
    }
    view_.SetBackColor(Ctl::Picture4, 0, DeckColor);
    view_.DrawCard(Ctl::Picture4, 0, 0);
}

// --- the recovery -------------------------------------------------------------------------

void Game::Stale_Recover() {
    reshuffleRefused_ = false;
    const int keepCurIndex = CurIndex;  // the mover's centre pile survives the redeal
    auto fail = [&] {
        view_.MsgBox(kRedealError, mb::OKOnly | mb::Exclamation, "Dealer Error");
        WorkIndex = kRecoveryFailed;
        CurIndex = keepCurIndex;
    };

    // Everything that is gathered must fit the used pile; a table holding more cards than
    // that is not touched at all.
    int toGather = 0;
    for (int i = 1; i <= StockTop && i <= 104; ++i) toGather += Deck[i].Value != 0;
    for (int s = 1; s <= 3; ++s)
        for (int p = 1; p <= 12; ++p) toGather += Center[s][p].Value != 0;
    for (int h = 2; h <= 10; ++h) toGather += PlayerSlots.Value(h) != 0;
    for (int h = 2; h <= 6; ++h) toGather += OppSlots.Value(h) != 0;
    for (int k = 1; k <= 4; ++k) {
        const int covered = PlayerHoldCount[k], held = OppHoldInfo[k][HoldCount];
        if (covered < 0 || covered > 30 || held < 0 || held > 30) {
            fail();
            return;
        }
        for (int c = 1; c <= covered; ++c) toGather += PlayerHold.Value(k, c) != 0;
        for (int c = 1; c <= held; ++c) toGather += OppHold.Value(k, c) != 0;
    }
    if (UsedCount < 0 || UsedCount > 104 || StockTop < 0 || StockTop > 104 || UsedCount + toGather > 104) {
        fail();
        return;
    }
    auto gather = [&](CardRec card) {
        if (card.Value == 0) return;
        UsedPile[++UsedCount] = card;
    };

    // Cards still in the stock would be overwritten by the reshuffle: they join the rest.
    for (int i = 1; i <= StockTop; ++i) {
        gather({Deck[i].Id, Deck[i].Value});
        Deck[i].Id = Deck[i].Value = 0;
    }
    StockTop = 0;

    view_.SetCaption(Ctl::Label9, 1, "CLEARING Center");
    for (int s = 1; s <= 3; ++s) {
        // A complete pile may still be waiting to be cleared: all twelve places are taken.
        for (int p = 1; p <= 12; ++p) {
            gather(Center[s][p]);
            Center[s][p] = {};
        }
        CenterCount[s] = 0;
        view_.SetBackColor(Ctl::Picture4, s, kEmptyPlaceColor);
        view_.ClearPicture(Ctl::Picture4, s);
        view_.SetVisible(Ctl::LblWild, s, false);
    }
    PlayResource(SndKind1);
    Delay(0.75);

    view_.SetCaption(Ctl::Label9, 1, "CLEARING Player Hand");
    for (int h = 2; h <= 6; ++h) {
        if (PlayerSlots.Value(h) == 0) continue;
        gather(PlayerSlots.Get(h));
        PlayerSlots.Clear(h);
        view_.SetVisible(Ctl::Picture7, h, false);
        view_.ClearPicture(Ctl::Picture7, h);
    }

    view_.SetCaption(Ctl::Label9, 1, "CLEARING Player Hold");
    for (int t = 7; t <= 10; ++t) gather(PlayerSlots.Get(t));
    for (int k = 1; k <= 4; ++k) {
        for (int c = 1; c <= PlayerHoldCount[k]; ++c) {
            gather(PlayerHold.Get(k, c));
            PlayerHold.Set(k, c, {});
        }
        PlayerHoldCount[k] = 0;
        PlayerSlots.Clear(k + 6);
        view_.ClearPicture(Ctl::Picture7, k + 6);
        view_.SetBackColor(Ctl::Picture7, k + 6, kEmptyPlaceColor);
    }
    PlayResource(SndKind1);
    Delay(0.75);

    view_.SetCaption(Ctl::Label9, 1, "CLEARING Opponent's Hand");
    for (int h = 2; h <= 6; ++h) {
        if (OppSlots.Value(h) == 0) continue;
        gather(OppSlots.Get(h));
        OppSlots.Clear(h);
        view_.SetVisible(Ctl::Picture1, h, false);
        view_.ClearPicture(Ctl::Picture1, h);
    }

    view_.SetCaption(Ctl::Label9, 1, "CLEARING Opponent's Hold");
    for (int k = 1; k <= 4; ++k) {
        for (int c = 1; c <= OppHoldInfo[k][HoldCount]; ++c) {
            gather(OppHold.Get(k, c));
            OppHold.Set(k, c, {});
        }
        OppHoldInfo[k][HoldCount] = 0;
        OppSlots.Clear(k + 6);  // only a copy of the pile's top
        view_.ClearPicture(Ctl::Picture1, k + 6);
        view_.SetBackColor(Ctl::Picture1, k + 6, kEmptyPlaceColor);
    }
    PlayResource(SndKind1);
    Delay(0.75);

    view_.SetBackColor(Ctl::Picture4, 0, DeckColor);
    RESHUFFLE();
    if (reshuffleRefused_) {
        CurIndex = keepCurIndex;  // nothing is dealt: the cards wait in the used pile
        return;
    }
    if (StockTop < 10) {
        // The new order never came (the peer left) or the table was short of cards: the
        // cards stay in the used pile or the stock, and the stalemate gives up.
        fail();
        return;
    }

    HandCount = 5;
    const bool remote = NetActive && NetRole == 0;
    auto take = [&](int pos) {
        CardRec c{Deck[pos].Id, Deck[pos].Value};
        Deck[pos].Id = Deck[pos].Value = 0;
        return c;
    };
    int k = 2;
    for (CurIndex = StockTop; CurIndex >= StockTop - 8; CurIndex -= 2, ++k) {
        CardRec a = take(CurIndex), b = take(CurIndex - 1);
        PlayerSlots.Set(k, remote ? b : a);
        OppSlots.Set(k, remote ? a : b);
    }
    StockTop = static_cast<int16_t>(StockTop - 10);
    if (Turn == TurnOpponent) SkipPlayerDeal = 2;
    else SkipCompDeal = 1;

    for (int h = 2; h <= 6; ++h) {
        DrawPilePicture(Ctl::Picture7, h, PlayerSlots.Id(h), 0);
        DrawPilePicture(Ctl::Picture1, h, PeekFlag == 1 ? OppSlots.Id(h) : 0, 0);
    }
    view_.SetCaption(Ctl::Label9, 1, "");
    view_.SetCaption(Ctl::Label9, 2, "");
    MsgText.clear();
    CurIndex = keepCurIndex;
}

}  // namespace korbo
