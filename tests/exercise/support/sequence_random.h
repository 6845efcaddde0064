// SPDX-License-Identifier: MIT
#pragma once

#include "random_source.h"

#include <cstddef>
#include <utility>
#include <vector>

// A random source that returns a fixed list of values over and over, and counts how often it was
// seeded.
class SequenceRandom final : public RandomSource {
public:
    explicit SequenceRandom(std::vector<float> values) : values(std::move(values)) {}

    void seedFromClock() override { ++seeds; }
    float next() override
    {
        const float value = values[taken % values.size()];
        ++taken;
        return value;
    }

    int seedCount() const { return seeds; }
    std::size_t valuesTaken() const { return taken; }

private:
    std::vector<float> values;
    std::size_t taken = 0;
    int seeds = 0;
};
