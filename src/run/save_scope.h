// SaveSCOPE: the sweep on the screen written to the next numbered file of the scope series, with
// the interval its measured rate supports.
#pragma once

#include <string>

#include "files/atomic_file.h"
#include "state/program.h"

namespace trindel {

// The interval written with a sweep. On the normal path the rate measured over the last whole
// sweep, rint(ScopeMax x 60 / LastScopeDur) per second, gives its inverse when that differs from
// scopeinterval by more than SampRateError; otherwise (and on the fast path) scopeinterval.
float scopeSaveInterval(const Session& s, bool fastPath);

// The sweep values as written: oldest first on the normal path (the slot after the newest,
// ScSample, on to ScopeMax, then 1 to ScSample); slots 1..ScopeMax on the fast path.
std::vector<float> scopeSweepToSave(const Program& p, bool fastPath);

struct ScopeSaveResult {
    std::string path;
    WriteResult write;
    std::string readout;  // " next: 'root N'  "
};

// Writes the sweep as file ScopeCount + 1 of the series in the chosen format; ScopeCount goes up
// only when the file is safely written, so a failed save is retried under the same number.
ScopeSaveResult SaveSCOPE(Program& p, bool fastPath, const std::string& timeOfSaving);

}  // namespace trindel
