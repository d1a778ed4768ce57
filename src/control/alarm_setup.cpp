#include "control/alarm_setup.h"

#include <cmath>
#include <cstdlib>

#include "control/alarm_check.h"
#include "text/field_text.h"

namespace trindel {

AlarmSetupModel openAlarmSetup(const Program& p) {
    AlarmSetupModel m;
    const int mode = p.session.RecordingMODE;
    m.audible = p.alarm.AudibleALARM != 0;
    if (mode == 2) {
        return m;
    }
    m.oscilloscopeNote = mode == 3;
    for (int c = mode == 3 ? 2 : 1; c <= std::min<int>(p.session.nChan, 16); ++c) {
        const auto& r = p.alarm.alarms[static_cast<size_t>(c)];
        AlarmSetupRow row;
        row.channel = c;
        row.title = std::to_string(c) + ": " + p.channels.label(c);
        row.lowOn = r[kAlarmLowOn] != 0.0f;
        row.highOn = r[kAlarmHighOn] != 0.0f;
        row.overRangeOn = r[kAlarmOverRangeOn] != 0.0f;
        row.low = fieldText(r[kAlarmLowLimit]);
        row.high = fieldText(r[kAlarmHighLimit]);
        m.rows.push_back(row);
    }
    return m;
}

void clearAlarmRow(AlarmSetupRow& row) {
    row.lowOn = row.highOn = row.overRangeOn = false;
}

void clearAllAlarms(AlarmSetupModel& m) {
    for (AlarmSetupRow& row : m.rows) {
        clearAlarmRow(row);
    }
}

namespace {

void readLimit(const std::string& text, float& limit) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end != begin && std::isfinite(v)) {
        limit = static_cast<float>(v);
    }
}

}  // namespace

void applyAlarmSetup(const AlarmSetupModel& m, Program& p) {
    p.alarm.AudibleALARM = m.audible ? 1 : 0;
    for (const AlarmSetupRow& row : m.rows) {
        if (row.channel < 1 || row.channel > 16) {
            continue;
        }
        auto& r = p.alarm.alarms[static_cast<size_t>(row.channel)];
        r[kAlarmLowOn] = row.lowOn ? 1.0f : 0.0f;
        r[kAlarmHighOn] = row.highOn ? 1.0f : 0.0f;
        r[kAlarmOverRangeOn] = row.overRangeOn ? 1.0f : 0.0f;
        readLimit(row.low, r[kAlarmLowLimit]);
        readLimit(row.high, r[kAlarmHighLimit]);
        r[kAlarmAnyOn] = row.lowOn || row.highOn || row.overRangeOn ? 1.0f : 0.0f;
    }
}

bool anyAlarmOn(const AlarmState& a) {
    for (int c = 1; c <= 16; ++c) {
        if (a.alarms[static_cast<size_t>(c)][kAlarmAnyOn] != 0.0f) {
            return true;
        }
    }
    return false;
}

bool anyAlarmFired(const AlarmState& a) {
    for (int c = 1; c <= 16; ++c) {
        const auto& r = a.alarms[static_cast<size_t>(c)];
        if (r[kAlarmLowCount] > 0.0f || r[kAlarmHighCount] > 0.0f ||
            r[kAlarmOverRangeCount] > 0.0f) {
            return true;
        }
    }
    return false;
}

}  // namespace trindel
