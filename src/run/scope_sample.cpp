// GETSCOPE: one scope sample on the normal path, drawn point by point over the previous sweep.
#include <cmath>

#include "devices/demo_source.h"
#include "devices/read_dispatch.h"
#include "display/scope_draw.h"
#include "display/scope_view.h"
#include "run/scope_loop.h"

namespace trindel {

namespace {

// The UI2, DT800 and ADAM modules are read; every other source gives the demonstration signal.
bool readsScopeChannel(int device) {
    return device == 1 || device == 4 || device == 5;
}

}  // namespace

void ScopeLoop::startSweep() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    if (r.Tscope > 0) {
        s.LastScopeDur = static_cast<float>(r.Tscope);
    }
    const int width = p_.prefs[kPrefWindowWidth];
    const ScopeTics tics = COMPUTESCOPETICS(s.ScopeMax, s.scopeinterval, s.ScopeINTERVALinSECONDS,
                                            width, r.scopeXfactor);
    r.span = tics.span;
    r.scopeticgap = tics.scopeticgap;
    if (r.CustomScopeTic != 0.0) {
        r.scopeticgap = static_cast<float>(r.scopeticgap * r.CustomScopeTic);
    }
    drawScopeFrame(p_, io_.canvas, r.scopeticgap);
}

void ScopeLoop::GETSCOPE() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    ScopeBuffers& b = p_.scope;
    ++r.TotScopeSample;
    ++r.ScSample;
    r.NextScopeTimeInSeconds += s.ScopeINTERVALinSECONDS;
    const int32_t ticks = io_.clock.TickCount();
    if (s.RecordingMODE == 2) {
        s.TicsAtLastSample = ticks;  // in scope plus chart it times the chart samples
    }
    float volts = 0.0f;
    if (readsScopeChannel(p_.device.External_AD) && p_.device.DemonstrationMODE == 0) {
        ReadExternalADdevice(p_, io_, 1, 1);
        volts = p_.device.volts;
    } else {
        volts = demoScopeVolts(p_.device.demoSeed, p_.view.ScopeGain);
    }
    r.ScYpos = scopeRow(p_, volts);
    if (r.ScSample > s.ScopeMax) {
        r.ScSample = 1;
        r.Tscope = ticks - r.Bscopetics;
    }
    if (r.ScSample == 1) {
        r.oldscopex = -1000.0f;
        r.Bscopetics = ticks;
        startSweep();
    }
    const int32_t i = r.ScSample;
    // Sample 1 sits at the left edge and the last one a sample's width from the right edge.
    const float x = std::floor((i - 1) * r.scopeXfactor);
    b.scope(1, i) = volts;
    const int step = std::max<int>(1, p_.view.ScopeViewSTEP);
    if (i % step != 0 && i != 1) {
        return;
    }
    // The previous point drawn: a step back, or the sweep's first sample.
    const int prev = i - step >= 1 ? i - step : 1;
    if (r.oldscopex > -1000.0f && i > 1) {
        const float eraseFrom = b.scope(3, prev), eraseTo = b.scope(3, i);
        if (eraseFrom > 33.0f && eraseTo > 33.0f) {
            io_.canvas.line(static_cast<int>(r.oldscopex), static_cast<int>(eraseFrom),
                            static_cast<int>(x), static_cast<int>(eraseTo),
                            p_.colours.ScopeBackgroundColor);
        }
        io_.canvas.line(static_cast<int>(r.oldscopex), static_cast<int>(b.scope(2, prev)),
                        static_cast<int>(x), static_cast<int>(r.ScYpos), p_.colours.ScopeDataColor);
        b.scope(3, prev) = b.scope(2, prev);
    }
    b.scope(2, i) = r.ScYpos;
    r.oldscopex = x;
}

}  // namespace trindel
