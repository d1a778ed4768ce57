#include "run/chart_commands.h"

#include "control/switching_schedule.h"
#include "run/chart_actions.h"

namespace trindel {

ChartCommands::ChartCommands(Program& p, Platform& platform, ChartHooks& hooks,
                             LoopSwitchEffects& switching, ControlSteps* control)
    : p_(p), io_(platform), hooks_(hooks), switching_(switching), control_(control) {}

void ChartCommands::begin() {
    stopRequested_ = false;
    paused_ = false;
    stop_ = StopReason::None;
    pendingKey_ = 0;
    closeReferenceTimeAt_ = 0;
}

void ChartCommands::handleEvents() {
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

StopReason ChartCommands::act() {
    Session& s = p_.session;
    ChartState& ch = p_.chart;
    paused_ = false;
    stop_ = StopReason::None;
    if (stopRequested_ || ch.clicks.StopIconClicked) {
        stopRequested_ = false;
        pendingKey_ = 0;
        return StopReason::StopButton;
    }
    if (hooks_.noteWindowOpen()) {
        pendingKey_ = 0;
        return StopReason::None;
    }
    const KeyMap keys = hooks_.heldKeys();
    const bool escape =
        READKEYS(keys) == 27 || pendingKey_ == 27 || io_.events.isKeyDown(Key::Escape);
    if (escape) {
        pendingKey_ = 0;
        return StopReason::Escape;
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
    return stop_;
}

void ChartCommands::applyCommand(int code, bool commandKey, bool optionKey) {
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
            paused_ = true;
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
        if (InsertMarker(p_, io_, hooks_, code, markerTop_) && control_ != nullptr) {
            control_->marker(code, p_.Markers.Nmarkers == 1, s.timeNow);
        }
    }
    s.NextMarkerTime = s.timeNow + (p_.prefs[kPrefContinuousScanning] != 0 ? 15 : 30);
}

void ChartCommands::closeReferenceIfDue(int32_t timeNow) {
    if (closeReferenceTimeAt_ != 0 && timeNow >= closeReferenceTimeAt_) {
        closeReferenceTimeAt_ = 0;
        hooks_.closeReferenceTime();
    }
}

}  // namespace trindel
