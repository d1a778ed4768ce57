#include "run/save_scope.h"

#include <cmath>

#include "files/backups.h"
#include "files/file_series.h"
#include "files/recording_from_program.h"
#include "files/save_files.h"

namespace trindel {

float scopeSaveInterval(const Session& s, bool fastPath) {
    if (fastPath || !(s.LastScopeDur > 0.0f) || s.ScopeMax <= 0 || !(s.scopeinterval > 0.0f)) {
        return s.scopeinterval;
    }
    const double rate = std::rint(s.ScopeMax * 60.0 / s.LastScopeDur);
    if (!(rate > 0.0)) {
        return s.scopeinterval;
    }
    const double measured = 1.0 / rate;
    if (std::fabs(measured / s.scopeinterval - 1.0) > s.SampRateError) {
        return static_cast<float>(measured);
    }
    return s.scopeinterval;
}

std::vector<float> scopeSweepToSave(const Program& p, bool fastPath) {
    const int32_t n = p.session.ScopeMax;
    if (fastPath) {
        return sweepOldestFirst(p.scope, 1, n);
    }
    // ScSample holds the newest sample; the oldest is the one after it.
    const int32_t newest = p.scope.run.ScSample;
    const int32_t oldest = newest >= 1 && newest < n ? newest + 1 : 1;
    return sweepOldestFirst(p.scope, oldest, n);
}

ScopeSaveResult SaveSCOPE(Program& p, bool fastPath, const std::string& timeOfSaving) {
    ScopeSaveResult out;
    const DataFormat format = chosenFormat(p.prefs);
    const std::string& root =
        p.files.filestrings.rootName.empty() ? std::string("Scope") : p.files.filestrings.rootName;
    const std::string& folder = p.files.ScopeFileFolder;
    const auto pathOf = [&](int32_t k) {
        return joinPath(folder, withExtension(seriesFileName(root, k, format), format, p.prefs));
    };
    const int32_t number = firstFreeSeriesNumber(p.files.ScopeCount + 1, pathOf);
    out.path = pathOf(number);
    const std::vector<float> sweep = scopeSweepToSave(p, fastPath);
    out.write = writeScopeSweepFile(p, format, out.path, sweep,
                                    scopeSaveInterval(p.session, fastPath), timeOfSaving);
    if (out.write.ok) {
        p.files.ScopeCount = number;
    }
    const int32_t next = firstFreeSeriesNumber(p.files.ScopeCount + 1, pathOf);
    out.readout = " next: '" + seriesFileName(root, next, format) + "'  ";
    return out;
}

}  // namespace trindel
