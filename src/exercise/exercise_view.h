// SPDX-License-Identifier: MIT
#pragma once

#include "pool.h"

#include <string>
#include <string_view>

// What the exercise needs from its window: the feedback box, the expression box, the nine option
// buttons and the two pools. The real window backs it with widgets; tests use a plain stand-in.
class ExerciseView {
public:
    virtual ~ExerciseView() = default;

    virtual void setFeedbackText(std::string_view text) = 0;
    virtual void setExpressionText(std::string text) = 0;
    // Leaves option `index` unselected without raising its click.
    virtual void deselectOption(int index) = 0;
    virtual std::string optionCaption(int index) const = 0;
    virtual Pool &numberPool() = 0;
    virtual Pool &letterPool() = 0;
};
