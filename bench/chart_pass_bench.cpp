// Cost of one chart pass with a scan of 16 channels on the demonstration source.
#include <benchmark/benchmark.h>

#include "display/chart_screen.h"
#include "platform/null_canvas.h"
#include "platform/virtual_platform.h"
#include "run/chart_loop.h"

namespace trindel {
namespace {

// Read-outs shown into a small buffer, as a window would keep them.
class ReadoutHooks final : public ChartHooks {
  public:
    void showReadout(int channel, std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
        last[channel] = text.size();
    }
    size_t last[17]{};
};

void chartPass(benchmark::State& state, double interval) {
    constexpr int kChannels = 16;
    VirtualPlatform vp;
    NullCanvas canvas;
    Platform io{vp.clock, vp.events, vp.sounds, canvas, vp.host};
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.device.DemonstrationMODE = 1;
    p.session.nChan = kChannels;
    p.session.ChartINTERVALinSECONDS = interval;
    p.session.MaxSamples = 1900000;
    for (int c = 1; c <= kChannels; ++c) {
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        row[kCoeffB] = 1.0f;
        row[kDisplayMax] = 1.0f;
        row[kSamplesToAverage] = 1.0f;
    }
    SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
    ReadoutHooks hooks;
    ChartLoop loop(p, io, hooks);
    // The store is allocated once for the whole recording before the first scan.
    p.store.reserveSlots(SampleStore::slotOf(kChannels + 1, 0));
    loop.begin();
    for (auto _ : state) {
        vp.clock.advanceTo(p.session.TimeOfNextChartSample);
        if (loop.pass().finished) {
            state.PauseTiming();
            loop.begin();
            state.ResumeTiming();
        }
    }
    // Seconds of CPU per channel and scan.
    state.counters["per_channel"] = benchmark::Counter(
        kChannels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ChartPass16_ReadoutsShown(benchmark::State& state) {
    chartPass(state, 1.0);
}
void BM_ChartPass16_FastNoReadouts(benchmark::State& state) {
    chartPass(state, 0.002);
}
BENCHMARK(BM_ChartPass16_ReadoutsShown);
BENCHMARK(BM_ChartPass16_FastNoReadouts);

}  // namespace
}  // namespace trindel
