#include "run/scope_loop.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "control/switching_schedule.h"
#include "devices/datataker/datataker.h"
#include "devices/datataker/datataker_protocol.h"
#include "devices/read_dispatch.h"
#include "display/scope_draw.h"
#include "display/scope_view.h"
#include "display/status_texts.h"
#include "files/file_series.h"
#include "run/get_data.h"
#include "run/save_scope.h"
#include "text/date_stamp.h"

namespace trindel {

namespace {

constexpr int kTabKey = 48;  // virtual key code of Tab
constexpr int kTabCharacter = 9;

}  // namespace

ScopeLoop::ScopeLoop(Program& p, Platform& platform, ChartHooks& hooks)
    : p_(p),
      io_(platform),
      hooks_(hooks),
      switching_(p, platform, hooks),
      commands_(p, platform, hooks, switching_, nullptr) {}

bool ScopeLoop::fastPath() const {
    return p_.prefs[kPrefFastScope] != 0;
}

void ScopeLoop::begin() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    const bool chart = s.RecordingMODE == 3;
    const double now = io_.clock.GetCurrentTimeInSeconds();
    resetForRun(p_, now);
    const int width = p_.prefs[kPrefWindowWidth];
    if (s.ScopeMax <= 0) {
        s.ScopeMax = width;
    }
    s.ScopeMax = std::clamp(s.ScopeMax, 1,
                            std::min(s.MaximumScopeSamples, ScopeBuffers::kScopeRowLength - 1));
    s.scopeinterval = static_cast<float>(s.ScopeINTERVALinSECONDS);
    if (s.RecordingMODE == 2 && s.ScopeINTERVALinSECONDS < 0.016) {
        p_.prefs[kPrefFastScope] = 1;
    }
    const double customTic = r.CustomScopeTic;
    r = ScopeRunState{};
    r.CustomScopeTic = customTic;
    setScopeGeometry(p_);
    // The previous sweep's rows start below the band's top, so the first sweep erases nothing.
    for (int i = 0; i <= s.ScopeMax; ++i) {
        p_.scope.scope(2, i) = 0.0f;
        p_.scope.scope(3, i) = 0.0f;
    }
    s.TimeAtStart = io_.clock.TickCount();
    s.TicsAtLastSample = s.TimeAtStart;
    s.timeNow = s.TimeAtStart;
    s.NextMarkerTime = 0;
    r.NextScopeTimeInSeconds = now + (chart ? 0.0001 : 0.000005);
    r.ChartTimeCutoff = s.TimeAtStart;
    stop_ = StopReason::None;
    stopRequested_ = false;
    commands_.begin();
    sweepsSaved_ = 0;
    pendingKey_ = 0;
    lastShownSample_ = -1;
    if (chart) {
        // The first chart sample at the start and one an interval after it, so the chart's
        // samples are evenly spaced from the first (the tick cut-off would otherwise take the
        // first at once and the second a whole interval after its due time).
        s.TimeOfNextChartSample = now;
        if (s.nChan >= 2) {
            const int32_t samples = std::min(s.MaxSamples, s.MaximumSamples) + 1;
            p_.store.reserveSlots(
                SampleStore::slotOf(std::min<int>(s.nChan, kMaxChannels), samples));
        }
        s.Sample = 0;
        s.NscrnCASEs = 0;
        p_.Markers.clear();
        s.MaxSamples = std::min(s.MaxSamples, s.MaximumSamples);
        s.ChartSampleInterval = static_cast<float>(s.ChartINTERVALinSECONDS);
        if (s.ScreenCapacity <= 0) {
            s.ScreenCapacity = static_cast<int16_t>(width * s.ChartView + 1);
        }
        p_.chart.donefact = s.MaxSamples > 0 ? 100.0 / s.MaxSamples : 0.0;
        p_.chart.SegmentsInProgressBar = static_cast<int16_t>(width - 10);
        p_.chart.previousColumn = -500;
        p_.chart.markerFlag = 0;
        p_.files.NextSAVEtime = s.TimeAtStart + s.TimedSaveINTERVAL;
        s.ShowDisplays = 1;
        // Markers stand on the chart bands, below the scope band.
        const int chartTop = static_cast<int>(p_.channels.Nvar[1][kBandBottom]) + 1;
        commands_.setMarkerTop(chartTop);
        switching_.setMarkerTop(chartTop);
        if (s.SwitchingMode != 0) {
            SWITCHTOREFERENCE(p_, switching_);
            switching_.reportSwitch(s.TimeAtStart);
        }
        startSwitchingSchedule(p_, s.TimeAtStart + 5, 59.999f, false);
    } else {
        s.TimedSaveINTERVAL = 0;  // no timed backups of a scope run
    }
    const bool dt800 = p_.device.External_AD == 4 && p_.device.DemonstrationMODE == 0 && port_;
    if (dt800) {
        SwitchDT800ToHIGHSpeed(p_, io_, *port_);
        if (fastPath()) {
            port_->command("P48=50");
            port_->command(burstCommand(s.ScopeINTERVALinSECONDS, s.ScopeMax,
                                        static_cast<int>(p_.channels.Nvar[1][kInputNumber])));
        }
    }
    drawScopeBand(p_, io_.canvas);
    startSweep();  // the ticks, for the fast path's bursts too
    scopeHooks_->showScopeInfo(scopeInfoLine(p_, width));
}

