// The referee of the two copies: agreeing games are counted as agreed, and every kind of
// disagreement, refusal, fault and missing report counts against its game.
#include <gtest/gtest.h>

#include <sstream>

#include "fakes/game_fixture.h"
#include "referee.h"
#include "table_compare.h"

namespace korbo::netplay {
namespace {

class RefereeTest : public test::GameFixture {
protected:
    void SetUp() override {
        game.BuildDeck();
        game.ShuffleDeck();
        game.DealCards();
        host = Encode(CardsOf(game));
        remote = Encode(CardsOf(Mirrored(game)));
    }
    std::string host, remote;
};

TEST_F(RefereeTest, ReportsAreComparedAndCounted) {
    struct Line {
        bool fromHost;
        std::string text;
    };
    struct Case {
        const char* name;
        std::vector<Line> lines;
        Summary expected;
    };
    const std::string t1h = "TURN 0 1 " + host, t1r = "TURN 0 1 " + remote;
    const Case cases[] = {
        {"agreeing, in either order",
         {{true, t1h}, {false, t1r}, {false, "GAME 0 host"}, {true, "RESHUFFLE 0"}, {false, "RESHUFFLE 0"},
          {true, "GAME 0 host"}},
         {1, 1, 0, 0, 0, 0, 1, 0, 1, 0}},
        {"the sides not exchanged", {{true, t1h}, {false, t1h}, {true, "GAME 0 host"}, {false, "GAME 0 host"}},
         {1, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
        {"different ends", {{true, "GAME 0 host"}, {false, "GAME 0 remote"}}, {1, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"a turn on one side only", {{true, t1h}, {true, "GAME 0 host"}, {false, "GAME 0 host"}},
         {1, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"a copy that never ended its game", {{true, t1h}, {false, t1r}, {true, "GAME 0 host"}},
         {1, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
        {"a refusal and a fault",
         {{false, "REFUSED A move goes to a place that does not exist"}, {true, "FAULT 0 box"},
          {true, "GAME 0 stalemate"}, {false, "GAME 0 stalemate"}, {true, "STALEMATE 0 stop"}},
         {1, 0, 0, 1, 0, 1, 0, 0, 0, 1}},
        {"unreadable reports", {{true, "TURN x 1 ;;"}, {false, "TURN 0 1 nonsense"}, {true, "TURN 0 1 ;;;;;;;;"}},
         {1, 0, 1, 0, 1, 1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::ostringstream log;
        Referee r(log);
        for (const Line& l : c.lines) (l.fromHost ? r.HostLine(l.text) : r.RemoteLine(l.text));
        r.Finish();
        const Summary& s = r.Result();
        const Summary& e = c.expected;
        EXPECT_EQ(SummaryLine(s), SummaryLine(e)) << c.name << "\n" << log.str();
        EXPECT_EQ(r.BadGames().empty(), s.disagreements == 0 && s.faults == 0) << c.name;
    }
}

TEST_F(RefereeTest, AHangIsAFinding) {
    std::ostringstream log;
    Referee r(log);
    r.Hung("no report for 60 s in game 3");
    r.Finish();
    EXPECT_EQ(r.Result().hangs, 1);
    ASSERT_EQ(r.Findings().size(), 1u);
    EXPECT_EQ(r.Findings()[0], "no report for 60 s in game 3");
}

}  // namespace
}  // namespace korbo::netplay
