// A transport that plays a scripted peer: what the game sends is kept, and each line the
// game sends may release the peer's next answers into the receive buffer. A wait that
// finds nothing more to come sees the peer close, so no test can hang.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "game/ports.h"

namespace korbo::test {

class ScriptedTransport : public Transport {
public:
    int state = 7;  // the state of every element
    std::vector<std::string> sent;                   // every line sent
    std::vector<std::pair<int, std::string>> sentOn;  // with the element it went out on
    std::string inbox;                               // received and not yet taken
    std::deque<std::vector<std::string>> replies;    // answers released by each send
    std::deque<std::string> arrivals;                // raw chunks, one per wait for activity
    int waits = 0;
    bool listens = true;  // false: Listen fails, and raises no error event either

    int State(int) const override { return state; }
    bool Listen(int) override {
        if (!listens) return false;
        state = 2;
        return true;
    }
    bool Connect(std::string_view, int) override { state = 7; return true; }
    void Close(int) override { state = 0; }
    bool SendLine(int index, std::string_view text) override {
        if (state != 7) return false;
        sent.emplace_back(text);
        sentOn.emplace_back(index, std::string(text));
        if (!replies.empty()) {
            for (auto& r : replies.front()) inbox += r + "\n";
            replies.pop_front();
        }
        return true;
    }
    std::string Receive(int, std::size_t maxBytes) override {
        std::string s = inbox.substr(0, maxBytes);
        inbox.erase(0, s.size());
        return s;
    }
    std::string LocalAddress(int) const override { return "127.0.0.1"; }
    int LocalPort(int) const override { return 1001; }
    void WaitForActivity() override {
        ++waits;
        if (arrivals.empty()) {
            state = 8;  // nothing more will come: the peer has gone
            return;
        }
        inbox += arrivals.front();
        arrivals.pop_front();
    }

    // The peer says something without being asked.
    void Deliver(const std::string& line) { inbox += line + "\n"; }
};

}  // namespace korbo::test
