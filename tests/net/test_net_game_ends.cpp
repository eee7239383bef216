// A network game that ends in the middle of something, over loopback TCP against a
// scripted peer: the peer leaves during this table's move or while the table waits for
// nothing, sends a deal that cannot be read, or starts a new game or a deal's first turn in
// the middle of a turn. The table tells the player, lets the peer go and is left as the
// clean-up leaves it; it never plays on alone.
#include <QtTest>

#include <optional>

#include "net_table.h"

using namespace korbo;
using namespace korbo::test;

namespace {

// The table's own hand (the host's deal gives the remote the odd places below the host's):
// an Ace, a Two and a Four in places 2, 3 and 4.
std::string OwnHandDeck() { return DeckList({{63, 1}, {61, 2}, {59, 4}}); }

// A deal that is too short to read.
std::string ShortDeck() { return net::NumberList(std::vector<long>(10, 5)); }

// A seed whose shuffle gives the table, as host, the lower pay-off top: the remote begins.
constexpr uint64_t kRemoteBegins = 7;

bool AnyPlayerPictureEnabled(const NetTable& t) {
    for (int i = 1; i <= 10; ++i)
        if (t.view.Enabled(Ctl::Picture7, i)) return true;
    return false;
}

// A seed whose shuffle gives the table, as host, the higher pay-off top: its player begins.
constexpr uint64_t kHostBegins = 9;

// The table hosts a game that the remote begins (unless `seed` says otherwise); the remote
// answers the first turn with `afterTurn`, then plays `after`.
void HostForRemote(NetTable& t, Peer& remote, QTcpSocket& socket, std::vector<std::string> afterTurn,
                   std::deque<Step> after = {}, uint64_t seed = kRemoteBegins) {
    t.rnd = MtRandom{seed};
    remote.Attach(&socket);
    remote.steps = {{"IP", {net::HelloMsg(6, 0, 1)}},
                    {"NM", {net::NameMsg("Bob")}},
                    {"GS", {net::NewGameMsg()}},
                    {"DK", {net::DeckReply()}},
                    {"TR", std::move(afterTurn)}};
    for (auto& step : after) remote.steps.push_back(std::move(step));
    QTimer::singleShot(0, &remote, [&] {
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.net.LocalPort(0)));
    });
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 1;
    t.game.StartNetworkGame(c);
}

}  // namespace

class NetGameEndsTest : public QObject {
    Q_OBJECT
private slots:
    void PeerLeavesDuringOwnMove_data();
    void PeerLeavesDuringOwnMove();
    void DealThatCannotBeRead_data();
    void DealThatCannotBeRead();
    void NewGameFromTheRemoteMidTurn();
    void NewGameInsteadOfTheDiscardsAnswer_data();
    void NewGameInsteadOfTheDiscardsAnswer();
    void FirstTurnInTheMiddleOfATurn_data();
    void FirstTurnInTheMiddleOfATurn();
    void PeerHangsUpWhileNoWaitRuns_data();
    void PeerHangsUpWhileNoWaitRuns();
};

// The table begins; its first move goes out and the host hangs up instead of echoing it.
void NetGameEndsTest::PeerLeavesDuringOwnMove_data() {
    QTest::addColumn<QString>("move");
    QTest::addColumn<QString>("sent");  // the line the host got before it left
    QTest::newRow("a play to a centre pile") << "play" << "PC  2# 1";
    QTest::newRow("a card moved within the hand") << "sort" << "PC  2# 14";
    QTest::newRow("the discard") << "discard" << "PC  2# 7";
}

void NetGameEndsTest::PeerLeavesDuringOwnMove() {
    QFETCH(QString, move);
    QFETCH(QString, sent);
    NetTable t;
    HostPeer host(OwnHandDeck(), 2, {{"PC", {}, "", true, nullptr}});
    t.Join(host.Port());
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    t.LayOutPlaces();
    const SideSlots opponent = t.game.OppSlots;
    const int16_t stock = t.game.StockTop;

    if (move == "play") t.DoubleClick(2);
    else if (move == "sort") t.Drag(2, Ctl::Picture7, 4);
    else t.Drag(2, Ctl::Picture7, 7);

    QCOMPARE(QString::fromStdString(host.received.back()), sent);
    QVERIFY(!t.game.NetActive);
    QVERIFY(t.Boxed("Dealer has terminated game."));
    // The table stays as the clean-up left it: no turn, no card to move, nothing played or
    // dealt on this side or the other.
    QCOMPARE(t.game.Turn, int16_t{TurnNobody});
    QVERIFY(!AnyPlayerPictureEnabled(t));
    QCOMPARE(t.game.StockTop, stock);
    QVERIFY(t.game.OppSlots.cells == opponent.cells);
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
    QCOMPARE(CheckPartition(t.game), std::string());
}