double ScopeLoop::nextDueTime() const {
    const Session& s = p_.session;
    if (fastPath()) {
        return io_.clock.GetCurrentTimeInSeconds();
    }
    double due = p_.scope.run.NextScopeTimeInSeconds;
    if (s.RecordingMODE == 3) {
        due = std::min(due, s.TimeOfNextChartSample);
        due = std::min(due, (p_.scope.run.ChartTimeCutoff + 1) / 60.0);
    }
    return due;
}

bool ScopeLoop::gateSweep() {
    if (!gate_ || gate_(p_) == SweepStart::Go) {
        return true;
    }
    stop_ = StopReason::StopButton;
    return false;
}

void ScopeLoop::handleEvents() {
    ScopeRunState& r = p_.scope.run;
    while (auto e = io_.events.nextEvent()) {
        p_.events.Action = e->action;
        p_.events.EventID = e->eventId;
        if (e->action == kEventKey) {
            if (e->eventId == 27) {
                r.EscHit = 1;
            } else if (e->eventId == kTabCharacter) {
                r.TabHIT = 1;
            } else {
                pendingKey_ = e->eventId;
            }
            continue;
        }
        if (e->action != kEventControl) {
            continue;
        }
        if (e->eventId == kToolbarStop) {
            stopRequested_ = true;
        } else if (e->eventId == kToolbarSaveScope || e->eventId == kToolbarPause) {
            r.TabHIT = 1;
        }
    }
    const KeyMap keys = hooks_.heldKeys();
    if (keys.held(vk::Escape) || io_.events.isKeyDown(Key::Escape)) {
        r.EscHit = 1;
    }
    if (keys.held(kTabKey)) {
        r.TabHIT = 1;
    }
}

// Scope-plus-chart mode: Tab and "Save scope" save the sweep; every other key and press is the
// chart's command (pause, backup, markers, added time, manual switching).
void ScopeLoop::readChartCommands() {
    ScopeRunState& r = p_.scope.run;
    commands_.handleEvents();
    if (commands_.pendingKey() == kTabCharacter) {
        r.TabHIT = 1;
        commands_.dropPendingKey();
    }
    if (p_.chart.clicks.SaveScopeIconClicked || hooks_.heldKeys().held(kTabKey)) {
        r.TabHIT = 1;
    }
    const StopReason stop = stopRequested_ ? StopReason::StopButton : commands_.act();
    if (stop != StopReason::None) {
        stop_ = stop;
    }
    if (commands_.paused()) {
        // The sweep restarts its timing after a pause rather than catching up sample by sample.
        r.NextScopeTimeInSeconds =
            io_.clock.GetCurrentTimeInSeconds() + p_.session.ScopeINTERVALinSECONDS;
    }
    p_.chart.clicks = ToolbarClicks{};
}

void ScopeLoop::readCommands() {
    if (p_.session.RecordingMODE == 3) {
        readChartCommands();
        return;
    }
    handleEvents();
    ScopeRunState& r = p_.scope.run;
    if (stopRequested_) {
        stop_ = StopReason::StopButton;
    } else if (r.EscHit != 0) {
        stop_ = StopReason::Escape;
    }
    const int key = pendingKey_;
    pendingKey_ = 0;
    if (key == 'x' || key == 'X' || key == 'q' || key == 'Q') {
        hooks_.keyCheck(p_, key);
    }
}

void ScopeLoop::saveSweep(bool fast) {
    ScopeRunState& r = p_.scope.run;
    r.TabHIT = 0;
    if (fast && !r.haveBurst) {
        return;
    }
    if (!fast && r.TotScopeSample == 0) {
        return;
    }
    const DateStamp stamp = localStamp(std::time(nullptr));
    const ScopeSaveResult saved = SaveSCOPE(p_, fast, stamp.time);
    scopeHooks_->sweepSaved(saved.path, saved.write);
    scopeHooks_->showBurstStatus(saved.readout);
    if (saved.write.ok) {
        ++sweepsSaved_;
        if (p_.session.RecordingMODE == 3 && p_.prefs[kPrefAutomarkers] != 0 &&
            p_.Markers.Nmarkers < 641) {
            // Automatic markers label the chart with the digits 1..9, 0 in turn.
            r.autoMarkerCounter = static_cast<int16_t>(r.autoMarkerCounter % 10 + 1);
            p_.Markers.add(p_.session.Sample, '0' + r.autoMarkerCounter % 10);
        }
    }
}

