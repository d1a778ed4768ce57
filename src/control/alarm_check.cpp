#include "control/alarm_check.h"

namespace trindel {

void markOverRange(AlarmState& alarm, int channel, int32_t sample, std::string& statusText) {
    auto& row = alarm.alarms[static_cast<size_t>(channel)];
    row[10] += 1.0f;
    row[11] = static_cast<float>(sample);
    statusText = " Overrange error";
}

bool testLimitAlarms(AlarmState& alarm, int channel, float value, int32_t sample,
                     std::string& statusText) {
    auto& row = alarm.alarms[static_cast<size_t>(channel)];
    if (row[0] == 0.0f) {
        return false;
    }
    bool raised = false;
    if (row[1] != 0.0f && value <= row[4]) {
        row[6] += 1.0f;
        row[7] = static_cast<float>(sample);
        if (statusText == kNoErrorText) {
            statusText = " < lower limit!";
        }
        raised = true;
    }
    if (row[2] != 0.0f && value >= row[5]) {
        row[8] += 1.0f;
        row[9] = static_cast<float>(sample);
        if (statusText == kNoErrorText) {
            statusText = " > upper limit!";
        }
        raised = true;
    }
    return raised;
}

}  // namespace trindel
