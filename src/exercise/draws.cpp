// SPDX-License-Identifier: MIT
#include "draws.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

double roundHalfEven(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    return whole;
}

// The number pool holds whole numbers only; read as an integer, every one is exact as a double.
double numericValue(const std::string &item)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (error != std::errc() || end != item.data() + item.size()) {
        throw std::invalid_argument("pool item is not a number: " + item);
    }
    return static_cast<double>(value);
}

std::int16_t toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw std::overflow_error("number does not fit in 16 bits");
    }
    return static_cast<std::int16_t>(rounded);
}

std::string take(Pool &pool, int position)
{
    std::string item = pool.itemAt(position);
    pool.removeAt(position);
    return item;
}

} // namespace

int drawRule(float r, int multiplier, int divisor)
{
    // r has at most 24 significant bits and the multipliers at most 10, so the product is exact.
    const double product = static_cast<double>(r) * multiplier;
    return static_cast<int>(roundHalfEven(product)) % divisor;
}

void refillPools(Pool &numbers, Pool &letters)
{
    numbers.clear();
    for (char digit = '1'; digit <= '9'; ++digit) {
        numbers.append(std::string_view(&digit, 1));
    }
    letters.clear();
    for (char letter = 'a'; letter <= 'i'; ++letter) {
        letters.append(std::string_view(&letter, 1));
    }
}

Draws drawExercise(RandomSource &random, Pool &numbers, Pool &letters)
{
    Draws draws;
    draws.a = numericValue(take(numbers, drawRule(random.next(), 100, 8)));
    draws.x = take(letters, drawRule(random.next(), 200, 8));
    draws.b = toInt16(numericValue(take(numbers, drawRule(random.next(), 100, 7))));
    draws.y = take(letters, drawRule(random.next(), 200, 7));
    draws.c = toInt16(numericValue(take(numbers, drawRule(random.next(), 100, 6))));
    draws.z = take(letters, drawRule(random.next(), 200, 6));
    draws.formulaIndex = static_cast<std::int16_t>(drawRule(random.next(), 1000, 9));
    return draws;
}
