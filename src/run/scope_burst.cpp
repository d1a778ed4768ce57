// HIGHSPEEDIO and GETFAST: the fast scope's burst (DT800 or demonstration), its download,
// averaging and conversion, and its drawing.
#include <algorithm>
#include <cmath>

#include "devices/datataker/dt800_burst.h"
#include "devices/demo_source.h"
#include "display/scope_draw.h"
#include "files/file_series.h"
#include "files/save_files.h"
#include "run/scope_loop.h"

namespace trindel {

namespace {

// How long a silent logger is waited for before a burst download is given up.
constexpr double kBurstSilence = 2.0;

int16_t toWord(float v) {
    if (!std::isfinite(v)) {
        return 0;
    }
    return static_cast<int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

}  // namespace

void ScopeLoop::waitDuringBurst(double until, double start, double total, bool showProgress) {
    int shown = -1;
    for (;;) {
        const double now = io_.clock.GetCurrentTimeInSeconds();
        if (showProgress && total > 0.0) {
            const int percent = std::min(100, static_cast<int>((now - start) / total * 100.0));
            const int fives = percent / 5 * 5;
            if (fives != shown) {
                shown = fives;
                scopeHooks_->burstProgress(fives);
                if (fives >= 100) {
                    scopeHooks_->showBurstStatus(" DT800 PROCESSING...");
                }
            }
        }
        if (now >= until) {
            return;
        }
        handleEvents();
        ScopeRunState& r = p_.scope.run;
        if (r.EscHit != 0 || stopRequested_) {
            return;
        }
        if (r.TabHIT != 0 && r.haveBurst) {
            // A save during the burst keeps the burst before it, still in scope row 1.
            saveSweep(true);
        }
        const double slice = total > 0.0 ? total / 20.0 : 0.05;
        io_.clock.waitUntil(std::min(until, now + std::max(slice, 0.001)));
    }
}

void ScopeLoop::burstFromDemonstration(double seconds) {
    const Session& s = p_.session;
    auto& words = p_.scope.ScopeBuffer;
    uint64_t& seed = p_.device.demoSeed;
    for (int32_t i = 0; i <= s.ScopeMax; ++i) {
        // 300 to 2,099 from two draws of 1..800 (uniform enough for a picture of noise).
        const int v = 300 + (demoDraw(seed) - 1) * 1800 / 800 + (demoDraw(seed) - 1) % 3;
        words[static_cast<size_t>(i) * 3] = static_cast<int16_t>(std::min(v, 2099));
        words[static_cast<size_t>(i) * 3 + 1] = words[static_cast<size_t>(i) * 3];
    }
    const double start = io_.clock.GetCurrentTimeInSeconds();
    waitDuringBurst(start + seconds, start, seconds, true);
    scopeHooks_->showBurstStatus("  PROCESSING...");
    const double after = io_.clock.GetCurrentTimeInSeconds();
    waitDuringBurst(after + seconds / 4.0, after, 0.0, false);
    if (p_.prefs[kPrefSimulateDownload] != 0) {
        scopeHooks_->showBurstStatus(" TRANSFER DATA..");
        const double ticks = (s.ScopeMax / 3.0) * s.scopeinterval / 0.001;
        const double from = io_.clock.GetCurrentTimeInSeconds();
        waitDuringBurst(from + ticks / 60.0, from, 0.0, false);
    }
}

void ScopeLoop::burstFromDevice(int32_t readings, double seconds) {
    const Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    port_->discardInput();
    port_->command("X");
    const double start = io_.clock.GetCurrentTimeInSeconds();
    waitDuringBurst(start + seconds, start, seconds, true);
    if (r.EscHit != 0 || stopRequested_) {
        return;
    }
    port_->waitForBytes(3, kBurstSilence);
    scopeHooks_->showBurstStatus(" DOWNLOADING...");
    const BurstDownload d = downloadBurst(*port_, readings, kBurstSilence, [&](int32_t) {
        handleEvents();
        return r.EscHit == 0 && !stopRequested_;
    });
    auto& words = p_.scope.ScopeBuffer;
    for (size_t i = 0; i < d.readings.size() && i + 1 < ScopeBuffers::kBurstRows; ++i) {
        words[(i + 1) * 3] = toWord(d.readings[i]);
    }
    const std::vector<float> samples =
        burstSamples(d.readings, burstReadingsPerSample(s.scopeinterval), s.ScopeMax);
    for (int32_t i = 1; i <= s.ScopeMax; ++i) {
        words[static_cast<size_t>(i) * 3 + 1] = toWord(samples[static_cast<size_t>(i)]);
    }
    burstSamples_ = samples;
}

void ScopeLoop::HIGHSPEEDIO() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    const DataFormat format = chosenFormat(p_.prefs);
    const std::string root =
        p_.files.filestrings.rootName.empty() ? "Scope" : p_.files.filestrings.rootName;
    scopeHooks_->showBurstStatus(" next: '" +
                                 seriesFileName(root, p_.files.ScopeCount + 1, format) + "'  ");
    scopeHooks_->showBurstStatus(" SAMPLING...");
    const double seconds = s.ScopeMax * static_cast<double>(s.scopeinterval);
    const int32_t readings = burstReadingCount(s.scopeinterval, s.ScopeMax);
    const bool device = p_.device.DemonstrationMODE == 0 && p_.device.External_AD == 4 && port_;
    burstSamples_.clear();
    if (device) {
        burstFromDevice(readings, seconds);
    } else {
        burstFromDemonstration(seconds);
        burstSamples_.assign(static_cast<size_t>(s.ScopeMax) + 1, 0.0f);
        for (int32_t i = 1; i <= s.ScopeMax; ++i) {
            burstSamples_[static_cast<size_t>(i)] =
                p_.scope.ScopeBuffer[static_cast<size_t>(i) * 3 + 1];
        }
    }
    if (r.EscHit != 0 || stopRequested_) {
        return;
    }
    const auto& row1 = p_.channels.Nvar[1];
    std::span<float> out(&p_.scope.scopedata[ScopeBuffers::kScopeRowLength],
                         static_cast<size_t>(s.ScopeMax) + 1);
    convertBurst(burstSamples_, row1[kCoeffA], row1[kCoeffB], out);
    r.ScSample = s.ScopeMax;
    r.TotScopeSample = s.ScopeMax;
    ++r.FastScopeCount;
    r.haveBurst = true;
}

void ScopeLoop::GETFAST() {
    drawBurst(p_, io_.canvas);
    drawScopeFrame(p_, io_.canvas, p_.scope.run.scopeticgap);
    io_.canvas.flush();
    hooks_.flushWindow();
}

}  // namespace trindel
