// The game's random source: a Mersenne twister behind the Random port.
#pragma once

#include <cstdint>
#include <random>

#include "ports.h"

namespace korbo {

class MtRandom final : public Random {
public:
    explicit MtRandom(uint64_t seed = 1) : gen_(seed) {}
    double Next() override {
        // 53 random bits give a double in [0, 1) that never rounds up to 1.
        return static_cast<double>(gen_() >> 11) * (1.0 / 9007199254740992.0);
    }
    void Seed(double seed) override { gen_.seed(static_cast<uint64_t>(seed * 1000.0)); }

private:
    std::mt19937_64 gen_;
};

}  // namespace korbo
