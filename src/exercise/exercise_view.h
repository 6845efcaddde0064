// SPDX-License-Identifier: MIT
#pragma once

#include "formulas.h"
#include "pool.h"
#include "vector_pool.h"

#include <cstddef>
#include <string>
#include <string_view>

// What the exercise needs from its window: the feedback box, the expression box, the nine option
// buttons and the two pools. A view shows the texts and clears the options; the pools and the
// options' captions are plain lists and the formulas' own captions unless the view keeps them
// itself, as the desktop window does in its hidden list boxes and option buttons.
class ExerciseView {
public:
    virtual ~ExerciseView() = default;

    virtual void setFeedbackText(std::string_view text) = 0;
    virtual void setExpressionText(std::string text) = 0;
    // Leaves option `index` unselected without raising its click.
    virtual void deselectOption(int index) = 0;

    virtual std::string optionCaption(int index) const
    {
        return std::string(formulaCaptions.at(static_cast<std::size_t>(index)));
    }
    virtual Pool &numberPool() { return numbers; }
    virtual Pool &letterPool() { return letters; }

protected:
    VectorPool numbers;
    VectorPool letters;
};
