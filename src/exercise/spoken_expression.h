// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// An exercise text or formula caption in words that a Bulgarian screen reader speaks well:
// " 9*c^2 +  24*c*b" becomes "9 по c на квадрат плюс 24 по c по b". Numbers and letters stay as
// they are; "^2" and "^3" become "на квадрат" and "на куб", "*" "по", "+" "плюс", "-" "минус", and
// the brackets "отваряща скоба" and "затваряща скоба".
std::string spokenExpression(std::string_view text);
