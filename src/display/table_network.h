// The table's socket array as the game's Transport: the Winsock1 elements on Qt Network,
// their events handed to the game's handlers, and the wait that sleeps in the event loop
// until the network or the user does something.
#pragma once

#include <QObject>

#include "game/ports.h"
#include "platform/winsock.h"

namespace korbo {
class Game;
}

namespace korbo::ui {

class TableNetwork final : public QObject, public Transport {
    Q_OBJECT
public:
    explicit TableNetwork(Game& game, QObject* parent = nullptr);

    platform::Winsock1& Winsock1() { return sockets_; }
    // Where the host listens: every IPv4 address unless set (the tests keep to 127.0.0.1).
    void SetBindAddress(const QHostAddress& a) { bind_ = a; }

    int State(int index) const override;
    bool Listen(int port) override;
    bool Connect(std::string_view host, int port) override;
    bool Accept(int index, long requestId) override;
    void Close(int index) override;
    void Unload(int index) override;
    bool SendLine(int index, std::string_view text) override;
    std::string Receive(int index, std::size_t maxBytes) override;
    std::string LocalAddress(int index) const override;
    int LocalPort(int index) const override;
    void SetLocalPort(int index, int port) override;
    std::vector<std::string> Addresses() const override;
    void WaitForActivity() override;

private:
    platform::SocketElement* Element(int index) const;

    Game& game_;
    platform::Winsock1 sockets_;
    QHostAddress bind_ = QHostAddress::AnyIPv4;
};

}  // namespace korbo::ui
