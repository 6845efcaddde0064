// SPDX-License-Identifier: MIT
#include "clock_random.h"

#include <chrono>

void ClockRandom::seedFromClock()
{
    seedFromTicks(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

void ClockRandom::seedFromTicks(std::uint64_t ticks)
{
    std::seed_seq seeds{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine.seed(seeds);
}

float ClockRandom::next()
{
    constexpr float step = 0x1p-24F;
    return static_cast<float>(engine() >> 8U) * step;
}
