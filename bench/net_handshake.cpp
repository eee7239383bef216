// How long one move's handshake takes over loopback TCP: the table sends a play ("PC"),
// waits for the echo, sends "WT" and waits for the answer, against a peer that answers at
// once. Prints the median and the 90th percentile of N moves: net_handshake [moves]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "net/net_table.h"

using namespace korbo;
using namespace korbo::test;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int moves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    NetTable t;
    HostPeer host(DeckList({{63, 1}}), 2);
    t.Join(host.Port());
    if (!t.game.NetActive || t.game.Turn != TurnPlayer) {
        std::fprintf(stderr, "the network game did not start\n");
        return 1;
    }
    // The deal's last answer reaches the peer first.
    while (host.received.size() < 5) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(moves));
    for (int i = 0; i < moves; ++i) {
        host.steps = {{"PC", {"PC"}}, {"WT", {"WT"}}};  // the peer answers at once
        t.game.MoveSource = 2;
        t.game.MoveTarget = 12 + i % 5;  // a hand move: the table's cards stay where they are
        const std::size_t before = host.received.size();
        QElapsedTimer clock;
        clock.start();
        t.game.Move_Transmit();
        ms.push_back(clock.nsecsElapsed() / 1e6);
        if (host.received.size() != before + 2) {
            std::fprintf(stderr, "move %d: the handshake did not go through (%zu lines, type %d)\n", i,
                         host.received.size() - before, t.game.NetMsgType);
            return 1;
        }
        if (!t.game.NetActive) {
            std::fprintf(stderr, "the network game ended at move %d\n", i);
            return 1;
        }
    }
    std::sort(ms.begin(), ms.end());
    std::printf("move handshakes over loopback: %d, median %.3f ms, 90th percentile %.3f ms, max %.3f ms\n", moves,
                ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
    return 0;
}
