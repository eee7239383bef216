// The saved-game transfer as the two tables run it: the host sends the restored game and
// waits for Resume, the game the old peer cannot take is not sent, and the remote rebuilds
// the table or refuses a list it cannot use with the table left as it was.
#include <gtest/gtest.h>

#include <deque>

#include "fakes/game_fixture.h"
#include "fakes/placed_cards.h"
#include "fakes/record_bytes.h"
#include "fakes/scripted_transport.h"
#include "game/recover_list.h"
#include "net/protocol.h"

namespace korbo::test {
namespace {

// A game whose received messages come from a script of types, and whose opponent's turn
// is only counted.
struct NetGame : Game {
    using Game::Game;
    std::deque<int> arriving;
    int opponentTurns = 0;
    void ProcessNext() override {
        NetMsgType = 0;
        if (arriving.empty()) {
            NetActive = false;  // the peer went away
            return;
        }
        NetMsgType = arriving.front();
        arriving.pop_front();
    }
    void Opponent() override { ++opponentTurns; }
};

struct RecoverTest : ::testing::Test {
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{4321};
    ScriptedTransport peer;
    NetGame g{view, rnd, clock, &peer};

    void SetUp() override {
        g.NetActive = true;
        g.NetRole = 1;
        g.PeerVersion = "60";
        g.OppName = "Bea";
        g.ClearBoard();
        g.BuildDeck();
        g.ShuffleDeck();
        g.DealCards();
        g.Turn = TurnOpponent;
    }
};

TEST_F(RecoverTest, TheHostSendsTheGameAndPlaysOnOnceResumed) {
    for (int16_t turn : {TurnOpponent, TurnPlayer}) {
        SCOPED_TRACE(turn);
        SetUp();
        g.Turn = turn;
        peer.sent.clear();
        g.opponentTurns = 0;
        g.arriving = {msg::SY, msg::RC};
        g.SendRecover();
        ASSERT_EQ(peer.sent.size(), 1u);
        EXPECT_EQ(peer.sent[0], net::RecoverMsg(EncodeRecoverList(g, "60")));
        EXPECT_EQ(view.Caption(Ctl::Label9, 0), "");
        EXPECT_TRUE(view.menus[Menu::Recover]);
        EXPECT_EQ(g.opponentTurns, turn == TurnOpponent ? 1 : 0);
        EXPECT_EQ(view.Enabled(Ctl::Picture7, 2), turn == TurnPlayer);
    }
}

TEST_F(RecoverTest, OnlyTheHostOfANetworkGameOffersItsSavedGames) {
    TempDir dir;
    g.BaseDir = dir.path();
    const struct {
        bool net;
        int role;
        size_t dialogs;
    } cases[] = {{false, 1, 0}, {true, 0, 0}, {true, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.role);
        view.saveDialogs.clear();
        g.NetActive = c.net;
        g.NetRole = static_cast<int16_t>(c.role);
        g.Recover_Click();  // the dialog is cancelled
        EXPECT_EQ(view.saveDialogs.size(), c.dialogs);
        EXPECT_TRUE(peer.sent.empty());
        EXPECT_EQ(g.RecoverMode, 0);
    }
}

TEST_F(RecoverTest, AHostWhosePeerLeavesDoesNotPlayOn) {
    g.SendRecover();
    EXPECT_EQ(g.opponentTurns, 0);
    EXPECT_EQ(view.Caption(Ctl::Label9, 0), "");
}

// A peer older than the house rules gets the standard rules; a game with other pay-off
// piles cannot be sent to it at all.
TEST_F(RecoverTest, AnOldPeerGetsTheStandardRulesOrNothing) {
    g.PeerVersion = "51";
    g.NoWildAce = true;
    g.ForcedRule = 3;
    g.arriving = {msg::RC};
    g.SendRecover();
    EXPECT_EQ(peer.sent.size(), 1u);
    EXPECT_FALSE(g.NoWildAce);
    EXPECT_EQ(g.ForcedRule, 0);

    SetUp();
    peer.sent.clear();
    g.PeerVersion = "NG";
    g.SideSize = 25;
    g.SendRecover();
    EXPECT_TRUE(peer.sent.empty());
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes.back().title, "Opponent not current!");
    EXPECT_EQ(g.SideSize, 19);
    EXPECT_EQ(g.StockTop, 0);  // the table was cleared
    EXPECT_TRUE(view.menus[Menu::New]);
    EXPECT_TRUE(view.menus[Menu::Recover]);
}

TEST_F(RecoverTest, TheRemoteRebuildsTheTable) {
    const std::string list = EncodeRecoverList(g, "60");
    RecordingView rv;
    NetGame remote{rv, rnd, clock, &peer};
    remote.NetActive = true;
    remote.PeerVersion = "60";
    ASSERT_TRUE(remote.GetRecover(list));
    EXPECT_EQ(remote.RecoverMode, 1);
    EXPECT_EQ(remote.Turn, TurnPlayer);
    EXPECT_TRUE(rv.Visible(Ctl::ImgTurn2, 0));
    EXPECT_FALSE(rv.Visible(Ctl::ImgTurn1, 0));
    EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
    EXPECT_EQ(remote.PlayerSlots.Value(3), g.OppSlots.Value(3));
    EXPECT_EQ(CheckPartition(remote), "");
    ASSERT_FALSE(rv.sounds.empty());
    EXPECT_EQ(rv.sounds.front(), SndShuffle);
    EXPECT_TRUE(rv.Enabled(Ctl::Picture7, 2));
    EXPECT_TRUE(rv.boxes.empty());
}

TEST_F(RecoverTest, TheRemoteRefusesAListItCannotUseAndKeepsItsTable) {
    g.Deck[5].Id = g.Deck[6].Id;  // a card twice
    const std::string list = EncodeRecoverList(g, "60");
    RecordingView rv;
    NetGame remote{rv, rnd, clock, &peer};
    remote.NetActive = true;
    remote.PeerVersion = "60";
    remote.OppName = "Ann";
    remote.ClearBoard();
    remote.BuildDeck();
    remote.DealCards();
    remote.Turn = TurnPlayer;
    const std::vector<std::string> before = Placed(remote);
    rv.log.clear();
    EXPECT_FALSE(remote.GetRecover(list));
    EXPECT_EQ(Placed(remote), before);
    EXPECT_EQ(remote.Turn, TurnPlayer);
    EXPECT_EQ(remote.RecoverMode, 0);
    ASSERT_EQ(rv.boxes.size(), 1u);
    EXPECT_EQ(rv.boxes[0].title, "KorboNET");
    EXPECT_NE(rv.boxes[0].text.find("sent by Ann cannot be played"), std::string::npos);
    EXPECT_NE(rv.boxes[0].text.find("twice"), std::string::npos) << rv.boxes[0].text;
    // Nothing was drawn or cleared: the box is all that happened.
    EXPECT_EQ(rv.log.size(), 1u);
}

}  // namespace
}  // namespace korbo::test
