// Setting a program up for a scope or scope-plus-chart recording without windows (the
// command-line tool's record --mode scope|scope-chart), on top of the chart set-up.
#pragma once

#include <cstdint>
#include <string>

#include "state/program.h"

namespace trindel {

struct ScopeSettings {
    int16_t mode = 2;  // 2 scope, 3 scope plus chart
    int32_t samples = 1000;
    double interval = 0.001;  // seconds per scope sample
};

// The longest sweep at the interval: a DT800 burst holds 2,048 samples at 0.008 s, 4,096 at
// 0.004 s, 8,192 at 0.002 s; otherwise MaximumScopeSamples.
int32_t longestSweep(const Program& p, double interval);

// Checks and applies the scope settings to a program already set up for a chart run with
// `chartSamples` scans: mode, channel count (1 in scope mode, 2..5 with a chart), sweep length,
// scope interval and the fast scope. False with a one-line `error`; the program is then unchanged.
bool applyScopeSettings(Program& p, const ScopeSettings& s, int32_t chartSamples,
                        std::string& error);

}  // namespace trindel
