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

constexpr int kMarkerTop = 34;
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
      control_(p, platform, hooks) {}

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
    stopRequested_ = false;
    lastShownSample_ = -1;
    // Every recording opens on the reference; the schedule's times start 5 ticks on.
    closeReferenceTimeAt_ = 0;
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

void ChartLoop::handleEvents() {
    ToolbarClicks& clicks = p_.chart.clicks;
    while (auto e = io_.events.nextEvent()) {
        p_.events.Action = e->action;
        p_.events.EventID = e->eventId;
        p_.events.MENUID = e->menuId;
        p_.events.item = e->item;
        if (e->action == kEventKey) {
            pendingKey_ = e->eventId;
            continue;
        }
        if (e->action != kEventControl) {
            continue;
        }
        clicks = ToolbarClicks{};
        clicks.ControlStripClicked = true;
        switch (e->eventId) {
            case kToolbarStop:
                clicks.StopIconClicked = true;
                break;
            case kToolbarPause:
                clicks.PauseIconClicked = true;
                break;
            case kToolbarResume:
                clicks.ResumeIconClicked = true;
                break;
            case kToolbarNote:
                hooks_.openNoteWindow(p_);
                clicks.MarkerIconClicked = true;
                break;
            case kToolbarAddTime:
                clicks.AddTimeIconClicked = true;
                break;
            case kToolbarReplay:
                clicks.ReplayIconClicked = true;
                break;
            case kToolbarTimeToRef:
                clicks.TimeToRefIconClicked = true;
                break;
            case kToolbarBackup:
                clicks.BackupIconClicked = true;
                break;
            case kToolbarReference:
                clicks.ReferenceIconClicked = true;
                break;
            case kToolbarSample:
                clicks.SampleIconClicked = true;
                break;
            case kToolbarSaveScope:
                clicks.SaveScopeIconClicked = true;
                break;
            default:
                clicks.ControlStripClicked = false;
                break;
        }
    }
}

void ChartLoop::readCommands() {
    Session& s = p_.session;
    ChartState& ch = p_.chart;
    handleEvents();
    if (stopRequested_ || ch.clicks.StopIconClicked) {
        stop_ = StopReason::StopButton;
        return;
    }
    if (hooks_.noteWindowOpen()) {
        pendingKey_ = 0;
        return;
    }
    const KeyMap keys = hooks_.heldKeys();
    const bool escape =
        READKEYS(keys) == 27 || pendingKey_ == 27 || io_.events.isKeyDown(Key::Escape);
    if (escape) {
        stop_ = StopReason::Escape;
        return;
    }
    ch.ShiftON =
        (keys.held(vk::Shift) || keys.held(vk::CapsLock) || io_.events.isKeyDown(Key::Shift)) ? 1
                                                                                              : 0;
    if (ch.replayTheData != 0 && ch.clicks.ResumeIconClicked) {
        ch.ReplayAutoScaling = ch.ReplayAutoScaling == 0 ? 1 : 0;
        ch.replayTheData = 0;
        hooks_.leaveReplay(p_);
    }
    if (s.timeNow > s.NextMarkerTime || ch.clicks.ControlStripClicked) {
        int code = pendingKey_ != 0 ? pendingKey_ : READKEYS(keys);
        if (ch.ShiftON != 0 && code >= 'a' && code <= 'z') {
            code -= 32;
        }
        const bool command = keys.held(vk::Command) || io_.events.isKeyDown(Key::Command);
        const bool option = keys.held(vk::Option) || io_.events.isKeyDown(Key::Option);
        applyCommand(code, command, option);
    }
    pendingKey_ = 0;
}

