// A transport that plays a scripted peer: what the game sends is kept, and each line the
// game sends may release the peer's next answers into the receive buffer.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "game/ports.h"

namespace korbo::test {

class ScriptedTransport : public Transport {
public:
    int state = 7;
    std::vector<std::string> sent;
    std::string inbox;                       // received and not yet taken
    std::deque<std::vector<std::string>> replies;  // answers released by each send

    int State() const override { return state; }
    bool Listen(int) override { state = 2; return true; }
    bool Connect(std::string_view, int) override { state = 7; return true; }
    void Close() override { state = 0; }
    bool SendLine(std::string_view text) override {
        if (state != 7) return false;
        sent.emplace_back(text);
        if (!replies.empty()) {
            for (auto& r : replies.front()) inbox += r + "\n";
            replies.pop_front();
        }
        return true;
    }
    std::string TakeReceived() override {
        std::string s;
        s.swap(inbox);
        return s;
    }
    std::string LocalAddress() const override { return "127.0.0.1"; }
    int LocalPort() const override { return 1001; }

    // The peer says something without being asked.
    void Deliver(const std::string& line) { inbox += line + "\n"; }
};

}  // namespace korbo::test
