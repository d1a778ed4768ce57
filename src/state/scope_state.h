// Run-time state of the scope modes: the sweep position, scope due time, sweep timing, the save
// and stop requests, the burst count and the chart-reading cache of scope-plus-chart mode.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

struct ScopeRunState {
    int32_t ScSample = 0;        // slot of the newest sample of the sweep, 1..ScopeMax
    int32_t TotScopeSample = 0;  // scope samples taken in the run
    double NextScopeTimeInSeconds = 0.0;
    float scopeXfactor = 1.0f;  // pixels per scope sample
    int16_t ScopeBase = 0;      // row of 0 V (midPix)
    int16_t scminPix = 0;       // lowest usable row of the scope band
    int16_t ScopeHite = 0;
    float sccf = 0.0f;  // pixels per volt
    float scsf = 5.0f;  // full-scale volts
    float ScYpos = 0.0f;
    float oldscopex = -1000.0f;
    int32_t Bscopetics = 0, Escopetics = 0, Tscope = 0;
    int16_t FastScopeCount = 0;
    int16_t TabHIT = 0, EscHit = 0;
    std::array<float, 24> DataCache{};
    int16_t scope2total = 0;
    int32_t ChartTimeCutoff = 0;
    int16_t autoMarkerCounter = 0;
    double CustomScopeTic = 0.0;  // user's scope tick as a multiple of the default; 0 default
    float scopeticgap = 0.0f;
    float span = 0.0f;
    bool haveBurst = false;  // a burst has been taken in this run (a save can use it)

    bool operator==(const ScopeRunState&) const = default;
};

}  // namespace trindel
