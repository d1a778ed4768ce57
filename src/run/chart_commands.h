// The chart's keyboard and toolbar commands during a recording (stop, pause, backup, markers,
// added time, manual switching, time to reference, replay, XY keys), shared by the chart loop
// and the chart half of scope-plus-chart mode.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "run/control_steps.h"
#include "run/switching_steps.h"
#include "state/program.h"

namespace trindel {

enum class StopReason { None, SampleLimit, StopButton, Escape, CommandQ };

class ChartCommands {
  public:
    // `control` receives the markers for the analogue-output scripts (none: no scripts run).
    ChartCommands(Program& p, Platform& platform, ChartHooks& hooks, LoopSwitchEffects& switching,
                  ControlSteps* control);

    void begin();
    // Row from which markers are drawn down (below the scope band in scope-plus-chart mode).
    void setMarkerTop(int top) { markerTop_ = top; }
    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

    // Takes this pass's events: toolbar presses into the click flags, a typed key kept.
    void handleEvents();
    // Acts on the keys and presses taken; returns why the recording stops (None: go on).
    StopReason act();
    // Both of the above.
    StopReason read() {
        handleEvents();
        return act();
    }
    // The key typed this pass (0 none), and taking it so that act() ignores it.
    int pendingKey() const { return pendingKey_; }
    void dropPendingKey() { pendingKey_ = 0; }
    // A pause window was run by the last act().
    bool paused() const { return paused_; }
    // Closes the "Next reference in" read-out once its time is up.
    void closeReferenceIfDue(int32_t timeNow);

  private:
    void applyCommand(int code, bool commandKey, bool optionKey);

    Program& p_;
    Platform& io_;
    ChartHooks& hooks_;
    LoopSwitchEffects& switching_;
    ControlSteps* control_;
    int markerTop_ = 34;
    bool stopRequested_ = false;
    bool paused_ = false;
    StopReason stop_ = StopReason::None;
    int pendingKey_ = 0;
    int32_t closeReferenceTimeAt_ = 0;  // when the "Next reference in" read-out closes; 0 none
};

}  // namespace trindel
