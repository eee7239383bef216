// Receiving in a network game: the receive buffer, the one wait for a message that every
// exchange is built on, and the dispatcher that acts on each message.
//
// A wait reads the socket itself on every pass: the socket's own arrival event is not
// raised again while a handler of it is still running, and the waits run nested inside
// such handlers. Lines are taken strictly in order; a chat or peek line is acted on
// where it stands and leaves the last message type as it was, so a wait never misses
// the type it waits for and never mistakes a chat for it.
#include <algorithm>
#include <cctype>
#include <string>

#include "game.h"
#include "net/framing.h"
#include "net/protocol.h"
#include "net/version.h"
#include "records/text_number.h"

namespace korbo {

namespace {

// The chat history keeps this much of its end; older lines scroll away for good.
constexpr std::size_t kChatHistoryKept = 256 * 1024;
// An opponent's name longer than this is cut: it has to fit the table's labels.
constexpr std::size_t kNameKept = 40;
// The first turn belongs to the deal, which waits for it: one at any other time would hand
// the turn over in the middle of a game, with no wait left running.
constexpr const char* kFirstTurnOutOfPlace = "A first turn came that no deal of this table waited for.";

// Chat and peek lines, and lines with a code that is not ours, never end a wait and
// never change the last message type.
bool IsSideCode(std::string_view line) {
    if (line.size() < 2) return true;
    const std::string_view code = line.substr(0, 2);
    if (code == "SY" || code == "PK") return true;
    for (int t = 1; t <= net::msg::Last; ++t)
        if (net::CodeOf(t) == code) return false;
    return true;  // unknown: consumed and ignored
}

// What acts as soon as it arrives, outside any wait (the rest waits for the routine that
// expects it).
bool ActsAtOnce(std::string_view line, bool remote) {
    if (IsSideCode(line)) return true;
    const std::string_view code = line.substr(0, 2);
    return code == "GO" || code == "RC" || (remote && code == "GS");
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}

}  // namespace

// A chat text that is a web address and nothing else: http:// or https://, a host, and no
// blank or control character anywhere. Anything else is shown as chat text.
bool IsWebAddress(std::string_view text) {
    std::size_t start = 0;
    if (StartsWithNoCase(text, "http://")) start = 7;
    else if (StartsWithNoCase(text, "https://")) start = 8;
    else return false;
    if (text.size() <= start) return false;
    const unsigned char first = static_cast<unsigned char>(text[start]);
    if (!std::isalnum(first)) return false;
    return std::all_of(text.begin(), text.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c > ' ' && c < 127;
    });
}

Game::NetWait Game::AwaitMessage(int type, OnNewGame onNewGame) {
    ++waitDepth_;
    const int outerAwaited = awaited_;
    awaited_ = type;
    NetWait result = NetWait::Gone;
    for (;;) {
        if (!NetActive) break;
        ProcessNext();
        // The awaited type first: a wait for a new game ends with it, not on it.
        if (NetMsgType == type) {
            result = NetWait::Arrived;
            break;
        }
        if (NetMsgType == msg::GO || !NetActive) break;
        // A saved game put on the remote's table between two moves replaces what was awaited.
        if (NetMsgType == msg::RC && NetRole == 0 && RecoverMode == 1) break;
        if (NetMsgType == msg::GS && onNewGame == OnNewGame::End) {
            result = NetWait::NewGame;
            break;
        }
        DoEvents();
    }
    awaited_ = outerAwaited;
    --waitDepth_;
    return result;
}

bool Game::ReadArrivals() {
    if (!net_ || !NetActive) return true;
    for (;;) {
        // One byte more than there is room for shows a peer that overflows the buffer.
        const std::string got = net_->Receive(SockIndex, net::RoomLeft(InMessage) + 1);
        if (got.empty()) return true;
        if (net::AppendArrival(InMessage, got) == net::Arrival::Overflow) {
            RefuseNetMessage("A message is longer than 64 KB.");
            return false;
        }
        DataArrived = true;
    }
}

void Game::Winsock1_DataArrival(int index) {
    if (!net_) return;
    if (index != SockIndex) {
        FurtherCaller(index);
        return;
    }
    if (!NetActive) return;
    if (!ReadArrivals()) return;
    // A running wait takes every line itself, in order.
    if (waitDepth_ > 0 || dispatchingAtOnce_) return;
    DispatchAtOnce();
}

