// The point at a fraction of the way between two points, as the table's slides use it.
#pragma once

#include <cstdint>

namespace korbo {

// x := floor((x2 - x1) * t + x1 + 0.5), y likewise: halves go up (2.5 -> 3, -2.5 -> -2).
// The product is taken in single precision; a result beyond the 16-bit range is clamped.
void InterpolatePoint(int16_t x1, int16_t y1, int16_t x2, int16_t y2, float t, int16_t& x, int16_t& y);

// A table coordinate clamped into the 16-bit range the slide arithmetic works in.
int16_t ClampToInt16(long v);

}  // namespace korbo
