// The table window as a network host and as a remote over loopback: the network menu item
// opens the connection, the status label, the item's caption and the items of the network
// game follow the game, a caller joins and is dealt to, the peer's chat lines show on the
// table, and the peer's quit or hang-up gives the solo table back.
#include <QtTest>

#include "net/net_table.h"
#include "ui/table_fixture.h"

using namespace korbo;
using namespace korbo::test;

namespace {

// The table hosting a game through its network menu, and a caller that joins it and is
// dealt to. `whileWaiting` looks at the table while the host waits for the caller.
struct HostedGame {
    frmKorbo t;
    BoxAnswerer boxes{QMessageBox::No};
    Peer remote;
    QTcpSocket socket;

    explicit HostedGame(long screenWidth = 15360) {
        t.pauseScale = 0;  // the deal's pauses take no time
        StartTable(t, screenWidth);
        t.Network().SetBindAddress(QHostAddress(QHostAddress::LocalHost));
        t.playersDialogAnswer = [](const PlayersDialogSetup& setup) {
            PlayersDialogResult c;
            c.connect = c.nameApplied = true;
            c.playerName = setup.playerName.empty() ? std::string("Ann") : setup.playerName;
            c.role = 1;
            c.port = 0;
            return c;
        };
        remote.Attach(&socket);
        remote.steps = {{"IP", {net::HelloMsg(6, 0, 1)}}, {"NM", {net::NameMsg("Bob")}},
                        {"GS", {net::NewGameMsg()}}, {"DK", {net::DeckReply()}}};
        remote.steps.push_back({"TR", {net::TurnReply()}, "", false, [this](const std::string& line) {
                                    if (line != "TR  2") return;
                                    remote.SendLine("PC  2# 7");
                                    remote.steps.push_front({"PC", {"OK"}});
                                }});
    }

    void Host(const std::function<void()>& whileWaiting) {
        QTimer::singleShot(0, &remote, [this, whileWaiting] {
            whileWaiting();
            socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(t.Network().LocalPort(0)));
        });
        t.MenuItem("Players")->trigger();
    }
};

// The table joining a host through its network menu; the host deals and lets it begin.
struct JoinedGame {
    frmKorbo t;
    HostPeer host{DeckList({}), 2};
    BoxAnswerer boxes{QMessageBox::No};

    JoinedGame() {
        t.pauseScale = 0;
        StartTable(t);
        t.game().SoundLevel = 2;
        t.Network().SetBindAddress(QHostAddress(QHostAddress::LocalHost));
        t.playersDialogAnswer = [this](const PlayersDialogSetup&) {
            PlayersDialogResult c;
            c.connect = c.nameApplied = true;
            c.playerName = "Ann";
            c.role = 0;
            c.hostAddress = "127.0.0.1";
            c.port = host.Port();
            return c;
        };
        t.MenuItem("Players")->trigger();
    }
};

// The lines a label shows, each inside the label's box, the last one fitting its height.
void CheckInside(QLabel& label, const QString& what) {
    const QFontMetrics fm(label.font());
    const QStringList lines = label.text().split('\n');
    const QRect box = label.contentsRect();
    QVERIFY2(lines.size() * std::max(fm.lineSpacing(), fm.height()) <= std::max(box.height(), fm.height()),
             qPrintable(what + QStringLiteral(": %1 lines run below the box").arg(lines.size())));
    for (const QString& line : lines)
        QVERIFY2(fm.horizontalAdvance(line) <= box.width(), qPrintable(what + ": \"" + line + "\" is wider than the box"));
}

}  // namespace

class TableNetworkTest : public QObject {
    Q_OBJECT
private slots:
    void HostsAGameThroughTheMenu();
    void JoinsAGameThroughTheMenu();
    void AHostThatHangsUpDuringThePlayersTurn();
    void TheWaitingTextStandsInTheCommentArea();
    void ALongChatLineStaysInsideTheCommentArea();
};

void TableNetworkTest::HostsAGameThroughTheMenu() {
    HostedGame h;
    frmKorbo& t = h.t;
    QString captionWhileWaiting, statusWhileWaiting;
    bool statusShown = false, sendWhileWaiting = true, onTopWhileWaiting = false;
    h.Host([&] {
        captionWhileWaiting = t.MenuItem("Players")->text();
        sendWhileWaiting = t.MenuItem("Recover")->isEnabled();
        onTopWhileWaiting = t.MenuItem("KeepOnTop")->isEnabled();
        statusShown = t.Visible(Ctl::StatusMsg, 0);
        statusWhileWaiting = QString::fromStdString(t.Caption(Ctl::StatusMsg, 0));
    });
    QCOMPARE(captionWhileWaiting, QString("Host - END KorboNET Game"));
    QVERIFY(statusShown);
    QVERIFY(statusWhileWaiting.startsWith("Give your IP address to the player waiting."));
    QVERIFY(t.game().NetActive);
    QVERIFY(!t.Visible(Ctl::StatusMsg, 0));
    QCOMPARE(t.Caption(Ctl::Label9, 4), std::string("Bob"));
    QVERIFY(h.boxes.texts.contains("Bob has joined the game."));
    QVERIFY(t.game().Turn == TurnPlayer || t.game().Turn == TurnOpponent);
    // The chat window may be kept on top from the start; a game can be sent once dealt.
    QVERIFY(onTopWhileWaiting);
    QVERIFY(!sendWhileWaiting);
    QVERIFY(t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(t.MenuItem("Recover")->isEnabled());

    // The peer quits: the table is solo again.
    h.remote.SendLine(net::QuitMsg());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game().NetActive, 10000);
    QVERIFY(h.boxes.texts.contains("Bob quit the game."));
    QCOMPARE(t.MenuItem("Players")->text(), QString("KorboNET Internet Play"));
    QCOMPARE(t.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
    QCOMPARE(t.Network().State(1), 0);
    QVERIFY(!t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());
}

// Only the host sends a saved game: the remote keeps the chat window's item and never the
// sending one.
void TableNetworkTest::JoinsAGameThroughTheMenu() {
    JoinedGame j;
    frmKorbo& t = j.t;
    QVERIFY(t.game().NetActive);
    QCOMPARE(t.game().Turn, int16_t{TurnPlayer});
    QCOMPARE(t.MenuItem("Players")->text(), QString("Remote - END KorboNET Game"));
    QVERIFY(t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());

    j.host.SendLine(net::QuitMsg());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game().NetActive, 10000);
    QVERIFY(!t.MenuItem("KeepOnTop")->isEnabled());
    QVERIFY(!t.MenuItem("Recover")->isEnabled());
}

