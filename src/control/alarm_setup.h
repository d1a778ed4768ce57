// The rules of the "Alarms" set-up window: per channel the two limits with their check boxes and
// the over-range check box, "Clear", "Clear All Alarms" and what "Alarm Setup OK" stores.
#pragma once

#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

struct AlarmSetupRow {
    int channel = 0;
    std::string title;  // number, ": " and the 30-character label
    bool lowOn = false, highOn = false, overRangeOn = false;
    std::string low, high;  // the limit fields' texts
};

struct AlarmSetupModel {
    bool oscilloscopeNote = false;  // scope-plus-chart mode: channel 1 has no row
    bool audible = false;
    std::vector<AlarmSetupRow> rows;
};

// Nothing to set up in scope mode (returns an empty model with no rows).
AlarmSetupModel openAlarmSetup(const Program& p);
void clearAlarmRow(AlarmSetupRow& row);
void clearAllAlarms(AlarmSetupModel& m);
// "Alarm Setup OK": flags and limits into the alarm record; element 0 of each row; a limit field
// that holds no number keeps the stored limit.
void applyAlarmSetup(const AlarmSetupModel& m, Program& p);
// Whether the "Alarms..." menu item is checked: any channel has an alarm on.
bool anyAlarmOn(const AlarmState& a);
// Whether any alarm was raised in this run sequence (the "Check Alarms…" button is offered).
bool anyAlarmFired(const AlarmState& a);

}  // namespace trindel
