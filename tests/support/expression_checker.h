// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>
#include <vector>

// An evaluator of exercise texts written for the tests, independent of the program's builder: it
// reads a text as an integer polynomial (numbers, the letters a..z, "+", "-", "*", "^" and
// brackets) and evaluates it at given letter values. With it a test can check that a text means
// what its formula means without knowing how the text was written.
using LetterValues = std::array<long long, 26>;

// Throws std::invalid_argument when the text is not a well-formed expression.
long long evaluateExpression(std::string_view text, const LetterValues &values);

// The formula with this index evaluated at x, y and z: (x + y)^2, (x - y)^2, x^2 - y^2, ...
long long formulaValue(int index, long long x, long long y, long long z);

// Whether the text means the formula with this index for the numbers a, b, c and the letters x,
// y, z: read as a polynomial, it equals the formula at (a*x, b*y, c*z) at the checker's points.
bool equalsFormula(std::string_view text, int index, const std::array<long long, 3> &numbers,
                   std::string_view letters);

// The formulas that could have produced this text: those for which some choice of different
// numbers a, b, c from 1 to 8 and the letters of the text, in order of first appearance as x, y
// (and z), gives the same polynomial. A valid exercise text matches exactly its own formula.
std::vector<int> matchingFormulas(std::string_view text);

// Whether every number stands as the program writes it: one blank in front (so two after a
// separator that ends in a blank), no leading zero, followed by "*"; no blank at the end.
bool hasNumberFormat(std::string_view text);
