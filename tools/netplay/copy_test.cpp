// One copy of korbo-netplay as the remote, against a scripted host over loopback TCP: how
// the copy reads the way the host ends a game.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <sstream>
#include <string>

#include "game/random.h"
#include "game/recover_list.h"
#include "headless.h"
#include "net/net_table.h"
#include "netplay.h"

namespace korbo::netplay {
namespace {

// A table of the host's, its own turn, that leaves the stock four cards short of the
// remote's empty hand and the used pile empty: the refill after the host's turn comes to a
// stalemate on both tables. The cards left over lie on the host's HOLD piles.
std::string StalemateAtTheRemotesRefill() {
    TableView silent;
    selfplay::HeadlessClock clock;
    MtRandom rnd(5);
    Game g(silent, rnd, clock);
    g.ClearBoard();
    g.BuildDeck();
    g.ShuffleDeck();
    g.DealCards();
    std::vector<CardRec> spare;
    for (; g.StockTop > 4; --g.StockTop) {
        spare.push_back({g.Deck[g.StockTop].Id, g.Deck[g.StockTop].Value});
        g.Deck[g.StockTop].Id = g.Deck[g.StockTop].Value = 0;
    }
    for (int s = 2; s <= 6; ++s) {
        spare.push_back(g.OppSlots.Get(s));
        g.OppSlots.Clear(s);
    }
    g.HandCount = 0;
    for (std::size_t i = 0; i < spare.size(); ++i) {
        const int k = static_cast<int>(i % 4) + 1;
        if (g.PlayerSlots.Value(k + 6) != 0) g.PlayerHold.Set(k, ++g.PlayerHoldCount[k], g.PlayerSlots.Get(k + 6));
        g.PlayerSlots.Set(k + 6, spare[i]);
    }
    g.Turn = TurnPlayer;
    EXPECT_EQ(CheckPartition(g), "");
    return EncodeRecoverList(g, "60");
}

// The host stops at the stalemate of its refill of the remote's hand, which follows the
// answer to its turn's "OK", and ends the connection at once (as the tool's host does at
// the end of a game). Its "GO" reaches the remote while that refills its hand, before its
// own stalemate: the remote takes it as the game's end in the stalemate, as when it comes
// during the stalemate, and tells of no fault.
TEST(CopyTest, AHostThatHangsUpAtItsStalemateEndsTheRemotesGameBeforeItsOwn) {
    // The host begins; while the remote waits for its next move, it sends that table.
    test::HostPeer host(test::DeckList({}), 1,
                        {{"TR", {net::MoveMsg(2, 14)}},  // a card moved within its hand
                         {"PC", {net::NextMoveMsg()}},
                         {"WT", {net::RecoverMsg(StalemateAtTheRemotesRefill())}},
                         {"RC", {net::MoveMsg(2, 7)}},  // the remote resumed it: the host's discard
                         {"PC", {net::TurnDoneMsg()}},
                         {"OK", {net::QuitMsg()}, "", true, nullptr}});
    Options o;
    o.role = Role::Remote;
    o.port = host.Port();
    o.play.games = 1;
    std::ostringstream out, err;
    const int code = RunCopy(o, out, err);
    const std::string report = out.str();
    EXPECT_EQ(report.find("FAULT"), std::string::npos) << report;
    EXPECT_NE(report.find("RESUMED 0\n"), std::string::npos) << report;
    EXPECT_NE(report.find("STALEMATE 0 stop\nGAME 0 stalemate\nDONE 1\n"), std::string::npos) << report;
    EXPECT_EQ(code, 0);
    // Nothing went out after the remote's answer to the turn.
    EXPECT_EQ(host.received.back(), net::TurnDoneMsg());
}

}  // namespace
}  // namespace korbo::netplay

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
