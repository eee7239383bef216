#include "interpolate_point.h"

#include <cmath>

namespace korbo {

int16_t ClampToInt16(long v) {
    if (v > INT16_MAX) return INT16_MAX;
    if (v < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(v);
}

namespace {

int16_t Along(int16_t a, int16_t b, float t) {
    // The difference of two 16-bit values needs 17 bits; it is kept whole, not wrapped.
    const float product = static_cast<float>(static_cast<int>(b) - static_cast<int>(a)) * t;
    const double v = std::floor(static_cast<double>(product) + a + 0.5);
    if (!std::isfinite(v)) return a;
    if (v > INT16_MAX) return INT16_MAX;
    if (v < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(v);
}

}  // namespace

void InterpolatePoint(int16_t x1, int16_t y1, int16_t x2, int16_t y2, float t, int16_t& x, int16_t& y) {
    x = Along(x1, x2, t);
    y = Along(y1, y2, t);
}

}  // namespace korbo
