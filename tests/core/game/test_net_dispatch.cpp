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

namespace korbo::test {
namespace {

TEST_F(DispatchTest, SendingWhileThePeerClosesIsTheirQuit) {
    net.state = 8;
    game.Turn = TurnPlayer;
    game.Server_Send("WT");
    EXPECT_TRUE(net.sent.empty());
    EXPECT_FALSE(game.NetActive);
    EXPECT_TRUE(Boxed("Dealer has terminated game."));
    EXPECT_TRUE(Boxed("Would you like to save this game?"));
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), "");
}

TEST_F(DispatchTest, EndingFromTheMenuSendsQuitOnlyOnALiveConnection) {
    for (int state : {7, 0}) {
        SCOPED_TRACE(state);
        net.sent.clear();
        net.state = state;
        game.NetActive = true;
        game.NetRole = 1;
        view.answers = {mb::IDYes};
        game.Players_Click();
        EXPECT_EQ(net.sent, state == 7 ? std::vector<std::string>{"GO"} : std::vector<std::string>{});
        EXPECT_FALSE(game.NetActive);
        EXPECT_EQ(game.NetRole, 0);
    }
}

TEST_F(DispatchTest, AfterTheNetworkGameTheSoloTableIsAsBefore) {
    game.NetActive = false;
    game.TempoDelay = 0.38;
    game.OppName = "Korbo";
    game.AutoSave = true;
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 0;
    c.hostAddress = "127.0.0.1";
    c.port = 1001;
    // The host greets, names itself and quits before the deal.
    net.arrivals = {"IP " + std::string(15, ' ') + "^ 6. 0. 1\nNM Bob\n", "GO\n"};
    game.StartNetworkGame(c);
    EXPECT_FALSE(game.NetActive);
    EXPECT_DOUBLE_EQ(game.TempoDelay, 0.38);
    EXPECT_EQ(game.OppName, "Korbo");
    EXPECT_TRUE(game.AutoSave);
    EXPECT_TRUE(view.menus[Menu::New]);
    EXPECT_TRUE(view.menus[Menu::mnuOpRules]);
    EXPECT_EQ(game.PlayerName, "Ann");
    EXPECT_EQ(net.sent.at(0).substr(0, 2), "IP");
    EXPECT_EQ(net.sent.at(1), "NM Ann");
}

struct SocketErrorCase {
    int number;
    const char* firstBox;
    int boxes;
    bool cleanedUp;
};

TEST_F(DispatchTest, SocketErrorsAreToldByNumber) {
    const SocketErrorCase cases[] = {
        {10061, "HOST is not listening!", 2, true},
        {10048, "Resetting the Local Port!", 1, true},
        {10054, "Here's the problem:", 2, true},
        {10060, "Here's the problem:", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        view.boxes.clear();
        game.NetActive = true;
        game.NetRole = 0;
        game.Turn = TurnNobody;
        game.Winsock1_Error(0, c.number, "what happened");
        ASSERT_EQ(static_cast<int>(view.boxes.size()), c.boxes);
        EXPECT_EQ(view.boxes[0].text.rfind(c.firstBox, 0), 0u);
        EXPECT_EQ(!game.NetActive, c.cleanedUp);
    }
    EXPECT_EQ(game.NetRole, 0);
    // A caller the host turned away may fail as it likes: the game goes on, nobody is told.
    view.boxes.clear();
    game.NetActive = true;
    game.Winsock1_Error(2, 10054, "reset");
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(game.NetActive);
}

// A listen that fails is never taken for a peer that came and went.
TEST_F(DispatchTest, AListenThatFailsWithoutAWordStillFailsTheSetUp) {
    game.NetActive = false;
    net.state = 0;
    net.listens = false;
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 1;
    c.port = 1001;
    game.StartNetworkGame(c);
    EXPECT_FALSE(game.NetActive);
    EXPECT_EQ(game.NetRole, 0);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "Network connection failed.");
    EXPECT_FALSE(Boxed("quit the game."));
    EXPECT_EQ(view.Caption(Ctl::StatusMsg, 0), "");
}

TEST_F(DispatchTest, PeekingTellsThePeer) {
    game.OppName = "Bob";
    game.PeekFlag = 1;
    game.PeekNet();
    game.PeekFlag = 0;
    game.PeekNet();
    EXPECT_EQ(net.sent, (std::vector<std::string>{"SY  1#KORBO: You're being watched.", "PK  1",
                                                  "SY  2#KORBO: Nobody's looking now.", "PK  0"}));
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), "Bob\r\ninformed");
    EXPECT_EQ(view.Caption(Ctl::LabelPeek, 0), "");
}

TEST(RulesIndicator, OpensForSoloAndForAHostWithANewEnoughPeer) {
    struct Case {
        bool net;
        int role;
        const char* peer;
        bool opens;
    } cases[] = {{false, 0, "NG", true}, {true, 1, "60", true}, {true, 1, "52", true},
                 {true, 1, "51", false}, {true, 1, "NG", false}, {true, 0, "60", false}};
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{1};
    Game g{view, rnd, clock};
    for (const auto& c : cases) {
        g.NetActive = c.net;
        g.NetRole = static_cast<int16_t>(c.role);
        g.PeerVersion = c.peer;
        EXPECT_EQ(g.RulesIndicatorOpens(), c.opens) << c.role << " " << c.peer;
    }
}

}  // namespace
}  // namespace korbo::test
