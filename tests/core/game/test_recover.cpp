// The saved-game transfer as the two tables run it: the host sends the restored game and
// waits for Resume, the game the old peer cannot take is not sent, and the remote rebuilds
// the table or refuses a list it cannot use with the table left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>

#include "fakes/game_fixture.h"
#include "fakes/placed_cards.h"
#include "fakes/record_bytes.h"
#include "fakes/scripted_transport.h"
#include "game/game_record.h"
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

// The remote's copy of the host's HOLD pile keeps 30 cards, its top among them: a saved
// game whose pile holds 30 under its top is not sent, and the game on the table plays on.
TEST_F(RecoverTest, AGameWithAThirtyOneCardPileIsNotSentAndTheTableStays) {
    TempDir dir;
    g.BaseDir = dir.path();
    // The saved game: the dealt table with stock cards on the host's HOLD pile 2.
    auto savedWith = [&](int covered) {
        TableState saved = g;
        auto pop = [&saved] {
            DeckRec& d = saved.Deck[saved.StockTop--];
            const CardRec c{d.Id, d.Value};
            d.Id = d.Value = 0;
            return c;
        };
        for (int c = 1; c <= covered; ++c) saved.PlayerHold.Set(2, c, pop());
        saved.PlayerHoldCount[2] = static_cast<int16_t>(covered);
        saved.PlayerSlots.Set(8, pop());
        saved.Turn = TurnPlayer;
        EXPECT_EQ(CheckPartition(saved), "");
        records::GameBytes rec{};
        WriteGameRec(saved, rec);
        records::SetGameRecName(rec, "full pile");
        std::ofstream(dir / "games.sav", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(rec.data()), static_cast<std::streamsize>(rec.size()));
    };

    savedWith(30);
    const std::vector<std::string> before = Placed(g);
    view.saveAnswers.push_back({false, 1, ""});
    g.Recover_Click();
    EXPECT_TRUE(peer.sent.empty());
    EXPECT_EQ(Placed(g), before);
    EXPECT_EQ(g.Turn, TurnOpponent);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "KorboNET");
    EXPECT_NE(view.boxes[0].text.find("cannot be sent"), std::string::npos) << view.boxes[0].text;
    EXPECT_NE(view.boxes[0].text.find("HOLD pile 2 holds 31 cards"), std::string::npos) << view.boxes[0].text;
    EXPECT_TRUE(g.NetActive);
    EXPECT_EQ(g.RecoverMode, 0);
    EXPECT_EQ(view.menus.count(Menu::Recover), 0u);  // never disabled

    // One card fewer goes out.
    view.boxes.clear();
    savedWith(29);
    view.saveAnswers.push_back({false, 1, ""});
    g.arriving = {msg::RC};
    g.Recover_Click();
    ASSERT_EQ(peer.sent.size(), 1u);
    EXPECT_EQ(peer.sent[0].rfind("RC ", 0), 0u);
    EXPECT_EQ(g.PlayerHoldCount[2], 29);
    EXPECT_TRUE(view.boxes.empty());
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

// A real game whose discard can be played directly.
struct RemoteGame : Game {
    using Game::Game;
    using Game::DiscardToHold;
};

// The remote as its dispatcher meets the transfer: a real game behind a scripted peer.
struct RemoteTransferTest : RecoverTest {
    RecordingView rv;
    ScriptedTransport host;
    RemoteGame remote{rv, rnd, clock, &host};
    std::vector<std::string> before;

