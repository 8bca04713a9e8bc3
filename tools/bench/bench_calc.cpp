// CALCULATE on every change of the input line: a typical typed expression,
// longer ones to show how the cost grows with the length of the text, and
// 10 000-character texts of one kind each, the longest a user can paste.
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

// head, then piece again and again, cut to n characters (a dangling
// operator at the cut is dropped by the calculator).
std::string CHAIN(const char* head, const char* piece, size_t n = 10000) {
    std::string text = head;
    while (text.size() < n) text += piece;
    return text.substr(0, n);
}

// "((((1*1)*1)*1)..." about n/4 groups deep.
std::string NESTED(size_t n = 10000) {
    std::string text(n / 4, '(');
    text += "1";
    while (text.size() < n) text += "*1)";
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

// Values near the ends of the double range are the costly ones to write
// back as text; the other families are there for comparison.
void BM_Family10000(benchmark::State& state, const std::string& expression) {
    for (auto _ : state) benchmark::DoNotOptimize(CALCULATE(expression));
}
BENCHMARK_CAPTURE(BM_Family10000, mixed, EXPRESSION(10000))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, tiny_2pow, CHAIN("2^-1022", "*1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, subnormal, CHAIN("2^-1074", "*1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, tiny_10pow, CHAIN("1/10^300", "*1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, tiny_sum, CHAIN("1/10^300", "+0"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, huge_10pow, CHAIN("10^300", "*1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, zeros, CHAIN("0", "+0"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, ones, CHAIN("1", "+1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, nested, NESTED())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, comma_percent, CHAIN("12,5", "+7,25%"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Family10000, power_chain, CHAIN("2", "^2"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
