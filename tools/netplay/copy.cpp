// One copy of the game without a window: the game on a headless view, the table's own
// socket array, and a scripted player. It reports its table each time a turn passes (when
// it sends the "OK" that ends the turn: the discard is on both tables then, and neither has
// refilled a hand yet), and the end of each game.
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

#include "computer_policy.h"
#include "display/table_network.h"
#include "game/random.h"
#include "net/protocol.h"
#include "netplay.h"
#include "table_compare.h"

namespace korbo::netplay {

namespace {

class Copy;

class CopyGame final : public Game {
public:
    CopyGame(Copy& copy, TableView& view, Random& rnd, Clock& clock) : Game(view, rnd, clock), copy_(copy) {}

    void ProcessNext() override;
    void Server_Send(std::string_view message) override;
    void Opponent() override;
    void Game_End() override;
    void STALEMATE() override;
    void RESHUFFLE() override;
    bool InStalemate() const { return stalemate_; }
    // The last line out was the "OK" that passed the turn: the refill that follows it runs.
    bool TurnJustPassed() const { return turnPassed_; }

private:
    Copy& copy_;
    bool stalemate_ = false;  // the host's "OK" of a stalemate is not a turn's end
    bool turnPassed_ = false;
};

class Copy {
public:
    Copy(const Options& o, std::ostream& out, std::ostream& err);
    int Run();

    // --- the game's hooks ---
    void Waiting();
    void TurnPassed();
    void DiscardArrived() { human_.DiscardArrived(); }
    void Ended();
    void Stalemate(bool stopped);
    void Reshuffled() { Report("RESHUFFLE " + std::to_string(game_)); }
    int AnswerBox(std::string_view text, std::string_view title);
    void Trace(const std::string& what) {
        if (o_.trace) err_ << what << "\n";
    }

private:
    bool Host() const { return o_.role == Role::Host; }
    void Report(const std::string& line) { out_ << line << std::endl; }
    void Fault(const std::string& what) { Report("FAULT " + std::to_string(game_) + " " + what); }
    void Check(const char* where);
    void Begin();
    void PlayerTurn();
    // The host's game goes to the remote as a saved game would, its stock in another order.
    // True when it was sent now.
    bool SendGame();
    std::string Result() const;
    PlayersDialogResult Choice() const;
    // A new connection for the next game; the remote calls again until the host listens.
    void Reconnect();

    const Options& o_;
    std::ostream& out_;
    std::ostream& err_;
    QTemporaryDir folder_;
    selfplay::HeadlessClock clock_;
    selfplay::HeadlessView view_;
    selfplay::ScriptedHuman human_;
    ComputerPolicy computer_;
    MtRandom rnd_;
    CopyGame g_;
    ui::TableNetwork net_;