// The host hangs up without a word while the table waits for nothing (its player's turn):
// the close alone ends the network game at once, told in the box, and the table is solo.
void TableNetworkTest::AHostThatHangsUpDuringThePlayersTurn() {
    JoinedGame j;
    frmKorbo& t = j.t;
    QCOMPARE(t.game().Turn, int16_t{TurnPlayer});
    // The host has read the table's answer to the first turn, so it closes rather than resets.
    QTRY_VERIFY_WITH_TIMEOUT(!j.host.received.empty() && j.host.received.back() == net::TurnReply(), 10000);
    j.host.socket->disconnectFromHost();
    QTRY_VERIFY_WITH_TIMEOUT(!t.game().NetActive, 10000);
    QVERIFY(j.boxes.texts.contains("Dealer has terminated game."));
    QCOMPARE(t.MenuItem("Players")->text(), QString("KorboNET Internet Play"));
    QCOMPARE(t.Caption(Ctl::Label9, 2), std::string("Select NEW from the Game Menu to start a new game."));
    QCOMPARE(t.game().Turn, int16_t{TurnNobody});
    QCOMPARE(t.Network().State(0), 0);
}

// The host's waiting text is read whole inside the comment area, clear of the avatar, on
// the screens the layout knows.
void TableNetworkTest::TheWaitingTextStandsInTheCommentArea() {
    for (long screen : {19200L, 15360L, 12000L}) {
        HostedGame h(screen);
        frmKorbo& t = h.t;
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        const QString where = QStringLiteral("on %1 twips").arg(screen);
        QRect status, comments, avatar;
        QString shown;
        h.Host([&] {
            QCoreApplication::processEvents();
            status = t.StatusMsg().Widget()->geometry();
            comments = t.Label9(2).Widget()->geometry();
            avatar = t.ImgAvatar().Widget()->geometry();
            auto* label = static_cast<QLabel*>(t.StatusMsg().Widget());
            shown = label->text();
            CheckInside(*label, "the waiting text " + where);
            Photograph(QStringLiteral("table-host-waiting-%1.png").arg(screen));
        });
        QVERIFY2(comments.contains(status), qPrintable("the waiting text leaves the comment area " + where));
        QVERIFY2(!status.intersects(avatar), qPrintable("the waiting text runs under the avatar " + where));
        QCOMPARE(shown.simplified(), QString("Give your IP address to the player waiting. When your opponent "
                                             "connects, the cards will be dealt."));
        QVERIFY(t.game().NetActive);
    }
}

// A chat line far longer than the comment area holds is wrapped inside it and cut with an
// ellipsis at its last line; the chat history keeps the whole line.
void TableNetworkTest::ALongChatLineStaysInsideTheCommentArea() {
    HostedGame h;
    frmKorbo& t = h.t;
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    h.Host([] {});
    QVERIFY(t.game().NetActive);
    QString line;
    for (int i = 0; line.size() < 600; ++i) line += QStringLiteral("word%1 ").arg(i);
    line = line.left(600).trimmed();
    auto* comments = static_cast<QLabel*>(t.Label9(2).Widget());
    const QRect area = comments->geometry();
    h.remote.SendLine("SY  1#" + line.toStdString());
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(t.Caption(Ctl::Label9, 2)), line, 10000);
    QVERIFY(QString::fromStdString(t.Caption(Ctl::ChatHistory, 0)).endsWith("Bob: " + line));

    CheckInside(*comments, "the chat line");
    const QStringList lines = comments->text().split('\n');
    QVERIFY2(lines.size() > 2, "the line is not wrapped");
    QVERIFY(lines.first().startsWith("word0 word1"));
    QVERIFY(lines.last().endsWith(QChar(0x2026)));
    Photograph("table-long-chat.png");
    // The area keeps its place and size: the text does not run over the table.
    QCOMPARE(comments->geometry(), area);
    // The next message takes the area over whole.
    h.remote.SendLine("SY  2#Nice one!");
    QTRY_COMPARE_WITH_TIMEOUT(comments->text(), QString("Nice one!"), 10000);
}

QTEST_MAIN(TableNetworkTest)
#include "test_table_network.moc"
