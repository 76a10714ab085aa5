// The report and the five sample lists turn thousands of values into text on every run.
#include <benchmark/benchmark.h>

#include <array>

#include "report/number_text.h"

namespace {

constexpr std::array<double, 8> kValues = {1234567.8,  314.159, 12.5,  0.25,
                                           0.00012345, -2.5,    999.6, 1.0585};

void BM_FormatNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmora::FormatNumber(kValues[i++ % kValues.size()]));
    }
}
BENCHMARK(BM_FormatNumber);

void BM_NumberTextValue(benchmark::State& state) {
    constexpr std::array<const char*, 4> texts = {"12.5", "1.5e3", "abc", "0.000123 "};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velmora::NumberTextValue(texts[i++ % texts.size()]));
    }
}
BENCHMARK(BM_NumberTextValue);

}  // namespace

BENCHMARK_MAIN();