PassOutcome ScopeLoop::pass() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    PassOutcome out;
    if (finished()) {
        out.finished = true;
        out.stop = stop_;
        return out;
    }
    const bool chart = s.RecordingMODE == 3;
    if (chart && s.Sample != lastShownSample_) {
        const StatusTexts t = statusTexts(s, p_.chart.donefact);
        hooks_.showStatusField(2, t.sample);
        hooks_.showStatusField(3, t.done);
        hooks_.showStatusField(4, t.left);
        lastShownSample_ = s.Sample;
    }
    if (chart) {
        hooks_.serveNoteWindow(p_);
    }
    s.CurrentTimeInSeconds = io_.clock.GetCurrentTimeInSeconds();
    s.timeNow = io_.clock.TickCount();
    bool sampled = false;
    if (fastPath()) {
        if (!gateSweep()) {
            out.finished = true;
            out.stop = stop_;
            return out;
        }
        out.scanDue = s.CurrentTimeInSeconds;
        HIGHSPEEDIO();
        p_.view.ScopeViewSTEP = 1;
        if (r.EscHit == 0 && !stopRequested_) {
            GETFAST();
            scopeHooks_->showScopeInfo(scopeInfoLine(p_, p_.prefs[kPrefWindowWidth]));
            if (sweepsSaved_ < sweepsToSave_) {
                r.TabHIT = 1;
            }
        }
        out.scanTime = out.scanDue;
        sampled = true;
    } else if (s.CurrentTimeInSeconds >= r.NextScopeTimeInSeconds) {
        if ((r.ScSample == 0 || r.ScSample >= s.ScopeMax) && !gateSweep()) {
            out.finished = true;
            out.stop = stop_;
            return out;
        }
        out.scanDue = r.NextScopeTimeInSeconds;
        out.scanTime = s.CurrentTimeInSeconds;
        GETSCOPE();
        out.scanTaken = true;
        sampled = true;
        const int32_t ticks = io_.clock.TickCount();
        if (ticks > p_.chart.TimeForNextWindowFlush) {
            hooks_.flushWindow();
            io_.canvas.flush();
            p_.chart.TimeForNextWindowFlush = ticks + 1;
        }
        if (r.ScSample == 1 && r.TotScopeSample > 1) {
            scopeHooks_->showScopeInfo(scopeInfoLine(p_, p_.prefs[kPrefWindowWidth]));
        }
        if (sweepsSaved_ < sweepsToSave_ && r.ScSample == s.ScopeMax) {
            r.TabHIT = 1;
        }
    }
    if (chart) {
        if (sampled) {
            collectChartReadings();
        }
        chartScanIfDue();
        if (s.TimedSaveINTERVAL > 0 && s.timeNow > p_.files.NextSAVEtime) {
            hooks_.timedBackup(p_, 1);
            if (p_.files.NextSAVEtime <= s.timeNow) {
                p_.files.NextSAVEtime = s.timeNow + s.TimedSaveINTERVAL;
            }
        }
        if (s.SwitchingMode > 0) {
            switchingPass(p_, switching_, s.timeNow);
            switching_.reportSwitch(s.timeNow);
        }
        commands_.closeReferenceIfDue(s.timeNow);
        hooks_.alertSounds(p_);
    }
    if (!finished()) {
        readCommands();
    }
    if (r.TabHIT != 0 && !finished()) {
        saveSweep(fastPath());
        const double now = io_.clock.GetCurrentTimeInSeconds();
        if (!fastPath() && sweepsToSave_ == 0) {
            // The time spent saving is not caught up sample by sample.
            r.NextScopeTimeInSeconds = now + s.ScopeINTERVALinSECONDS;
            if (chart) {
                s.TimeOfNextChartSample = now + s.ChartINTERVALinSECONDS;
            }
        }
    }
    if (chart && !finished() && s.MaxSamples > 0 && s.Sample >= s.MaxSamples) {
        stop_ = StopReason::SampleLimit;
    }
    // Scope-plus-chart runs on to its sample limit after the sweeps asked for are saved.
    if (!chart && sweepsToSave_ > 0 && sweepsSaved_ >= sweepsToSave_ && !finished()) {
        stop_ = StopReason::SampleLimit;
    }
    if (chart && s.NscrnCASEs >= s.ScreenCapacity && !finished()) {
        s.NscrnCASEs = 0;
        hooks_.newScreen(p_);
    }
    out.finished = finished();
    out.stop = stop_;
    return out;
}

void ScopeLoop::collectChartReadings() {
    Session& s = p_.session;
    ScopeRunState& r = p_.scope.run;
    for (int c = 2; c <= s.nChan && c < static_cast<int>(r.DataCache.size()); ++c) {
        r.DataCache[static_cast<size_t>(c)] += readDeviceChannel(p_, io_, c);
    }
    ++r.scope2total;
}

void ScopeLoop::chartScanIfDue() {
    Session& s = p_.session;
    const int32_t ticks = io_.clock.TickCount();
    if (s.CurrentTimeInSeconds >= s.TimeOfNextChartSample || ticks > p_.scope.run.ChartTimeCutoff) {
        if (p_.scope.run.scope2total == 0) {
            collectChartReadings();
        }
        GETDATA3(p_, io_, hooks_);
    }
}

void finishScopeChartRun(Program& p) {
    if (p.session.RecordingMODE != 3) {
        return;
    }
    for (int c = 2; c <= p.session.nChan; ++c) {
        const float v = p.store.get(c, 2);
        p.store.set(c, 0, v);
        p.store.set(c, 1, v);
    }
}

}  // namespace trindel
