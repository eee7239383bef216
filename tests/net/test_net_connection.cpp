// Setting a network game up and what its end gives back, over loopback TCP: a port that is
// taken is told of as the socket's error, a table that hosted can join another host
// afterwards, and an old host's resets of the player's cards and rules end with the game.
#include <QtTest>

#include "net_table.h"

using namespace korbo;
using namespace korbo::test;

namespace {

constexpr int kTimeout = 10000;

PlayersDialogResult Hosting(int port) {
    PlayersDialogResult c;
    c.connect = c.nameApplied = true;
    c.playerName = "Ann";
    c.role = 1;
    c.port = port;
    return c;
}

bool Logged(const NetTable& t, const std::string& part) {
    for (const auto& l : t.view.log)
        if (l.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

class NetConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void HostingOnAPortInUseIsTheSocketsError();
    void JoiningAfterHostingConnectsFromAPortOfItsOwn();
    void AnOldHostsResetsEndWithTheGame();
};

void NetConnectionTest::HostingOnAPortInUseIsTheSocketsError() {
    QTcpServer taken;
    QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
    NetTable t;
    t.game.StartNetworkGame(Hosting(taken.serverPort()));
    QVERIFY(!t.game.NetActive);
    QCOMPARE(t.view.boxes.size(), std::size_t{1});
    QCOMPARE(t.view.boxes[0].text, std::string("Resetting the Local Port!\r\nError  10048\r\nAddress in use\r\n"
                                               "(No problem, just do the KorboNET connection again.)"));
    QCOMPARE(t.view.boxes[0].title, std::string("KorboNET"));
    QCOMPARE(t.view.boxes[0].buttons, mb::OKOnly | mb::Critical);
    QVERIFY(!Logged(t, "Give your IP address"));
    QVERIFY(!t.view.Visible(Ctl::StatusMsg, 0));
    // The element forgets the port it could not have.
    QCOMPARE(t.net.Winsock1()(0).LocalPort(), 0);
    QCOMPARE(t.view.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));

    // Hosting on a free port works at once afterwards.
    t.view.boxes.clear();
    Peer remote;
    QTcpSocket socket;
    remote.Attach(&socket);
    remote.steps = {{"IP", {}, "", true, nullptr}};
    QTimer::singleShot(0, &remote, [&] {
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.net.LocalPort(0)));
    });
    t.game.StartNetworkGame(Hosting(0));
    QCOMPARE(remote.received.size(), std::size_t{1});
    QCOMPARE(remote.received[0].substr(0, 2), std::string("IP"));
}

void NetConnectionTest::JoiningAfterHostingConnectsFromAPortOfItsOwn() {
    // A port that was free a moment ago, to host on by its number.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    NetTable t;
    // Hosting: a caller greets and goes away.
    Peer caller;
    QTcpSocket socket;
    caller.Attach(&socket);
    caller.steps = {{"IP", {}, "", true, nullptr}};
    QTimer::singleShot(0, &caller, [&] { socket.connectToHost(QHostAddress::LocalHost, port); });
    t.game.StartNetworkGame(Hosting(port));
    QVERIFY(!t.game.NetActive);
    QCOMPARE(caller.received.size(), std::size_t{1});

    // Joining a host that now listens on that same port.
    HostPeer host(DeckList({}), 2);
    host.server.close();
    QVERIFY(host.server.listen(QHostAddress::LocalHost, port));
    t.view.boxes.clear();
    t.Join(port);
    QVERIFY(t.game.NetActive);
    QVERIFY(!t.Boxed("Resetting the Local Port!"));
    QVERIFY(!t.Boxed("not in service"));
    QVERIFY(!t.Boxed("Network connection failed."));
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    QVERIFY(t.net.LocalPort(0) != port);
}

void NetConnectionTest::AnOldHostsResetsEndWithTheGame() {
    NetTable t;
    t.game.CardStyle = 6;
    t.game.SideSize = 25;
    t.game.ForcedRule = 3;
    t.game.NoWildAce = true;
    HostPeer host(DeckList({}), 2);
    host.AsOldCopy();
    t.Join(host.Port());
    QVERIFY(t.game.NetActive);
    QVERIFY(t.Boxed("Switching to number cards!"));
    QCOMPARE(t.game.CardStyle, int16_t{1});
    QCOMPARE(t.game.SideSize, int16_t{19});
    QCOMPARE(t.game.ForcedRule, int16_t{0});
    QVERIFY(!t.game.NoWildAce);

    host.SendLine(net::QuitMsg());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game.NetActive, kTimeout);
    QVERIFY(t.Boxed("Dealer has terminated game."));
    QCOMPARE(t.game.CardStyle, int16_t{6});
    QCOMPARE(t.game.SideSize, int16_t{25});
    QCOMPARE(t.game.ForcedRule, int16_t{3});
    QVERIFY(t.game.NoWildAce);
}

QTEST_GUILESS_MAIN(NetConnectionTest)
#include "test_net_connection.moc"
