// Cost of converting one reading, per conversion kind; the chart pass budget is 2 us per channel
// per scan for everything, so a conversion should stay far below that.
#include <benchmark/benchmark.h>

#include "signal/conversion.h"
#include "signal/special_ops.h"

namespace {

using trindel::Program;

void setType(Program& p, float type) {
    p.channels.Nvar[0][1] = type;
    p.channels.Nvar[1][trindel::kCoeffA] = 0.5f;
    p.channels.Nvar[1][trindel::kCoeffB] = 2.0f;
    p.channels.Nvar[1][trindel::kCoeffC] = 1.5f;
}

void runConversion(benchmark::State& state, Program& p) {
    float volts = 0.25f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(trindel::ConvertChannelVolts(p, 1, volts));
        volts += 1e-6f;
    }
}

void BM_ConvertByType(benchmark::State& state) {
    Program p;
    setType(p, static_cast<float>(state.range(0)));
    for (auto& poly : p.conversion.polyarray) {
        poly = {0.0f, 0.14f, 1.5e-5f, 1.9e-9f, 0.0f, 1e-4f, 1e4f, 0.0f};
    }
    runConversion(state, p);
}
BENCHMARK(BM_ConvertByType)->DenseRange(1, 9)->ArgName("type");

void BM_ConvertBreakpoint(benchmark::State& state) {
    Program p;
    setType(p, 5.0f);
    auto& r = p.conversion.BPconvert[1];
    r.fill(1.0f);
    r[0] = 0.3f;
    r[12] = 3.0f;  // upper power
    runConversion(state, p);
}
BENCHMARK(BM_ConvertBreakpoint);

void BM_ConvertVO2WithFlowChannelAndCorrection(benchmark::State& state) {
    Program p;
    setType(p, 1.0f);
    auto& ops = p.conversion.SpecialOps[1];
    ops[trindel::kOpsOperation] = 1.0f;
    ops[trindel::kOpsVariant] = 1.0f;
    ops[trindel::kOpsFlowSource] = trindel::kFlowFromChannel;
    ops[trindel::kOpsFlowRate] = 2.0f;
    ops[trindel::kOpsFiO2] = 0.2095f;
    ops[trindel::kOpsOutputUnit] = 3.0f;
    ops[trindel::kOpsResponseOn] = 1.0f;
    ops[trindel::kOpsZValue] = 2.0f;
    p.session.Sample = 100;
    p.store.set(2, 99, 500.0f);
    runConversion(state, p);
}
BENCHMARK(BM_ConvertVO2WithFlowChannelAndCorrection);

}  // namespace
