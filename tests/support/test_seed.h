// SPDX-License-Identifier: MIT
#pragma once

#include "replayable_random.h"

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