    void SetUp() override {
        RecoverTest::SetUp();
        remote.NetActive = true;
        remote.NetRole = 0;
        remote.PeerVersion = "60";
        remote.OppName = "Ann";
        remote.ClearBoard();
        remote.BuildDeck();
        remote.DealCards();
        remote.Turn = TurnPlayer;
        before = Placed(remote);
    }
    bool Logged(const std::string& line) const {
        return std::find(rv.log.begin(), rv.log.end(), line) != rv.log.end();
    }
    bool Boxed(const std::string& text) const {
        for (const auto& b : rv.boxes)
            if (b.text.find(text) != std::string::npos) return true;
        return false;
    }
    // The host's turn on the remote's table: its hand holds only an Ace, in place 2, and its
    // other hand cards lie on its HOLD piles; with `stockEmpty` the stock's cards lie there
    // too, so that nothing is left to refill the hand from once the Ace is played.
    void HostsLastHandCard(bool stockEmpty) {
        remote.Turn = TurnOpponent;
        remote.SkipCompDeal = 1;
        std::vector<CardRec> rest;
        for (int h = 2; h <= 6; ++h) {
            rest.push_back(remote.OppSlots.Get(h));
            remote.OppSlots.Clear(h);
        }
        // An Ace of the stock is on its top, to be taken off it.
        for (int i = 1; i < remote.StockTop; ++i) {
            if (remote.Deck[i].Value != 1) continue;
            std::swap(remote.Deck[i].Id, remote.Deck[remote.StockTop].Id);
            std::swap(remote.Deck[i].Value, remote.Deck[remote.StockTop].Value);
            break;
        }
        const int kept = stockEmpty ? 0 : remote.StockTop - 1;
        for (int i = remote.StockTop; i > kept; --i) {
            rest.push_back({remote.Deck[i].Id, remote.Deck[i].Value});
            remote.Deck[i].Id = remote.Deck[i].Value = 0;
        }
        remote.StockTop = static_cast<int16_t>(kept);
        const auto ace = std::find_if(rest.begin(), rest.end(), [](CardRec c) { return c.Value == 1; });
        ASSERT_NE(ace, rest.end());
        remote.OppSlots.Set(2, *ace);
        rest.erase(ace);
        remote.HandCount = 1;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const int k = 1 + static_cast<int>(i / 20);
            remote.OppHold.Set(k, ++remote.OppHoldInfo[k][1], rest[i]);
            remote.OppSlots.Set(k + 6, rest[i]);
        }
        ASSERT_EQ(remote.CenterCount[1], 0);
        ASSERT_EQ(remote.UsedCount, 0);
        ASSERT_EQ(CheckPartition(remote), "");
    }
    void ExpectRefused(const std::string& why) {
        EXPECT_EQ(Placed(remote), before);
        EXPECT_FALSE(remote.NetActive);
        EXPECT_TRUE(Boxed("sent by Ann cannot be played")) << why;
        EXPECT_TRUE(Boxed(why));
        EXPECT_FALSE(rv.Visible(Ctl::Command2, 0));
        ASSERT_FALSE(host.sent.empty());
        EXPECT_EQ(host.sent.front(), net::QuitMsg());
    }
};

TEST_F(RemoteTransferTest, AGoodListIsResumedAndAnswered) {
    for (int16_t turn : {TurnOpponent, TurnPlayer}) {
        SCOPED_TRACE(turn);
        SetUp();
        g.Turn = turn;
        host.sent.clear();
        host.Deliver(net::RecoverMsg(EncodeRecoverList(g, "60")));
        remote.Winsock1_DataArrival(0);
        ASSERT_TRUE(remote.NetActive);
        EXPECT_TRUE(remote.TransferText.empty());
        EXPECT_EQ(remote.Turn, turn == TurnOpponent ? TurnPlayer : TurnOpponent);
        EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
        EXPECT_EQ(CheckPartition(remote), "");
        EXPECT_EQ(rv.Caption(Ctl::Label9, 1), "HOST resumed saved game.\r\n");
        EXPECT_EQ(rv.Caption(Ctl::Command2, 0), "Resume");
        EXPECT_TRUE(rv.Visible(Ctl::Command2, 0));
        // Resume answers with the bare code; the host plays first when the turn is its own.
        remote.Command2_Click();
        ASSERT_FALSE(host.sent.empty());
        EXPECT_EQ(host.sent.front(), net::RecoverReply());
        EXPECT_EQ(remote.RecoverMode, 0);
        EXPECT_EQ(rv.Visible(Ctl::ImgTurn2, 0), turn == TurnOpponent);
    }
}

