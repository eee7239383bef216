// The socket control array over real loopback TCP: listening on an ephemeral port of
// 127.0.0.1, callers accepted on elements of their own, lines both ways, the states and
// events of a closing and a reset peer, and the error numbers of a refused call and a port
// in use.
#include <QEventLoop>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <sys/socket.h>

#include "platform/winsock.h"

using korbo::platform::GetIPAddress;
using korbo::platform::SocketElement;
using korbo::platform::Winsock1;
namespace sck = korbo::platform::sck;
namespace sckerr = korbo::platform::sckerr;

namespace {

const QHostAddress kLoopback(QHostAddress::LocalHost);
constexpr int kTimeout = 10000;

// A host listening on element 0 that accepts every caller on the next free element.
struct Host {
    Winsock1 ws;
    QList<int> accepted;
    explicit Host(bool acceptCallers = true) {
        ws(0).SetBindAddress(kLoopback);
        ws(0).SetLocalPort(0);
        if (acceptCallers)
            QObject::connect(&ws, &Winsock1::ConnectionRequest, &ws, [this](int index, long id) {
                if (index != 0) return;
                const int next = static_cast<int>(accepted.size()) + 1;
                ws.Load(next);
                if (ws(next).Accept(id)) accepted << next;
            });
    }
    int Port() { return ws(0).LocalPort(); }
};

// Collects what arrives on one element of an array.
QByteArray ReadAll(Winsock1& ws, int index, int expectedBytes) {
    QByteArray got;
    QObject ctx;
    QObject::connect(&ws, &Winsock1::DataArrival, &ctx, [&](int i, qint64) {
        if (i == index) got += ws(i).GetData();
    });
    for (int k = 0; k < 1000 && got.size() < expectedBytes; ++k) {
        got += ws(index).GetData();
        if (got.size() < expectedBytes) QTest::qWait(5);
    }
    return got;
}

}  // namespace

