// SPDX-License-Identifier: MIT
#pragma once

#include "exercise_view.h"
#include "vector_pool.h"

// A view without list boxes of its own (the page, tests, benchmarks) keeps its pools as plain
// lists.
class PlainPoolsView : public ExerciseView {
public:
    Pool &numberPool() override { return numbers; }
    Pool &letterPool() override { return letters; }

protected:
    VectorPool numbers;
    VectorPool letters;
};
