// Alarm tests at recording time: over-range readings and the low and high limits of a channel's
// alarm row, with the counts, the sample of the last event and the channel's status text.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "state/control_state.h"

namespace trindel {

// Named elements of a channel's alarm row.
enum AlarmElement : int {
    kAlarmAnyOn = 0,
    kAlarmLowOn = 1,
    kAlarmHighOn = 2,
    kAlarmOverRangeOn = 3,
    kAlarmLowLimit = 4,
    kAlarmHighLimit = 5,
    kAlarmLowCount = 6,
    kAlarmLowLast = 7,
    kAlarmHighCount = 8,
    kAlarmHighLast = 9,
    kAlarmOverRangeCount = 10,
    kAlarmOverRangeLast = 11,
    kAlarmSlopeOn = 21,
    kAlarmSlopePoints = 22,
};

inline constexpr const char* kNoErrorText = "    no error    ";
inline constexpr const char* kOverRangeText = " Overrange error";
inline constexpr const char* kLowerLimitText = " < lower limit!";
inline constexpr const char* kUpperLimitText = " > upper limit!";
inline constexpr const char* kAlarmSound = "AlarmBUZZ";

// One reading of `channel` flags its sample as over range: the channel's over-range alarm is on
// and the reading's magnitude is at least the recording's threshold (OverRangeVolts).
// Inline: the scan asks it for every reading.
inline bool isOverRangeReading(const AlarmState& alarm, int channel, float reading,
                               float overRangeVolts) {
    return channel >= 1 && channel <= 16 &&
           alarm.alarms[static_cast<size_t>(channel)][kAlarmOverRangeOn] != 0.0f &&
           std::fabs(reading) >= overRangeVolts;
}

// Counts an over-range sample of `channel` and sets the status text. A channel outside 1..16 is
// left alone.
void markOverRange(AlarmState& alarm, int channel, int32_t sample, std::string& statusText);

// Tests the value against the channel's limits; counts and sets the status text unless an error
// text is already set. Returns true when a limit alarm was raised.
bool testLimitAlarms(AlarmState& alarm, int channel, float value, int32_t sample,
                     std::string& statusText);

// The whole alarm step of one channel in one scan: over range (already flagged while reading),
// then the limits. The status text is one of the four constants above.
struct ChannelAlarmResult {
    const char* statusText = kNoErrorText;
    bool alarmed = false;  // draw the read-out in the alert style; buzz when audible alarms are on
};
ChannelAlarmResult checkChannelAlarms(AlarmState& alarm, int channel, bool overRange, float value,
                                      int32_t sample);

// In scope-plus-chart mode channel 1 is the oscilloscope channel and has no alarms.
inline bool channelMayHaveAlarms(int16_t recordingMode, int channel) {
    return channel >= 1 && channel <= 16 && !(recordingMode == 3 && channel == 1);
}

}  // namespace trindel
