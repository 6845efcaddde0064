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

// Where the run of digits that starts at `from` ends.
std::size_t digitsEnd(std::string_view text, std::size_t from)
{
    while (from < text.size() && std::isdigit(static_cast<unsigned char>(text[from])) != 0) {
        ++from;
    }
    return from;
}

bool inMathematics(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
           std::string_view(" ^*+-()").find(ch) != std::string_view::npos;
}

} // namespace

std::string spokenExpression(std::string_view text)
{
    std::string spoken;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const std::size_t numberEnd = digitsEnd(text, i);
        if (numberEnd > i) {
            appendWord(spoken, text.substr(i, numberEnd - i));
            i = numberEnd - 1;
        } else if (ch == '^') {
            const std::size_t end = digitsEnd(text, i + 1);
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

std::string spokenText(std::string_view text)
{
    std::string spoken;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && inMathematics(text[end])) {
            ++end;
        }
        const std::string_view run = text.substr(at, end - at);
        if (run.find_first_of("^*()") == std::string_view::npos) {
            spoken += run;
        } else {
            // The blanks round the stretch stay, so that it stands apart from the words beside it.
            if (run.front() == ' ') {
                spoken += ' ';
            }
            spoken += spokenExpression(run);
            if (run.back() == ' ') {
                spoken += ' ';
            }
        }
        if (end < text.size()) {
            spoken += text[end];
            ++end;
        }
        at = end;
    }
    return spoken;
}
