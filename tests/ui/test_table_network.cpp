// The table window as a network host and as a remote over loopback: the network menu item
// opens the connection, the status label, the item's caption and the items of the network
// game follow the game, a caller joins and is dealt to, and the peer's quit gives the solo
// table back.
#include <QtTest>

#include "net/net_table.h"
#include "ui/table_fixture.h"

using namespace korbo;
using namespace korbo::test;

class TableNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void HostsAGameThroughTheMenu();
    void JoinsAGameThroughTheMenu();
};

void TableNetworkTest::HostsAGameThroughTheMenu() {
    frmKorbo t;
    t.pauseScale = 0;  // the deal's pauses take no time
    StartTable(t);
    t.Network().SetBindAddress(QHostAddress(QHostAddress::LocalHost));
    t.playersDialogAnswer = [](const PlayersDialogSetup& setup) {
        PlayersDialogResult c;
        c.connect = c.nameApplied = true;
        c.playerName = setup.playerName.empty() ? std::string("Ann") : setup.playerName;
        c.role = 1;
        c.port = 0;
        return c;
    };
    BoxAnswerer boxes(QMessageBox::No);
    Peer remote;
    QTcpSocket socket;
    remote.Attach(&socket);
    remote.steps = {{"IP", {net::HelloMsg(6, 0, 1)}}, {"NM", {net::NameMsg("Bob")}}, {"GS", {net::NewGameMsg()}},
                    {"DK", {net::DeckReply()}}};
    remote.steps.push_back({"TR", {net::TurnReply()}, "", false, [&remote](const std::string& line) {
                                if (line != "TR  2") return;
                                remote.SendLine("PC  2# 7");
                                remote.steps.push_front({"PC", {"OK"}});
                            }});
    QString captionWhileWaiting, statusWhileWaiting;
    bool statusShown = false, sendWhileWaiting = true, onTopWhileWaiting = false;
    QTimer::singleShot(0, &remote, [&] {
        captionWhileWaiting = t.MenuItem("Players")->text();
        sendWhileWaiting = t.MenuItem("Recover")->isEnabled();
        onTopWhileWaiting = t.MenuItem("KeepOnTop")->isEnabled();
        statusShown = t.Visible(Ctl::StatusMsg, 0);
        statusWhileWaiting = QString::fromStdString(t.Caption(Ctl::StatusMsg, 0));
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.Network().LocalPort(0)));
    });
    t.MenuItem("Players")->trigger();
    QCOMPARE(captionWhileWaiting, QString("Host - END KorboNET Game"));
    QVERIFY(statusShown);
    QVERIFY(statusWhileWaiting.startsWith("Give your IP address to the player waiting."));
    QVERIFY(t.game().NetActive);
    QVERIFY(!t.Visible(Ctl::StatusMsg, 0));
    QCOMPARE(t.Caption(Ctl::Label9, 4), std::string("Bob"));
    QVERIFY(boxes.texts.contains("Bob has joined the game."));
    QVERIFY(t.game().Turn == TurnPlayer || t.game().Turn == TurnOpponent);
    // The chat window may be kept on top from the start; a game can be sent once dealt.
    QVERIFY(onTopWhileWaiting);
    QVERIFY(!sendWhileWaiting);
    QVERIFY(t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(t.MenuItem("Recover")->isEnabled());

    // The peer quits: the table is solo again.
    remote.SendLine(net::QuitMsg());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game().NetActive, 10000);
    QVERIFY(boxes.texts.contains("Bob quit the game."));
    QCOMPARE(t.MenuItem("Players")->text(), QString("KorboNET Internet Play"));
    QCOMPARE(t.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
    QCOMPARE(t.Network().State(1), 0);
    QVERIFY(!t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());
}

// Only the host sends a saved game: the remote keeps the chat window's item and never the
// sending one.
void TableNetworkTest::JoinsAGameThroughTheMenu() {
    frmKorbo t;
    t.pauseScale = 0;
    StartTable(t);
    t.game().SoundLevel = 2;
    t.Network().SetBindAddress(QHostAddress(QHostAddress::LocalHost));
    HostPeer host(DeckList({}), 2);
    t.playersDialogAnswer = [&host](const PlayersDialogSetup&) {
        PlayersDialogResult c;
        c.connect = c.nameApplied = true;
        c.playerName = "Ann";
        c.role = 0;
        c.hostAddress = "127.0.0.1";
        c.port = host.Port();
        return c;
    };
    BoxAnswerer boxes(QMessageBox::No);
    t.MenuItem("Players")->trigger();
    QVERIFY(t.game().NetActive);
    QCOMPARE(t.game().Turn, int16_t{TurnPlayer});
    QCOMPARE(t.MenuItem("Players")->text(), QString("Remote - END KorboNET Game"));
    QVERIFY(t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());

    host.SendLine(net::QuitMsg());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game().NetActive, 10000);
    QVERIFY(!t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());
}

QTEST_MAIN(TableNetworkTest)
#include "test_table_network.moc"
