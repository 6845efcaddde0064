// SPDX-License-Identifier: MIT
#pragma once

#include "clock_random.h"
#include "random_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The seed of a test that draws at random: ZANTREL_TEST_SEED's when it is set, else `fallback`.
// Printed with the command that replays the run, so that a failure's output says how.
inline std::uint64_t testSeed(const char *test, std::uint64_t fallback)
{
    std::uint64_t seed = fallback;
    if (const char *given = std::getenv("ZANTREL_TEST_SEED"); given != nullptr && *given != '\0') {
        char *end = nullptr;
        const unsigned long long value = std::strtoull(given, &end, 10);
        if (*end == '\0') {
            seed = value;
        }
    }
    std::printf("%s: seed %llu (to replay: ZANTREL_TEST_SEED=%llu ctest -R %s)\n", test,
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed), test);
    std::fflush(stdout);
    return seed;
}

// The program's generator as if the clock read `seed` when the window loaded; seeding it from the
// clock again keeps that seed, so a run draws the same exercises every time.
class ReplayableRandom final : public RandomSource {
public:
    explicit ReplayableRandom(std::uint64_t seed) { generator.seedFromTicks(seed); }

    void seedFromClock() override {}
    float next() override { return generator.next(); }

private:
    ClockRandom generator;
};
