// Time per value of the number-text functions on a mix of read-out and recording values. Each
// iteration formats one value, so the reported time is nanoseconds per value.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "text/number_text.h"

namespace {

// Whole numbers, small fractions, each read-out band, negatives, tiny and huge values.
std::vector<double> mixedValues() {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<double> values;
    for (int i = 0; i < 4096; ++i) {
        const double x = unit(rng);
        switch (i % 8) {
            case 0:
                values.push_back(std::round(x * 5000));
                break;
            case 1:
                values.push_back(x);
                break;
            case 2:
                values.push_back(x * 10);
                break;
            case 3:
                values.push_back(x * 100);
                break;
            case 4:
                values.push_back(x * 1000);
                break;
            case 5:
                values.push_back(x * 10000);
                break;
            case 6:
                values.push_back(x * 1e-7);
                break;
            default:
                values.push_back(x * 1e18);
                break;
        }
    }
    return values;
}

const std::vector<double>& values() {
    static const std::vector<double> v = mixedValues();
    return v;
}

void BM_FloatTextBuffer(benchmark::State& state) {
    std::vector<float> floats(values().begin(), values().end());
    char buf[trindel::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        char* end = trindel::floatText(buf, floats[i++ & 4095]);
        benchmark::DoNotOptimize(end);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloatTextBuffer);

void BM_RuntimeTextBuffer(benchmark::State& state) {
    char buf[trindel::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        char* end = trindel::runtimeText(buf, values()[i++ & 4095]);
        benchmark::DoNotOptimize(end);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RuntimeTextBuffer);

void BM_RuntimeTextString(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = trindel::runtimeText(values()[i++ & 4095]);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RuntimeTextString);

void BM_StringFormatter(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = trindel::StringFormatter(values()[i++ & 4095]);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_StringFormatter);

void BM_PictureText(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = trindel::pictureText(values()[i++ & 4095], "#,###,###.##");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_PictureText);

}  // namespace