void Game::Winsock1_Close(int index) {
    if (!net_) return;
    if (index != SockIndex) {
        FurtherCaller(index);
        return;
    }
    if (!NetActive) return;
    // A running wait looks at the connection itself once it has taken what came before.
    if (waitDepth_ > 0 || dispatchingAtOnce_) return;
    if (!ReadArrivals()) return;
    DispatchAtOnce();
    if (!NetActive) return;
    const int state = net_->State(SockIndex);
    if (state != 8 && state > 0) return;
    // The peer is gone: its quit, whatever lines still wait in the buffer for a later wait.
    NetMsgType = msg::GO;
    Dispatch();
}

void Game::DispatchAtOnce() {
    dispatchingAtOnce_ = true;
    std::string waiting;  // lines for a later wait, in their order
    for (;;) {
        if (!NetActive) break;
        std::string_view line;
        if (!net::FirstLine(InMessage, line)) break;
        const bool held = holdTransfer_ && line.substr(0, 2) == "RC";
        if (held || !ActsAtOnce(line, NetRole == 0)) {
            waiting.append(line);
            waiting += net::kMsgEnd;
            InMessage.erase(0, line.size() + 1);
            continue;
        }
        GetMessage();
        // Whatever came meanwhile was appended behind; read what the socket holds too.
        if (!ReadArrivals()) break;
    }
    if (NetActive) InMessage.insert(0, waiting);
    dispatchingAtOnce_ = false;
}

void Game::FurtherCaller(int index) {
    if (index < 2) return;
    // A caller the host is too busy for: its greeting gets "GO", and then it is let go.
    const std::string got = net_->Receive(index, net::kMaxLine);
    const bool greeted = got.rfind("IP", 0) == 0 || got.find("\nIP") != std::string::npos;
    const int state = net_->State(index);
    if (greeted) net_->SendLine(index, net::QuitMsg());
    if (greeted || state == 0 || state == 8 || state == 9) {
        net_->Close(index);
        net_->Unload(index);
    }
}

void Game::ProcessNext() {
    if (!net_) {
        NetActive = false;  // no connection: nothing can ever arrive
        return;
    }
    ++waitDepth_;
    for (;;) {
        if (!ReadArrivals()) break;
        std::string_view line;
        if (net::FirstLine(InMessage, line)) {
            const bool side = IsSideCode(line);
            GetMessage();
            if (side && NetActive) continue;
            break;
        }
        if (!NetActive) break;
        const int state = net_->State(SockIndex);
        bool lost = false;
        if (state == 8) {
            lost = true;
        } else if (state <= 0) {
            ReplyArrived = true;
            lost = true;
        }
        if (lost) {
            NetMsgType = msg::GO;  // the peer is gone
            GetMessage();
            break;
        }
        DataArrived = false;
        net_->WaitForActivity();
    }
    --waitDepth_;
}

void Game::WaitForOpponent() {
    ReplyArrived = false;
    ++waitDepth_;
    const int outerAwaited = awaited_;
    awaited_ = 0;  // whatever completes the exchange
    do {
        if (!NetActive) break;
        view_.SetCaption(Ctl::Label9, 0, "WAITING for Opponent");
        ProcessNext();
        DoEvents();
    } while (!ReplyArrived);
    awaited_ = outerAwaited;
    --waitDepth_;
    if (NetActive) view_.SetCaption(Ctl::Label9, 0, " ");
}

void Game::GetMessage() {
    net::NetFields f;
    f.NetMsgType = NetMsgType;
    f.NetMsgNumber = NetMsgNumber;
    f.NetMsgText = NetMsgText;
    f.PeerVersion = PeerVersion;
    f.PeerCurrent = PeerCurrent;
    const int beforeType = NetMsgType;
    const long beforeNumber = NetMsgNumber;
    const std::string beforeText = NetMsgText;
    std::string_view line;
    const bool cut = net::FirstLine(InMessage, line);
    const bool side = cut && IsSideCode(line);
    net::ParseMessage(InMessage, f);
    NetMsgType = f.NetMsgType;
    NetMsgNumber = f.NetMsgNumber;
    NetMsgText = f.NetMsgText;
    PeerVersion = f.PeerVersion;
    PeerCurrent = f.PeerCurrent;
    chatUnnumbered_ = f.ChatUnnumbered;
    Dispatch();
    if (side && NetActive) {
        // A chat or peek line leaves the exchange where it stood.
        NetMsgType = beforeType;
        NetMsgNumber = beforeNumber;
        NetMsgText = beforeText;
    }
}

