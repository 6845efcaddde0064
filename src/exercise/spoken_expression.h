// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// An exercise text or formula caption in words that a Bulgarian screen reader speaks well:
// " 9*c^2 +  24*c*b" becomes "9 по c на квадрат плюс 24 по c по b". Numbers and letters stay as
// they are; "^2" and "^3" become "на квадрат" and "на куб", "*" "по", "+" "плюс", "-" "минус", and
// the brackets "отваряща скоба" and "затваряща скоба".
std::string spokenExpression(std::string_view text);

// A text of the window as a screen reader should speak it: every stretch of mathematics in it (a
// run of small Latin letters, digits, blanks, signs and brackets that holds a power, a product or a
// bracket) in words, as spokenExpression() says it, and everything else, the lines included, as it
// stands. "Сравнете с (x + y)^2" becomes "Сравнете с отваряща скоба x плюс y затваряща скоба на
// квадрат"; "Правилно!" and prose with a dash or a number in it stay as they are.
std::string spokenText(std::string_view text);