// The host's deal cannot be read, at the first deal or at a new game after NEW: the host is
// sent "GO", the player is told, and nothing is dealt.
void NetGameEndsTest::DealThatCannotBeRead_data() {
    QTest::addColumn<bool>("later");
    QTest::newRow("the first deal") << false;
    QTest::newRow("a new game") << true;
}

void NetGameEndsTest::DealThatCannotBeRead() {
    QFETCH(bool, later);
    NetTable t;
    HostPeer host(later ? OwnHandDeck() : ShortDeck(), 2, {{"TR", {net::NewGameMsg()}, "", false, nullptr}});
    t.Join(host.Port());
    if (later) {
        QVERIFY(t.game.NetActive);
        // The host began a new game; NEW joins it, and the host deals what cannot be read.
        QTRY_VERIFY_WITH_TIMEOUT(t.view.Visible(Ctl::Command2, 0), 10000);
        host.steps.push_back({"GS", {net::DeckMsg(ShortDeck())}, "", false, nullptr});
        t.game.Command2_Click();
    }
    QVERIFY(!t.game.NetActive);
    QVERIFY(t.Boxed("cannot follow"));
    QVERIFY(t.Boxed("The deal could not be read"));
    QTRY_VERIFY_WITH_TIMEOUT(!host.received.empty() && host.received.back() == "GO", 10000);
    // Nothing was dealt or shown.
    QCOMPARE(t.game.PlayerSideCount, int16_t{0});
    QVERIFY(!t.view.Visible(Ctl::ImgHold, 0));
    QVERIFY(!t.view.Visible(Ctl::Stack, 25));
    QCOMPARE(t.game.Turn, int16_t{TurnNobody});
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
}

// The table hosts; the remote begins and, instead of its move, starts a new game, which no
// copy of ours does: the host refuses it and ends the network game rather than wait no more.
void NetGameEndsTest::NewGameFromTheRemoteMidTurn() {
    NetTable t;
    Peer remote;
    QTcpSocket socket;
    HostForRemote(t, remote, socket, {net::TurnReply(), net::NewGameMsg()});
    QVERIFY(std::find(remote.received.begin(), remote.received.end(), "TR  2") != remote.received.end());
    QVERIFY(!t.game.NetActive);
    QVERIFY(t.Boxed("cannot follow"));
    QTRY_VERIFY_WITH_TIMEOUT(!remote.received.empty() && remote.received.back() == "GO", 10000);
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
}

// The table begins and discards; the host answers with a new game instead of the echo or
// of the turn's "OK", and then sends a discard of the old game. The discard ends there: the
// old game is not played on, and NEW then begins the new game, from no wait of the old one.
void NetGameEndsTest::NewGameInsteadOfTheDiscardsAnswer_data() {
    QTest::addColumn<bool>("echoed");  // the host echoed the discard before its new game
    QTest::newRow("instead of the echo") << false;
    QTest::newRow("instead of the turn's OK") << true;
}

void NetGameEndsTest::NewGameInsteadOfTheDiscardsAnswer() {
    QFETCH(bool, echoed);
    NetTable t;
    const Step newGame{echoed ? "OK" : "PC  2# 7", {net::NewGameMsg(), "PC  3# 7"}, "", false, nullptr};
    std::deque<Step> after{newGame, {"PC", {"OK"}}};
    if (echoed) after.push_front({"PC  2# 7", {net::MoveEcho()}});
    HostPeer host(OwnHandDeck(), 2, after);
    t.Join(host.Port());
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    t.LayOutPlaces();
    const SideSlots opponent = t.game.OppSlots;
    const int16_t stock = t.game.StockTop;
    const std::size_t greeted = 5;  // IP, NM, GS, DK, TR from the table
    const QString discard = echoed ? "PC  2# 7|OK" : "PC  2# 7";
    t.view.log.clear();

    t.Drag(2, Ctl::Picture7, 7);
    QVERIFY(t.game.NetActive);
    QCOMPARE(Joined(host.After(greeted)), discard);  // no echo of an old-game move
    QCOMPARE(t.view.Caption(Ctl::Label9, 1), std::string("HOST began a NEW GAME!\r\n"));
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Click the NEW button to begin:"));
    QVERIFY(t.view.Visible(Ctl::Command2, 0));
    QCOMPARE(t.view.Caption(Ctl::Command2, 0), std::string("NEW"));
    for (const auto& line : t.view.log) QVERIFY2(line.find("OK, it's") == std::string::npos, line.c_str());
    QVERIFY(!AnyPlayerPictureEnabled(t));
    QVERIFY(t.game.Turn != TurnOpponent);
    QCOMPARE(t.game.StockTop, stock);
    QVERIFY(t.game.OppSlots.cells == opponent.cells);

    // NEW answers the host's new game, which is dealt and played as any other.
    host.steps = {{"GS", {net::DeckMsg(OwnHandDeck())}}, {"DK", {net::TurnMsg(2)}}};
    t.game.Command2_Click();
    QVERIFY(t.game.NetActive);
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(greeted)), discard + "|GS|DK|TR", 10000);
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    QVERIFY(t.view.Enabled(Ctl::Picture7, 2));
    QCOMPARE(t.game.PlayerSlots.Value(2), int16_t{1});
    QCOMPARE(CheckPartition(t.game), std::string());
}

