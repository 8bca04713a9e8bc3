// The clock's steady-state tick: read the clock, format "HH:MM", compare with
// the text last shown. Also counts heap allocations per tick.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "dates/dates.h"

namespace {
std::atomic<long> Allocations{0};
}

// Counting replacement of the global allocator (malloc-backed on purpose).
void* operator new(std::size_t n) {
    ++Allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

static void BM_UnchangedTick(benchmark::State& state) {
    std::string last = CLOCKTIMETEXT();
    const long before = Allocations;
    long changed = 0;
    for (auto _ : state) {
        std::string now = CLOCKTIMETEXT();
        if (now != last) {
            last = now;
            ++changed;
        }
        benchmark::DoNotOptimize(now);
    }
    state.counters["allocs/tick"] =
        benchmark::Counter(static_cast<double>(Allocations - before), benchmark::Counter::kAvgIterations);
    state.counters["changes"] = static_cast<double>(changed);
}
BENCHMARK(BM_UnchangedTick);

static void BM_DateTexts(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(SHORTDATETEXT(2024, 12, 31));
        benchmark::DoNotOptimize(LONGDATETEXT(2021, 1, 1));
    }
}
BENCHMARK(BM_DateTexts);

BENCHMARK_MAIN();
