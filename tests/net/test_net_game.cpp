// Whole network exchanges over loopback TCP between the table and a scripted peer: the
// wire of a turn byte for byte on both sides, the last pay-off card, the greetings, and a
// peer that sends what no copy of ours would. The table never crashes; it refuses what it
// cannot follow, cleans up, and a new network game can start afterwards.
#include <QtTest>

#include "net_table.h"

using namespace korbo;
using namespace korbo::test;

namespace {

constexpr int kTimeout = 10000;
constexpr std::size_t kGreetingLines = 5;  // IP, NM, GS, DK, TR from the table

// The host's hand (the table's opponent side) holds A, 2, 3, 5, 9 in places 2..6.
std::string HandDeck(int sideSize = 19) {
    const int top = 104 - 2 * sideSize;  // the deck position of the host's pay-off top
    const int hand = top - 2;
    return DeckList({{hand, 1}, {hand - 2, 2}, {hand - 4, 3}, {hand - 6, 5}, {hand - 8, 9}}, sideSize);
}

}  // namespace

class NetGameTest : public QObject {
    Q_OBJECT
private slots:
    void PeerTurnOfTwoPlaysAndADiscard();
    void OwnTurnOfTwoPlaysAndADiscard();
    void PeersLastPayOffCard();
    void GreetingOfAnOldCopy();
    void HostilePeer_data();
    void HostilePeer();
    void ChatBetweenAMoveAndItsEcho();
    void ChatLines();
    void BusyHostTurnsFurtherCallersAway();
    void HostDealsASecondGame();
};

void NetGameTest::PeerTurnOfTwoPlaysAndADiscard() {
    NetTable t;
    HostPeer host(HandDeck(), 1,
                  {{"TR", {"PC  2# 1"}}, {"PC", {"WT"}}, {"WT", {"PC  3# 1"}}, {"PC", {"WT"}},
                   {"WT", {"PC  4# 7"}}, {"PC", {"OK"}}});
    t.Join(host.Port());
    QVERIFY(t.game.NetActive);
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(kGreetingLines)), QString("PC|WT|PC|WT|PC|OK"), kTimeout);
    QVERIFY(host.rawOut.ends_with("PC  2# 1\nWT\nPC  3# 1\nWT\nPC  4# 7\nOK\n"));
    QVERIFY(host.rawIn.ends_with("\nTR\nPC\nWT\nPC\nWT\nPC\nOK\n"));
    // The two plays are on centre pile 1, the discard on the host's HOLD pile 1.
    QCOMPARE(t.game.CenterCount[1], int16_t{2});
    QCOMPARE(t.game.OppHoldInfo[1][1], int16_t{1});
    QCOMPARE(t.game.OppSlots.Id(7), int16_t{3});
    QCOMPARE(t.game.OppSlots.Value(2), int16_t{0});
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    QCOMPARE(CheckPartition(t.game), std::string());
}

void NetGameTest::OwnTurnOfTwoPlaysAndADiscard() {
    NetTable t;
    // The table's own hand: the host's deal gives it the odd places below the host's.
    const std::string deck = DeckList({{63, 1}, {61, 2}, {59, 4}});
    HostPeer host(deck, 2,
                  {{"PC  2# 1", {"PC"}}, {"WT", {"WT"}}, {"PC  3# 1", {"PC"}}, {"WT", {"WT"}},
                   {"PC  4# 8", {"PC"}}, {"OK", {"OK"}}});
    t.Join(host.Port());
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    for (auto [source, target] : {std::pair{2, 1}, std::pair{3, 1}}) {
        t.game.MoveSource = source;
        t.game.MoveTarget = target;
        t.game.Move_Transmit();
    }
    t.game.MoveSource = 4;
    t.game.MoveTarget = 8;
    t.game.Move_Transmit_Done();
    QVERIFY(t.game.NetActive);
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(kGreetingLines)), QString("PC  2# 1|WT|PC  3# 1|WT|PC  4# 8|OK"), kTimeout);
    QVERIFY(host.rawIn.ends_with("\nTR\nPC  2# 1\nWT\nPC  3# 1\nWT\nPC  4# 8\nOK\n"));
    QVERIFY(host.rawOut.ends_with("\nPC\nWT\nPC\nWT\nPC\nOK\n"));
    QCOMPARE(t.view.Caption(Ctl::Label9, 0), std::string());
    QVERIFY(t.view.Enabled(Ctl::ChatSend, 0));
}

