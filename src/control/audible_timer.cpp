#include "control/audible_timer.h"

#include <algorithm>
#include <cmath>

#include "text/field_text.h"

namespace trindel {

namespace {

struct CueNames {
    int value;
    const char *start, *cont, *stop;
};

constexpr CueNames kCueNames[] = {
    {1, "start", "now", "stop"},     {2, "begin", "next", "end"},
    {3, "go", "go", "halt"},         {4, "now", "step", "quit"},
    {6, "boop", "boop", "boop"},     {7, "big Click", "big Click", "big Click"},
    {8, "tick", "tick", "tick"},     {9, "switch", "switch", "switch"},
    {10, "setup", "setup", "setup"}, {12, "get on with it!", "ni!", "what is your name?"},
};

int32_t minutesToTicks(float minutes) {
    const double t = 3600.0 * static_cast<double>(minutes);
    return static_cast<int32_t>(std::clamp(t, -2.0e9, 2.0e9));
}

void playStop(AudibleTimerState& a, const AlarmState& cues, Sounds& sounds) {
    if (a.StopAlertNotDoneYet != 0) {
        sounds.play(alertSoundName(AlertCue::Stop, cues.StopAlertSound));
        a.StopAlertNotDoneYet = 0;
    }
}

int16_t fieldShort(const std::string& text) {
    return static_cast<int16_t>(std::clamp(fieldValue(text), -32768.0, 32767.0));
}

}  // namespace

const char* alertSoundName(AlertCue cue, int value) {
    const CueNames* row = &kCueNames[0];
    for (const CueNames& c : kCueNames) {
        if (c.value == value) {
            row = &c;
        }
    }
    return cue == AlertCue::Start ? row->start : cue == AlertCue::Continue ? row->cont : row->stop;
}

void startAudibleTimer(AudibleTimerState& a, const AlarmState& cues, int32_t start) {
    a.DoStopALERT = 0;
    a.DOstartALERT = a.StartALERT != 0 ? 1 : 0;
    if (a.StopALERTx == 1 && a.StopAlertCASE == 0) {
        a.DoStopALERT = 1;
    }
    // "At First Marker" waits for the marker, not for a time.
    a.StartAlertTime =
        a.StartAlertMODE == 3 ? kTimerNever : start + minutesToTicks(cues.StartAlertInt);
    a.StopAlertTime = start + minutesToTicks(a.StopAlertInt);
    a.ContAlertInt = minutesToTicks(a.ContinueAlertInt);
    a.AlertCount = 0;
    a.nextAlert = kTimerNever;
    a.StopAlertNotDoneYet = 1;
}

void HandleAlertSounds(AudibleTimerState& a, const AlarmState& cues, int32_t now, Sounds& sounds) {
    if (a.DOstartALERT != 0 && now > a.StartAlertTime) {
        sounds.play(alertSoundName(AlertCue::Start, cues.StartAlertSound));
        a.DOstartALERT = 0;
        a.nextAlert = now + a.ContAlertInt;
        if (a.StopALERTx == 1 && a.StopAlertCASE == 1 &&
            (a.StopAlertMODE == 0 || a.StopAlertMODE == 1)) {
            a.StopAlertTime = now + minutesToTicks(a.StopAlertInt);
            a.DoStopALERT = 1;
        }
        if (a.StopAlertMODE == 2) {
            a.DoStopALERT = 1;
        }
    }
    if (a.ContinueALERT != 0 && a.AlertCount < a.maxalerts && now > a.nextAlert) {
        a.nextAlert = now + a.ContAlertInt;
        if (a.ContAlertEnd == 0) {
            ++a.AlertCount;
        }
        if (a.AlertCount == a.maxalerts) {
            playStop(a, cues, sounds);
        } else {
            sounds.play(alertSoundName(AlertCue::Continue, cues.ContAlertSound));
        }
    }
    if (a.DoStopALERT != 0 && a.StopAlertMODE < 2 && now > a.StopAlertTime) {
        playStop(a, cues, sounds);
        a.DoStopALERT = 0;
    }
}

void alertFirstMarker(AudibleTimerState& a, int32_t now) {
    if (a.StartAlertMODE == 3) {
        a.StartAlertTime = now;
    }
}

void alertMarker(AudibleTimerState& a, const AlarmState& cues, int code, Sounds& sounds) {
    if (code != 'X' && code != 'x') {
        return;
    }
    if (a.StopALERTx != 0 && a.StopAlertMODE == 2) {
        playStop(a, cues, sounds);
    }
    if (a.ContinueALERT != 0 && a.ContAlertEnd == 1) {
        a.AlertCount = a.maxalerts;
        playStop(a, cues, sounds);
    }
}

AudibleTimerModel openAudibleTimer(AudibleTimerState& a, AlarmState& cues, float sampleInterval,
                                   int32_t maxSamples) {
    a.StartAlertMODE = std::max<int16_t>(a.StartAlertMODE, 1);
    a.maxalerts = std::max<int16_t>(a.maxalerts, 2);
    if (cues.StartAlertInt <= 0.02f || cues.StartAlertInt > 80000.0f) {
        cues.StartAlertInt = 1.0f;
    }
    if (a.ContinueAlertInt <= 0.02f) {
        a.ContinueAlertInt = 1.0f;
    }
    if (a.StartAlertCount < 1)
        a.StartAlertCount = 50;
    if (a.ContAlertCount < 1)
        a.ContAlertCount = 50;
    if (a.StopAlertCount < 1) {
        a.StopAlertCount = static_cast<int16_t>(std::clamp(0.75 * maxSamples, 1.0, 32767.0));
    }
    if (a.StopAlertInt <= 0.02f) {
        a.StopAlertInt = 0.00125f * sampleInterval * static_cast<float>(maxSamples);
    }
    for (int16_t* s : {&cues.StartAlertSound, &cues.ContAlertSound, &cues.StopAlertSound}) {
        if (*s < 1 || *s > 12) {
            *s = 1;
        }
    }
    AudibleTimerModel m;
    m.StartALERT = a.StartALERT;
    m.StartAlertMODE = a.StartAlertMODE;
    m.StartAlertSound = cues.StartAlertSound;
    m.ContinueALERT = a.ContinueALERT;
    m.ContAlertMODE = a.ContAlertMODE;
    m.ContAlertEnd = a.ContAlertEnd;
    m.ContAlertSound = cues.ContAlertSound;
    m.StopALERTx = a.StopALERTx;
    m.StopAlertMODE = a.StopAlertMODE;
    m.StopAlertCASE = a.StopAlertCASE;
    m.StopAlertSound = cues.StopAlertSound;
    m.startMinutes = fieldText(cues.StartAlertInt);
    m.startSamples = wholeNumberText(a.StartAlertCount).substr(1);
    m.continueMinutes = fieldText(a.ContinueAlertInt);
    m.continueSamples = wholeNumberText(a.ContAlertCount).substr(1);
    m.stopMinutes = fieldText(a.StopAlertInt);
    m.stopSamples = wholeNumberText(a.StopAlertCount).substr(1);
    m.maxAlerts = wholeNumberText(a.maxalerts).substr(1);
    return m;
}

void audibleTimerDone(const AudibleTimerModel& m, AudibleTimerState& a, AlarmState& cues,
                      float sampleInterval, int32_t timeAtStart) {
    a.StartALERT = m.StartALERT;
    a.StartAlertMODE = m.StartAlertMODE;
    cues.StartAlertSound = m.StartAlertSound;
    a.ContinueALERT = m.ContinueALERT;
    a.ContAlertMODE = m.ContAlertMODE;
    a.ContAlertEnd = m.ContAlertEnd;
    cues.ContAlertSound = m.ContAlertSound;
    a.StopALERTx = m.StopALERTx;
    a.StopAlertMODE = m.StopAlertMODE;
    a.StopAlertCASE = m.StopAlertCASE;
    cues.StopAlertSound = m.StopAlertSound;

    a.DOstartALERT = a.StartALERT;
    a.DoStopALERT = a.StopALERTx != 0 ? 1 : 0;
    cues.StartAlertInt = static_cast<float>(fieldValue(m.startMinutes));
    a.StartAlertCount = fieldShort(m.startSamples);
    a.ContinueAlertInt = static_cast<float>(fieldValue(m.continueMinutes));
    a.ContAlertCount = fieldShort(m.continueSamples);
    a.StopAlertInt = static_cast<float>(fieldValue(m.stopMinutes));
    a.StopAlertCount = fieldShort(m.stopSamples);
    a.maxalerts = fieldShort(m.maxAlerts);
    if (a.StartAlertMODE == 2) {
        cues.StartAlertInt = sampleInterval * static_cast<float>(a.StartAlertCount) / 60.0f;
    }
    if (a.ContAlertMODE == 1) {
        a.ContinueAlertInt = sampleInterval * static_cast<float>(a.ContAlertCount) / 60.0f;
    }
    if (a.StopAlertMODE == 1) {
        a.StopAlertInt = sampleInterval * static_cast<float>(a.StopAlertCount) / 60.0f;
    }
    a.StartAlertTime = timeAtStart + minutesToTicks(cues.StartAlertInt);
    a.StopAlertTime = timeAtStart + minutesToTicks(a.StopAlertInt);
    if (a.StopAlertCASE == 1 && a.StopAlertMODE != 2) {
        a.DoStopALERT = 0;
    }
    a.ContAlertInt = minutesToTicks(a.ContinueAlertInt);
    a.AlertSOUNDS = a.StartALERT != 0 || a.ContinueALERT != 0 || a.StopALERTx != 0 ? 1 : 0;
}

}  // namespace trindel
