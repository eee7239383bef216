// The scripted human in a network game: when the game ends under one of its moves (the peer
// quits, or the table refuses what the peer sent), it stops there and tells of no fault; it
// makes no move on the cleaned-up table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/scripted_transport.h"
#include "game/random.h"
#include "headless.h"
#include "net/protocol.h"

namespace korbo::netplay {
namespace {

// The peer confirms every play and answers the discard, or the play numbered `endAt`
// (counted from 1), with `ending` instead of its echo.
class EndingPeer final : public test::ScriptedTransport {
public:
    int endAt = 0;  // 0: the discard
    std::string ending;
    int plays = 0;
    bool ended = false;
    std::vector<std::string> afterEnd;  // what the table sent once the peer's line was out

    bool SendLine(int index, std::string_view text) override {
        if (ended) afterEnd.emplace_back(text);
        if (!ScriptedTransport::SendLine(index, text)) return false;
        const std::string line(text);
        if (line.rfind("PC ", 0) == 0) {
            const bool discard = line.find("# 7") != std::string::npos || line.find("# 8") != std::string::npos ||
                                 line.find("# 9") != std::string::npos || line.find("# 10") != std::string::npos;
            if (!discard) ++plays;
            if ((discard && endAt == 0) || (!discard && plays == endAt)) {
                ended = true;
                Deliver(ending);
            } else {
                Deliver(net::MoveEcho());
            }
        } else if (line == net::NextMoveMsg()) {
            Deliver(net::NextMoveMsg());
        } else if (line == net::TurnDoneMsg()) {
            Deliver(net::TurnDoneMsg());
        }
        return true;
    }
};

TEST(ScriptedHumanTest, ItStopsWhenTheNetworkGameEndsUnderItsMove) {
    struct Case {
        const char* name;
        int role;  // 1 host, 0 remote
        int endAt;
        std::string ending;  // the peer's line in place of the echo
        const char* box;     // what the table told the player
    };
    const Case cases[] = {
        {"the host quits at the discard", 0, 0, net::QuitMsg(), "Dealer has terminated game."},
        {"the remote quits at the discard", 1, 0, net::QuitMsg(), "Bob quit the game."},
        {"a new game refused at the discard", 1, 0, net::NewGameMsg(), "cannot follow"},
        {"the host quits at a play", 0, 1, net::QuitMsg(), "Dealer has terminated game."},
    };
    for (const Case& c : cases) {
        int ended = 0;
        for (uint64_t seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(seed));
            selfplay::HeadlessClock clock;
            std::vector<std::string> boxes, faults;
            selfplay::HeadlessView view(clock, {{},
                                                [&](std::string_view text, std::string_view title) {
                                                    boxes.emplace_back(text);
                                                    return title == "Save Game" ? mb::IDNo : mb::IDOK;
                                                },
                                                {}});
            selfplay::ScriptedHuman human(view, {[&](const std::string& what) { faults.push_back(what); },
                                                 [](const char*) {}, [](int, int) {}});
            MtRandom rnd(seed);
            Game g(view, rnd, clock);
            EndingPeer peer;
            peer.endAt = c.endAt;
            peer.ending = c.ending;
            g.SetTransport(&peer);
            g.SoundLevel = 2;
            g.NoComments = true;
            g.NetActive = true;
            g.NetRole = static_cast<int16_t>(c.role);
            g.PeerVersion = "60";
            g.OppName = "Bob";
            g.TableDealt = true;
            g.BuildDeck();
            g.ShuffleDeck();
            g.DealCards();
            g.Turn = TurnPlayer;
            g.SkipCompDeal = 1;
            g.SkipPlayerDeal = 2;
            g.GoDeal();
            bool stop = false;
            human.Turn(g, stop);
            if (c.endAt > 0 && peer.plays < c.endAt) continue;  // this deal had no play
            ASSERT_TRUE(peer.ended);
            ++ended;
            EXPECT_FALSE(g.NetActive);
            bool told = false;
            for (const std::string& b : boxes) told = told || b.find(c.box) != std::string::npos;
            EXPECT_TRUE(told);
            EXPECT_TRUE(faults.empty()) << faults.front();
            EXPECT_EQ(g.Turn, TurnNobody);
            // Nothing went out after the peer's last line but the table's own farewell.
            for (const std::string& l : peer.afterEnd) EXPECT_EQ(l, net::QuitMsg());
        }
        EXPECT_GT(ended, 0) << c.name;
    }
}

}  // namespace
}  // namespace korbo::netplay
