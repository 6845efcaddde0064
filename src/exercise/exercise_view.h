// SPDX-License-Identifier: MIT
#pragma once

#include "formulas.h"
#include "pool.h"

#include <cstddef>
#include <string>
#include <string_view>

// What the exercise needs from its window: the feedback box, the expression box, the nine option
// buttons and the two pools. A view shows the texts, clears the options and keeps the pools (a
// window in hidden controls of its own; PlainPoolsView as plain lists); the options' captions
// are the formulas' own unless the view keeps them itself, as the desktop window's options do.
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
    virtual Pool &numberPool() = 0;
    virtual Pool &letterPool() = 0;
};
