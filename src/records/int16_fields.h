// The two ways a total is put into a 16-bit field of a file or a message.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace korbo::records {

// Taken to the nearest value the field holds (window places, running session totals).
inline int16_t Saturate16(long v) { return static_cast<int16_t>(std::clamp<long>(v, INT16_MIN, INT16_MAX)); }

// Totals of the score files: a game that would take one past its range is refused
// rather than wrapped, and the caller writes nothing.
inline int16_t Checked16(long v) {
    if (v < INT16_MIN || v > INT16_MAX) throw std::overflow_error("Overflow: a total is beyond its 16-bit range.");
    return static_cast<int16_t>(v);
}

}  // namespace korbo::records
