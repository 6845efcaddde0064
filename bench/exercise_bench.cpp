// SPDX-License-Identifier: MIT
// Cost of one exercise without a window: refill both pools, seven draws, the expression text.
// Heap allocations are counted by replacing the global operator new in this program.
#include "clock_random.h"
#include "draws.h"
#include "exercise_controller.h"
#include "expression_builder.h"
#include "formulas.h"
#include "plain_pools_view.h"
#include "replayable_random.h"
#include "vector_pool.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {
std::atomic<long long> allocations{0};
}

void *operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

class BenchView final : public PlainPoolsView {
public:
    void setFeedbackText(std::string_view) override {}
    void setExpressionText(std::string text) override { expression = std::move(text); }
    void deselectOption(int) override {}

    std::string expression;
};

void reportAllocations(benchmark::State &state, long long before)
{
    state.counters["allocs_per_exercise"] = benchmark::Counter(
        static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

void FullExercise(benchmark::State &state)
{
    BenchView view;
    // The same exercises on every run: the window's load would seed a ClockRandom from the clock.
    ReplayableRandom random(12345U);
    ExerciseController controller(view, random);
    controller.Form_Load();
    const long long before = allocations.load();
    for (auto _ : state) {
        controller.Command1_Click();
        benchmark::DoNotOptimize(view.expression.data());
    }
    reportAllocations(state, before);
}
BENCHMARK(FullExercise);

void TextOnly(benchmark::State &state)
{
    VectorPool numbers;
    VectorPool letters;
    ClockRandom random(12345U);
    std::vector<Draws> draws;
    for (int i = 0; i < 256; ++i) {
        refillPools(numbers, letters);
        draws.push_back(drawExercise(random, numbers, letters));
    }
    std::size_t next = 0;
    const long long before = allocations.load();
    for (auto _ : state) {
        std::string text = buildExpression(draws[next++ & 255U]);
        benchmark::DoNotOptimize(text.data());
    }
    reportAllocations(state, before);
}
BENCHMARK(TextOnly);

} // namespace

BENCHMARK_MAIN();