class WinsockTest : public QObject {
    Q_OBJECT
private slots:
    void hostAndRemoteExchangeLines() {
        Host host;
        QVERIFY(host.ws(0).Listen());
        QCOMPARE(host.ws(0).State(), sck::Listening);
        const int port = host.Port();
        QVERIFY(port > 0);

        Winsock1 remote;
        QVERIFY(remote(0).Connect("127.0.0.1", port));
        QCOMPARE(remote(0).State(), sck::Connecting);
        QTRY_COMPARE_WITH_TIMEOUT(remote(0).State(), sck::Connected, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(host.accepted, QList<int>{1}, kTimeout);
        QCOMPARE(host.ws(1).State(), sck::Connected);
        // The listener goes on listening beside the accepted caller.
        QCOMPARE(host.ws(0).State(), sck::Listening);
        QCOMPARE(remote(0).RemotePort(), port);
        QCOMPARE(remote(0).LocalIP(), QString("127.0.0.1"));
        QCOMPARE(host.ws(1).RemoteHostIP(), QString("127.0.0.1"));

        QSignalSpy arrivals(&remote, &Winsock1::DataArrival);
        const QByteArray hello = "IP                ^ 6. 0. 1\n";
        QVERIFY(host.ws(1).SendData(hello));
        QTRY_VERIFY_WITH_TIMEOUT(!arrivals.isEmpty(), kTimeout);
        QCOMPARE(arrivals.first().at(0).toInt(), 0);
        QVERIFY(arrivals.first().at(1).toLongLong() > 0);
        QCOMPARE(ReadAll(remote, 0, hello.size()), hello);

        const QByteArray answer = "IP                ^ 6. 0. 1\nNM Remote\n";
        QVERIFY(remote(0).SendData(answer));
        QCOMPARE(ReadAll(host.ws, 1, answer.size()), answer);
        // Nothing more: a read of an empty element gives nothing.
        QCOMPARE(host.ws(1).GetData(), QByteArray());
        QCOMPARE(host.ws(1).BytesReceived(), 0);
    }

    void furtherCallersGetElementsOfTheirOwn() {
        Host host;
        QVERIFY(host.ws(0).Listen());
        Winsock1 a, b, c;
        for (Winsock1* w : {&a, &b, &c}) QVERIFY((*w)(0).Connect("127.0.0.1", host.Port()));
        QTRY_COMPARE_WITH_TIMEOUT(host.accepted.size(), 3, kTimeout);
        QCOMPARE(host.accepted, (QList<int>{1, 2, 3}));
        // Each element talks to its own caller.
        QVERIFY(host.ws(2).SendData("GO\n"));
        QVERIFY(host.ws(1).SendData("GS\n"));
        QVERIFY(host.ws(3).SendData("WT\n"));
        QByteArray got[3];
        Winsock1* callers[] = {&a, &b, &c};
        for (int i = 0; i < 3; ++i) got[i] = ReadAll(*callers[i], 0, 3);
        QSet<QByteArray> seen{got[0], got[1], got[2]};
        QCOMPARE(seen, (QSet<QByteArray>{"GO\n", "GS\n", "WT\n"}));
        // An element closed after its answer frees its caller: the caller sees it close.
        int told = 0;
        while (told < 3 && got[told] != "GO\n") ++told;
        QVERIFY(told < 3);
        host.ws.Unload(2);
        QVERIFY(!host.ws.Loaded(2));
        QTRY_COMPARE_WITH_TIMEOUT((*callers[told])(0).State(), sck::Closing, kTimeout);
        QCOMPARE(host.ws(1).State(), sck::Connected);
    }

    void aRequestNobodyAcceptsIsTurnedAway() {
        Host host(false);
        QVERIFY(host.ws(0).Listen());
        QSignalSpy requests(&host.ws, &Winsock1::ConnectionRequest);
        Winsock1 caller;
        QVERIFY(caller(0).Connect("127.0.0.1", host.Port()));
        QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, kTimeout);
        QCOMPARE(requests.first().at(0).toInt(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(caller(0).State(), sck::Closing, kTimeout);
        QCOMPARE(host.ws.PendingRequests(), 0);
        // The id of a request that is gone cannot be accepted later.
        host.ws.Load(1);
        QSignalSpy errors(&host.ws, &Winsock1::Error);
        QVERIFY(!host.ws(1).Accept(requests.first().at(1).toLongLong()));
        QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, kTimeout);
        QCOMPARE(errors.first().at(1).toInt(), sckerr::BadState);
    }

    void errorNumbersOfTheControl_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("refused") << "refused";
        QTest::newRow("address in use") << "in use";
        QTest::newRow("listening twice") << "twice";
    }
    void errorNumbersOfTheControl() {
        QFETCH(QString, what);
        Winsock1 ws;
        QSignalSpy errors(&ws, &Winsock1::Error);
        int number = 0;
        QString text;
        if (what == "refused") {
            QTcpServer probe;
            QVERIFY(probe.listen(kLoopback, 0));
            const int port = probe.serverPort();
            probe.close();  // nobody listens there now
            QVERIFY(ws(0).Connect("127.0.0.1", port));
            number = sckerr::ConnectionRefused;
            text = "Connection is forcefully rejected";
        } else if (what == "in use") {
            QTcpServer holder;
            QVERIFY(holder.listen(kLoopback, 0));
            ws(0).SetBindAddress(kLoopback);
            ws(0).SetLocalPort(holder.serverPort());
            QVERIFY(!ws(0).Listen());
            QCOMPARE(errors.size(), 1);  // raised before Listen returned
            QCOMPARE(ws(0).State(), sck::Closed);
            number = sckerr::AddressInUse;
            text = "Address in use";
        } else {
            ws(0).SetBindAddress(kLoopback);
            QVERIFY(ws(0).Listen());
            QVERIFY(!ws(0).Listen());
            QCOMPARE(errors.size(), 1);
            number = sckerr::BadState;
            text = "Wrong protocol or connection state for the requested transaction or request";
        }
        QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, kTimeout);
        QCOMPARE(errors.first().at(0).toInt(), 0);
        QCOMPARE(errors.first().at(1).toInt(), number);
        QCOMPARE(errors.first().at(2).toString(), text);
        if (what == "refused") QCOMPARE(ws(0).State(), sck::Error);
    }

    void aClosingPeerLeavesWhatItSentReadable() {
        Host host;
        QVERIFY(host.ws(0).Listen());
        Winsock1 remote;
        QVERIFY(remote(0).Connect("127.0.0.1", host.Port()));
        QTRY_COMPARE_WITH_TIMEOUT(host.accepted.size(), 1, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(remote(0).State(), sck::Connected, kTimeout);
        QSignalSpy errors(&remote, &Winsock1::Error);
        QSignalSpy ownCloses(&host.ws, &Winsock1::Close);
        // The events in their order: the close is announced after the last data, once.
        QStringList events;
        QObject::connect(&remote, &Winsock1::DataArrival, &remote,
                         [&](int i, qint64) { events << QString("data %1").arg(i); });
        QObject::connect(&remote, &Winsock1::Close, &remote, [&](int i) { events << QString("close %1").arg(i); });
        // The host says its last word and closes at once.
        QVERIFY(host.ws(1).SendData("GO\n"));
        host.ws(1).Close();
        QCOMPARE(host.ws(1).State(), sck::Closed);
        QTRY_COMPARE_WITH_TIMEOUT(remote(0).State(), sck::Closing, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("close 0"), kTimeout);
        QCOMPARE(ReadAll(remote, 0, 3), QByteArray("GO\n"));
        QTest::qWait(20);
        QCOMPARE(events, (QStringList{"data 0", "close 0"}));
        QVERIFY(errors.isEmpty());  // an orderly close is no error
        QVERIFY(ownCloses.isEmpty());  // an element's own close is no event
        // Sending to a peer that is gone is refused; closing the element ends it.
        QVERIFY(!remote(0).SendData("OK\n"));
        remote(0).Close();
        QCOMPARE(remote(0).State(), sck::Closed);
    }

    void aResetPeerRaisesTheResetError() {
        QTcpServer peer;
        QVERIFY(peer.listen(kLoopback, 0));
        Winsock1 ws;
        QSignalSpy errors(&ws, &Winsock1::Error);
        QSignalSpy closes(&ws, &Winsock1::Close);
        QVERIFY(ws(0).Connect("127.0.0.1", peer.serverPort()));
        QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingConnections(), kTimeout);
        QTcpSocket* s = peer.nextPendingConnection();
        QTRY_COMPARE_WITH_TIMEOUT(ws(0).State(), sck::Connected, kTimeout);
        // Linger off: the close resets the connection instead of closing it in order.
        struct linger off{1, 0};
        QCOMPARE(::setsockopt(static_cast<int>(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &off, sizeof off), 0);
        s->abort();
        QTRY_COMPARE_WITH_TIMEOUT(errors.size(), 1, kTimeout);
        QCOMPARE(errors.first().at(1).toInt(), sckerr::ConnectionReset);
        QCOMPARE(errors.first().at(2).toString(), QString("Connection is reset by remote side"));
        QCOMPARE(ws(0).State(), sck::Error);
        QVERIFY(closes.isEmpty());  // the reset's error tells it
    }

    // A handler of an arrival that waits for the next line (as the game's waits do, nested
    // inside the arrival) gets it: the element goes on reading while the handler runs.
    void aWaitInsideAnArrivalNeverStalls() {
        Host host;
        QVERIFY(host.ws(0).Listen());
        Winsock1 remote;
        QVERIFY(remote(0).Connect("127.0.0.1", host.Port()));
        QTRY_COMPARE_WITH_TIMEOUT(host.accepted.size(), 1, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(remote(0).State(), sck::Connected, kTimeout);

        QByteArray firstTaken, secondTaken;
        int depth = 0, deepest = 0;
        QObject::connect(&remote, &Winsock1::DataArrival, &remote, [&](int i, qint64) {
            ++depth;
            deepest = std::max(deepest, depth);
            QByteArray mine = remote(i).GetData();
            if (firstTaken.isEmpty()) {
                firstTaken = mine;
                host.ws(1).SendData("WT\n");
                // Sleeps in the event loop until the element has more, whoever was woken.
                QEventLoop loop;
                QObject::connect(&remote, &Winsock1::Activity, &loop, &QEventLoop::quit);
                QTimer guard;
                QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
                guard.start(kTimeout);
                while (remote(i).BytesReceived() == 0 && guard.isActive()) loop.exec();
                secondTaken = remote(i).GetData();
            }
            --depth;
        });
        QVERIFY(host.ws(1).SendData("PC  3# 1\n"));
        QTRY_COMPARE_WITH_TIMEOUT(secondTaken, QByteArray("WT\n"), kTimeout);
        QCOMPARE(firstTaken, QByteArray("PC  3# 1\n"));
        QCOMPARE(deepest, 1);
    }

    void aClosedElementAnnouncesNothingMore() {
        Host host;
        QVERIFY(host.ws(0).Listen());
        Winsock1 remote;
        QVERIFY(remote(0).Connect("127.0.0.1", host.Port()));
        QTRY_COMPARE_WITH_TIMEOUT(host.accepted.size(), 1, kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(remote(0).State(), sck::Connected, kTimeout);
        QSignalSpy arrivals(&remote, &Winsock1::DataArrival);
        // Closed as soon as the data is there, before its arrival is delivered.
        bool closed = false;
        QObject::connect(&remote, &Winsock1::Activity, &remote, [&](int i) {
            if (i == 0 && !closed && remote(0).BytesReceived() > 0) {
                closed = true;
                remote(0).Close();
            }
        });
        host.ws(1).SendData("SY  1#late\n");
        QTRY_VERIFY_WITH_TIMEOUT(closed, kTimeout);
        QTest::qWait(30);
        QVERIFY(arrivals.isEmpty());
        QCOMPARE(remote(0).GetData(), QByteArray());
        // Element 0 is there for good; others come and go.
        remote.Unload(0);
        QVERIFY(remote.Loaded(0));
        QVERIFY(remote.Load(4));
        QVERIFY(!remote.Load(4));
        QCOMPARE(remote.LoadedIndexes(), (std::vector<int>{0, 4}));
    }

    void theMachinesIPv4Addresses() {
        const QStringList own = GetIPAddress();
        QVERIFY(own.contains("127.0.0.1"));
        const QRegularExpression dotted("^\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}\\.\\d{1,3}$");
        for (const QString& a : own) QVERIFY2(dotted.match(a).hasMatch(), qPrintable(a));
        // The loopback comes last: the network's addresses are the ones to give a caller.
        QCOMPARE(own.last(), QString("127.0.0.1"));
    }
};

QTEST_GUILESS_MAIN(WinsockTest)
#include "test_winsock.moc"
