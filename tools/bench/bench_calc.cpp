// CALCULATE on every change of the input line: a typical typed expression,
// and longer ones to show how the cost grows with the length of the text.
#include <benchmark/benchmark.h>

#include <string>

#include "calculator/calculate.h"

namespace {

// About n characters of mixed operators, decimals, percent and groups.
std::string EXPRESSION(size_t n) {
    const char* pieces[] = {"12,5*3", "+(4-1,25)/2", "-7^2", "+15%", "*(2+3)", "-100/8"};
    std::string text = "1";
    for (size_t i = 0; text.size() < n; ++i) text += pieces[i % 6];
    return text.substr(0, n);
}

void BM_Typical20(benchmark::State& state) {
    const std::string expression = "(12,5+7)*3-4/2^2+15%";  // 20 characters
    for (auto _ : state) benchmark::DoNotOptimize(CALCULATE(expression));
}
BENCHMARK(BM_Typical20);

void BM_Length(benchmark::State& state) {
    const std::string expression = EXPRESSION(static_cast<size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(CALCULATE(expression));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Length)->Arg(100)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
