// The line framing of the receive buffer: arrivals are appended, complete lines are cut
// off the front, and neither one line nor the buffer may grow past the cap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korbo::net {

// The longest line a peer may send, line feed included: far above the longest legal line
// (a saved-game list of a few KB) and any chat line a person types. The buffer never holds
// more than that either.
constexpr std::size_t kMaxLine = 64 * 1024;
constexpr std::size_t kMaxBuffer = kMaxLine;

constexpr char kMsgEnd = '\n';

enum class Arrival { Ok, Overflow };

// Appends received bytes to the buffer. Overflow when the buffer would exceed the cap; the
// buffer is then left as it was and the connection is not to be trusted any more.
Arrival AppendArrival(std::string& buffer, std::string_view bytes);

// How many more bytes the buffer can take (so a reader never pulls more than that, plus
// one to see an overflow).
std::size_t RoomLeft(std::string_view buffer);

// The first complete line without its line feed; empty and false when there is none.
bool FirstLine(std::string_view buffer, std::string_view& line);
std::size_t CompleteLines(std::string_view buffer);

// One line as it goes on the wire.
std::string Framed(std::string_view message);

}  // namespace korbo::net
