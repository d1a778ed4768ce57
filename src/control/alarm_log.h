// The content of the "Alarm Log" window: per channel the limits of the alarms that are on, how
// often each was raised and at which sample last, and the device's over-range condition.
#pragma once

#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

inline constexpr const char* kAlarmLogTitle = "Alarm Log";
inline constexpr const char* kAlarmLogChannelHead = "channel and units";
inline constexpr const char* kAlarmLogConditionsHead =
    "|------- user-set error conditions -------| ";
inline constexpr const char* kAlarmLogLimitsHead =
    "lower limits                       upper limits";
inline constexpr const char* kAlarmLogOverRangeHead = "overrange";
inline constexpr const char* kAlarmLogLimitColumns = " limit           N         last @";
inline constexpr const char* kAlarmLogOverRangeColumns = "N             last @";
inline constexpr const char* kAlarmLogNone = "   none";
// Mac Roman bullets (0xA5) around the note.
inline constexpr const char* kOscilloscopeAlarmNote =
    " \xA5\xA5\xA5\xA5 alarms are not allowed on oscilloscope channels \xA5\xA5\xA5\xA5";

// One alarm of one channel in the log.
struct AlarmLogCell {
    bool on = false;    // the alarm is switched on; nothing is shown otherwise
    std::string limit;  // the limit (empty for the over-range alarm)
    std::string count;  // the count, or "   none"
    std::string last;   // the sample of the last event (empty when none)
    bool bold = false;  // the count is above 0
};

struct AlarmLogRow {
    int channel = 0;
    std::string label;  // the channel's 30-character label
    AlarmLogCell lower, upper, overRange;
};

struct AlarmLog {
    std::string overRangeCondition;  // the device's condition shown under "overrange"
    bool oscilloscopeNote = false;   // scope-plus-chart mode: channel 1 has no row
    std::vector<AlarmLogRow> rows;
};

// The condition text for the current device: "v< -5 or v> 5" in the demonstration mode.
std::string overRangeConditionText(const DeviceState& device);

// The log of channels 1..nChan (2..nChan in scope-plus-chart mode).
AlarmLog SHOWALARMS(const Program& p);

// The log laid out as plain text lines, for the CLI and reports.
std::vector<std::string> alarmLogLines(const AlarmLog& log);

}  // namespace trindel
