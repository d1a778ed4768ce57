// The baseline the scope's timing benchmarks are measured beside: a plain absolute-deadline
// clock_nanosleep loop at the scope's interval, with the same lateness summary as a run's scans.
#pragma once

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "run/scan_lateness.h"

namespace trindel::bench {

inline double clockSeconds(clockid_t id) {
    timespec ts{};
    clock_gettime(id, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct PlainLoopResult {
    ScanLateness lateness;
    double cpuSeconds = 0.0;   // the process's CPU time over the loop
    double wallSeconds = 0.0;  // the loop's length on the monotonic clock
};

// Sleeps to each of `seconds / interval` deadlines `interval` apart (the first 0.1 s from now)
// and records how late each wake-up was.
inline PlainLoopResult plainSleepLoop(double interval, double seconds) {
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
    const auto n = static_cast<int32_t>(seconds / interval);
    std::vector<double> lateness;
    lateness.reserve(static_cast<size_t>(n));
    PlainLoopResult r;
    const double cpu0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const double start = clockSeconds(CLOCK_MONOTONIC);
    double due = start + 0.1;
    for (int32_t k = 0; k < n; ++k, due += interval) {
        const auto whole = static_cast<time_t>(due);
        const timespec ts{whole, static_cast<long>((due - static_cast<double>(whole)) * 1e9)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) != 0) {
        }
        lateness.push_back(std::max(0.0, clockSeconds(CLOCK_MONOTONIC) - due));
    }
    r.wallSeconds = clockSeconds(CLOCK_MONOTONIC) - start;
    r.cpuSeconds = clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    r.lateness = summariseLateness(lateness, lateScanThreshold(interval));
    return r;
}

}  // namespace trindel::bench