void NetGameTest::PeersLastPayOffCard() {
    NetTable t;
    // Pay-off piles of two cards; the host's are A on top of 2.
    const std::string deck = DeckList({{102, 1}, {104, 2}}, 1);
    HostPeer host(deck, 1, {{"TR", {"PC  1# 1"}}, {"PC", {"WT"}}, {"WT", {"PC  1# 1"}}, {"PC", {"OK"}},
                            {"OK", {net::QuitMsg()}}});
    t.Join(host.Port());
    // The move, its echo, "OK" and the answer; no "WT" after the last card.
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(kGreetingLines)), QString("PC|WT|PC|OK"), kTimeout);
    QVERIFY(host.rawOut.ends_with("PC  1# 1\nWT\nPC  1# 1\nOK\nGO\n"));
    QCOMPARE(t.game.OppSideCount, int16_t{0});
    QCOMPARE(t.game.CenterCount[1], int16_t{2});
    QVERIFY(t.Boxed("Dealer has terminated game."));
    QVERIFY(!t.game.NetActive);
}

void NetGameTest::GreetingOfAnOldCopy() {
    NetTable t;
    HostPeer host(HandDeck(), 2);
    host.AsOldCopy();
    t.Join(host.Port());
    QVERIFY(t.game.NetActive);
    QCOMPARE(t.game.PeerVersion, std::string("NG"));
    QVERIFY(!t.game.PeerCurrent);
    QVERIFY(t.Boxed("Only House Rules are in effect."));
    QVERIFY(t.Boxed("Your opponent is not playing with the latest version of KorboNET."));
    QCOMPARE(t.game.SideSize, int16_t{19});
    // The table answered with its own 27-character greeting.
    QCOMPARE(host.received.at(0).size(), std::size_t{27});
    QCOMPARE(host.received.at(0), net::HelloMsg(net::kProgramVersion.major, net::kProgramVersion.minor,
                                                 net::kProgramVersion.revision));
}

// What the host sends once the table has dealt and waits for the host's first move; what
// the table must do with it.
void NetGameTest::HostilePeer_data() {
    QTest::addColumn<QList<QByteArray>>("sends");  // steps: each released by the table's next line
    QTest::addColumn<bool>("refused");             // the table told of it and ended the game
    QTest::addColumn<int>("centre");               // cards on centre pile 1 at the end
    QTest::addColumn<QString>("box");              // a box the table showed

    const QByteArray quit = "\x01quit";
    QTest::newRow("garbage is ignored") << QList<QByteArray>{"ZZ garbage\n\x01\x02\n\n pc lower\nPC  2# 1\n", quit}
                                        << false << 1 << "Dealer has terminated game.";
    QTest::newRow("a megabyte line") << QList<QByteArray>{QByteArray(1 << 20, 'A') + "\n"} << true << 0
                                     << "longer than 64 KB";
    QTest::newRow("slot 99") << QList<QByteArray>{"PC 99# 1\n"} << true << 0 << "does not exist";
    QTest::newRow("target 77") << QList<QByteArray>{"PC  2# 77\n"} << true << 0 << "does not exist";
    // The places as the box names them: each number with a blank before it, signed or not.
    QTest::newRow("slot 99 in the box") << QList<QByteArray>{"PC 99# 1\n"} << true << 0
                                        << "A move comes from a place that does not exist (from place 99 to 1).";
    QTest::newRow("negative places in the box")
        << QList<QByteArray>{"PC -5#-99999999999\n"} << true << 0
        << "A move goes to a place that does not exist (from place -5 to -99999999999).";
    QTest::newRow("a card that does not fit") << QList<QByteArray>{"PC  4# 1\n"} << true << 0 << "does not fit";
    QTest::newRow("a place without a card") << QList<QByteArray>{"PC  8# 1\n"} << true << 0 << "empty";
    QTest::newRow("fifty WT") << QList<QByteArray>{QByteArray("WT\n").repeated(50) + "PC  2# 1\n", quit} << false
                              << 1 << "Dealer has terminated game.";
    QTest::newRow("GO in the middle of a move") << QList<QByteArray>{"PC  2# 1\n", "GO\n"} << false << 1
                                                << "Dealer has terminated game.";
    QTest::newRow("the peer vanishes mid-move") << QList<QByteArray>{"PC  2# 1\n", quit} << false << 1
                                                << "Dealer has terminated game.";
    QTest::newRow("a first turn for nobody") << QList<QByteArray>{} << true << 0 << "neither player";
}

