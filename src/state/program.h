// Program: all program-wide state, grouped by the subsystem that owns it. Functions take the
// Program (or just the group they need); there are no globals.
#pragma once

#include <cstdint>
#include <functional>

#include "state/calculator_state.h"
#include "state/channel_table.h"
#include "state/chart_state.h"
#include "state/colours.h"
#include "state/control_state.h"
#include "state/conversion_tables.h"
#include "state/device_state.h"
#include "state/file_state.h"
#include "state/markers.h"
#include "state/menu_state.h"
#include "state/prefs_array.h"
#include "state/recording_notes.h"
#include "state/sample_store.h"
#include "state/scope_buffers.h"
#include "state/session.h"
#include "state/view_state.h"

namespace trindel {

// What the window and menu handlers left for the waiting loop to act on.
struct EventFields {
    int16_t Action = 0;  // kind of the pending event (1 control, 3/4 close, 5 redraw, 16 Return, 19
                         // activate, 24 key, 99 rebuild the channel set-up)
    int32_t EventID = 0;  // its detail: control number, character code, ...
    int16_t MENUID = 0;
    int16_t item = 0;

    bool operator==(const EventFields&) const = default;
};

struct ScreenSize {
    int width = 1280;
    int height = 1024;
};

struct Program {
    Session session;
    ChannelTable channels;
    SampleStore store;
    ScopeBuffers scope;
    MarkerList Markers;
    PrefsArray prefs;
    DeviceState device;
    ConversionTables conversion;
    SwitchingState switching;
    AnalogOutputState analogOutput;
    FeedbackState feedback;
    AlarmState alarm;
    TriggerState trigger;
    AudibleTimerState audibleTimer;
    Colours colours;
    ViewState view;
    RecordingNotes notes;
    FileState files;
    EventFields events;
    MenuState menus;
    ChartState chart;
    CalculatorState calculators;
};

// True when every group of the two programs holds the same values; the sample store alone is left
// out (it is compared slot by slot where a test needs it).
bool sameStateExceptStore(const Program& a, const Program& b);

enum class StartupResult { Ok, ScreenTooSmall };

// Gives every variable its start-up value. `loadSavedPreferences`, when given, runs where the
// saved preferences are read, so saved values replace the defaults set before it; the values
// set after it (MaxSamples, intervals, nChan, ...) always hold at start-up.
StartupResult SetInitialVariableValues(
    Program& p, ScreenSize screen, const std::function<void(Program&)>& loadSavedPreferences = {});

// Copies the untouched scope row 4 over the start of rows 1-3, clearing the sweep start.
void CLEARARRAY(ScopeBuffers& scope);

// Clears the run-time counters and times (elements 6-11) of every channel's alarm row.
void CLEARALARMS(AlarmState& alarm);

// The resets the run driver does before each run of a sequence; `now` is the clock in seconds.
void resetForRun(Program& p, double now);

// Seconds the run's chart samples span for the rate check (pauses included): from the start of
// the run to the last sample in chart mode, whose first sample is due one interval in; in scope
// plus chart, whose first sample is taken at the start, one interval more, so n samples on
// schedule span n intervals either way.
double chartRunSeconds(const Session& s);

// End of a run sequence: channel rows 1-16 elements 1-16 cleared and the scope start cleared.
void endRunSequence(Program& p);

// Before the recording-mode chooser: channel 1's display range becomes 0 to Vmax.
void resetChannelOneRange(Program& p);

}  // namespace trindel
