// The scope's timing on the machine's clock, each beside a baseline from the same run (the
// machines are shared, so only figures from one run compare):
// - the normal-path scope at its fastest offered interval (1/60 s) and at 0.002 s against a plain
//   absolute-deadline clock_nanosleep loop at the same interval;
// - a DT800 burst of 16,384 readings downloaded from trindel-devsim over a pseudo-terminal at
//   115200 baud (12 characters a reading: 17.07 s of line time) against a plain read of the same
//   bytes, with the CPU each takes.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <vector>

#include "devices/datataker/dt800_burst.h"
#include "devices/serial/libserialport_line.h"
#include "devices/serial/serial_port.h"
#include "display/chart_screen.h"
#include "plain_sleep_loop.h"
#include "platform/null_canvas.h"
#include "platform/system_clock.h"
#include "platform/virtual_platform.h"
#include "run/recording_run.h"

namespace trindel {
namespace {

constexpr double kRunSeconds = 5.0;

using bench::clockSeconds;

void report(benchmark::State& state, const ScanLateness& l, double cpu, double wall) {
    state.counters["late_p50_us"] = l.p50 * 1e6;
    state.counters["late_p99_us"] = l.p99 * 1e6;
    state.counters["late_max_us"] = l.max * 1e6;
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
}

void plainSleepLoop(benchmark::State& state, double interval) {
    bench::PlainLoopResult r;
    for (auto _ : state) {
        r = bench::plainSleepLoop(interval, kRunSeconds);
    }
    report(state, r.lateness, r.cpuSeconds, r.wallSeconds);
}

// A normal-path scope run (mode 2, or 3 with two chart channels at 0.1 s) of 1,000-sample sweeps
// on the demonstration source for kRunSeconds.
void scopeRun(benchmark::State& state, int16_t mode, double interval) {
    RunResult result;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        Program p;
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.prefs[kPrefWindowWidth] = 1024;
        p.device.External_AD = 0;
        p.device.DemonstrationMODE = 1;
        p.session.RecordingMODE = mode;
        p.session.nChan = mode == 3 ? 3 : 1;
        p.session.ScopeMax = 1000;
        p.session.ScopeINTERVALinSECONDS = interval;
        p.session.ChartINTERVALinSECONDS = 0.1;
        p.session.MaxSamples = 1000000;
        p.prefs[kPrefFastScope] = 0;
        for (int c = 1; c <= p.session.nChan; ++c) {
            auto& row = p.channels.Nvar[static_cast<size_t>(c)];
            row[kCoeffB] = 1.0f;
            row[kDisplayMax] = 5.0f;
            row[kSamplesToAverage] = 1.0f;
        }
        SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
        SystemClock clock;
        VirtualPlatform vp;
        NullCanvas canvas(1024, 768);
        Platform io{clock, vp.events, vp.sounds, canvas, vp.host};
        ChartHooks hooks;
        RunFrontEnd fe;
        const double start = clockSeconds(CLOCK_MONOTONIC);
        fe.stopWanted = [&] { return clockSeconds(CLOCK_MONOTONIC) > start + kRunSeconds; };
        const double cpu0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        RecordingRun run(p, io, hooks);
        result = run.record(fe);
        wall = clockSeconds(CLOCK_MONOTONIC) - start;
        cpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    }
    state.counters["samples"] = result.scans;
    report(state, result.lateness, cpu, wall);
}

void BM_PlainSleepLoop_60th(benchmark::State& s) {
    plainSleepLoop(s, 1.0 / 60.0);
}
void BM_Scope_60th(benchmark::State& s) {
    scopeRun(s, 2, 1.0 / 60.0);
}
void BM_PlainSleepLoop_2ms(benchmark::State& s) {
    plainSleepLoop(s, 0.002);
}
void BM_ScopePlusChart_2ms(benchmark::State& s) {
    scopeRun(s, 3, 0.002);
}
BENCHMARK(BM_PlainSleepLoop_60th)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_Scope_60th)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_PlainSleepLoop_2ms)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_ScopePlusChart_2ms)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

#ifdef DEVSIM_PATH
constexpr int32_t kReadings = 16384;

struct SimulatedLogger {
    pid_t pid = -1;
    std::string path;
    SimulatedLogger() {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], 1);
            ::execl(DEVSIM_PATH, DEVSIM_PATH, "--device", "dt800", "--value", "1=ramp:100:0.5",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        char buf[128] = {};
        const ssize_t n = ::read(out[0], buf, sizeof buf - 1);
        ::close(out[0]);
        path.assign(buf, n > 0 ? static_cast<size_t>(n) : 0);
        while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) {
            path.pop_back();
        }
    }
    ~SimulatedLogger() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

// Starts a burst of kReadings at 10,000 a second; returns the time the download can begin.
double startBurst(SerialPort& port) {
    port.command("/u/n/e");
    port.waitForBytes(100, 0.2);
    port.discardInput();
    port.command("RX;BURST(16384,10000) 1VNC");
    port.waitForBytes(100, 0.2);
    port.discardInput();
    port.command("X");
    return clockSeconds(CLOCK_MONOTONIC) + kReadings / 10000.0;
}

void burstDownload(benchmark::State& state, bool plain) {
    SimulatedLogger sim;
    if (sim.path.empty()) {
        state.SkipWithError("no simulator");
        return;
    }
    LibSerialPortLine line;
    SerialPort port(line);
    std::string error;
    if (!port.open(sim.path, 115200, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    double wall = 0, cpu = 0;
    size_t got = 0;
    for (auto _ : state) {
        const double begin = startBurst(port);
        const double cpu0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        port.waitForBytes(1, 5.0);  // the first bytes after the burst has run
        const double start = std::max(begin, clockSeconds(CLOCK_MONOTONIC));
        if (plain) {
            // Baseline: whatever is waiting, read as it comes, until every byte is in.
            got = 0;
            while (got < static_cast<size_t>(kReadings) * 12 && port.waitForBytes(1, 2.0)) {
                got += port.readBytes(port.available()).size();
            }
            got /= 12;
        } else {
            got = downloadBurst(port, kReadings, 2.0, {}).readings.size();
        }
        wall = clockSeconds(CLOCK_MONOTONIC) - start;
        cpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    }
    const double lineTime = kReadings * 12 * 10 / 115200.0;
    state.counters["readings"] = static_cast<double>(got);
    state.counters["download_s"] = wall;
    state.counters["line_time_s"] = lineTime;
    state.counters["ratio_to_line_time"] = wall / lineTime;
    state.counters["cpu_percent"] = wall > 0 ? 100.0 * cpu / wall : 0.0;
}

void BM_BurstDownload(benchmark::State& s) {
    burstDownload(s, false);
}
void BM_BurstPlainReadBaseline(benchmark::State& s) {
    burstDownload(s, true);
}
BENCHMARK(BM_BurstDownload)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_BurstPlainReadBaseline)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
#endif

}  // namespace
}  // namespace trindel