void NetGameTest::HostilePeer() {
    QFETCH(QList<QByteArray>, sends);
    QFETCH(bool, refused);
    QFETCH(int, centre);
    QFETCH(QString, box);
    NetTable t;
    std::deque<Step> after;
    std::string expect = "TR";
    for (const QByteArray& s : sends) {
        Step step;
        step.expect = expect;
        if (s == "\x01quit") step.close = true;
        else step.raw = s.toStdString();
        after.push_back(step);
        expect = "PC";  // the next part waits for the table's echo
    }
    HostPeer host(HandDeck(), 1, after);
    if (sends.isEmpty()) host.steps[3].lines = {"TR  7"};
    t.Join(host.Port());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game.NetActive, kTimeout);
    QVERIFY2(t.Boxed(box.toStdString()), qPrintable(box));
    QCOMPARE(int{t.game.CenterCount[1]}, centre);
    if (refused) {
        QVERIFY(t.Boxed("cannot follow"));
        QTRY_VERIFY_WITH_TIMEOUT(!host.received.empty() && host.received.back() == "GO", kTimeout);
    }
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
    QCOMPARE(t.game.OppName, std::string("Korbo"));

    // A new network game starts afterwards.
    HostPeer again(HandDeck(), 2);
    t.Join(again.Port());
    QVERIFY(t.game.NetActive);
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
}

void NetGameTest::ChatBetweenAMoveAndItsEcho() {
    NetTable t;
    const std::string deck = DeckList({{63, 1}});
    HostPeer host(deck, 2, {{"PC  2# 1", {"SY  1#hold on", "PC"}}, {"WT", {"SY  2#go on", "WT"}}});
    t.Join(host.Port());
    t.game.MoveSource = 2;
    t.game.MoveTarget = 1;
    t.game.Move_Transmit();
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(kGreetingLines)), QString("PC  2# 1|WT"), kTimeout);
    QCOMPARE(t.view.Caption(Ctl::ChatHistory, 0), std::string("Bob: hold on\r\nBob: go on"));
    QCOMPARE(t.view.Caption(Ctl::Label9, 0), std::string());
    QVERIFY(t.view.Enabled(Ctl::ChatSend, 0));
}

