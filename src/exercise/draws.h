// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"
#include "random_source.h"

#include <cstdint>
#include <string>

// The random part of an exercise. refillPools() fills the number pool with "1".."9" and the
// letter pool with "a".."i"; drawExercise() then takes three numbers and three letters from them,
// alternating, and finally the formula. Every choice uses drawRule(): the next random value r,
// times a multiplier, rounded half to even, modulo a divisor. The divisors (8, 7, 6) are one less
// than the pool sizes (9, 8, 7), so the last item of a pool, "9" or "i", is never drawn.
struct Draws {
    double a = 0;
    std::int16_t b = 0;
    std::int16_t c = 0;
    std::string x;
    std::string y;
    std::string z;
    std::int16_t formulaIndex = 0;
};

// round(r * multiplier) mod divisor, with halves rounded to the even neighbour.
int drawRule(float r, int multiplier, int divisor);

void refillPools(Pool &numbers, Pool &letters);

// Takes seven random values, in this order: a, x, b, y, c, z, formula. Leaves six items in each
// pool.
Draws drawExercise(RandomSource &random, Pool &numbers, Pool &letters);
