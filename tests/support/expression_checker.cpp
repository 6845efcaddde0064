// SPDX-License-Identifier: MIT
#include "expression_checker.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace {

class Evaluator {
public:
    Evaluator(std::string_view text, const LetterValues &values) : text(text), values(values) {}

    long long run()
    {
        const long long value = sum();
        skipBlanks();
        if (position != text.size()) {
            fail("unexpected character");
        }
        return value;
    }

private:
    long long sum()
    {
        long long value = product();
        for (;;) {
            skipBlanks();
            if (accept('+')) {
                value += product();
            } else if (accept('-')) {
                value -= product();
            } else {
                return value;
            }
        }
    }

    long long product()
    {
        long long value = power();
        while (skipBlanks(), accept('*')) {
            value *= power();
        }
        return value;
    }

    long long power()
    {
        const long long base = primary();
        if (!accept('^')) {
            return base;
        }
        const long long exponent = digits();
        if (exponent < 1 || exponent > 3) {
            fail("exponent out of range");
        }
        long long value = 1;
        for (long long i = 0; i < exponent; ++i) {
            value *= base;
        }
        return value;
    }

    long long primary()
    {
        skipBlanks();
        if (accept('(')) {
            const long long value = sum();
            skipBlanks();
            if (!accept(')')) {
                fail("missing closing bracket");
            }
            return value;
        }
        if (position < text.size() && text[position] >= 'a' && text[position] <= 'z') {
            return values[static_cast<std::size_t>(text[position++] - 'a')];
        }
        return digits();
    }

    long long digits()
    {
        if (position >= text.size() ||
            std::isdigit(static_cast<unsigned char>(text[position])) == 0) {
            fail("number or letter expected");
        }
        long long value = 0;
        while (position < text.size() &&
               std::isdigit(static_cast<unsigned char>(text[position])) != 0) {
            value = value * 10 + (text[position++] - '0');
        }
        return value;
    }

    bool accept(char wanted)
    {
        if (position < text.size() && text[position] == wanted) {
            ++position;
            return true;
        }
        return false;
    }

    void skipBlanks()
    {
        while (position < text.size() && text[position] == ' ') {
            ++position;
        }
    }

    [[noreturn]] void fail(const char *what) const
    {
        throw std::invalid_argument(std::string(what) + " at " + std::to_string(position) +
                                    " in \"" + std::string(text) + "\"");
    }

    std::string_view text;
    const LetterValues &values;
    std::size_t position = 0;
};

bool usesZ(int index)
{
    return index == 3 || index == 4;
}

// Points at which two different polynomials of degree 3 in three letters are told apart.
constexpr std::array<std::array<long long, 3>, 5> checkPoints{{
    {2, 3, 5},
    {-4, 7, 1},
    {6, -2, -3},
    {11, 13, -17},
    {-5, -9, 8},
}};

} // namespace

long long evaluateExpression(std::string_view text, const LetterValues &values)
{
    return Evaluator(text, values).run();
}

long long formulaValue(int index, long long x, long long y, long long z)
{
    switch (index) {
    case 0:
        return (x + y) * (x + y);
    case 1:
        return (x - y) * (x - y);
    case 2:
        return x * x - y * y;
    case 3:
        return (x + y + z) * (x + y + z);
    case 4:
        return (x + y - z) * (x + y - z);
    case 5:
        return (x + y) * (x + y) * (x + y);
    case 6:
        return (x - y) * (x - y) * (x - y);
    case 7:
        return x * x * x + y * y * y;
    case 8:
        return x * x * x - y * y * y;
    default:
        throw std::invalid_argument("no such formula");
    }
}

bool equalsFormula(std::string_view text, int index, const std::array<long long, 3> &numbers,
                   std::string_view letters)
{
    for (const auto &point : checkPoints) {
        LetterValues values{};
        for (std::size_t i = 0; i < letters.size() && i < point.size(); ++i) {
            values.at(static_cast<std::size_t>(letters[i] - 'a')) = point.at(i);
        }
        if (evaluateExpression(text, values) != formulaValue(index, numbers[0] * point[0],
                                                             numbers[1] * point[1],
                                                             numbers[2] * point[2])) {
            return false;
        }
    }
    return true;
}

std::vector<int> matchingFormulas(std::string_view text)
{
    std::string letters;
    for (const char ch : text) {
        if (ch >= 'a' && ch <= 'z' && letters.find(ch) == std::string::npos) {
            letters += ch;
        }
    }
    if (letters.size() < 2 || letters.size() > 3 ||
        letters.find_first_not_of("abcdefgh") != std::string::npos) {
        return {};
    }

    auto textAt = [&](long long xv, long long yv, long long zv) {
        LetterValues values{};
        values[static_cast<std::size_t>(letters[0] - 'a')] = xv;
        values[static_cast<std::size_t>(letters[1] - 'a')] = yv;
        if (letters.size() == 3) {
            values[static_cast<std::size_t>(letters[2] - 'a')] = zv;
        }
        return evaluateExpression(text, values);
    };

    std::vector<int> matches;
    for (int index = 0; index < 9; ++index) {
        if (letters.size() != (usesZ(index) ? 3U : 2U)) {
            continue;
        }
        // Each letter alone (the others 0) pins down its number; the check points then decide.
        auto numberFor = [&](int letter) {
            const long long seen = textAt(letter == 0, letter == 1, letter == 2);
            for (long long n = 1; n <= 8; ++n) {
                if (formulaValue(index, letter == 0 ? n : 0, letter == 1 ? n : 0,
                                 letter == 2 ? n : 0) == seen) {
                    return n;
                }
            }
            return 0LL;
        };
        const long long a = numberFor(0);
        const long long b = numberFor(1);
        const long long c = usesZ(index) ? numberFor(2) : 0;
        if (a == 0 || b == 0 || a == b || (usesZ(index) && (c == 0 || c == a || c == b))) {
            continue;
        }
        bool same = true;
        for (const auto &point : checkPoints) {
            if (textAt(point[0], point[1], point[2]) !=
                formulaValue(index, a * point[0], b * point[1], c * point[2])) {
                same = false;
                break;
            }
        }
        if (same) {
            matches.push_back(index);
        }
    }
    return matches;
}

bool hasNumberFormat(std::string_view text)
{
    if (text.empty() || text.back() == ' ' || text.find("   ") != std::string_view::npos) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        const bool startsRun =
            digit && (i == 0 || std::isdigit(static_cast<unsigned char>(text[i - 1])) == 0);
        if (!startsRun || (i > 0 && text[i - 1] == '^')) {
            continue;
        }
        if (i == 0 || text[i - 1] != ' ' || text[i] == '0') {
            return false;
        }
        std::size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) {
            ++end;
        }
        if (end == text.size() || text[end] != '*') {
            return false;
        }
    }
    // Two blanks only ever stand between a separator and a number.
    for (std::size_t at = text.find("  "); at != std::string_view::npos;
         at = text.find("  ", at + 1)) {
        if (at + 2 >= text.size() || std::isdigit(static_cast<unsigned char>(text[at + 2])) == 0) {
            return false;
        }
    }
    return true;
}
