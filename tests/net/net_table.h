// A headless table on real loopback TCP, and a scripted peer for it to play against.
//
// The table is the game with a recording view and the table's own socket array bound to
// 127.0.0.1. The peer is event driven (it never waits), so it answers from inside the
// table's waits. Its script is a list of steps: when a line starting with a step's
// expectation arrives, the step's lines go out (a step may also close the connection or
// send bytes without a line feed).
#pragma once

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/table_network.h"
#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/random.h"
#include "net/protocol.h"
#include "net/version.h"

namespace korbo::test {

// The table's waits dispatch the event loop: the peer's sockets are served meanwhile.
class LoopView : public RecordingView {
public:
    std::vector<std::string> opened;  // web addresses handed to the browser
    void DoEvents() override { QCoreApplication::processEvents(); }
    void OpenWebPage(std::string_view address) override { opened.emplace_back(address); }
};

struct NetTable {
    QTemporaryDir dir;
    LoopView view;
    ManualClock clock;
    MtRandom rnd{7};
    Game game{view, rnd, clock};
    ui::TableNetwork net{game};
    NetTable() {
        net.SetBindAddress(QHostAddress(QHostAddress::LocalHost));
        game.SetTransport(&net);
        game.BaseDir = dir.path().toStdString();
        game.PlayerName = "Ann";
        game.SoundLevel = 2;
    }
    // Joins the host at 127.0.0.1:port as the remote player.
    void Join(int port) {
        PlayersDialogResult c;
        c.connect = c.nameApplied = true;
        c.playerName = "Ann";
        c.role = 0;
        c.hostAddress = "127.0.0.1";
        c.port = port;
        game.StartNetworkGame(c);
    }
    // The player's places and the centre piles laid out apart, for moves by the mouse.
    void LayOutPlaces() {
        game.CardWidth = 1000;
        game.CardHeight = 1400;
        game.CardGap = 500;
        for (int i = 1; i <= 10; ++i) view.rects[{Ctl::Picture7, i}] = {1000 + 1200 * (i - 1), 8000, 1000, 1400};
        for (int s = 1; s <= 3; ++s) view.rects[{Ctl::Picture4, s}] = {1000 + 1200 * (s - 1), 3000, 1000, 1400};
    }
    // Press on the player's place `slot`, drag it onto picture `onto`(`index`), release.
    void Drag(int slot, Ctl onto, int index) {
        const Rect from = view.PictureRect(Ctl::Picture7, slot), to = view.PictureRect(onto, index);
        game.Picture7_MouseDown(slot, btn::Left, 0, 300, 400);
        game.Picture7_MouseMove(slot, btn::Left, 0, 300 + (to.Left - from.Left), 400 + (to.Top - from.Top));
        game.Picture7_MouseUp(slot, btn::Left, 0, 300, 400);
    }
    void DoubleClick(int slot) {
        game.Picture7_MouseDown(slot, btn::Left, 0, 10, 10);
        game.Picture7_MouseUp(slot, btn::Left, 0, 10, 10);
        game.Picture7_DblClick(slot);
        game.Picture7_MouseUp(slot, btn::Left, 0, 10, 10);
    }
    bool Boxed(const std::string& text) const {
        for (const auto& b : view.boxes)
            if (b.text.find(text) != std::string::npos) return true;
        return false;
    }
};

struct Step {
    std::string expect;              // a line beginning with this releases the step
    std::vector<std::string> lines;  // sent, each with its line feed
    std::string raw;                 // sent as it is, after the lines
    bool close = false;              // then the peer hangs up
    std::function<void(const std::string& line)> action;  // run after sending, with the line
};

// One caller or the host on the other side of the table.
class Peer : public QObject {
public:
    QTcpSocket* socket = nullptr;
    std::vector<std::string> received;  // every line, without its line feed
    std::string rawIn, rawOut;          // every byte, both ways
    std::deque<Step> steps;
    std::string pending;

