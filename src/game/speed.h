// The speed dialog's two scales: the computer's pause after each of its actions, and the
// number of steps of a card flight.
#pragma once

#include <array>
#include <cstdint>

namespace korbo::speed {

// The speed bar's positions 0..5, slowest first, with the pause each sets.
inline constexpr std::array<const char*, 6> kSpeedNames = {"coma", "turtle", "human", "rabbit", "blink", "light"};
inline constexpr std::array<double, 6> kTempoDelay = {0.9, 0.6, 0.38, 0.2, 0.05, 0.0};
constexpr int kLastSpeed = 5;

// The card-animation bar's positions 0..10 and the steps of a flight each sets.
inline constexpr std::array<int16_t, 11> kWalkSteps = {2, 10, 20, 45, 70, 95, 120, 150, 180, 220, 250};
constexpr int kLastWalkPosition = 10;
// A step count of 0 (never set) is read as this one.
constexpr int16_t kDefaultWalkSteps = 45;

// The bar position of a step count, -1 when the count is not one of the bar's.
constexpr int WalkPosition(int16_t steps) {
    for (int i = 0; i <= kLastWalkPosition; ++i)
        if (kWalkSteps[static_cast<size_t>(i)] == steps) return i;
    return -1;
}

}  // namespace korbo::speed
