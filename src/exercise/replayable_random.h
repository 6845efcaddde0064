// SPDX-License-Identifier: MIT
#pragma once

#include "clock_random.h"
#include "random_source.h"

#include <cstdint>

// The program's generator as if the clock read `seed` when the window loaded; seeding it from the
// clock again keeps that seed, so a run draws the same exercises every time.
// For runs that must draw the same exercises again: tests and benchmarks.
class ReplayableRandom final : public RandomSource {
public:
    explicit ReplayableRandom(std::uint64_t seed) { generator.seedFromTicks(seed); }

    void seedFromClock() override {}
    float next() override { return generator.next(); }

private:
    ClockRandom generator;
};
