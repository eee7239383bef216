#include "platform/winsock.h"

#include <QNetworkInterface>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#if defined(__linux__)
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace korbo::platform {

namespace {

// The control's own descriptions of the errors it numbers.
const char* const kAddressInUseText = "Address in use";
const char* const kResetText = "Connection is reset by remote side";
const char* const kRefusedText = "Connection is forcefully rejected";
const char* const kHostNotFoundText = "Authoritative answer: Host not found";
const char* const kTimedOutText = "Connection is timed out";
const char* const kBadStateText = "Wrong protocol or connection state for the requested transaction or request";

struct NumberedError {
    int number;
    QString description;
};

NumberedError Numbered(QAbstractSocket::SocketError e, const QString& qtText) {
    switch (e) {
        case QAbstractSocket::ConnectionRefusedError: return {sckerr::ConnectionRefused, kRefusedText};
        case QAbstractSocket::AddressInUseError: return {sckerr::AddressInUse, kAddressInUseText};
        case QAbstractSocket::HostNotFoundError: return {sckerr::HostNotFound, kHostNotFoundText};
        case QAbstractSocket::SocketTimeoutError: return {sckerr::TimedOut, kTimedOutText};
        case QAbstractSocket::NetworkError: return {sckerr::NetworkDown, qtText};
        case QAbstractSocket::SocketAccessError: return {sckerr::AccessDenied, qtText};
        case QAbstractSocket::SocketResourceError: return {sckerr::NoBufferSpace, qtText};
        default: return {sckerr::kOtherErrorBase + static_cast<int>(e), qtText};
    }
}

bool IsIPv4(const QHostAddress& a) {
    bool ok = false;
    a.toIPv4Address(&ok);
    return ok && a.protocol() == QAbstractSocket::IPv4Protocol;
}

}  // namespace

// --- the elements -------------------------------------------------------------------------

SocketElement::SocketElement(Winsock1& owner, int index) : QObject(&owner), owner_(owner), index_(index) {}

SocketElement::~SocketElement() { ReleaseSocket(); }

int SocketElement::LocalPort() const {
    if (server_ && server_->isListening()) return server_->serverPort();
    if (socket_ && socket_->localPort() != 0) return socket_->localPort();
    return localPort_;
}

int SocketElement::RemotePort() const {
    if (socket_ && socket_->peerPort() != 0) return socket_->peerPort();
    return remotePort_;
}

QString SocketElement::LocalIP() const {
    if (socket_ && IsIPv4(socket_->localAddress())) return socket_->localAddress().toString();
    if (server_ && server_->isListening() && IsIPv4(server_->serverAddress()) &&
        server_->serverAddress() != QHostAddress(QHostAddress::AnyIPv4))
        return server_->serverAddress().toString();
    const QStringList own = GetIPAddress();
    return own.isEmpty() ? QString("127.0.0.1") : own.first();
}

QString SocketElement::RemoteHostIP() const {
    return socket_ ? socket_->peerAddress().toString() : QString();
}

qint64 SocketElement::BytesReceived() const { return socket_ ? socket_->bytesAvailable() : 0; }

void SocketElement::SetState(int s) {
    if (state_ == s) return;
    state_ = s;
    emit owner_.Activity(index_);
}

void SocketElement::RaiseError(int number, const QString& description) {
    const unsigned gen = generation_;
    QPointer<SocketElement> self(this);
    owner_.Post([self, gen, number, description] {
        if (self && self->generation_ == gen) emit self->owner_.Error(self->index_, number, description);
    });
}

void SocketElement::RaiseErrorNow(int number, const QString& description) {
    emit owner_.Error(index_, number, description);
}

bool SocketElement::Listen() {
    // Raised at once: the caller is the game, not one of Qt's socket signals, and it must
    // not go on as if it were listening (a closed element would be taken for a peer gone).
    if (state_ != sck::Closed) {
        RaiseErrorNow(sckerr::BadState, kBadStateText);
        return false;
    }
    ++generation_;
    server_ = new QTcpServer(this);
    if (!server_->listen(bindAddress_, static_cast<quint16>(localPort_))) {
        const NumberedError e = Numbered(server_->serverError(), server_->errorString());
        delete server_;
        server_ = nullptr;
        RaiseErrorNow(e.number, e.description);
        return false;
    }
    connect(server_, &QTcpServer::newConnection, this, [this] { owner_.OnNewConnection(*this); });
    SetState(sck::Listening);
    return true;
}

bool SocketElement::Connect(const QString& host, int port) {
    remoteHost_ = host;
    remotePort_ = port;
    return Connect();
}

bool SocketElement::Connect() {
    if (state_ != sck::Closed) {
        RaiseError(sckerr::BadState, kBadStateText);
        return false;
    }
    ++generation_;
    auto* s = new QTcpSocket(this);
    if (localPort_ != 0 && !s->bind(QHostAddress::AnyIPv4, static_cast<quint16>(localPort_))) {
        const NumberedError e = Numbered(s->error(), s->errorString());
        delete s;
        RaiseError(e.number, e.description);
        return false;
    }
    Adopt(s);
    SetState(sck::Connecting);
    s->connectToHost(remoteHost_, static_cast<quint16>(remotePort_));
    return true;
}

bool SocketElement::Accept(long requestId) {
    if (state_ != sck::Closed) {
        RaiseError(sckerr::BadState, kBadStateText);
        return false;
    }
    QTcpSocket* s = owner_.TakeRequest(requestId);
    if (!s) {
        RaiseError(sckerr::BadState, kBadStateText);
        return false;
    }
    ++generation_;
    s->setParent(this);
    Adopt(s);
    SetState(s->state() == QAbstractSocket::ConnectedState ? sck::Connected : sck::Closing);
    return true;
}

void SocketElement::Adopt(QTcpSocket* s) {
    socket_ = s;
    auto watch = [this] {
#if defined(__linux__)
        if (watchFd_ < 0 && socket_ && socket_->socketDescriptor() >= 0)
            watchFd_ = ::dup(static_cast<int>(socket_->socketDescriptor()));
#endif
    };
    // The game's lines are short and answered one by one: none may wait for a delayed
    // acknowledgement of the one before.
    auto noDelay = [this] {
        if (socket_) socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    };
    if (s->state() == QAbstractSocket::ConnectedState) {
        watch();
        noDelay();
    }
    connect(s, &QTcpSocket::connected, this, [this, watch, noDelay] {
        watch();
        noDelay();
        SetState(sck::Connected);
    });
    connect(s, &QTcpSocket::readyRead, this, [this] { OnReadyRead(); });
    connect(s, &QTcpSocket::errorOccurred, this, [this] { OnSocketError(); });
    connect(s, &QTcpSocket::disconnected, this, [this] { OnDisconnected(); });
    // Whatever a caller sent before it was accepted is announced like any arrival.
    if (s->bytesAvailable() > 0) OnReadyRead();
}

void SocketElement::OnReadyRead() {
    const unsigned gen = generation_;
    QPointer<SocketElement> self(this);
    owner_.Post([self, gen] {
        if (!self || self->generation_ != gen) return;
        const qint64 n = self->BytesReceived();
        if (n > 0) emit self->owner_.DataArrival(self->index_, n);
    });
    emit owner_.Activity(index_);
}

bool SocketElement::PeerReset() const {
#if defined(__linux__)
    if (watchFd_ < 0) return false;
    tcp_info info{};
    socklen_t len = sizeof info;
    if (::getsockopt(watchFd_, IPPROTO_TCP, TCP_INFO, &info, &len) != 0) return false;
    // A closing peer leaves the connection half open; a reset closes it at once.
    return info.tcpi_state == TCP_CLOSE;
#else
    return false;
#endif
}

void SocketElement::OnSocketError() {
    if (!socket_) return;
    const QAbstractSocket::SocketError e = socket_->error();
    if (e == QAbstractSocket::RemoteHostClosedError) {
        if (PeerReset()) {
            SetState(sck::Error);
            RaiseError(sckerr::ConnectionReset, kResetText);
        } else {
            PeerClosed();  // what it sent can still be read
        }
        return;
    }
    const NumberedError n = Numbered(e, socket_->errorString());
    SetState(sck::Error);
    RaiseError(n.number, n.description);
}

void SocketElement::OnDisconnected() {
    if (state_ == sck::Connected || state_ == sck::Connecting) PeerClosed();
}

void SocketElement::PeerClosed() {
    if (state_ == sck::Closing) return;
    SetState(sck::Closing);
    const unsigned gen = generation_;
    QPointer<SocketElement> self(this);
    owner_.Post([self, gen] {
        if (self && self->generation_ == gen) emit self->owner_.Close(self->index_);
    });
}

bool SocketElement::SendData(const QByteArray& bytes) {
    if (!socket_ || state_ != sck::Connected) {
        RaiseError(sckerr::BadState, kBadStateText);
        return false;
    }
    if (socket_->write(bytes) != bytes.size()) return false;
    socket_->flush();
    return true;
}

QByteArray SocketElement::GetData(qint64 maxBytes) {
    if (!socket_) return {};
    return maxBytes < 0 ? socket_->readAll() : socket_->read(maxBytes);
}

void SocketElement::ReleaseSocket() {
    if (socket_) {
        QTcpSocket* s = socket_;
        socket_ = nullptr;
        s->disconnect(this);
        // Orderly: what was written still goes out, so the socket outlives its element
        // until it has gone.
        s->setParent(&owner_);
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
        else connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    }
    if (server_) {
        server_->disconnect(this);
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
#if defined(__linux__)
    if (watchFd_ >= 0) ::close(watchFd_);
#endif
    watchFd_ = -1;
}

void SocketElement::Close() {
    ReleaseSocket();
    ++generation_;  // nothing of the old connection is announced any more
    state_ = sck::Closed;
    emit owner_.Activity(index_);
}

// --- the array ---------------------------------------------------------------------------

Winsock1::Winsock1(QObject* parent) : QObject(parent) { Load(0); }

Winsock1::~Winsock1() {
    for (auto& [id, s] : pending_) delete s;
    elements_.clear();
}

SocketElement& Winsock1::operator()(int index) {
    auto it = elements_.find(index);
    return it != elements_.end() ? *it->second : *elements_.at(0);
}

bool Winsock1::Loaded(int index) const { return elements_.count(index) != 0; }

bool Winsock1::Load(int index) {
    if (index < 0 || Loaded(index)) return false;
    elements_[index] = std::make_unique<SocketElement>(*this, index);
    return true;
}

void Winsock1::Unload(int index) {
    if (index == 0) return;
    auto it = elements_.find(index);
    if (it == elements_.end()) return;
    it->second->Close();
    elements_.erase(it);
}

std::vector<int> Winsock1::LoadedIndexes() const {
    std::vector<int> out;
    for (const auto& [i, e] : elements_) out.push_back(i);
    return out;
}

void Winsock1::Post(std::function<void()> event) {
    QMetaObject::invokeMethod(this, std::move(event), Qt::QueuedConnection);
}

void Winsock1::OnNewConnection(SocketElement& listener) {
    QTcpServer* server = listener.server_;
    while (server && server->hasPendingConnections()) {
        QTcpSocket* s = server->nextPendingConnection();
        s->setParent(this);
        const long id = nextRequest_++;
        pending_[id] = s;
        const int index = listener.index_;
        const unsigned gen = listener.generation_;
        QPointer<SocketElement> self(&listener);
        Post([this, self, gen, index, id] {
            if (self && self->generation_ == gen) emit ConnectionRequest(index, id);
            // A request nobody accepted is turned away.
            if (QTcpSocket* left = TakeRequest(id)) {
                left->abort();
                left->deleteLater();
            }
        });
    }
}

QTcpSocket* Winsock1::TakeRequest(long requestId) {
    auto it = pending_.find(requestId);
    if (it == pending_.end()) return nullptr;
    QTcpSocket* s = it->second;
    pending_.erase(it);
    return s;
}

QStringList GetIPAddress() {
    QStringList network, loopback;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (!IsIPv4(a)) continue;
        (a.isLoopback() ? loopback : network) << a.toString();
    }
    return network + loopback;
}

}  // namespace korbo::platform
