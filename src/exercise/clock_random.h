// SPDX-License-Identifier: MIT
#pragma once

#include "random_source.h"

#include <cstdint>
#include <random>

// The program's random generator: a Mersenne Twister whose top 24 bits become a float in [0, 1),
// so every value is exactly representable and uniformly spaced at steps of 2^-24.
class ClockRandom final : public RandomSource {
public:
    explicit ClockRandom(std::uint32_t seed = std::mt19937::default_seed) : engine(seed) {}

    void seedFromClock() override;
    // Seeds the sequence as seedFromClock does when the clock reads `ticks`.
    void seedFromTicks(std::uint64_t ticks);
    float next() override;

private:
    std::mt19937 engine;
};
