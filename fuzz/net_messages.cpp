// What a peer sends, as it reaches the receive buffer: arrivals of any size appended under
// the cap, complete lines cut off and parsed. The first byte of the input chooses how the
// rest is cut into arrivals, so a line split across arrivals is tried as often as a whole one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/framing.h"
#include "net/protocol.h"
#include "records/text_number.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// What every parsed line must satisfy, and what the builders must give back.
void CheckParsed(int type, const korbo::net::NetFields& f) {
    using namespace korbo::net;
    Check(type >= msg::None && type <= msg::Last);
    Check(type == f.NetMsgType);
    if (type == msg::IP) Check(f.PeerVersion == "NG" || f.PeerVersion.size() <= 2);
    if (type == msg::PC) {
        // A move rebuilt from what was read reads back the same (the source field is three
        // characters wide, sign position included).
        const long target = korbo::records::Val(f.NetMsgText);
        if (f.NetMsgNumber >= -99 && f.NetMsgNumber <= 99 && target > -1000000 && target < 1000000) {
            std::string again = MoveMsg(static_cast<int>(f.NetMsgNumber), static_cast<int>(target)) + "\n";
            NetFields g;
            Check(ParseMessage(again, g) == msg::PC);
            Check(g.NetMsgNumber == f.NetMsgNumber);
            Check(korbo::records::Val(g.NetMsgText) == target);
        }
    }
    if (type == msg::SY && !f.ChatUnnumbered) {
        std::string again = ChatMsg(f.NetMsgNumber, f.NetMsgText) + "\n";
        NetFields g;
        Check(ParseMessage(again, g) == msg::SY);
        Check(g.NetMsgNumber == f.NetMsgNumber);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korbo::net;
    if (size == 0) return 0;
    const size_t chunk = 1 + data[0] % 64;  // arrival size: 1..64 bytes, or everything
    const bool whole = data[0] >= 192;
    const std::string_view wire(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string buffer;
    NetFields fields;
    bool overflow = false;
    for (size_t at = 0; at < wire.size() && !overflow;) {
        const size_t n = whole ? wire.size() : std::min(chunk, wire.size() - at);
        const size_t before = buffer.size();
        if (AppendArrival(buffer, wire.substr(at, n)) == Arrival::Overflow) {
            Check(buffer.size() == before);  // refused whole, nothing kept
            overflow = true;
            break;
        }
        at += n;
        Check(buffer.size() <= kMaxBuffer);
        // Every complete line is parsed; the tail waits for its line feed.
        while (CompleteLines(buffer) > 0) {
            const size_t had = buffer.size();
            const int type = ParseMessage(buffer, fields);
            Check(buffer.size() < had);
            CheckParsed(type, fields);
        }
        const size_t tail = buffer.size();
        const int none = ParseMessage(buffer, fields);
        Check(none == msg::None && buffer.size() == tail);
    }
    return 0;
}
