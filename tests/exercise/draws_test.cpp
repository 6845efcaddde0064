// SPDX-License-Identifier: MIT
#include "clock_random.h"
#include "draws.h"
#include "expression_builder.h"
#include "sequence_random.h"
#include "test_seed.h"
#include "vector_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

struct RuleCase {
    const char *name;
    float r;
    int multiplier;
    int divisor;
    int expected;
};

TEST(DrawRule, RoundsHalfToEvenThenTakesTheRemainder)
{
    const RuleCase cases[] = {
        {"zero", 0.0F, 100, 8, 0},
        {"half rounds down to even zero", 0.5F, 1, 8, 0},
        {"one and a half rounds up to two", 0.75F, 2, 8, 2},
        {"two and a half rounds down to two", 0.625F, 4, 8, 2},
        {"12.5 gives 12, position 4", 0.125F, 100, 8, 4},
        {"37.5 gives 38, position 6", 0.375F, 100, 8, 6},
        {"just above 99.5 gives 100, position 4", 0.995F, 100, 8, 4},
        {"largest value below one gives 100, position 4", std::nextafter(1.0F, 0.0F), 100, 8, 4},
        {"just below a half rounds down", 0.3F, 100, 7, 2},
        {"formula from the top of the range is 1", std::nextafter(1.0F, 0.0F), 1000, 9, 1},
        {"formula 5", 0.005F, 1000, 9, 5},
        {"letter divisor 6", 0.12F, 200, 6, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(drawRule(c.r, c.multiplier, c.divisor), c.expected) << c.name;
    }
}

TEST(Pools, RefillReplacesWhateverThePoolsHeld)
{
    VectorPool numbers;
    VectorPool letters;
    numbers.append("x");
    letters.append("42");
    letters.append("j");
    for (int round = 0; round < 2; ++round) {
        refillPools(numbers, letters);
        EXPECT_EQ(numbers.items(), (Items{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        EXPECT_EQ(letters.items(), (Items{"a", "b", "c", "d", "e", "f", "g", "h", "i"}));
    }
}

TEST(Pools, PositionOutsideThePoolIsAnError)
{
    VectorPool pool;
    pool.append("1");
    EXPECT_THROW(static_cast<void>(pool.itemAt(1)), std::out_of_range);
    EXPECT_THROW(pool.removeAt(-1), std::out_of_range);
    EXPECT_EQ(pool.count(), 1);
}

TEST(DrawSequence, KnownValuesGiveKnownExercise)
{
    VectorPool numbers;
    VectorPool letters;
    refillPools(numbers, letters);
    SequenceRandom random(firstKnownExercise());

    const Draws draws = drawExercise(random, numbers, letters);

    EXPECT_EQ(random.valuesTaken(), 7U);
    EXPECT_EQ(draws.a, 6.0);
    EXPECT_EQ(draws.x, "e");
    EXPECT_EQ(draws.b, 3);
    EXPECT_EQ(draws.y, "a");
    EXPECT_EQ(draws.c, 1);
    EXPECT_EQ(draws.z, "b");
    EXPECT_EQ(draws.formulaIndex, 5);
    EXPECT_EQ(numbers.items(), (Items{"2", "4", "5", "7", "8", "9"}));
    EXPECT_EQ(letters.items(), (Items{"c", "d", "f", "g", "h", "i"}));
    EXPECT_EQ(buildExpression(draws), " 216*e^3 +  324*e^2*a +  162*e*a^2 +  27*a^3");
}

TEST(DrawSequence, ManyExercisesDrawDifferentNumbersAndLettersBelowTheLastItem)
{
    VectorPool numbers;
    VectorPool letters;
    ClockRandom random(20261209U);
    std::set<double> numbersSeen;
    std::set<std::string> lettersSeen;
    std::set<int> formulasSeen;

    for (int exercise = 0; exercise < 20000; ++exercise) {
        refillPools(numbers, letters);
        const Draws d = drawExercise(random, numbers, letters);
        ASSERT_EQ(numbers.count(), 6);
        ASSERT_EQ(letters.count(), 6);
        for (const double n : {d.a, double(d.b), double(d.c)}) {
            ASSERT_GE(n, 1.0);
            ASSERT_LE(n, 8.0);
            numbersSeen.insert(n);
        }
        ASSERT_TRUE(d.a != d.b && d.a != d.c && d.b != d.c);
        for (const auto *letter : {&d.x, &d.y, &d.z}) {
            ASSERT_EQ(letter->size(), 1U);
            ASSERT_GE((*letter)[0], 'a');
            ASSERT_LE((*letter)[0], 'h');
            lettersSeen.insert(*letter);
        }
        ASSERT_TRUE(d.x != d.y && d.x != d.z && d.y != d.z);
        ASSERT_GE(d.formulaIndex, 0);
        ASSERT_LE(d.formulaIndex, 8);
        formulasSeen.insert(d.formulaIndex);
        ASSERT_EQ(buildExpression(d).find('i'), std::string::npos);
    }
    EXPECT_EQ(numbersSeen.size(), 8U);
    EXPECT_EQ(lettersSeen.size(), 8U);
    EXPECT_EQ(formulasSeen.size(), 9U);
}

TEST(ClockRandom, GivesSinglePrecisionValuesInTheUnitInterval)
{
    // Seeded as from the clock: a new seed on every run, printed.
    const auto ticks = testSeed(
        "ClockRandom.GivesSinglePrecisionValuesInTheUnitInterval",
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    ClockRandom random;
    random.seedFromTicks(ticks);
    float smallest = 1.0F;
    float largest = 0.0F;
    for (int i = 0; i < 100000; ++i) {
        const float value = random.next();
        ASSERT_GE(value, 0.0F);
        ASSERT_LT(value, 1.0F);
        // A whole multiple of 2^-24: exact in single precision, exact times any multiplier.
        const float steps = value * 0x1p24F;
        ASSERT_EQ(steps, std::floor(steps));
        smallest = std::min(smallest, value);
        largest = std::max(largest, value);
    }
    EXPECT_LT(smallest, 0.001F);
    EXPECT_GT(largest, 0.999F);
}

TEST(ClockRandom, SameSeedSameSequence)
{
    ClockRandom first(99U);
    ClockRandom second(99U);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(first.next(), second.next());
    }
}

} // namespace