void NetGameTest::ChatLines() {
    NetTable t;
    HostPeer host(HandDeck(), 2,
                  {{"TR",
                    {"SY no number at all", "SY  1#HTTP is not an address", "SY  2#http://example.org/page",
                     "SY  2#http://example.org/again", "SY  3#https://bad host", "SY  4#hTTps://example.org/"},
                    "", false, nullptr}});
    t.Join(host.Port());
    QTRY_VERIFY_WITH_TIMEOUT(t.view.Caption(Ctl::ChatHistory, 0).find("bad host") != std::string::npos, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(t.view.opened.size(), std::size_t{2}, kTimeout);
    QCOMPARE(t.view.Caption(Ctl::ChatHistory, 0),
             std::string("Bob: no number at all\r\nBob: HTTP is not an address\r\nBob: https://bad host"));
    QCOMPARE(t.view.opened, (std::vector<std::string>{"http://example.org/page", "hTTps://example.org/"}));
    QVERIFY(t.game.NetActive);
}

void NetGameTest::BusyHostTurnsFurtherCallersAway() {
    NetTable t;
    t.game.SideSize = 19;
    Peer remote;
    std::vector<std::unique_ptr<Peer>> callers;
    QTcpSocket remoteSocket;
    remote.Attach(&remoteSocket);
    auto call = [&t](Peer& p, QTcpSocket* s) {
        p.Attach(s);
        s->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.net.LocalPort(0)));
    };
    remote.steps = {{"IP", {net::HelloMsg(6, 0, 1)}},
                    {"NM", {net::NameMsg("Bob")}},
                    {"GS", {net::NewGameMsg()}},
                    {"DK",
                     {net::DeckReply()},
                     "",
                     false,
                     [&](const std::string&) {
                         // Two more copies call while the game is set up.
                         for (int i = 0; i < 2; ++i) {
                             callers.push_back(std::make_unique<Peer>());
                             callers.back()->steps = {{"IP", {net::HelloMsg(6, 0, 1)}}};
                             call(*callers.back(), new QTcpSocket(callers.back().get()));
                         }
                     }},
                    {"TR",
                     {net::TurnReply()},
                     "",
                     false,
                     [&](const std::string& line) {
                         // The host's coin gave the remote the first turn: one discard.
                         if (line != "TR  2") return;
                         remote.SendLine("PC  2# 7");
                         remote.steps.push_back({"PC", {"OK"}});
                     }}};
    QTimer::singleShot(0, &remote, [&] { call(remote, &remoteSocket); });
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 1;
    c.port = 0;  // any free port; the callers read it from the listening element
    t.game.StartNetworkGame(c);
    QVERIFY(t.game.NetActive);
    QCOMPARE(remote.received.at(0).size(), std::size_t{27});
    for (auto& p : callers) {
        QTRY_VERIFY_WITH_TIMEOUT(p->socket->state() == QAbstractSocket::UnconnectedState, kTimeout);
        QCOMPARE(p->received.size(), std::size_t{3});
        QVERIFY(p->received[0].ends_with("#KORBO: So you want to play with us? Sorry I'm busy!"));
        QCOMPARE(p->received[1], net::HelloWithoutVersion());
        QCOMPARE(p->received[2], std::string("GO"));
    }
    // The running game is not disturbed: still on element 1, nothing more loaded.
    QVERIFY(t.game.NetActive);
    QCOMPARE(t.game.SockIndex, 1);
    QCOMPARE(t.net.State(1), 7);
    QTRY_COMPARE_WITH_TIMEOUT(t.net.Winsock1().LoadedIndexes().size(), std::size_t{2}, kTimeout);
}

// The remote's side of a deal from the table as host: the deck and the first turn are
// answered; when the remote begins, it discards at once.
void AnswerDeal(Peer& remote) {
    remote.steps.push_back({"DK", {net::DeckReply()}});
    remote.steps.push_back({"TR", {net::TurnReply()}, "", false, [&remote](const std::string& line) {
                                if (line != "TR  2") return;
                                remote.SendLine("PC  2# 7");
                                remote.steps.push_front({"PC", {"OK"}});
                            }});
}

void NetGameTest::HostDealsASecondGame() {
    NetTable t;
    Peer remote;
    QTcpSocket socket;
    remote.Attach(&socket);
    remote.steps = {{"IP", {net::HelloMsg(6, 0, 1)}}, {"NM", {net::NameMsg("Bob")}}, {"GS", {net::NewGameMsg()}}};
    AnswerDeal(remote);
    QTimer::singleShot(0, &remote, [&] { socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.net.LocalPort(0))); });
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 1;
    t.game.StartNetworkGame(c);
    QVERIFY(t.game.NetActive);
    // The host begins a new game; the remote's NEW button answers with "GS".
    remote.steps = {{"GS", {net::NewGameMsg()}}};
    AnswerDeal(remote);
    t.game.NewGame_Click();
    QVERIFY(t.game.NetActive);
    QVERIFY(t.game.Turn == TurnPlayer || t.game.Turn == TurnOpponent);
    int decks = 0;
    for (const auto& l : remote.received) decks += l.rfind("DK ", 0) == 0;
    QCOMPARE(decks, 2);
    QCOMPARE(CheckPartition(t.game), std::string());
}

QTEST_GUILESS_MAIN(NetGameTest)
#include "test_net_game.moc"
