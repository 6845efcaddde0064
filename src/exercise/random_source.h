// SPDX-License-Identifier: MIT
#pragma once

// Where an exercise takes its random values from. The program uses one clock-seeded generator
// (ClockRandom) for its whole run; tests pass fixed sequences so that every draw is exact.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Seeds the sequence from the system clock. Called once, when the window loads.
    virtual void seedFromClock() = 0;
    // The next value of the sequence: a single-precision number with 0 <= value < 1.
    virtual float next() = 0;
};
