// The one wait for a network message: which types end it, which pass by, and what it
// leaves of the peer's lines for the next wait.
#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <vector>

#include "fakes/case_names.h"
#include "fakes/game_fixture.h"

namespace korbo::test {
namespace {

constexpr int Quit = -1;  // the dispatcher handled a quit: the network game is over

class WaitingGame : public Game {
public:
    using Game::Game;
    std::deque<int> incoming;  // one message type taken by each ProcessNext
    int processed = 0, dispatched = 0;
    void ProcessNext() override {
        if (incoming.empty()) {
            NetActive = false;  // the connection is gone
            return;
        }
        ++processed;
        const int t = incoming.front();
        incoming.pop_front();
        if (t == Quit) {
            // As the dispatcher leaves a quit: the game ended, the type set back to 0.
            NetActive = false;
            NetMsgType = 0;
            return;
        }
        NetMsgType = t;
    }
};

struct WaitCase {
    const char* name;
    int awaited;
    Game::OnNewGame onNewGame;
    std::vector<int> peer;
    Game::NetWait result;
    int processed;  // messages the wait took; the rest stay for the next wait
};

void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

using NG = Game::OnNewGame;
using W = Game::NetWait;

const WaitCase kCases[] = {
    {"awaited type at once", msg::PC, NG::End, {msg::PC, msg::WT}, W::Arrived, 1},
    {"chat and peek pass by", msg::PC, NG::End, {msg::SY, msg::PK, msg::SY, msg::PC}, W::Arrived, 4},
    {"other moves pass by", msg::OK, NG::End, {msg::WT, msg::PC, msg::OK}, W::Arrived, 3},
    {"new game ends a move wait", msg::PC, NG::End, {msg::GS, msg::PC}, W::NewGame, 1},
    {"new game passes a deal wait", msg::DK, NG::Wait, {msg::GS, msg::DK}, W::Arrived, 2},
    {"awaiting the new game itself", msg::GS, NG::End, {msg::SY, msg::GS}, W::Arrived, 2},
    {"quit ends any wait", msg::DK, NG::Wait, {msg::SY, msg::GO, msg::DK}, W::Gone, 2},
    {"quit handled by the dispatcher", msg::TR, NG::Wait, {Quit, msg::TR}, W::Gone, 1},
    {"connection lost", msg::OK, NG::End, {msg::WT}, W::Gone, 1},
};

class NetWaitTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(NetWaitTest, EndsOnTheRightType) {
    const WaitCase& c = GetParam();
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{1};
    WaitingGame g{view, rnd, clock};
    g.NetActive = true;
    g.incoming.assign(c.peer.begin(), c.peer.end());
    EXPECT_EQ(g.AwaitMessage(c.awaited, c.onNewGame), c.result);
    EXPECT_EQ(g.processed, c.processed);
    EXPECT_EQ(g.incoming.size(), c.peer.size() - c.processed);
}

INSTANTIATE_TEST_SUITE_P(Cases, NetWaitTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST(NetWait, SoloGameNeverProcesses) {
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{1};
    WaitingGame g{view, rnd, clock};
    g.incoming = {msg::PC};
    EXPECT_EQ(g.AwaitMessage(msg::PC, NG::End), W::Gone);
    EXPECT_EQ(g.processed, 0);
}

}  // namespace
}  // namespace korbo::test
