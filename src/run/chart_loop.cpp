#include "run/chart_loop.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "control/switching_schedule.h"
#include "devices/device_table.h"
#include "files/file_series.h"
#include "run/auto_repeat.h"
#include "run/chart_actions.h"
#include "run/get_data.h"
#include "signal/averaging.h"

namespace trindel {

namespace {

// Reads of a continuously averaged last channel between scans, and device scans in
// continuous-scanning mode, are paced at this period so the loop never spins.
constexpr double kContinuousReadPeriod = 0.001;
constexpr double kLastChannelReadPeriod = 0.005;

bool showDisplaysFor(const Session& s) {
    return !(s.Max_Display_Speed < 0 || s.Max_Display_Speed / 1e6 > s.ChartINTERVALinSECONDS);
}

}  // namespace

ChartLoop::ChartLoop(Program& p, Platform& platform, ChartHooks& hooks)
    : p_(p),
      io_(platform),
      hooks_(hooks),
      switching_(p, platform, hooks),
      control_(p, platform, hooks),
      commands_(p, platform, hooks, switching_, &control_) {}

void ChartLoop::begin() {
    Session& s = p_.session;
    ChartState& ch = p_.chart;
    // The store grows to hold the whole run now, so no scan waits for memory.
    if (s.nChan >= 1) {
        const int32_t samples = std::min(s.MaxSamples, s.MaximumSamples) + 1;
        p_.store.reserveSlots(SampleStore::slotOf(std::min<int>(s.nChan, kMaxChannels), samples));
    }
    resetForRun(p_, io_.clock.GetCurrentTimeInSeconds());
    s.Sample = 0;
    s.NscrnCASEs = 0;
    p_.Markers.clear();
    stampRunComment(p_.notes.CommentContainer, localStamp(std::time(nullptr)));
    s.MaxSamples = std::min(s.MaxSamples, s.MaximumSamples);
    s.ChartSampleInterval = static_cast<float>(s.ChartINTERVALinSECONDS);
    s.TimeAtStart = io_.clock.TickCount();
    s.TicsAtLastSample = s.TimeAtStart;
    s.timeNow = s.TimeAtStart;
    s.NextMarkerTime = 0;
    s.ShowDisplays = showDisplaysFor(s) ? 1 : 0;
    const int width = p_.prefs[kPrefWindowWidth];
    if (s.ScreenCapacity <= 0) {
        s.ScreenCapacity = static_cast<int16_t>(width * s.ChartView + 1);
    }
    ch.OverRangeVolts = OverRangeVolts(p_.device.External_AD);
    ch.SegmentsInProgressBar = static_cast<int16_t>(width - 10);
    ch.donefact = s.MaxSamples > 0 ? 100.0 / s.MaxSamples : 0.0;
    ch.TraceLength = s.MaxSamples * s.ChartINTERVALinSECONDS;
    ch.minute_units = ch.TraceLength > 600.0 ? 1 : 0;
    ch.clicks = ToolbarClicks{};
    ch.markerFlag = 0;
    ch.MarkerCounter = 201;
    ch.previousColumn = -500;
    ch.NextTimeMoreCASEs = 0;
    ch.TimeForNextWindowFlush = 0;
    p_.files.NextSAVEtime = s.TimeAtStart + s.TimedSaveINTERVAL;
    ch.lastChannelSum = 0.0;
    ch.lastChannelReads = 0;
    p_.notes.CumulativePauseContainer.clear();
    stop_ = StopReason::None;
    commands_.begin();
    lastShownSample_ = -1;
    // Every recording opens on the reference; the schedule's times start 5 ticks on.
    if (s.SwitchingMode != 0) {
        SWITCHTOREFERENCE(p_, switching_);
        switching_.reportSwitch(s.TimeAtStart);
    }
    startSwitchingSchedule(p_, s.TimeAtStart + 5, 59.999f, false);
    control_.begin(s.TimeAtStart);
}

double ChartLoop::nextDueTime() const {
    const Session& s = p_.session;
    if (p_.prefs[kPrefContinuousScanning] != 0) {
        // A continuous-scanning pass spans the whole interval itself.
        return io_.clock.GetCurrentTimeInSeconds();
    }
    double due = s.TimeOfNextChartSample;
    const int last = s.nChan;
    if (isLastChannelContinuous(p_, last)) {
        due = std::min(due, io_.clock.GetCurrentTimeInSeconds() + kLastChannelReadPeriod);
    }
    return due;
}

void ChartLoop::readCommands() {
    const StopReason stop = commands_.read();
    if (stop != StopReason::None) {
        stop_ = stop;
    }
}

PassOutcome ChartLoop::pass() {
    Session& s = p_.session;
    ChartState& ch = p_.chart;
    PassOutcome out;
    if (finished()) {
        out.finished = true;
        out.stop = stop_;
        return out;
    }
    if (s.Sample != lastShownSample_ && s.ShowDisplays != 0) {
        const StatusTexts t = statusTexts(s, ch.donefact);
        hooks_.showStatusField(2, t.sample);
        hooks_.showStatusField(3, t.done);
        hooks_.showStatusField(4, t.left);
        lastShownSample_ = s.Sample;
    }
    const int32_t ticks = io_.clock.TickCount();
    if (ticks > ch.TimeForNextWindowFlush) {
        hooks_.flushWindow();
        ch.TimeForNextWindowFlush = ticks + 1;
    }

    if (p_.prefs[kPrefContinuousScanning] != 0) {
        // Continuous scanning: read every channel as often as the interval allows.
        clearScanSums(p_);
        const double due = s.TimeOfNextChartSample;
        const double end = s.TimeOfNextChartSample - 0.00005;
        bool stopped = false;
        do {
            hooks_.serveNoteWindow(p_);
            addDeviceScan(p_, io_);
            s.CurrentTimeInSeconds = io_.clock.GetCurrentTimeInSeconds();
            s.timeNow = io_.clock.TickCount();
            if (!hooks_.noteWindowOpen()) {
                readCommands();
                if (finished()) {
                    stopped = true;
                    break;
                }
            }
            ch.clicks = ToolbarClicks{};
            if (s.CurrentTimeInSeconds < end) {
                io_.clock.waitUntil(std::min(end, s.CurrentTimeInSeconds + kContinuousReadPeriod));
            }
        } while (io_.clock.GetCurrentTimeInSeconds() < end);
        addScansToTotal(p_);
        if (!stopped) {
            out.scanDue = due;
            out.scanTime = s.CurrentTimeInSeconds;
            SHOWSCANRESULTS(p_, io_, hooks_);
            out.scanTaken = true;
        }
    } else {
        hooks_.serveNoteWindow(p_);
        s.CurrentTimeInSeconds = io_.clock.GetCurrentTimeInSeconds();
        s.timeNow = io_.clock.TickCount();
        if (s.CurrentTimeInSeconds >= s.TimeOfNextChartSample) {
            out.scanDue = s.TimeOfNextChartSample;
            out.scanTime = s.CurrentTimeInSeconds;
            GETDATA(p_, io_, hooks_);
            out.scanTaken = true;
        } else {
            readLastChannelOnce(p_, io_);
        }
    }

    if (s.TimedSaveINTERVAL > 0 && s.timeNow > p_.files.NextSAVEtime) {
        hooks_.timedBackup(p_, 1);
        if (p_.files.NextSAVEtime <= s.timeNow) {
            // The backup sets its next time; without one the loop does not ask again at once.
            p_.files.NextSAVEtime = s.timeNow + s.TimedSaveINTERVAL;
        }
    }
    hooks_.alertSounds(p_);
    if (!finished() && p_.prefs[kPrefContinuousScanning] == 0) {
        readCommands();
    } else if (!finished()) {
        // Only a stop is read here; the scan loop above served every other command.
        commands_.handleEvents();
        if (commands_.stopRequested() || ch.clicks.StopIconClicked ||
            commands_.pendingKey() == 27) {
            stop_ = StopReason::StopButton;
        }
        commands_.dropPendingKey();
    }
    ch.clicks = ToolbarClicks{};
    if (p_.view.XYPlotWindow != 0 && s.Sample > 1) {
        hooks_.plotXYPoint(p_);
    }
    control_.pass(s.timeNow);
    hooks_.analogOutput(p_);
    if (s.SwitchingMode > 0) {
        switchingPass(p_, switching_, s.timeNow);
        switching_.reportSwitch(s.timeNow);
    }
    commands_.closeReferenceIfDue(s.timeNow);
    if (s.Sample == s.MaxSamples && p_.prefs[kPrefAutorepeat] != 0 && out.scanTaken) {
        autoRepeatRun(p_, io_, hooks_, switching_);
    }
    if (s.Sample > s.MaxSamples && !finished()) {
        stop_ = StopReason::SampleLimit;
    }
    if (s.NscrnCASEs >= s.ScreenCapacity && !finished()) {
        s.NscrnCASEs = 0;
        hooks_.newScreen(p_);
    }
    out.finished = finished();
    out.stop = stop_;
    return out;
}

}  // namespace trindel