    long game_ = 0;     // the game being played, counted from 0
    long turn_ = 0;     // turns passed in it
    bool playing_ = false;
    bool listenTold_ = false;
    bool stop_ = false;  // a fault: the scripted player stops
    bool calling_ = false;  // the remote calls a host that may not listen yet
    long port_ = 0;
    int stalemateYes_ = 0;
    bool sent_ = false;  // this game was sent already
};

// --- the game's hooks ------------------------------------------------------------------------

void CopyGame::ProcessNext() {
    copy_.Waiting();
    Game::ProcessNext();
    copy_.Trace("GOT " + std::to_string(NetMsgType) + " " + std::to_string(NetMsgNumber) + " " + NetMsgText);
}

void CopyGame::Server_Send(std::string_view message) {
    copy_.Trace("SEND " + std::string(message));
    const bool turnDone = message == net::TurnDoneMsg() && !stalemate_;
    turnPassed_ = false;
    if (turnDone) copy_.TurnPassed();
    Game::Server_Send(message);
    turnPassed_ = turnDone;
}

void CopyGame::Opponent() {
    copy_.DiscardArrived();
    Game::Opponent();
}

void CopyGame::Game_End() {
    if (PlayerSideCount == 0 || OppSideCount == 0) copy_.Ended();
    Game::Game_End();
}

void CopyGame::STALEMATE() {
    stalemate_ = true;
    Game::STALEMATE();
    stalemate_ = false;
    copy_.Stalemate(TurnAbort == 1);
}

void CopyGame::RESHUFFLE() {
    const bool cards = UsedCount > 0;
    Game::RESHUFFLE();
    if (cards) copy_.Reshuffled();
}

// --- the copy -----------------------------------------------------------------------------------

Copy::Copy(const Options& o, std::ostream& out, std::ostream& err)
    : o_(o),
      out_(out),
      err_(err),
      view_(clock_, {{},
                     [this](std::string_view text, std::string_view title) { return AnswerBox(text, title); },
                     [] { QCoreApplication::processEvents(); }}),
      human_(view_, {[this](const std::string& what) {
                         stop_ = true;
                         Fault(what);
                     },
                     [this](const char* where) { Check(where); }, [](int, int) {}}),
      computer_(human_, o.play.level),
      rnd_(o.play.seed),
      g_(*this, view_, rnd_, clock_),
      net_(g_) {
    g_.SetTransport(&net_);
    // Both copies on one machine keep to the loopback; a host alone takes any caller.
    if (Host() && o.host == "127.0.0.1") net_.SetBindAddress(QHostAddress(QHostAddress::LocalHost));
    g_.BaseDir = folder_.path().toStdString();
    // The network scores go to the users folder of the copy's own program folder.
    QDir(folder_.path()).mkpath("users");
    g_.PlayerName = Host() ? "Hosty" : "Remo";
    g_.SoundLevel = 2;
    g_.NoComments = true;
    g_.CompLevel = static_cast<int16_t>(o.play.level);
    selfplay::ApplyHouseRules(g_, o.play);
}

void Copy::Check(const char* where) {
    const std::string fault = CheckPartition(g_);
    if (!fault.empty()) {
        stop_ = true;
        Fault(std::string(where) + ": " + fault);
    }
}

void Copy::Waiting() {
    if (listenTold_ || !Host() || g_.NetRole != 1) return;
    if (net_.State(0) != platform::sck::Listening) return;
    listenTold_ = true;
    port_ = net_.LocalPort(0);
    Report("LISTEN " + std::to_string(port_));
}

void Copy::TurnPassed() {
    if (!playing_) return;
    Check("when the turn passed");
    Report("TURN " + std::to_string(game_) + " " + std::to_string(++turn_) + " " + Encode(CardsOf(g_)));
    if (turn_ > o_.play.maxMoves) {
        playing_ = false;
        Report("GAME " + std::to_string(game_) + " unended");
        stop_ = true;
    }
}

std::string Copy::Result() const {
    const bool mine = g_.PlayerSideCount == 0;
    if (!mine && g_.OppSideCount != 0) return "stalemate";
    return (mine == Host()) ? "host" : "remote";
}

void Copy::Ended() {
    if (!playing_) return;
    playing_ = false;
    Check("at the end of the game");
    Report("TURN " + std::to_string(game_) + " " + std::to_string(++turn_) + " " + Encode(CardsOf(g_)));
    Report("GAME " + std::to_string(game_) + " " + Result());
}

void Copy::Stalemate(bool stopped) {
    if (!playing_) return;
    Report("STALEMATE " + std::to_string(game_) + (stopped ? " stop" : " continue"));
    if (!stopped) return;
    playing_ = false;
    Report("GAME " + std::to_string(game_) + " stalemate");
}

int Copy::AnswerBox(std::string_view text, std::string_view title) {
    if (title == "Stalemate") return stalemateYes_++ < 3 ? mb::IDYes : mb::IDNo;
    if (title == "Save Game") return mb::IDNo;
    if (calling_) return mb::IDOK;  // the host is not listening yet: the remote calls again
    const std::string t(text);
    if (t.find("has joined the game.") != std::string::npos) return mb::IDOK;
    // The peer's farewell at the end of the session.
    if (!playing_ && (t.find("quit the game.") != std::string::npos || t == "Dealer has terminated game."))
        return mb::IDOK;
    // A host that did not continue a stalemate ends the connection (the session's or this
    // game's) while the remote still waits for its answer: that is the answer.
    if (!Host() && g_.InStalemate() && t == "Dealer has terminated game.") return mb::IDOK;
    // The host's stalemate comes in the refill right after the turn's "OK", and its hang-up
    // may reach the remote during its own refill, before its own stalemate: the game has
    // ended in that stalemate all the same.
    if (!Host() && playing_ && g_.TurnJustPassed() && t == "Dealer has terminated game.") {
        Stalemate(true);
        return mb::IDOK;
    }
    if (computer_.Trying()) {
        computer_.Refused();
        return mb::IDOK;
    }
    if (t.rfind("Your opponent's program sent a message this table cannot follow:", 0) == 0) {
        std::string why = t.substr(t.find('\n') + 1);
        for (char& c : why)
            if (c == '\r' || c == '\n') c = ' ';
        Report("REFUSED " + why);
    } else {
        std::string shown = t;
        for (char& c : shown)
            if (c == '\r' || c == '\n') c = ' ';
        Fault("box \"" + std::string(title) + "\": " + shown);
    }
    stop_ = true;
    return mb::IDOK;
}

// The start of game `game_`: the host shuffles with the game's own seed.
void Copy::Begin() {
    turn_ = 0;
    stalemateYes_ = 0;
    sent_ = false;
    playing_ = true;
    human_.Reset();
    rnd_ = MtRandom(o_.play.seed + static_cast<uint64_t>(game_));
}

bool Copy::SendGame() {
    // Mid-way through the game: the table the remote has from the turns so far no longer
    // matches, so only a rebuilt remote table agrees after the next turn.
    constexpr long kSendAfterTurns = 6;
    if (sent_ || turn_ < kSendAfterTurns) return false;
    sent_ = true;
    std::reverse(g_.Deck.begin() + 1, g_.Deck.begin() + 1 + g_.StockTop);
    g_.SendRecover();
    if (g_.NetActive) Report("TRANSFER " + std::to_string(game_));
    return true;
}

void Copy::PlayerTurn() {
    if (o_.policy == Policy::Computer) computer_.Turn(g_, stop_);
    else human_.Turn(g_, stop_);
}

PlayersDialogResult Copy::Choice() const {
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = g_.PlayerName;
    c.role = Host() ? 1 : 0;
    c.hostAddress = o_.host;
    c.port = static_cast<int>(port_);
    return c;
}

void Copy::Reconnect() {
    constexpr int kCalls = 100;
    constexpr int kCallPauseMs = 50;
    ++game_;
    Begin();
    if (Host()) {
        g_.StartNetworkGame(Choice());
        return;
    }
    for (int call = 0; call < kCalls && !g_.NetActive && !stop_; ++call) {
        if (call > 0) {
            QEventLoop pause;
            QTimer::singleShot(kCallPauseMs, &pause, &QEventLoop::quit);
            pause.exec();
        }
        calling_ = true;
        g_.StartNetworkGame(Choice());
        // Once the greeting has come the host is there: from then on a box is the game's.
        calling_ = false;
        if (g_.NetActive || !playing_) return;
    }
}

int Copy::Run() {
    port_ = o_.port;
    Begin();
    g_.StartNetworkGame(Choice());
    const long games = o_.play.games;
    while (!stop_) {
        const bool more = game_ + 1 < games;
        if (!g_.NetActive) {
            if (!playing_ && more && o_.reconnect) {
                Reconnect();
                if (!g_.NetActive && !stop_ && playing_) Fault("the host could not be called again");
                continue;
            }
            if (!playing_ && !more) break;  // the session is over
            Fault("the network game ended");
            break;
        }
        if (playing_ && g_.Turn == TurnPlayer && g_.PlayerSideCount > 0 && g_.OppSideCount > 0) {
            if (o_.transfer && Host() && SendGame()) continue;
            PlayerTurn();
            continue;
        }
        if (!playing_ && (!more || o_.reconnect)) {
            // The host ends the connection (the session, or this game's), the remote waits for it.
            if (Host()) g_.EndNetworkGame();
            else net_.WaitForActivity();
            continue;
        }
        if (!Host() && view_.Visible(Ctl::Command2, 0)) {
            if (playing_ && g_.RecoverMode == 1) Report("RESUMED " + std::to_string(game_));
            if (!playing_) {
                ++game_;
                Begin();
            }
            g_.Command2_Click();
            continue;
        }
        if (Host() && !playing_) {
            ++game_;
            Begin();
            g_.NewGame_Click();
            continue;
        }
        net_.WaitForActivity();
    }
    Report("DONE " + std::to_string(game_ + 1));
    return stop_ ? 1 : 0;
}

}  // namespace

int RunCopy(const Options& o, std::ostream& out, std::ostream& err) {
    Copy c(o, out, err);
    return c.Run();
}

}  // namespace korbo::netplay
