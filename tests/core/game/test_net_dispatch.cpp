// The receive buffer and the dispatcher against a scripted peer whose arrivals come one per
// wait: lines split across arrivals, lines kept in order for the wait that expects them,
// chat and peek taken where they stand without disturbing the exchange, a peer that
// overflows the buffer, and a peer that closes after its last line.
#include <gtest/gtest.h>

#include <string>

#include "fakes/game_fixture.h"
#include "fakes/scripted_transport.h"

namespace korbo::test {
namespace {

struct DispatchTest : GameFixture {
    ScriptedTransport net;
    void SetUp() override {
        game.SetTransport(&net);
        game.NetActive = true;
        game.NetRole = 0;
        game.OppName = "Bob";
    }
    bool Boxed(const std::string& text) const {
        for (const auto& b : view.boxes)
            if (b.text.find(text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(DispatchTest, ALineSplitAcrossArrivalsIsWholeBeforeItActs) {
    net.arrivals = {"PC  1", "4", "# 10\nW", "T\n"};
    EXPECT_EQ(game.AwaitMessage(msg::PC, Game::OnNewGame::End), Game::NetWait::Arrived);
    EXPECT_EQ(game.NetMoveSource, 14);
    EXPECT_EQ(game.NetMoveTarget, 10);
    EXPECT_EQ(net.waits, 3);  // one sleep per arrival, no pass without one
    EXPECT_EQ(game.InMessage, "W");
    EXPECT_EQ(game.AwaitMessage(msg::WT, Game::OnNewGame::End), Game::NetWait::Arrived);
    EXPECT_TRUE(game.NetActive);
}

TEST_F(DispatchTest, ChatAndPeekInsideAWaitNeitherEndItNorHideTheAwaitedType) {
    net.arrivals = {"SY  1#first\nPK -1\nPC  3# 1\nSY  2#second\n"};
    EXPECT_EQ(game.AwaitMessage(msg::PC, Game::OnNewGame::End), Game::NetWait::Arrived);
    EXPECT_EQ(game.NetMsgType, msg::PC);
    EXPECT_EQ(view.Caption(Ctl::ChatHistory, 0), "Bob: first");
    EXPECT_EQ(view.Caption(Ctl::LabelPeek, 0), "Bob is PEEKING!");
    // The chat behind the move waits for the next pass.
    EXPECT_EQ(game.InMessage, "SY  2#second\n");
}

TEST_F(DispatchTest, OutsideAWaitChatActsAtOnceAndTheRestKeepsItsOrder) {
    game.NetDealt = 1;
    game.NetMsgType = msg::GS;  // the host began a new game; the NEW button answers it
    game.NetPrevMsgType = msg::GS;
    net.inbox = "WT\nSY  1#hello\nOK\nPK  0\nSY  2#again";
    game.Winsock1_DataArrival(0);
    EXPECT_EQ(view.Caption(Ctl::ChatHistory, 0), "Bob: hello");
    EXPECT_EQ(view.Caption(Ctl::LabelPeek, 0), "Bob not peeking now.");
    EXPECT_EQ(game.InMessage, "WT\nOK\nSY  2#again");
    EXPECT_EQ(game.NetMsgType, msg::GS);
    // The tail completes with the next arrival.
    net.inbox = "\n";
    game.Winsock1_DataArrival(0);
    EXPECT_EQ(view.Caption(Ctl::ChatHistory, 0), "Bob: hello\r\nBob: again");
    EXPECT_EQ(game.InMessage, "WT\nOK\n");
    EXPECT_TRUE(net.sent.empty());
}

TEST_F(DispatchTest, APeerThatClosesHasItsLastLinesReadFirst) {
    net.inbox = "PC  2# 1\n";
    net.state = 8;
    EXPECT_EQ(game.AwaitMessage(msg::PC, Game::OnNewGame::End), Game::NetWait::Arrived);
    EXPECT_TRUE(game.NetActive);
    EXPECT_EQ(game.AwaitMessage(msg::WT, Game::OnNewGame::End), Game::NetWait::Gone);
    EXPECT_FALSE(game.NetActive);
    EXPECT_TRUE(Boxed("Dealer has terminated game."));
}

TEST_F(DispatchTest, AnOverlongLineEndsTheGameAndTellsThePeer) {
    game.Turn = TurnPlayer;
    net.arrivals = {std::string(40000, 'A'), std::string(40000, 'B')};
    view.answers = {mb::IDOK, mb::IDNo};  // the box, then no save
    EXPECT_EQ(game.AwaitMessage(msg::PC, Game::OnNewGame::End), Game::NetWait::Gone);
    EXPECT_FALSE(game.NetActive);
    EXPECT_TRUE(Boxed("longer than 64 KB"));
    EXPECT_TRUE(Boxed("Did you want to save this game?"));
    EXPECT_EQ(net.sent, std::vector<std::string>{"GO"});
    EXPECT_TRUE(game.InMessage.empty());
}

TEST_F(DispatchTest, ARepeatedEchoIsIgnoredEvenWithChatBetween) {
    net.arrivals = {"PC  2# 1\n", "SY  1#x\nPC  5# 3\nWT\n"};
    ASSERT_EQ(game.AwaitMessage(msg::PC, Game::OnNewGame::End), Game::NetWait::Arrived);
    EXPECT_EQ(game.AwaitMessage(msg::WT, Game::OnNewGame::End), Game::NetWait::Arrived);
    // The second "PC" came right after the first: the move stays the first one.
    EXPECT_EQ(game.NetMoveSource, 2);
    EXPECT_EQ(game.NetMoveTarget, 1);
}

}  // namespace
}  // namespace korbo::test