    void Attach(QTcpSocket* s) {
        socket = s;
        QObject::connect(s, &QTcpSocket::readyRead, this, [this] { OnData(); });
    }
    void Send(const std::string& bytes) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState) {
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
            rawOut += bytes;
        }
    }
    void SendLine(const std::string& line) { Send(line + "\n"); }
    void Run(Step& s, const std::string& line) {
        for (const auto& l : s.lines) SendLine(l);
        if (!s.raw.empty()) Send(s.raw);
        if (s.action) s.action(line);
        if (s.close && socket) socket->disconnectFromHost();
        if (socket) socket->flush();
    }
    // The lines this peer got after the first `skip`.
    std::vector<std::string> After(std::size_t skip) const {
        if (skip >= received.size()) return {};
        return {received.begin() + static_cast<long>(skip), received.end()};
    }

private:
    void OnData() {
        const QByteArray b = socket->readAll();
        pending.append(b.constData(), static_cast<std::size_t>(b.size()));
        rawIn.append(b.constData(), static_cast<std::size_t>(b.size()));
        std::size_t lf;
        while ((lf = pending.find('\n')) != std::string::npos) {
            received.push_back(pending.substr(0, lf));
            pending.erase(0, lf + 1);
            if (!steps.empty() && received.back().rfind(steps.front().expect, 0) == 0) {
                Step s = std::move(steps.front());
                steps.pop_front();
                Run(s, received.back());
            }
        }
    }
};

// A host that the table joins: it greets, names itself, starts the game, deals `deck`
// and lets `first` begin (1 the host, 2 the table), then plays `after`.
class HostPeer : public Peer {
public:
    QTcpServer server;
    std::vector<std::unique_ptr<Peer>> extra;
    explicit HostPeer(const std::string& deck, int first, std::deque<Step> after = {}) {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                if (!socket) {
                    Attach(s);
                    SendLine(net::HelloMsg(6, 0, 1));
                } else {
                    extra.push_back(std::make_unique<Peer>());
                    extra.back()->Attach(s);
                }
            }
        });
        steps = {{"IP", {net::NameMsg("Bob")}},
                 {"NM", {net::NewGameMsg()}},
                 {"GS", {net::DeckMsg(deck)}},
                 {"DK", {net::TurnMsg(first)}}};
        for (auto& s : after) steps.push_back(std::move(s));
    }
    int Port() const { return server.serverPort(); }
    // An old copy instead: it greets with the 18-character line (no "^", no version) and
    // deals the old list, values only.
    void AsOldCopy() {
        QObject::disconnect(&server, nullptr, nullptr, nullptr);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            Attach(server.nextPendingConnection());
            SendLine(net::HelloWithoutVersion());
        });
        steps[2].lines = {net::DeckMsg(net::NumberList(std::vector<long>(104, 5)))};
    }
};

// Lines as one text, "|" between them, for comparing what a peer got.
inline QString Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += (s.empty() ? "" : "|") + l;
    return QString::fromStdString(s);
}

// A deck list: ids 1..104 in order, except the ids placed at the positions given; side
// size, forced rule and no-wild-ace at their standard values unless `sideSize` says.
inline std::string DeckList(const std::vector<std::pair<int, int>>& placed, int sideSize = 19) {
    std::vector<int> ids(105);
    for (int i = 1; i <= 104; ++i) ids[i] = i;
    for (auto [pos, id] : placed) {
        for (int i = 1; i <= 104; ++i)
            if (ids[i] == id) std::swap(ids[i], ids[pos]);
    }
    std::vector<long> items;
    for (int i = 1; i <= 104; ++i) items.push_back((ids[i] - 1) % 13 + 1);
    for (int i = 1; i <= 104; ++i) items.push_back(ids[i]);
    items.push_back(sideSize);
    items.push_back(0);
    items.push_back(0);
    return net::NumberList(items);
}

}  // namespace korbo::test
