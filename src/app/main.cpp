// SPDX-License-Identifier: MIT
// Shows a few exercises on the console, each with its formula.
#include "clock_random.h"
#include "draws.h"
#include "expression_builder.h"
#include "formulas.h"
#include "vector_pool.h"

#include <iostream>

int main()
{
    VectorPool numbers;
    VectorPool letters;
    ClockRandom random;
    random.seedFromClock();
    for (int i = 0; i < 5; ++i) {
        refillPools(numbers, letters);
        const Draws draws = drawExercise(random, numbers, letters);
        std::cout << buildExpression(draws) << "    <- "
                  << formulaCaptions.at(static_cast<std::size_t>(draws.formulaIndex)) << '\n';
    }
    return 0;
}