void ChartLoop::applyCommand(int code, bool commandKey, bool optionKey) {
    Session& s = p_.session;
    ChartState& ch = p_.chart;
    ToolbarClicks& clicks = ch.clicks;
    const bool toolbar = clicks.ControlStripClicked;
    if (commandKey || toolbar) {
        if (code == 'Q' || code == 'q') {
            stop_ = StopReason::CommandQ;
            return;
        }
        if (code == 'P' || code == 'p' || clicks.PauseIconClicked) {
            PAUSE(p_, io_, hooks_);
            code = kPauseMarkCode;
        } else if (code == 'B' || code == 'b' || clicks.BackupIconClicked) {
            hooks_.timedBackup(p_, 0);
            code = 1;
        } else if (code == 'N' || code == 'n' || clicks.TimeToRefIconClicked) {
            ch.clicks.ControlStripClicked = false;
            if (const auto text = TimeNextREF(p_, io_.clock.TickCount())) {
                hooks_.showReferenceTime(*text);
                const int hold = p_.prefs[kPrefContinuousScanning] != 0 ? 120 : 60;
                closeReferenceTimeAt_ = s.timeNow + hold;
            }
            code = 1;
        } else if (s.RecordingMODE == 1 &&
                   (code == 'R' || code == 'r' || clicks.ReplayIconClicked)) {
            ch.ReplayAutoScaling = ch.ReplayAutoScaling == 0 ? 1 : 0;
            hooks_.showReplay(p_);
            ch.replayTheData = 1;
            code = 1;
        } else if (ch.replayTheData != 0 && (code == 'C' || code == 'c')) {
            ch.ReplayAutoScaling = ch.ReplayAutoScaling == 0 ? 1 : 0;
            ch.replayTheData = 0;
            hooks_.leaveReplay(p_);
            code = 1;
        }
    }
    if ((optionKey || toolbar) && code != kPauseMarkCode) {
        const int lower = code >= 'A' && code <= 'Z' ? code + 32 : code;
        if (code >= '1' && code <= '8') {
            DIRECTSWITCH(p_, switching_, code - '0');
            switching_.reportSwitch(s.timeNow);
            s.NextMarkerTime = s.timeNow + 20;
            return;
        }
        if (lower == 'c' || lower == 'n' || lower == 'd' || lower == 'u') {
            if (lower == 'c') {
                s.LastXYClear = s.Sample;
            }
            hooks_.xyCommand(p_, lower);
            s.NextMarkerTime = s.timeNow + 20;
            return;
        }
    }
    if (clicks.AddTimeIconClicked) {
        code = 13;
    }
    if (code <= 0 && !toolbar) {
        return;
    }
    if (code == '+' || clicks.SampleIconClicked) {
        sampleKey(p_, switching_);
        switching_.reportSwitch(s.timeNow);
    } else if (code == '-' || clicks.ReferenceIconClicked) {
        referenceKey(p_, switching_, s.timeNow);
        switching_.reportSwitch(s.timeNow);
    }
    if (code == 1) {
        ch.ASCIIvalue = 0;
    } else if (code == 13) {
        if (s.timeNow >= ch.NextTimeMoreCASEs) {
            AddSomeTIME(p_, hooks_);
            const int mode = s.SwitchingMode;
            if (mode == 3 || mode == 4 || mode == 7 || mode == 8 || mode == 9) {
                SWITCHTOSAMPLE(p_, switching_);
                switching_.reportSwitch(s.timeNow);
            }
            ch.NextTimeMoreCASEs = s.timeNow + 30;
        }
    } else if (code == 28 || code == 31) {
        --ch.ASCIIvalue;
    } else if (code == 29 || code == 30) {
        ++ch.ASCIIvalue;
    } else if (code >= '0' && code <= '9') {
        ch.ASCIIvalue = static_cast<int16_t>(code - '0');
    }
    if (code >= 48 && ch.markerFlag == 0 && io_.events.isFrontApplication() &&
        p_.Markers.Nmarkers < kMaxMarkers) {
        if (InsertMarker(p_, io_, hooks_, code, kMarkerTop)) {
            control_.marker(code, p_.Markers.Nmarkers == 1, s.timeNow);
        }
    }
    s.NextMarkerTime = s.timeNow + (p_.prefs[kPrefContinuousScanning] != 0 ? 15 : 30);
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
        handleEvents();
        if (stopRequested_ || ch.clicks.StopIconClicked || pendingKey_ == 27) {
            stop_ = StopReason::StopButton;
        }
        pendingKey_ = 0;
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
    if (closeReferenceTimeAt_ != 0 && s.timeNow >= closeReferenceTimeAt_) {
        closeReferenceTimeAt_ = 0;
        hooks_.closeReferenceTime();
    }
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
