#include "control/alarm_check.h"

#include <cmath>

namespace trindel {

namespace {

bool isChannel(int channel) {
    return channel >= 1 && channel <= 16;
}

bool on(const std::array<float, 24>& row, int element) {
    return row[static_cast<size_t>(element)] != 0.0f;
}

void count(std::array<float, 24>& row, int countElement, int32_t sample) {
    row[static_cast<size_t>(countElement)] += 1.0f;
    row[static_cast<size_t>(countElement + 1)] = static_cast<float>(sample);
}

// Counts the limit alarms of a value; returns the text of the first that holds, or nullptr.
const char* countLimits(std::array<float, 24>& row, float value, int32_t sample) {
    if (!on(row, kAlarmAnyOn)) {
        return nullptr;
    }
    const char* text = nullptr;
    if (on(row, kAlarmLowOn) && value <= row[kAlarmLowLimit]) {
        count(row, kAlarmLowCount, sample);
        text = kLowerLimitText;
    }
    if (on(row, kAlarmHighOn) && value >= row[kAlarmHighLimit]) {
        count(row, kAlarmHighCount, sample);
        if (text == nullptr) {
            text = kUpperLimitText;
        }
    }
    return text;
}

}  // namespace

void markOverRange(AlarmState& alarm, int channel, int32_t sample, std::string& statusText) {
    if (!isChannel(channel)) {
        return;
    }
    count(alarm.alarms[static_cast<size_t>(channel)], kAlarmOverRangeCount, sample);
    statusText = kOverRangeText;
}

bool testLimitAlarms(AlarmState& alarm, int channel, float value, int32_t sample,
                     std::string& statusText) {
    if (!isChannel(channel)) {
        return false;
    }
    const char* text = countLimits(alarm.alarms[static_cast<size_t>(channel)], value, sample);
    if (text == nullptr) {
        return false;
    }
    if (statusText == kNoErrorText) {
        statusText = text;
    }
    return true;
}

ChannelAlarmResult checkChannelAlarms(AlarmState& alarm, int channel, bool overRange, float value,
                                      int32_t sample) {
    ChannelAlarmResult result;
    if (!isChannel(channel)) {
        return result;
    }
    auto& row = alarm.alarms[static_cast<size_t>(channel)];
    if (overRange) {
        count(row, kAlarmOverRangeCount, sample);
        result = {kOverRangeText, true};
    }
    if (const char* text = countLimits(row, value, sample)) {
        if (!result.alarmed) {
            result.statusText = text;
        }
        result.alarmed = true;
    }
    return result;
}

}  // namespace trindel
