// SPDX-License-Identifier: MIT
#pragma once

#include "exercise_view.h"
#include "random_source.h"

#include <cstdint>

// Runs the exercise behind the window's events. Form_Load seeds the random source once and shows
// the first exercise; Command1_Click ("Чисти") empties the feedback and shows a new one;
// Option1_Click judges a chosen formula against FormulaIndex, the only state kept between events,
// and answers "Правилно!" or "Сравнете с " with the caption of the right option. A new exercise
// is ResetTask (deselect all options, refill the pools) then GenerateExpression (draw, write the
// text into the expression box in one piece).
class ExerciseController {
public:
    ExerciseController(ExerciseView &window, RandomSource &generator)
        : view(&window), random(&generator)
    {
    }

    void Form_Load();
    void Command1_Click();
    void Option1_Click(std::int16_t Index);

    std::int16_t formulaIndex() const { return FormulaIndex; }

private:
    void ResetTask();
    void GenerateExpression();

    // Pointers rather than references, so that a controller can be assigned; never null.
    ExerciseView *view;
    RandomSource *random;
    std::int16_t FormulaIndex = 0;
};