void Game::ShowChatLine(const std::string& text) {
    std::string history = view_.Caption(Ctl::ChatHistory, 0);
    if (!history.empty()) history += CRLF;
    history += OppName + ": " + text;
    if (history.size() > kChatHistoryKept) history.erase(0, history.size() - kChatHistoryKept);
    view_.SetCaption(Ctl::ChatHistory, 0, history);
    view_.ScrollToEnd(Ctl::ChatHistory, 0);
    PlayResource(SndChatLine);
    view_.SetCaption(Ctl::Label9, 2, text);
}

void Game::ApplyVersionRule() {
    if (!net::PeerWithoutHouseRules(PeerVersion)) return;
    view_.MsgBox("Your opponent does not have the lastest version of KorboNET." + std::string(CRLF) +
                     "Only House Rules are in effect.",
                 mb::OKOnly | mb::Information, "No Rules");
    if (!ownRules_) ownRules_ = OwnRules{SideSize, ForcedRule, NoWildAce, ShuffleApart};
    SideSize = 19;
    ForcedRule = 0;
    NoWildAce = false;
    view_.EnableMenu(Menu::mnuOpRules, false);
}

void Game::Dispatch() {
    const int type = NetMsgType;
    // A repeat of the last message (an echo sent twice) is ignored; chat never is.
    if (type != msg::SY && type == NetPrevMsgType) return;
    const bool remote = NetRole == 0;
    switch (type) {
        case msg::PC:
            NetMoveSource = NetMsgNumber;
            NetMoveTarget = records::Val(NetMsgText);
            ReplyArrived = true;
            break;
        case msg::SY:
            if (chatUnnumbered_) {
                ShowChatLine(NetMsgText);  // no sender of ours writes this: text only
            } else if (NetMsgNumber > ChatSeqIn) {
                if (IsWebAddress(NetMsgText)) view_.OpenWebPage(NetMsgText);
                else ShowChatLine(NetMsgText);
                ChatSeqIn = NetMsgNumber;
            }
            return;  // the exchange stays where it was
        case msg::PK:
            if (NetMsgNumber != 0) {
                PlayResource(SndPeeking);
                view_.SetCaption(Ctl::LabelPeek, 0, OppName + " is PEEKING!");
            } else {
                view_.SetCaption(Ctl::LabelPeek, 0, OppName + " not peeking now.");
            }
            PeerPeeking = NetMsgNumber != 0;
            return;
        case msg::IP: ApplyVersionRule(); break;
        case msg::GO: DispatchQuit(); break;
        case net::msg::None: return;  // not ours: consumed and ignored
        default: break;
    }

    if (remote ? !DispatchRemote(type) : !DispatchHost(type)) return;
    NetPrevMsgType = NetMsgType;  // 0 after a quit
}

void Game::TellHostsNewGame() {
    EnablePic(Ctl::Picture7, false);
    view_.SetCaption(Ctl::Label9, 2, "Click the NEW button to begin:");
    view_.SetCaption(Ctl::Label9, 1, "HOST began a NEW GAME!" + std::string(CRLF));
    view_.SetCaption(Ctl::Command2, 0, "NEW");
    view_.SetVisible(Ctl::Command2, 0, true);
}

// The host's side. False when the message was refused (the network game has ended).
bool Game::DispatchHost(int type) {
    switch (type) {
        case msg::IP:
            if (!PeerCurrent)
                view_.MsgBox("Your opponent is not playing with the latest version of KorboNET. Not all features "
                             "will be available.",
                             mb::OKOnly | mb::Exclamation, "KorboNET");
            Server_Send(net::NameMsg(PlayerName));
            break;
        case msg::NM: {
            const std::string name = NetMsgText.substr(0, kNameKept);
            view_.MsgBox(name + " has joined the game.", mb::OKOnly | mb::Information, "KorboNET");
            if (OppName.empty()) OppName = name;
            view_.SetCaption(Ctl::Label9, 4, OppName);
            Server_Send(net::NewGameMsg());
            ReplyArrived = true;
            break;
        }
        case msg::GS:
            // Only the answer to a new game of ours (or the greeting's): the remote never
            // starts one itself, and one that ended the wait for its move would leave no
            // wait running to notice the connection close.
            if (awaited_ != msg::GS && awaited_ != 0) {
                RefuseNetMessage("A new game began that this table did not ask for.");
                return false;
            }
            view_.SetCaption(Ctl::Label9, 0, "");
            ReplyArrived = true;
            break;
        case msg::TR:
            if (awaited_ != msg::TR) {
                RefuseNetMessage(kFirstTurnOutOfPlace);
                return false;
            }
            view_.SetCaption(Ctl::Label9, 0, " ");
            view_.SetEnabled(Ctl::ChatSend, 0, true);
            break;
        case msg::RC:
            if (Turn != TurnPlayer) {
                view_.SetCaption(Ctl::Label9, 1, "It's NOT your turn." + std::string(CRLF));
                SkipCompDeal = 1;
                SkipPlayerDeal = 0;
                view_.SetVisible(Ctl::ImgTurn1, 0, true);
                view_.SetVisible(Ctl::ImgTurn2, 0, false);
            } else {
                view_.SetCaption(Ctl::Label9, 1, "It's still your turn." + std::string(CRLF));
                SkipPlayerDeal = 1;
                SkipCompDeal = 0;
                view_.SetVisible(Ctl::ImgTurn2, 0, true);
                view_.SetVisible(Ctl::ImgTurn1, 0, false);
            }
            ReplyArrived = true;
            break;
        default: break;
    }
    return true;
}