// A deal's first turn that comes in the middle of a turn is refused, as a new game there is:
// taken, it would hand the turn over with no wait running, and a close after it would
// never be noticed. On the remote it comes after the echo of its play and its "WT" (the
// number field reads 1: the host's turn); on the host, from the remote after the echo of
// a move within its hand, before its "WT".
void NetGameEndsTest::FirstTurnInTheMiddleOfATurn_data() {
    QTest::addColumn<bool>("host");
    QTest::newRow("on the remote, after its play") << false;
    QTest::newRow("on the host, during the remote's move") << true;
}

void NetGameEndsTest::FirstTurnInTheMiddleOfATurn() {
    QFETCH(bool, host);
    NetTable t;
    std::optional<HostPeer> dealer;
    Peer remote;
    QTcpSocket socket;
    if (host) {
        HostForRemote(t, remote, socket, {net::TurnReply(), net::MoveMsg(2, 14)},
                      {{"PC", {"TR  1", net::NextMoveMsg()}}, {"WT", {net::MoveMsg(3, 7)}}, {"PC", {"OK"}}});
    } else {
        dealer.emplace(OwnHandDeck(), 2,
                       std::deque<Step>{{"PC", {net::MoveEcho()}}, {"WT", {"TR  104", net::NextMoveMsg()}}});
        t.Join(dealer->Port());
        QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
        t.LayOutPlaces();
        t.DoubleClick(2);  // the Ace onto a centre pile
    }
    const Peer& peer = host ? remote : *dealer;
    QVERIFY(!t.game.NetActive);
    QVERIFY(t.Boxed("cannot follow"));
    QVERIFY(t.Boxed("first turn"));
    QTRY_VERIFY_WITH_TIMEOUT(!peer.received.empty() && peer.received.back() == "GO", 10000);
    QCOMPARE(t.game.Turn, int16_t{TurnNobody});
    QVERIFY(!AnyPlayerPictureEnabled(t));
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
}

// The peer hangs up, without a word, while the table waits for nothing (its player's
// turn): the close itself ends the network game at once, with the box and the clean-up.
// The host may also close right behind the answer that ends the wait of the player's move,
// with a line of no use to the table before it: the close may then come while that wait runs.
void NetGameEndsTest::PeerHangsUpWhileNoWaitRuns_data() {
    QTest::addColumn<bool>("host");         // the table hosts; the remote hangs up
    QTest::addColumn<QStringList>("last");  // the host's lines before it closes, after a play
    QTest::newRow("the player's turn, after the deal") << false << QStringList{};
    QTest::newRow("right behind the answer to a play") << false << QStringList{"WT"};
    QTest::newRow("behind a line of no use and the answer") << false << QStringList{"RS", "WT"};
    QTest::newRow("the host's player's turn, after the deal") << true << QStringList{};
}

void NetGameEndsTest::PeerHangsUpWhileNoWaitRuns() {
    QFETCH(bool, host);
    QFETCH(QStringList, last);
    NetTable t;
    std::optional<HostPeer> dealer;
    Peer remote;
    QTcpSocket socket;
    if (host) {
        HostForRemote(t, remote, socket, {net::TurnReply()}, {}, kHostBegins);
    } else {
        dealer.emplace(OwnHandDeck(), 2);
        t.Join(dealer->Port());
    }
    Peer& peer = host ? remote : *dealer;
    QVERIFY(t.game.NetActive);
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    QVERIFY(AnyPlayerPictureEnabled(t));
    if (last.isEmpty()) {
        // The peer has read all the table sent (the first turn or the answer to it), so it
        // closes rather than resets.
        const std::string lastSent = host ? net::TurnMsg(1) : net::TurnReply();
        QTRY_VERIFY_WITH_TIMEOUT(!peer.received.empty() && peer.received.back() == lastSent, 10000);
        peer.socket->disconnectFromHost();
    } else {
        std::vector<std::string> lines;
        for (const QString& l : last) lines.push_back(l.toStdString());
        dealer->steps = {{"PC", {net::MoveEcho()}}, {"WT", lines, "", true, nullptr}};
        t.LayOutPlaces();
        t.DoubleClick(2);  // the Ace onto a centre pile
    }
    QTRY_VERIFY_WITH_TIMEOUT(!t.game.NetActive, 10000);
    QVERIFY(t.Boxed(host ? "Bob quit the game." : "Dealer has terminated game."));
    QCOMPARE(t.game.Turn, int16_t{TurnNobody});
    QVERIFY(!AnyPlayerPictureEnabled(t));
    QCOMPARE(t.net.State(host ? 1 : 0), 0);
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
}

QTEST_GUILESS_MAIN(NetGameEndsTest)
#include "test_net_game_ends.moc"
