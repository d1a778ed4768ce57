// The audible event timer: the "start", "continuing" and "stop" cues of a recording, their
// schedule on the loop's tick clock, the markers that move them, and the set-up window's rules.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sounds.h"
#include "state/control_state.h"

namespace trindel {

inline constexpr int32_t kTimerNever = 2147483647;

enum class AlertCue { Start, Continue, Stop };
// The sound of a cue for the value chosen in its "sound:" pop-up (1..12; others as 1).
const char* alertSoundName(AlertCue cue, int value);

// At the start of a recording (when AlertSOUNDS is set); `start` is the tick the run began.
void startAudibleTimer(AudibleTimerState& a, const AlarmState& cues, int32_t start);
// One step of the timer at tick `now`; plays through `sounds`.
void HandleAlertSounds(AudibleTimerState& a, const AlarmState& cues, int32_t now, Sounds& sounds);
// The first marker of a recording starts the "At First Marker" cue at this pass.
void alertFirstMarker(AudibleTimerState& a, int32_t now);
// The marker "X"/"x": the stop cue "At Marker 'x'", and the end of "Until Marker 'x'" cues.
void alertMarker(AudibleTimerState& a, const AlarmState& cues, int code, Sounds& sounds);

// The "Audible Timer Sounds Setup" window: its settings and field texts.
struct AudibleTimerModel {
    int16_t StartALERT = 0, StartAlertMODE = 1, StartAlertSound = 1;
    int16_t ContinueALERT = 0, ContAlertMODE = 0, ContAlertEnd = 0, ContAlertSound = 1;
    int16_t StopALERTx = 0, StopAlertMODE = 0, StopAlertCASE = 0, StopAlertSound = 1;
    std::string startMinutes, startSamples, continueMinutes, continueSamples, stopMinutes,
        stopSamples, maxAlerts;
};
// Opens the window: out-of-range settings are replaced by usable ones first (stored back).
AudibleTimerModel openAudibleTimer(AudibleTimerState& a, AlarmState& cues, float sampleInterval,
                                   int32_t maxSamples);
// "Done": reads the fields, turns sample counts into minutes and arms the cues.
void audibleTimerDone(const AudibleTimerModel& m, AudibleTimerState& a, AlarmState& cues,
                      float sampleInterval, int32_t timeAtStart);

}  // namespace trindel
