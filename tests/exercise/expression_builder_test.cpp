// SPDX-License-Identifier: MIT
#include "expression_builder.h"
#include "expression_checker.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

Draws makeDraws(double a, int b, int c, const char *x, const char *y, const char *z, int index)
{
    Draws d;
    d.a = a;
    d.b = static_cast<std::int16_t>(b);
    d.c = static_cast<std::int16_t>(c);
    d.x = x;
    d.y = y;
    d.z = z;
    d.formulaIndex = static_cast<std::int16_t>(index);
    return d;
}

struct TextCase {
    const char *name;
    Draws draws;
    const char *text;
};

TEST(ExpressionBuilder, WritesTheExpectedTexts)
{
    const auto big = [](int i) { return makeDraws(3, 4, 5, "c", "b", "h", i); };
    const auto aIsOne = [](int i) { return makeDraws(1, 2, 3, "a", "d", "f", i); };
    const auto bIsOne = [](int i) { return makeDraws(2, 1, 3, "b", "a", "c", i); };
    const TextCase cases[] = {
        {"square of sum", big(0), " 9*c^2 +  24*c*b +  16*b^2"},
        {"square of difference", big(1), " 9*c^2 -  24*c*b +  16*b^2"},
        {"difference of squares", big(2), "( 3*c +  4*b)*( 3*c -  4*b)"},
        {"square of three-term sum", big(3),
         " 9*c^2 +  16*b^2 +  25*h^2 +  24*c*b +  30*c*h +  40*b*h"},
        {"square of sum minus", big(4), " 9*c^2 +  16*b^2 +  25*h^2 +  24*c*b -  30*c*h -  40*b*h"},
        {"cube of sum", big(5), " 27*c^3 +  108*c^2*b +  144*c*b^2 +  64*b^3"},
        {"cube of difference", big(6), " 27*c^3 -  108*c^2*b +  144*c*b^2 -  64*b^3"},
        {"sum of cubes", big(7), "( 3*c +  4*b)*( 9*c^2 -  12*c*b +  16*b^2)"},
        {"difference of cubes", big(8), "( 3*c -  4*b)*( 9*c^2 +  12*c*b +  16*b^2)"},
        {"a is one: square of sum", aIsOne(0), "a^2 +  4*a*d +  4*d^2"},
        {"a is one: square of difference", aIsOne(1), "a^2 -  4*a*d +  4*d^2"},
        {"a is one: difference of squares", aIsOne(2), "(a +  2*d)*(a -  2*d)"},
        {"a is one: square of three-term sum", aIsOne(3),
         "a^2 +  4*d^2 +  9*f^2 +  4*a*d +  6*a*f +  12*d*f"},
        {"a is one: square of sum minus", aIsOne(4),
         "a^2 +  4*d^2 +  9*f^2 +  4*a*d -  6*a*f -  12*d*f"},
        {"a is one: cube of sum", aIsOne(5), "a^3 +  6*a^2*d +  12*a*d^2 +  8*d^3"},
        {"a is one: cube of difference", aIsOne(6), "a^3 -  6*a^2*d +  12*a*d^2 -  8*d^3"},
        {"a is one: sum of cubes", aIsOne(7), "(a +  2*d)*(a^2 -  2*a*d +  4*d^2)"},
        {"a is one: difference of cubes", aIsOne(8), "(a -  2*d)*(a^2 +  2*a*d +  4*d^2)"},
        {"b is one: square of sum", bIsOne(0), " 4*b^2 +  4*b*a + a^2"},
        {"b is one: square of difference", bIsOne(1), " 4*b^2 -  4*b*a + a^2"},
        {"b is one: difference of squares", bIsOne(2), "( 2*b + a)*( 2*b - a)"},
        {"b is one: square of three-term sum", bIsOne(3),
         " 4*b^2 + a^2 +  9*c^2 +  4*b*a +  12*b*c +  6*a*c"},
        {"b is one: square of sum minus", bIsOne(4),
         " 4*b^2 + a^2 +  9*c^2 +  4*b*a -  12*b*c -  6*a*c"},
        {"b is one: cube of sum", bIsOne(5), " 8*b^3 +  12*b^2*a +  6*b*a^2 + a^3"},
        {"b is one: cube of difference", bIsOne(6), " 8*b^3 -  12*b^2*a +  6*b*a^2 - a^3"},
        {"b is one: sum of cubes", bIsOne(7), "( 2*b + a)*( 4*b^2 -  2*b*a + a^2)"},
        {"b is one: difference of cubes", bIsOne(8), "( 2*b - a)*( 4*b^2 +  2*b*a + a^2)"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(buildExpression(c.draws), c.text) << c.name;
    }
}

// Three different values from first to last, in every order: 8 * 7 * 6 = 336 triples from 1..8.
template <typename T> std::vector<std::array<T, 3>> differentTriples(T first, T last)
{
    std::vector<std::array<T, 3>> triples;
    for (T x = first; x <= last; ++x) {
        for (T y = first; y <= last; ++y) {
            for (T z = first; z <= last; ++z) {
                if (x != y && x != z && y != z) {
                    triples.push_back({x, y, z});
                }
            }
        }
    }
    return triples;
}

// Every exercise the program can draw, checked against the formula itself: the text, read as a
// polynomial by the test's own evaluator, must equal the formula at (a*x, b*y, c*z).
TEST(ExpressionBuilder, EveryDrawableTextEqualsItsFormula)
{
    const auto numbers = differentTriples<long long>(1, 8);
    const auto letters = differentTriples<char>('a', 'h');
    ASSERT_EQ(numbers.size(), 336U);
    ASSERT_EQ(letters.size(), 336U);
    std::set<std::string> texts; // of one choice of numbers and letters
    for (std::size_t draw = 0; draw < numbers.size() * letters.size() * 9; ++draw) {
        const int index = static_cast<int>(draw % 9);
        const auto &[a, b, c] = numbers[draw / 9 / letters.size()];
        const std::string xyz(letters[draw / 9 % letters.size()].data(), 3);
        const std::string text = buildExpression(makeDraws(
            static_cast<double>(a), static_cast<int>(b), static_cast<int>(c),
            xyz.substr(0, 1).c_str(), xyz.substr(1, 1).c_str(), xyz.substr(2, 1).c_str(), index));
        ASSERT_TRUE(hasNumberFormat(text)) << '"' << text << '"';
        ASSERT_TRUE(equalsFormula(text, index, {a, b, c}, xyz))
            << "formula " << index << ": \"" << text << '"';
        ASSERT_EQ(text.find(xyz[2]) != std::string::npos, index == 3 || index == 4) << text;
        texts.insert(text);
        if (index == 8) {
            ASSERT_EQ(texts.size(), 9U) << "the nine texts of " << xyz << " are not all different";
            texts.clear();
        }
    }
}

TEST(ExpressionBuilder, TextIdentifiesExactlyItsOwnFormula)
{
    for (int index = 0; index < 9; ++index) {
        for (const auto &d :
             {makeDraws(3, 4, 5, "c", "b", "h", index), makeDraws(1, 2, 3, "a", "d", "f", index),
              makeDraws(8, 7, 6, "h", "g", "f", index), makeDraws(2, 1, 8, "b", "a", "c", index)}) {
            EXPECT_EQ(matchingFormulas(buildExpression(d)), std::vector<int>{index})
                << buildExpression(d);
        }
    }
}

TEST(ExpressionBuilder, SixteenBitOverflowIsAnErrorNotAWrongNumber)
{
    EXPECT_NO_THROW(buildExpression(makeDraws(1, 181, 2, "a", "b", "c", 0))); // 181^2 = 32761
    EXPECT_THROW(buildExpression(makeDraws(1, 182, 2, "a", "b", "c", 0)), std::overflow_error);
    EXPECT_THROW(buildExpression(makeDraws(1, 40, 2, "a", "b", "c", 5)),
                 std::overflow_error); // 40^3
    EXPECT_THROW(buildExpression(makeDraws(1, 200, 90, "a", "b", "c", 3)),
                 std::overflow_error); // 2bc
    // Numbers with a are computed in double precision and never overflow 16 bits.
    EXPECT_EQ(buildExpression(makeDraws(200, 1, 2, "a", "b", "c", 0)),
              " 40000*a^2 +  400*a*b + b^2");
}

TEST(ExpressionBuilder, UnknownFormulaGivesEmptyText)
{
    EXPECT_EQ(buildExpression(makeDraws(3, 4, 5, "c", "b", "h", 9)), "");
    EXPECT_EQ(buildExpression(makeDraws(3, 4, 5, "c", "b", "h", -1)), "");
}

TEST(ExpressionChecker, RejectsMalformedTextsAndWrongFormats)
{
    const LetterValues values{};
    for (const char *bad : {"", "a +", "(a + b", "a b", "a^4", "2 ** a", "a + # b"}) {
        EXPECT_THROW(evaluateExpression(bad, values), std::invalid_argument) << bad;
    }
    for (const char *bad : {"9*c^2", " 9*c^2 ", " 09*c", " 9c^2", "c^2 +   9*b", "c^2 +  b"}) {
        EXPECT_FALSE(hasNumberFormat(bad)) << bad;
    }
    EXPECT_TRUE(hasNumberFormat(" 9*c^2 +  24*c*b + b^2"));
    EXPECT_TRUE(matchingFormulas(" 9*c^2 +  25*c*b +  16*b^2").empty());
    EXPECT_TRUE(matchingFormulas(" 9*c^2 +  24*c*c +  16*c^2").empty());
}

} // namespace
