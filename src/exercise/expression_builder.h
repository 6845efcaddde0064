// SPDX-License-Identifier: MIT
#pragma once

#include "draws.h"

#include <string>

// Writes the text of an exercise from its draws: the expanded sum of terms for six formulas, the
// product of two brackets for x^2 - y^2, x^3 + y^3 and x^3 - y^3. Coefficients are always
// positive; the signs of a formula live in the separators. Every number is written with one blank
// in front, where a sign would stand, so " + " before a number shows two blanks. A coefficient of
// a single square or cube (a^2, b^3, ...) is left out when the drawn number is 1; the mixed ones
// (2ab, 3a^2b, ...) are always written. Numbers involving a are computed in double precision,
// those of b and c alone in checked 16-bit arithmetic (std::overflow_error, never a wrong number).
// An index outside 0..8 gives the empty text.
std::string buildExpression(const Draws &draws);
