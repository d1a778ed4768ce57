#include "control/alarm_log.h"

#include <algorithm>
#include <cmath>

#include "control/alarm_check.h"
#include "text/field_text.h"

namespace trindel {

namespace {

constexpr size_t kLabelColumn = 32;
constexpr size_t kCellWidth = 34;

std::string limitText(float limit) {
    const std::string text = fieldText(limit);
    return limit < 0.0f ? text : " " + text;
}

std::string countText(float stored) {
    // Counts and sample numbers are whole numbers well inside this range; anything else is damage.
    if (!(std::fabs(stored) < 1.0e15f)) {
        return " 0";
    }
    return wholeNumberText(static_cast<long long>(stored));
}

AlarmLogCell cellFor(const std::array<float, 24>& row, int onElement, int limitElement,
                     int countElement) {
    AlarmLogCell cell;
    cell.on = row[static_cast<size_t>(onElement)] != 0.0f;
    if (!cell.on) {
        return cell;
    }
    if (limitElement >= 0) {
        cell.limit = limitText(row[static_cast<size_t>(limitElement)]);
    }
    const float n = row[static_cast<size_t>(countElement)];
    if (n > 0.0f) {
        cell.count = countText(n);
        cell.last = countText(row[static_cast<size_t>(countElement + 1)]);
        cell.bold = true;
    } else {
        cell.count = kAlarmLogNone;
    }
    return cell;
}

std::string padded(std::string text, size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string cellText(const AlarmLogCell& cell, bool withLimit) {
    if (!cell.on) {
        return padded("", kCellWidth);
    }
    std::string text = withLimit ? padded(cell.limit, 12) : "";
    text += padded(cell.count, 10);
    text += cell.last;
    return padded(text, kCellWidth);
}

}  // namespace

std::string overRangeConditionText(const DeviceState& device) {
    if (device.External_AD == 0 || device.DemonstrationMODE != 0) {
        return "v< -5 or v> 5";
    }
    switch (device.External_AD) {
        case 6:
            return "v<-0.42 or v>0.42";
        case 2:
        case 3:
            return "v<-3.5 or v>3.5";
        case 4:
            return "v<-10 or v>10";
        default:
            return "v<-2.5 or v>2.5";
    }
}

AlarmLog SHOWALARMS(const Program& p) {
    AlarmLog log;
    log.overRangeCondition = overRangeConditionText(p.device);
    log.oscilloscopeNote = p.session.RecordingMODE == 3;
    const int last = std::min<int>(p.session.nChan, 16);
    for (int c = 1; c <= last; ++c) {
        if (!channelMayHaveAlarms(p.session.RecordingMODE, c)) {
            continue;
        }
        const auto& row = p.alarm.alarms[static_cast<size_t>(c)];
        AlarmLogRow r;
        r.channel = c;
        r.label = p.channels.label(c);
        r.lower = cellFor(row, kAlarmLowOn, kAlarmLowLimit, kAlarmLowCount);
        r.upper = cellFor(row, kAlarmHighOn, kAlarmHighLimit, kAlarmHighCount);
        r.overRange = cellFor(row, kAlarmOverRangeOn, -1, kAlarmOverRangeCount);
        log.rows.push_back(std::move(r));
    }
    return log;
}

std::vector<std::string> alarmLogLines(const AlarmLog& log) {
    std::vector<std::string> lines;
    lines.emplace_back(kAlarmLogTitle);
    lines.push_back(padded(kAlarmLogChannelHead, kLabelColumn) + kAlarmLogConditionsHead);
    lines.push_back(padded("", kLabelColumn) + padded(kAlarmLogLimitsHead, 2 * kCellWidth) +
                    kAlarmLogOverRangeHead);
    lines.push_back(padded("", kLabelColumn) + padded(kAlarmLogLimitColumns, kCellWidth) +
                    padded(kAlarmLogLimitColumns, kCellWidth) + kAlarmLogOverRangeColumns);
    lines.push_back(padded("", kLabelColumn + 2 * kCellWidth) + log.overRangeCondition);
    if (log.oscilloscopeNote) {
        lines.emplace_back(kOscilloscopeAlarmNote);
    }
    for (const AlarmLogRow& r : log.rows) {
        std::string line = padded(wholeNumberText(r.channel) + ": " + r.label, kLabelColumn);
        line += cellText(r.lower, true) + cellText(r.upper, true) + cellText(r.overRange, false);
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace trindel
