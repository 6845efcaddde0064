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
    explicit SequenceRandom(std::vector<float> sequence) : values(std::move(sequence)) {}

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

// Two known exercises, seven values each: (x + y)^3 with a = 6, x = e, b = 3, y = a (the text
// " 216*e^3 +  324*e^2*a +  162*e*a^2 +  27*a^3"), then x^2 - y^2 with a = 5, x = a, b = 1, y = b.
inline std::vector<float> twoKnownExercises()
{
    return {0.05F,  0.5F, 0.3F, 0.7F, 0.9F, 0.12F, 0.005F, //
            0.125F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F,  0.002F};
}

// The first of them alone, followed by `more`.
inline std::vector<float> firstKnownExercise(std::vector<float> more = {})
{
    std::vector<float> values = twoKnownExercises();
    values.resize(7);
    values.insert(values.end(), more.begin(), more.end());
    return values;
}
