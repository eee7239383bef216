// A peer's bytes as they reach a table in a network game: the greeting, the deal, the peer's
// moves and whatever else it sends, through the receive buffer, the waits and the
// dispatcher into the table. The first byte picks where the table stands (a remote or a
// host from the start; a dealt remote whose opponent or who itself moves first); the rest
// is the peer's stream, cut into arrivals at each 0x1E byte. Whatever comes, the table
// never crashes and never holds a card twice or loses one.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/random.h"
#include "net/protocol.h"

namespace {

using namespace korbo;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// The peer's stream, one arrival per wait; with nothing more to come the peer hangs up.
class FuzzPeer : public Transport {
public:
    Game* game = nullptr;
    int state = 0;
    bool accepted = false;
    std::string inbox;
    std::deque<std::string> arrivals;
    std::size_t sent = 0;

    int State(int index) const override { return index == 0 || (index == 1 && accepted) ? state : 0; }
    bool Listen(int) override { state = 2; return true; }
    bool Connect(std::string_view, int) override { state = 7; return true; }
    bool Accept(int index, long) override {
        if (index != 1) return false;
        accepted = true;
        state = 7;
        return true;
    }
    void Close(int) override { state = 0; }
    bool SendLine(int, std::string_view) override { return ++sent, state == 7; }
    std::string Receive(int, std::size_t maxBytes) override {
        std::string s = inbox.substr(0, maxBytes);
        inbox.erase(0, s.size());
        return s;
    }
    std::string LocalAddress(int) const override { return "127.0.0.1"; }
    void WaitForActivity() override {
        if (state == 2 && game) {
            game->Winsock1_ConnectionRequest(0, 1);  // the caller comes
            return;
        }
        if (arrivals.empty()) {
            if (state != 0) state = 8;
            return;
        }
        inbox += arrivals.front();
        arrivals.pop_front();
    }
};

// A valid start from a host of version 6.0.1: greeting, name, new game, a dealt deck and
// the first turn for `first` (1 the host, 2 the table).
std::string ValidStart(int first) {
    // The host's hand (deck places 64, 62, 60) holds A, 2, 3; the table's (63, 61) A, 2.
    std::vector<int> ids(105);
    for (int i = 1; i <= 104; ++i) ids[i] = i;
    const std::pair<int, int> placed[] = {{64, 1}, {62, 2}, {60, 3}, {63, 14}, {61, 15}};
    for (auto [pos, id] : placed) std::swap(ids[pos], ids[id]);
    std::vector<long> items;
    for (int i = 1; i <= 104; ++i) items.push_back((ids[i] - 1) % 13 + 1);
    for (int i = 1; i <= 104; ++i) items.push_back(ids[i]);
    items.push_back(19);
    items.push_back(0);
    items.push_back(0);
    return net::HelloMsg(6, 0, 1) + "\n" + net::NameMsg("Bob") + "\n" + net::NewGameMsg() + "\n" +
           net::DeckMsg(net::NumberList(items)) + "\n" + net::TurnMsg(first) + "\n";
}

void CheckTable(const Game& g) {
    for (int p = 1; p <= 3; ++p) Check(g.CenterCount[p] >= 0 && g.CenterCount[p] <= 12);
    for (int p = 1; p <= 4; ++p) Check(g.OppHoldInfo[p][1] >= 0 && g.OppHoldInfo[p][1] <= 30);
    Check(g.OppSideCount >= 0 && g.OppSideCount <= 26);
    Check(g.InMessage.size() <= 64 * 1024);
    if (CountCardsInPlay(g) == 104) Check(CheckPartition(g).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int mode = data[0] % 4;
    std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);
    if (mode >= 2) stream = ValidStart(mode == 2 ? 1 : 2) + "\x1e" + stream;

    test::RecordingView view;
    test::ManualClock clock;
    MtRandom rnd{3};
    Game g{view, rnd, clock};
    FuzzPeer peer;
    peer.game = &g;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= stream.size(); ++i)
        if (i == stream.size() || stream[i] == '\x1e') {
            peer.arrivals.push_back(stream.substr(start, i - start));
            start = i + 1;
        }
    g.SetTransport(&peer);
    g.BaseDir = "/nonexistent/korbo-fuzz";
    g.SoundLevel = 2;

    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = mode == 1 ? 1 : 0;
    c.hostAddress = "127.0.0.1";
    c.port = 1001;
    g.StartNetworkGame(c);
    CheckTable(g);
    if (mode == 3 && g.NetActive && g.Turn == TurnPlayer) {
        // The table plays a card and discards; the peer's answers come from the stream.
        g.MoveSource = 2;
        g.MoveTarget = 1;
        g.Move_Transmit();
        g.MoveSource = 3;
        g.MoveTarget = 7;
        g.Move_Transmit_Done();
        if (g.NetActive) g.Opponent();
        CheckTable(g);
    }
    // What is left arrives while no wait runs.
    while (g.NetActive && !peer.arrivals.empty()) {
        peer.inbox += peer.arrivals.front();
        peer.arrivals.pop_front();
        g.Winsock1_DataArrival(g.SockIndex);
        CheckTable(g);
    }
    return 0;
}
