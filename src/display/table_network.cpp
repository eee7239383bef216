#include "display/table_network.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "game/game.h"

namespace korbo::ui {

TableNetwork::TableNetwork(Game& game, QObject* parent) : QObject(parent), game_(game) {
    connect(&sockets_, &platform::Winsock1::ConnectionRequest, this,
            [this](int index, long requestId) { game_.Winsock1_ConnectionRequest(index, requestId); });
    connect(&sockets_, &platform::Winsock1::DataArrival, this,
            [this](int index, qint64) { game_.Winsock1_DataArrival(index); });
    connect(&sockets_, &platform::Winsock1::Close, this, [this](int index) { game_.Winsock1_Close(index); });
    connect(&sockets_, &platform::Winsock1::Error, this, [this](int index, int number, const QString& description) {
        game_.Winsock1_Error(index, number, description.toStdString());
    });
}

platform::SocketElement* TableNetwork::Element(int index) const {
    auto& s = const_cast<platform::Winsock1&>(sockets_);
    return s.Loaded(index) ? &s(index) : nullptr;
}

int TableNetwork::State(int index) const {
    const platform::SocketElement* e = Element(index);
    return e ? e->State() : 0;
}

bool TableNetwork::Listen(int port) {
    platform::SocketElement& e = sockets_(0);
    e.SetBindAddress(bind_);
    e.SetLocalPort(port);
    return e.Listen();
}

bool TableNetwork::Connect(std::string_view host, int port) {
    return sockets_(0).Connect(QString::fromStdString(std::string(host)), port);
}

bool TableNetwork::Accept(int index, long requestId) {
    if (index < 1) return false;
    if (!sockets_.Loaded(index)) sockets_.Load(index);
    return sockets_(index).Accept(requestId);
}

void TableNetwork::Close(int index) {
    if (platform::SocketElement* e = Element(index)) e->Close();
}

void TableNetwork::Unload(int index) {
    if (index > 0 && sockets_.Loaded(index)) sockets_.Unload(index);
}

bool TableNetwork::SendLine(int index, std::string_view text) {
    platform::SocketElement* e = Element(index);
    if (!e) return false;
    QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    bytes.append('\n');
    return e->SendData(bytes);
}

std::string TableNetwork::Receive(int index, std::size_t maxBytes) {
    platform::SocketElement* e = Element(index);
    if (!e || maxBytes == 0) return {};
    const QByteArray got = e->GetData(static_cast<qint64>(maxBytes));
    return std::string(got.constData(), static_cast<std::size_t>(got.size()));
}

std::string TableNetwork::LocalAddress(int index) const {
    const platform::SocketElement* e = Element(index);
    return e ? e->LocalIP().toStdString() : std::string();
}

int TableNetwork::LocalPort(int index) const {
    const platform::SocketElement* e = Element(index);
    return e ? e->LocalPort() : 0;
}

void TableNetwork::SetLocalPort(int index, int port) {
    if (platform::SocketElement* e = Element(index)) e->SetLocalPort(port);
}

std::vector<std::string> TableNetwork::Addresses() const {
    std::vector<std::string> out;
    for (const QString& a : platform::GetIPAddress()) out.push_back(a.toStdString());
    return out;
}

void TableNetwork::WaitForActivity() {
    // Sleeps until something is there: socket data, a socket's change, a window event.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace korbo::ui