TEST_F(RemoteTransferTest, AHostileListIsRefusedAndTheTableKept) {
    const struct {
        const char* name;
        void (*host)(Game&);
        void (*list)(std::string&);
        const char* why;
    } cases[] = {
        {"short", nullptr, [](std::string& l) { l.erase(l.rfind('#', l.size() - 2) + 1); }, "too short"},
        {"long", nullptr, [](std::string& l) { l += " 0#"; }, "too long"},
        {"bare", nullptr, [](std::string& l) { l.clear(); }, "short"},
        {"count out of range", [](Game& h) { h.StockTop = 105; }, nullptr, "stock count"},
        {"value out of range", [](Game& h) { h.Deck[1].Value = 14; }, nullptr, "card value"},
        {"a card twice", [](Game& h) { h.Deck[1].Id = h.Deck[2].Id; }, nullptr, "twice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        rv.boxes.clear();
        host.sent.clear();
        host.state = 7;
        if (c.host) c.host(g);
        std::string list = EncodeRecoverList(g, "60");
        if (c.list) c.list(list);
        host.Deliver(list.empty() ? net::RecoverReply() : net::RecoverMsg(list));
        remote.Winsock1_DataArrival(0);
        ExpectRefused(c.why);
    }
}

TEST_F(RemoteTransferTest, AGameSentBetweenMovesEndsTheOpponentsTurnForResume) {
    remote.Turn = TurnOpponent;
    remote.SkipCompDeal = 1;
    host.arrivals = {net::RecoverMsg(EncodeRecoverList(g, "60")) + "\n"};
    remote.Opponent();
    EXPECT_TRUE(remote.NetActive);
    EXPECT_TRUE(rv.Visible(Ctl::Command2, 0));
    EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
    EXPECT_TRUE(host.sent.empty());
}

// The host sends as soon as the remote's discard is confirmed: the list comes while the
// remote still finishes its turn, and must wait for the wait on the host's first move.
TEST_F(RemoteTransferTest, AGameSentAsTheTurnEndsIsTakenOnceTheTurnHasEnded) {
    remote.PlaySlot = 2;
    host.replies = {{net::MoveEcho()}, {net::TurnDoneMsg()}};
    bool delivered = false;
    rv.onDispatch = [&] {
        if (delivered || host.sent.size() < 2) return;
        delivered = true;
        host.Deliver(net::RecoverMsg(EncodeRecoverList(g, "60")));
        remote.Winsock1_DataArrival(0);
    };
    remote.DiscardToHold(7);
    ASSERT_TRUE(delivered);
    EXPECT_TRUE(remote.NetActive);
    EXPECT_TRUE(rv.Visible(Ctl::Command2, 0));
    EXPECT_EQ(remote.HandCount, g.HandCount);
    EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
    EXPECT_EQ(CheckPartition(remote), "");
}

// The host played its last hand card and, at the stalemate its refill found, answered No
// and sent a saved game. The remote's refill after that move found the same stalemate and
// waits for what the host does: the saved game is taken, the stalemate is over, and Resume
// plays the saved game on.
TEST_F(RemoteTransferTest, AGameSentAfterADeclinedStalemateIsTakenAndResumed) {
    g.Turn = TurnPlayer;  // the saved game stands in the host's turn
    HostsLastHandCard(true);
    host.arrivals = {net::MoveMsg(2, 1) + "\n", "WT\n", net::RecoverMsg(EncodeRecoverList(g, "60")) + "\n"};
    remote.Opponent();
    ASSERT_TRUE(Logged("Caption Label9(2)=HOST will decide whether to reshuffle the cards in play or start a new "
                       "game."));
    ASSERT_TRUE(remote.NetActive) << (rv.boxes.empty() ? "" : rv.boxes.front().text);
    EXPECT_TRUE(rv.boxes.empty());
    EXPECT_EQ(host.sent, (std::vector<std::string>{net::MoveEcho(), net::NextMoveMsg()}));
    // The saved game is on the table, with nothing of the stalemate over it.
    EXPECT_EQ(remote.Turn, TurnOpponent);
    EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
    EXPECT_EQ(remote.StockTop, g.StockTop);
    EXPECT_EQ(CheckPartition(remote), "");
    EXPECT_TRUE(rv.Visible(Ctl::ImgTurn1, 0));
    EXPECT_EQ(rv.Caption(Ctl::Label9, 1), "HOST resumed saved game.\r\n");
    EXPECT_EQ(rv.Caption(Ctl::Label9, 2), "");
    EXPECT_EQ(rv.Caption(Ctl::Command2, 0), "Resume");
    EXPECT_TRUE(rv.Visible(Ctl::Command2, 0));

    // Resume: the host's turn of the saved game is replayed, and the turn passes as ever.
    host.sent.clear();
    host.arrivals = {net::MoveMsg(2, 7) + "\n", net::TurnDoneMsg() + "\n"};
    remote.Command2_Click();
    ASSERT_TRUE(remote.NetActive);
    EXPECT_EQ(host.sent, (std::vector<std::string>{net::RecoverReply(), net::MoveEcho(), net::TurnDoneMsg()}));
    EXPECT_EQ(remote.OppSlots.Get(7), g.PlayerSlots.Get(2));
    EXPECT_EQ(remote.Turn, TurnPlayer);
    EXPECT_TRUE(rv.Enabled(Ctl::Picture7, 2));
    EXPECT_EQ(CheckPartition(remote), "");
}

// A saved game that comes while the remote refills the host's hand after a move waits for
// the wait on the host's next move, and is taken there.
TEST_F(RemoteTransferTest, AGameSentDuringTheRefillAfterAMoveIsTakenOnceItIsDone) {
    HostsLastHandCard(false);
    host.arrivals = {net::MoveMsg(2, 1) + "\n", "WT\n"};
    bool delivered = false;
    int dealt = 0;
    rv.onDispatch = [&] {
        if (delivered || host.sent.size() < 2) return;
        delivered = true;
        for (int h = 2; h <= 6; ++h) dealt += remote.OppSlots.Value(h) != 0;
        host.Deliver(net::RecoverMsg(EncodeRecoverList(g, "60")));
        remote.Winsock1_DataArrival(0);
    };
    remote.Opponent();
    ASSERT_TRUE(delivered);
    EXPECT_LT(dealt, 5);  // it came in the middle of the refill
    ASSERT_TRUE(remote.NetActive) << (rv.boxes.empty() ? "" : rv.boxes.front().text);
    EXPECT_TRUE(rv.boxes.empty());
    EXPECT_EQ(host.sent, (std::vector<std::string>{net::MoveEcho(), net::NextMoveMsg()}));
    EXPECT_TRUE(rv.Visible(Ctl::Command2, 0));
    EXPECT_EQ(remote.PlayerSideCount, g.OppSideCount);
    EXPECT_EQ(remote.HandCount, g.HandCount);
    EXPECT_EQ(CheckPartition(remote), "");
}

TEST_F(RemoteTransferTest, AGameSentDuringAMoveIsRefused) {
    remote.Turn = TurnOpponent;
    remote.SkipCompDeal = 1;  // the hand is full: the turn waits for the first move at once
    before = Placed(remote);
    // A hand card moved onto its own place, echoed; the game comes before its confirmation.
    host.arrivals = {net::MoveMsg(2, 12) + "\n", net::RecoverMsg(EncodeRecoverList(g, "60")) + "\n"};
    remote.Opponent();
    ASSERT_FALSE(host.sent.empty());
    EXPECT_EQ(host.sent.front(), net::MoveEcho());
    host.sent.erase(host.sent.begin());
    ExpectRefused("while a move was being passed");
}

}  // namespace
}  // namespace korbo::test
