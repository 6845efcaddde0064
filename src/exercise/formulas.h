// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

// The nine formulas of abridged multiplication, numbered as the exercise numbers them: the
// index of a formula is the index of the option button that carries its caption and of the
// template that writes its expression.
inline constexpr int FormulaCount = 9;

inline constexpr std::array<std::string_view, FormulaCount> formulaCaptions{
    "(x + y)^2", "(x - y)^2", "x^2 - y^2", "(x + y + z)^2", "(x + y - z)^2",
    "(x + y)^3", "(x - y)^3", "x^3 + y^3", "x^3 - y^3",
};
