#include "run/scope_setup.h"

#include <cmath>

#include "display/chart_screen.h"
#include "display/scope_view.h"

namespace trindel {

int32_t longestSweep(const Program& p, double interval) {
    if (p.device.External_AD == 4) {
        auto is = [&](double v) { return std::fabs(interval - v) < v * 1e-6; };
        if (is(0.008)) {
            return 2048;
        }
        if (is(0.004)) {
            return 4096;
        }
        if (is(0.002)) {
            return 8192;
        }
    }
    return p.session.MaximumScopeSamples;
}

bool applyScopeSettings(Program& p, const ScopeSettings& s, int32_t chartSamples,
                        std::string& error) {
    if (s.mode != 2 && s.mode != 3) {
        error = "the mode must be scope or scope-chart";
        return false;
    }
    if (!std::isfinite(s.interval) || s.interval < 0.0002 || s.interval > 10.0) {
        error = "--scope-interval must be between 0.0002 and 10 seconds";
        return false;
    }
    const int32_t longest = longestSweep(p, s.interval);
    if (s.samples < 10 || s.samples > longest) {
        error = "--scope-samples must be 10 to " + std::to_string(longest) + " at this interval";
        return false;
    }
    if (s.mode == 3 && (p.session.nChan < 2 || p.session.nChan > 5)) {
        error = "scope-chart mode records 2 to 5 channels (channel 1 is the scope)";
        return false;
    }
    Session& ses = p.session;
    ses.RecordingMODE = s.mode;
    if (s.mode == 2) {
        ses.nChan = 1;
    } else {
        // The scope-plus-chart loop stops when Sample reaches MaxSamples.
        ses.MaxSamples = chartSamples;
    }
    ses.ScopeMax = s.samples;
    ses.ScopeINTERVALinSECONDS = s.interval;
    ses.scopeinterval = static_cast<float>(s.interval);
    ses.OldScopeSpeed = s.interval;
    // The burst path serves scope mode only; scope plus chart samples one point at a time.
    p.prefs[kPrefFastScope] = s.mode == 2 && s.interval < 0.016 ? 1 : 0;
    if (p.prefs[kPrefFastScope] != 0) {
        for (int c = 1; c <= ses.nChan; ++c) {
            p.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] = c == 1 ? 1.0f : 10.0f;
        }
    }
    SetChanParams(p, p.prefs[kPrefWindowHeight], 0);
    setScopeGeometry(p);
    return true;
}

}  // namespace trindel
