// SPDX-License-Identifier: MIT
#include "spoken_expression.h"

#include <gtest/gtest.h>

namespace {

TEST(SpokenExpression, SaysSymbolsInBulgarianWords)
{
    const struct {
        const char *text;
        const char *spoken;
    } cases[] = {
        {" 9*c^2 +  24*c*b +  16*b^2",
         "9 по c на квадрат плюс 24 по c по b плюс 16 по b на квадрат"},
        {"( 2*b - a)*( 4*b^2 +  2*b*a + a^2)",
         "отваряща скоба 2 по b минус a затваряща скоба по отваряща скоба 4 по b на квадрат плюс 2 "
         "по b по a плюс a на квадрат затваряща скоба"},
        {" 216*e^3 -  324*e^2*a", "216 по e на куб минус 324 по e на квадрат по a"},
        {"(x + y + z)^2", "отваряща скоба x плюс y плюс z затваряща скоба на квадрат"},
        {"x^12", "x на степен 12"},
        {"", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(spokenExpression(c.text), c.spoken) << c.text;
    }
}

// Only the mathematics in a text is put into words: the prose round it, its dashes, numbers,
// punctuation and line breaks stay as they are.
TEST(SpokenExpression, SaysTheMathematicsInATextAndLeavesTheRest)
{
    const struct {
        const char *text;
        const char *spoken;
    } cases[] = {
        {"Правилно!", "Правилно!"},
        {"Сравнете с (x + y)^2", "Сравнете с отваряща скоба x плюс y затваряща скоба на квадрат"},
        {"Сравнете с x^3 - y^3", "Сравнете с x на куб минус y на куб"},
        {"Математика - формули, 2 до 3 броя:\r\n(a + b - c)^2\r\na^2 - b^2\r\n",
         "Математика - формули, 2 до 3 броя:\r\nотваряща скоба a плюс b минус c затваряща скоба на "
         "квадрат\r\na на квадрат минус b на квадрат\r\n"},
        {"", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(spokenText(c.text), c.spoken) << c.text;
    }
}

} // namespace
