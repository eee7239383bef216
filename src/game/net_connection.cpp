// Setting up and ending a network game: the connection window's choice, listening and
// connecting, the callers the host takes or turns away, sending, the socket errors and the
// clean-up that gives the solo table back.
#include <algorithm>
#include <string>

#include "game.h"
#include "net/framing.h"
#include "net/protocol.h"
#include "net/version.h"
#include "preferences.h"
#include "records/text_number.h"

namespace korbo {

using records::NumText;

namespace {

// Elements the host keeps for callers it turns away; one more is answered by closing it.
constexpr int kMaxSocketElements = 4;

const std::string kNoNetwork = "Nobody to connect to!\r\nYou must be on the internet first.";

}  // namespace

void Game::Players_Click() {
    if (NetActive) {
        if (view_.MsgBox("Do you want to end this KorboNET Online Game?", mb::YesNo | mb::Question,
                         "TERMINATE KorboNET Connection") == mb::IDYes)
            EndNetworkGame();
        return;
    }
    // The connection window's load.
    view_.SetVisible(Ctl::StatusMsg, 0, false);
    ChatSeqIn = ChatSeqOut = 0;
    AwaitingPlayer = false;
    PersonaName = OppName;
    PlayersDialogSetup setup;
    setup.playerName = PlayerName;
    setup.msgBox = [this](std::string_view text, int buttons, std::string_view title) {
        return view_.MsgBox(text, buttons, title);
    };
    const PlayersDialogResult choice = view_.ShowPlayersDialog(setup);
    if (!choice.connect) {
        // Cancelled after the names were taken: the player's name stays, the computer
        // keeps its own.
        if (choice.nameApplied) {
            PlayerName = choice.playerName;
            view_.SetCaption(Ctl::Label9, 3, PlayerName);
        }
        return;
    }
    StartNetworkGame(choice);
}

void Game::StartNetworkGame(const PlayersDialogResult& choice) {
    // The connection window's Connect.
    PersonaName = OppName;  // back after the network game
    if (choice.nameApplied) {
        PlayerName = choice.playerName;
        view_.SetCaption(Ctl::Label9, 3, PlayerName);
        OppName = choice.oppName;
    }
    ClearBoard();
    Turn = TurnNobody;
    NetActive = true;
    NetMsgType = NetPrevMsgType = 0;
    NetPort = choice.port;
    HostAddress = choice.hostAddress;
    NetRole = static_cast<int16_t>(choice.role == 1 ? 1 : 0);
    InMessage.clear();
    ChatSeqIn = ChatSeqOut = 0;
    if (NetRole == 1 && net_) {
        std::string lines = "HOST IP ADDRESS:";
        for (const std::string& a : net_->Addresses()) lines += std::string(CRLF) + a;
        view_.SetCaption(Ctl::ChatHistory, 0, lines);
    }

    // 2. The table turns to the network game.
    NetTempo = TempoDelay;
    TempoDelay = 0.1;
    NetDealt = 0;
    view_.SetMenuCaption(Menu::Players, 0, NetRole == 1 ? "Host - END KorboNET Game" : "Remote - END KorboNET Game");
    view_.EnableMenu(Menu::New, false);
    view_.SetVisible(Ctl::Command2, 0, false);
    view_.ShowForm(Form::frmChat, false);
    if (NetRole == 1) view_.ScrollToEnd(Ctl::ChatHistory, 0);
    view_.SetCaption(Ctl::Label9, 2, "");
    view_.SetMenuVisible(Menu::LevelIndicator, false);
    view_.EnableMenu(Menu::KeepOnTop, true);
    if (PeekFlag != 0) {
        PeekFlag = 0;
        view_.CheckMenu(Menu::Cheat, false);
    }

    // 3. The socket for the role.
    if (NetRole == 0) {
        ConnectAsRemote();
    } else {
        SocketCount = 0;
        StartHost();
    }
    if (NetRole == 9) {
        view_.MsgBox(NetError.empty() ? std::string("Network connection failed.") : NetError, mb::OKOnly | mb::Exclamation,
                     "");
        NetRole = 0;
        if (net_) net_->Close(SockIndex);
        NetCleanUp();
        return;
    }

    // 4. The greeting.
    WaitForOpponent();
    if (!NetActive) return;

    // 5. The game's settings for the network.
    view_.SetVisible(Ctl::StatusMsg, 0, false);
    if (NetRole == 0) view_.EnableMenu(Menu::mnuOpRules, false);
    view_.SetMenuVisible(Menu::LevelIndicator, false);
    view_.SetCaption(Ctl::Label9, 4, OppName);
    if (AutoSave) {
        AutoSave = false;
        AutoSaveTurn = 99;
    }

    // 6. The first deal.
    SetUp();
    NetDealt = 1;
    if (!NetActive) return;
    if (NetRole == 1) {
        view_.EnableMenu(Menu::New, true);
        view_.EnableMenu(Menu::Recover, true);
    }
    GoDeal();
}

void Game::EndNetworkGame() {
    if (net_ && net_->State(SockIndex) == 7) net_->SendLine(SockIndex, net::QuitMsg());
    if (Turn != TurnNobody) OfferSave("Did you want to save this game?");
    NetCleanUp();
    NetRole = 0;
}

void Game::OfferSave(std::string_view question) {
    if (view_.MsgBox(question, mb::YesNo | mb::Question, "Save Game") == mb::IDYes) SaveIt_Click();
}

void Game::StartHost() {
    NetError.clear();
    SockIndex = 0;
    Connecting = true;
    if (net_) {
        net_->Close(0);
        if (!net_->Listen(NetPort)) {
            // The socket's error has been told and has ended the network game; a transport
            // that told nothing still fails the set-up.
            Connecting = false;
            if (NetActive) NetRole = 9;
            return;
        }
    }
    Connecting = false;
    OwnAddress = net_ ? net_->LocalAddress(0) : std::string();
    if (OwnAddress.empty()) {
        view_.MsgBox(kNoNetwork, mb::OKOnly | mb::Critical, "");
        NetRole = 9;
        return;
    }
    view_.SetCaption(Ctl::Label9, 1, "");
    view_.SetCaption(Ctl::Label9, 2, "");
    view_.SetCaption(Ctl::StatusMsg, 0,
                     "Give your IP address to the player waiting." + std::string(CRLF) +
                         "When your opponent connects, the cards will be dealt.");
    view_.Beep();
    view_.SetVisible(Ctl::StatusMsg, 0, true);
}

void Game::ConnectAsRemote() {
    NetError.clear();
    Connecting = true;
    if (net_ && net_->State(SockIndex) != 0) net_->Close(SockIndex);
    if (!net_ || net_->LocalAddress(SockIndex).empty()) {
        view_.MsgBox(kNoNetwork, mb::OKOnly | mb::Critical, "KorboNET");
        NetRole = 9;
        Connecting = false;
        return;
    }
    // Any free port: the one this element last hosted on may be taken by now.
    net_->SetLocalPort(SockIndex, 0);
    if (!net_->Connect(HostAddress, NetPort)) {
        view_.MsgBox("We're sorry, that number is not in service at this time." + std::string(CRLF) +
                         "Please check your number and dial again.",
                     mb::OKOnly | mb::Exclamation, "KorboNET");
        NetRole = 9;
        Connecting = false;
        return;
    }
    Connecting = false;
    view_.SetCaption(Ctl::StatusMsg, 0, "Waiting for Host confirmation..." + std::string(CRLF));
    view_.SetVisible(Ctl::StatusMsg, 0, true);
}

void Game::Winsock1_ConnectionRequest(int index, long requestId) {
    if (index != 0 || !net_ || !NetActive || NetRole != 1) return;
    if (SocketCount == 0) {
        // The first caller is the opponent: the game goes on element 1.
        SocketCount = 1;
        if (!net_->Accept(1, requestId)) return;
        SockIndex = 1;
        Server_Send(net::HelloMsg(net::kProgramVersion.major, net::kProgramVersion.minor,
                                  net::kProgramVersion.revision));
        return;
    }
    // A later caller: on an element of its own, told that the host is busy; its greeting
    // is answered with "GO" and the element let go. Past the last element it is closed.
    int free = 0;
    for (int k = 2; k <= kMaxSocketElements && free == 0; ++k)
        if (net_->State(k) == 0) free = k;
    if (free == 0) {
        const int spare = kMaxSocketElements + 1;
        if (net_->Accept(spare, requestId)) {
            net_->Close(spare);
            net_->Unload(spare);
        }
        return;
    }
    if (!net_->Accept(free, requestId)) return;
    if (free > SocketCount) SocketCount = free;
    ++ChatSeqOut;
    if (net_->State(free) > 0) {
        net_->SendLine(free, net::ChatMsg(ChatSeqOut, "KORBO: So you want to play with us? Sorry I'm busy!"));
        net_->SendLine(free, net::HelloWithoutVersion());
    }
    SockIndex = 1;
}

void Game::Winsock1_Error(int index, int number, std::string_view description) {
    if (!NetActive) return;  // a socket of a game that has ended already
    if (net_ && index >= 2) {
        // A caller the host turned away: nothing of the game depends on it.
        net_->Close(index);
        net_->Unload(index);
        return;
    }
    const std::string crlf(CRLF);
    const std::string err = "Error " + NumText(number) + crlf + std::string(description);
    switch (number) {
        case 10061:
            view_.MsgBox("HOST is not listening!" + crlf + crlf +
                             "HOST must obtain IP ADDRESS first and have started their Connection." + crlf + crlf +
                             "Check that you have the correct IP ADDRESS from the HOST",
                         mb::OKOnly | mb::Critical, "KorboNET");
            view_.MsgBox("Restart KorboNET to connect correctly." + crlf + err, mb::OKOnly | mb::Information,
                         "KorboNET");
            NetCleanUp();
            NetRole = 9;
            break;
        case 10048:
            view_.MsgBox("Resetting the Local Port!" + crlf + err + crlf +
                             "(No problem, just do the KorboNET connection again.)",
                         mb::OKOnly | mb::Critical, "KorboNET");
            if (net_) net_->SetLocalPort(index, 0);
            break;
        case 10054:
            view_.MsgBox("Here's the problem:" + crlf + err, mb::OKOnly | mb::Information, "");
            view_.MsgBox("That means somebody got bumped off line." + crlf +
                             "And KORBO had absolutely nothing to do with it!",
                         mb::OKOnly | mb::Critical, "KorboNET");
            break;
        default: view_.MsgBox("Here's the problem:" + crlf + err, mb::OKOnly | mb::Information, ""); break;
    }
    view_.SetVisible(Ctl::StatusMsg, 0, false);
    if (Turn != TurnNobody) OfferSave("Do you want to save this game?");
    if (NetRole != 9 && NetActive) NetCleanUp();
}

void Game::Server_Send(std::string_view message) {
    if (!net_) return;
    const int state = net_->State(SockIndex);
    if (state == 8) {
        // The peer is closing: nothing goes out, its departure is handled as a quit.
        if (!NetActive) return;
        NetMsgType = msg::GO;
        Dispatch();
        view_.SetCaption(Ctl::Label9, 0, "");
        return;
    }
    if (state != 0) net_->SendLine(SockIndex, message);
}

void Game::RefuseNetMessage(std::string_view why) {
    if (!NetActive) return;
    HangUpRefused();
    view_.MsgBox("Your opponent's program sent a message this table cannot follow:" + std::string(CRLF) +
                     std::string(why) + std::string(CRLF) + std::string(CRLF) + "The KorboNET game is ended.",
                 mb::OKOnly | mb::Critical, "KorboNET");
    EndRefusedNetGame();
}

void Game::HangUpRefused() {
    // The peer hears first, so that it does not wait while this side's box is open.
    if (net_ && net_->State(SockIndex) == 7) net_->SendLine(SockIndex, net::QuitMsg());
    if (net_) net_->Close(SockIndex);
}

void Game::EndRefusedNetGame() {
    if (Turn != TurnNobody) OfferSave("Did you want to save this game?");
    NetRole = 0;
    NetCleanUp();
    ReplyArrived = true;
    NetMsgType = 0;
}

void Game::NetCleanUp() {
    // 1. Every element is closed and every further one let go; the buffer starts empty.
    if (net_) {
        const int last = std::max({SockIndex, SocketCount, kMaxSocketElements + 1});
        for (int k = 0; k <= last; ++k) {
            if (net_->State(k) != 0) net_->Close(k);
            if (k > 0) net_->Unload(k);
        }
    }
    SockIndex = 0;
    SocketCount = 0;
    InMessage.clear();
    // 2.
    view_.SetVisible(Ctl::StatusMsg, 0, false);
    NetActive = false;
    if (NetTempo != 0) TempoDelay = NetTempo;
    NetTempo = 0;
    view_.SetMenuVisible(Menu::LevelIndicator, true);
    // 3.
    view_.SetEnabled(Ctl::ChatSend, 0, false);
    view_.UnloadForm(Form::frmChat);
    view_.EnableMenu(Menu::KeepOnTop, false);
    view_.EnableMenu(Menu::Recover, false);
    view_.EnableMenu(Menu::New, true);
    view_.EnableMenu(Menu::OptionStuff, true);
    view_.EnableMenu(Menu::Stats, true);
    // 4.
    if (!PersonaName.empty()) OppName = PersonaName;
    OutMessage.clear();
    PeerVersion.clear();
    view_.SetCaption(Ctl::Label9, 4, OppName);
    for (int i = 0; i <= 2; ++i) view_.SetCaption(Ctl::Label9, i, "");
    view_.SetCaption(Ctl::LabelPeek, 0, "");
    view_.SetMenuCaption(Menu::Players, 0, "KorboNET Internet Play");
    if (PeekFlag != 0) {
        PeekFlag = 0;
        view_.CheckMenu(Menu::Cheat, false);
    }
    PeerPeeking = false;
    NetSession.fill(0);
    view_.SetVisible(Ctl::Command2, 0, false);
    PeerCurrent = true;
    // 5.
    if (AutoSaveTurn == 99) {
        AutoSave = true;
        AutoSaveTurn = 0;
    }
    // 6.
    view_.EnableMenu(Menu::mnuOpRules, true);
    view_.SetMenuVisible(Menu::LevelIndicator, true);
    Turn = TurnNobody;
    EnablePic(Ctl::Picture7, false);
    view_.SetCaption(Ctl::Label9, 2, "Select NEW from the Game Menu to start a new game.");
    // 7. What an older peer took is the player's again, before anything can be saved.
    PutBackOwnSettings();
}

void Game::PutBackOwnSettings() {
    bool changed = false;
    if (ownRules_) {
        SideSize = ownRules_->SideSize;
        ForcedRule = ownRules_->ForcedRule;
        NoWildAce = ownRules_->NoWildAce;
        ShuffleApart = ownRules_->ShuffleApart;
        ownRules_.reset();
        RulesRefresh();
        changed = true;
    }
    // A style the player chose meanwhile is the player's choice and stays.
    if (ownCardStyle_) {
        if (CardStyle == kOldPeerCardStyle) changed = prefs::ApplyCardStyle(*this, *ownCardStyle_) || changed;
        ownCardStyle_.reset();
    }
    if (changed) Redraw();
}

void Game::CloseActiveSocket() {
    if (net_ && net_->State(SockIndex) != 0) net_->Close(SockIndex);
}

void Game::CloseAllSockets() {
    if (!net_) return;
    const int s = net_->State(SockIndex);
    if (s == 2 || s == 1) net_->Close(SockIndex);
    for (int k = 1; k <= SocketCount; ++k)
        if (net_->State(k) == 1) net_->Close(k);
}

void Game::PeekNet() {
    // PeekFlag has just been toggled; the peer is told either way.
    const std::string crlf(CRLF);
    const bool on = PeekFlag != 0;
    if (on) view_.SetCaption(Ctl::LabelPeek, 0, "You're PEEKING!");
    ++ChatSeqOut;
    Server_Send(net::ChatMsg(ChatSeqOut, on ? "KORBO: You're being watched." : "KORBO: Nobody's looking now."));
    Delay(0.2);
    Server_Send(net::PeekMsg(PeekFlag));
    view_.SetCaption(Ctl::Label9, 0, OppName + crlf + (on ? "ALERTED" : "informed"));
    if (!on) view_.SetCaption(Ctl::LabelPeek, 0, "");
}

bool Game::RulesIndicatorOpens() const {
    if (!NetActive) return true;
    return NetRole == 1 && net::PeerVersionValue(PeerVersion) > 51;
}

}  // namespace korbo
