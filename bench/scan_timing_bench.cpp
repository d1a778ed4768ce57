// Scan timing at 0.002 s with 16 channels on the machine's clock: how late scans land and the CPU
// the recording takes, for the one recording run with a sleep-only wait, with the short spin
// before each due time, and for a plain absolute-deadline clock_nanosleep loop in the same run
// (the machines are shared, so only figures from one run compare).
#include <benchmark/benchmark.h>
#include <sys/prctl.h>
#include <time.h>

#include <vector>

#include "platform/null_canvas.h"
#include "platform/system_clock.h"
#include "platform/virtual_platform.h"
#include "run/recording_run.h"
#include "run/recording_setup.h"

namespace trindel {
namespace {

constexpr double kInterval = 0.002;
constexpr int kChannels = 16;
constexpr int32_t kScans = 2500;  // 5 s

double seconds(clockid_t id) {
    timespec ts{};
    clock_gettime(id, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void report(benchmark::State& state, const ScanLateness& l, double cpu, double wall) {
    state.counters["late_p50_us"] = l.p50 * 1e6;
    state.counters["late_p99_us"] = l.p99 * 1e6;
    state.counters["late_max_us"] = l.max * 1e6;
    state.counters["late_scans"] = l.late;
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
}

// The reference: sleep to each due time on CLOCK_MONOTONIC and note how late the wake-up was.
void BM_PlainAbsoluteSleepLoop(benchmark::State& state) {
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);  // as SystemClock sets it
    ScanLateness l;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        std::vector<double> lateness;
        lateness.reserve(kScans);
        const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        const double start = seconds(CLOCK_MONOTONIC);
        double due = start + 0.1;
        for (int32_t k = 0; k < kScans; ++k, due += kInterval) {
            timespec ts{
                static_cast<time_t>(due),
                static_cast<long>((due - static_cast<double>(static_cast<time_t>(due))) * 1e9)};
            while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
            }
            lateness.push_back(std::max(0.0, seconds(CLOCK_MONOTONIC) - due));
        }
        wall = seconds(CLOCK_MONOTONIC) - start;
        cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
        l = summariseLateness(lateness, lateScanThreshold(kInterval));
    }
    report(state, l, cpu, wall);
}

// The one recording run of 16 demonstration channels, as the command-line tool sets it up.
void recordingRun(benchmark::State& state, RunTiming timing, bool learnSpin = true) {
    RunResult result;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        Program p;
        RecordSettings settings;
        settings.channels = kChannels;
        settings.interval = kInterval;
        settings.samples = kScans;
        std::string error;
        if (prepareRecording(p, settings, 1024, 768, 1, error) == 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        SystemClock clock;
        clock.setSpinLearning(learnSpin);
        VirtualPlatform vp;
        NullCanvas canvas(1024, 768);
        Platform io{clock, vp.events, vp.sounds, canvas, vp.host};
        ChartHooks hooks;
        const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        const double start = seconds(CLOCK_MONOTONIC);
        result = RecordingRun(p, io, hooks, timing).record();
        wall = seconds(CLOCK_MONOTONIC) - start;
        cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    }
    report(state, result.lateness, cpu, wall);
}

void BM_RecordingRun16_SleepOnly(benchmark::State& state) {
    recordingRun(state, RunTiming{0.020, 0.0});
}
void BM_RecordingRun16_Spin200us(benchmark::State& state) {
    recordingRun(state, RunTiming{}, false);
}
void BM_RecordingRun16_LearntSpin(benchmark::State& state) {
    recordingRun(state, RunTiming{});
}

BENCHMARK(BM_PlainAbsoluteSleepLoop)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_RecordingRun16_SleepOnly)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_RecordingRun16_Spin200us)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_RecordingRun16_LearntSpin)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace trindel