// The remote's side. False when the message was refused.
bool Game::DispatchRemote(int type) {
    switch (type) {
        case msg::IP: DispatchGreeting(); break;
        case msg::NM:
            if (OppName.empty()) OppName = NetMsgText.substr(0, kNameKept);
            Server_Send(net::NameMsg(PlayerName));
            break;
        case msg::GS:
            if (NetDealt != 1) {
                Server_Send(net::NewGameMsg());
                ReplyArrived = true;
            } else {
                TellHostsNewGame();
                view_.Beep();
            }
            view_.SetCaption(Ctl::Label9, 0, "");
            break;
        case msg::DK: TransferText = NetMsgText; break;
        case msg::TR:
            if (awaited_ != msg::TR) {
                RefuseNetMessage(kFirstTurnOutOfPlace);
                return false;
            }
            if (NetMsgNumber != TurnOpponent && NetMsgNumber != TurnPlayer) {
                RefuseNetMessage("The first turn names neither player.");
                return false;
            }
            Turn = static_cast<int16_t>(NetMsgNumber);
            view_.SetCaption(Ctl::Label9, 0, " ");
            view_.SetEnabled(Ctl::ChatSend, 0, true);
            break;
        case msg::RC:
            // A whole table arriving while a move is being passed would pull the cards from
            // under it: refused like a list that cannot be used.
            if (handshakeDepth_ > 0) {
                RefuseRecover("It arrived while a move was being passed");
                EndRefusedNetGame();
                return false;
            }
            TransferText = NetMsgText;
            if (!GetRecover(TransferText)) {
                TransferText.clear();
                EndRefusedNetGame();
                return false;
            }
            TransferText.clear();
            view_.SetCaption(Ctl::Label9, 1, "HOST resumed saved game." + std::string(CRLF));
            view_.Beep();
            view_.SetCaption(Ctl::Command2, 0, "Resume");
            view_.SetVisible(Ctl::Command2, 0, true);
            break;
        default: break;
    }
    return true;
}

void Game::DispatchGreeting() {
    view_.SetCaption(Ctl::StatusMsg, 0, "Waiting for dealer to start game...");
    if (!PeerCurrent) {
        view_.MsgBox("Your opponent is not playing with the latest version of KorboNET. Not all features will be "
                     "available.",
                     mb::OKOnly | mb::Exclamation, "KorboNET");
        if (CardStyle == 6) {
            view_.MsgBox("Unable to use picture playing cards!" + std::string(CRLF) + "Switching to number cards!",
                         mb::OKOnly | mb::Exclamation, "KorboNET");
            if (!ownCardStyle_) ownCardStyle_ = CardStyle;
            CardStyle = kOldPeerCardStyle;
        }
    }
    Server_Send(net::HelloMsg(net::kProgramVersion.major, net::kProgramVersion.minor, net::kProgramVersion.revision));
}

void Game::DispatchQuit() {
    if (net_) net_->Close(SockIndex);
    const bool host = NetRole != 0;
    const std::string text = host ? OppName + " quit the game." : std::string("Dealer has terminated game.");
    view_.SetCaption(Ctl::Label9, 1, text);
    view_.MsgBox(text, mb::OKOnly | mb::Critical, "KorboNET");
    if (Turn != TurnNobody) OfferSave(host ? "Did you want to save this game?" : "Would you like to save this game?");
    NetRole = 0;
    NetCleanUp();
    ReplyArrived = true;
    NetMsgType = 0;
}

}  // namespace korbo
