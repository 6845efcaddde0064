// SPDX-License-Identifier: MIT
#include "expression_builder.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace {

std::int16_t times16(int left, int right)
{
    const int product = left * right;
    if (product < std::numeric_limits<std::int16_t>::min() ||
        product > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error("16-bit overflow in an expression coefficient");
    }
    return static_cast<std::int16_t>(product);
}

class Text {
public:
    // The longest text has about 60 characters: one allocation holds any of them.
    Text() { text.reserve(96); }

    Text &operator<<(std::string_view piece)
    {
        text += piece;
        return *this;
    }

    // A coefficient that is always written: blank, digits, "*".
    Text &coefficient(double value)
    {
        appendNumber(value);
        text += '*';
        return *this;
    }

    // A coefficient of a square or cube of one drawn number, left out when that number is 1.
    Text &coefficientIf(double value, double drawn)
    {
        if (drawn > 1) {
            coefficient(value);
        }
        return *this;
    }

    std::string take() { return std::move(text); }

private:
    void appendNumber(double value)
    {
        // Whole numbers below 2^53 are exact both as doubles and as integers.
        constexpr double exactLimit = 0x1p53;
        if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) >= exactLimit) {
            throw std::domain_error("an expression coefficient must be a whole number");
        }
        // The blank stands where the sign would; the numbers are never negative.
        std::array<char, 24> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(),
                                          static_cast<long long>(std::fabs(value)));
        text += value < 0 ? '-' : ' ';
        text.append(digits.data(), result.ptr);
    }

    std::string text;
};

} // namespace

std::string buildExpression(const Draws &draws)
{
    const double a = draws.a;
    const double b = draws.b;
    const double c = draws.c;
    const std::string_view x = draws.x;
    const std::string_view y = draws.y;
    const std::string_view z = draws.z;

    Text t;
    switch (draws.formulaIndex) {
    case 0: // (x + y)^2
    case 1: // (x - y)^2
        t.coefficientIf(a * a, a) << x << (draws.formulaIndex == 0 ? "^2 + " : "^2 - ");
        t.coefficient(2 * a * b) << x << "*" << y << " + ";
        t.coefficientIf(times16(draws.b, draws.b), b) << y << "^2";
        break;
    case 2: // x^2 - y^2
        t << "(";
        t.coefficientIf(a, a) << x << " + ";
        t.coefficientIf(b, b) << y << ")*(";
        t.coefficientIf(a, a) << x << " - ";
        t.coefficientIf(b, b) << y << ")";
        break;
    case 3:   // (x + y + z)^2
    case 4: { // (x + y - z)^2
        const std::string_view sign = draws.formulaIndex == 3 ? " + " : " - ";
        t.coefficientIf(a * a, a) << x << "^2 + ";
        t.coefficientIf(times16(draws.b, draws.b), b) << y << "^2 + ";
        t.coefficientIf(times16(draws.c, draws.c), c) << z << "^2 + ";
        t.coefficient(2 * a * b) << x << "*" << y << sign;
        t.coefficient(2 * a * c) << x << "*" << z << sign;
        t.coefficient(times16(times16(2, draws.b), draws.c)) << y << "*" << z;
        break;
    }
    case 5:   // (x + y)^3
    case 6: { // (x - y)^3
        const std::string_view sign = draws.formulaIndex == 5 ? " + " : " - ";
        t.coefficientIf(a * a * a, a) << x << (draws.formulaIndex == 5 ? "^3 + " : "^3 - ");
        t.coefficient(3 * a * a * b) << x << "^2*" << y << " + ";
        t.coefficient(3 * a * b * b) << x << "*" << y << "^2" << sign;
        t.coefficientIf(times16(times16(draws.b, draws.b), draws.b), b) << y << "^3";
        break;
    }
    case 7:   // x^3 + y^3
    case 8: { // x^3 - y^3
        const bool sum = draws.formulaIndex == 7;
        t << "(";
        t.coefficientIf(a, a) << x << (sum ? " + " : " - ");
        t.coefficientIf(b, b) << y << ")*(";
        t.coefficientIf(a * a, a) << x << (sum ? "^2 - " : "^2 + ");
        t.coefficient(a * b) << x << "*" << y << " + ";
        t.coefficientIf(times16(draws.b, draws.b), b) << y << "^2)";
        break;
    }
    default:
        break;
    }
    return t.take();
}
