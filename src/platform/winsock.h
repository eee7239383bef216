// The table's socket control array `Winsock1`, on Qt Network: element 0 listens (host) or
// connects (remote); further elements are loaded to accept callers. Each element has the
// control's states, addresses and ports, and its four events: a connection request, data
// arrival, the peer's close and an error with the control's error numbers.
//
// Events are delivered from the event loop, never from inside Qt's own socket signals, so
// a handler may wait for more data as long as it likes: Qt goes on reading the socket and
// signalling meanwhile, and GetData takes whatever has come, whoever asks.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace korbo::platform {

// The control's State codes.
namespace sck {
constexpr int Closed = 0, Open = 1, Listening = 2, Connecting = 6, Connected = 7, Closing = 8,
              Error = 9;
}

// The control's error numbers; any other socket error is passed on with its own text under
// a number of its own (kOtherErrorBase + Qt's code).
namespace sckerr {
constexpr int AddressInUse = 10048, ConnectionReset = 10054, TimedOut = 10060,
              ConnectionRefused = 10061, HostNotFound = 11001, NetworkDown = 10050,
              AccessDenied = 10013, NoBufferSpace = 10055;
// An operation the element's state does not allow (listening twice, accepting a caller
// that is gone).
constexpr int BadState = 40006;
constexpr int kOtherErrorBase = 30000;
}  // namespace sckerr

class Winsock1;

// One element of the array.
class SocketElement : public QObject {
    Q_OBJECT
public:
    SocketElement(Winsock1& owner, int index);
    ~SocketElement() override;

    int Index() const { return index_; }
    int State() const { return state_; }
    int LocalPort() const;
    void SetLocalPort(int port) { localPort_ = port; }
    QString RemoteHost() const { return remoteHost_; }
    void SetRemoteHost(const QString& host) { remoteHost_ = host; }
    int RemotePort() const;
    void SetRemotePort(int port) { remotePort_ = port; }
    // The address the machine is reached at through this element: the connection's own
    // address once connected, else the machine's first address (127.0.0.1 without one).
    QString LocalIP() const;
    QString RemoteHostIP() const;
    qint64 BytesReceived() const;
    // Where Listen binds: every IPv4 address unless set (tests bind to 127.0.0.1).
    void SetBindAddress(const QHostAddress& a) { bindAddress_ = a; }

    // False (and the Error event raised) when it cannot be done. A failed Listen has
    // raised its Error when it returns: the caller learns of it before it goes on.
    bool Listen();
    bool Connect();                 // to RemoteHost : RemotePort
    bool Connect(const QString& host, int port);
    bool Accept(long requestId);    // takes a caller announced by ConnectionRequest
    bool SendData(const QByteArray& bytes);
    // Everything received and not yet taken, at most `maxBytes` of it (-1: all).
    QByteArray GetData(qint64 maxBytes = -1);
    void Close();

private:
    friend class Winsock1;
    void Adopt(QTcpSocket* socket);
    void OnReadyRead();
    void OnSocketError();
    void OnDisconnected();
    void PeerClosed();
    void SetState(int s);
    void RaiseError(int number, const QString& description);
    void RaiseErrorNow(int number, const QString& description);
    bool PeerReset() const;
    void ReleaseSocket();

    Winsock1& owner_;
    int index_;
    int state_ = sck::Closed;
    int localPort_ = 0;
    int remotePort_ = 0;
    QString remoteHost_;
    QHostAddress bindAddress_ = QHostAddress::AnyIPv4;
    QTcpServer* server_ = nullptr;
    QTcpSocket* socket_ = nullptr;
    int watchFd_ = -1;  // a second handle of the connection, to tell a reset from a close
    unsigned generation_ = 0;  // counts connections, so an old one's events are dropped
};

// The array. Element 0 is always loaded.
class Winsock1 : public QObject {
    Q_OBJECT
public:
    explicit Winsock1(QObject* parent = nullptr);
    ~Winsock1() override;

    SocketElement& operator()(int index);  // a loaded element; index 0 when not loaded
    bool Loaded(int index) const;
    // Loads element `index` (Load Winsock1(index)); false when it is loaded already.
    bool Load(int index);
    void Unload(int index);        // element 0 cannot be unloaded
    std::vector<int> LoadedIndexes() const;
    // Callers announced on a listening element and not yet accepted.
    int PendingRequests() const { return static_cast<int>(pending_.size()); }

signals:
    void ConnectionRequest(int index, long requestId);
    void DataArrival(int index, qint64 bytesTotal);
    // The peer closed the connection in order (a reset is an Error). It comes after the
    // arrival of the last data the peer sent, which can still be read.
    void Close(int index);
    void Error(int index, int number, QString description);
    // A state changed or data came: a waiting loop looks again. Emitted at once, from
    // inside Qt's socket signals: only a wake-up may be connected to it.
    void Activity(int index);

private:
    friend class SocketElement;
    void OnNewConnection(SocketElement& listener);
    QTcpSocket* TakeRequest(long requestId);
    // Events go through the event loop, in the order they happened.
    void Post(std::function<void()> event);

    std::map<int, std::unique_ptr<SocketElement>> elements_;
    std::map<long, QTcpSocket*> pending_;
    long nextRequest_ = 1;
};

// The machine's IPv4 addresses in dotted form: the network's ones first, then the loopback.
QStringList GetIPAddress();

}  // namespace korbo::platform
