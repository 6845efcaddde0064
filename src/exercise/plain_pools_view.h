// SPDX-License-Identifier: MIT
#pragma once

#include "exercise_view.h"
#include "vector_pool.h"

// A view that keeps its pools as plain lists (the page, tests, benchmarks) rather than in
// controls of its own.
class PlainPoolsView : public ExerciseView {
public:
    Pool &numberPool() override { return numbers; }
    Pool &letterPool() override { return letters; }

protected:
    VectorPool numbers;
    VectorPool letters;
};
