// SPDX-License-Identifier: MIT
#include "spoken_expression.h"

#include <cctype>

namespace {

void appendWord(std::string &spoken, std::string_view word)
{
    if (!spoken.empty()) {
        spoken += ' ';
    }
    spoken += word;
}

bool isDigit(char ch)
{
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

} // namespace

std::string spokenExpression(std::string_view text)
{
    std::string spoken;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (isDigit(ch)) {
            std::size_t end = i;
            while (end < text.size() && isDigit(text[end])) {
                ++end;
            }
            appendWord(spoken, text.substr(i, end - i));
            i = end - 1;
        } else if (ch == '^') {
            std::size_t end = i + 1;
            while (end < text.size() && isDigit(text[end])) {
                ++end;
            }
            const std::string_view exponent = text.substr(i + 1, end - i - 1);
            if (exponent == "2") {
                appendWord(spoken, "на квадрат");
            } else if (exponent == "3") {
                appendWord(spoken, "на куб");
            } else {
                appendWord(spoken, "на степен");
                appendWord(spoken, exponent);
            }
            i = end - 1;
        } else if (ch == '*') {
            appendWord(spoken, "по");
        } else if (ch == '+') {
            appendWord(spoken, "плюс");
        } else if (ch == '-') {
            appendWord(spoken, "минус");
        } else if (ch == '(') {
            appendWord(spoken, "отваряща скоба");
        } else if (ch == ')') {
            appendWord(spoken, "затваряща скоба");
        } else if (ch != ' ') {
            appendWord(spoken, text.substr(i, 1));
        }
    }
    return spoken;
}
