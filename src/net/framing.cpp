#include "framing.h"

#include <algorithm>

namespace korbo::net {

Arrival AppendArrival(std::string& buffer, std::string_view bytes) {
    if (bytes.size() > RoomLeft(buffer)) return Arrival::Overflow;
    buffer.append(bytes);
    return Arrival::Ok;
}

std::size_t RoomLeft(std::string_view buffer) {
    return buffer.size() >= kMaxBuffer ? 0 : kMaxBuffer - buffer.size();
}

bool FirstLine(std::string_view buffer, std::string_view& line) {
    const std::size_t lf = buffer.find(kMsgEnd);
    if (lf == std::string_view::npos) {
        line = {};
        return false;
    }
    line = buffer.substr(0, lf);
    return true;
}

std::size_t CompleteLines(std::string_view buffer) {
    return static_cast<std::size_t>(std::count(buffer.begin(), buffer.end(), kMsgEnd));
}

std::string Framed(std::string_view message) {
    std::string s(message);
    s += kMsgEnd;
    return s;
}

}  // namespace korbo::net
