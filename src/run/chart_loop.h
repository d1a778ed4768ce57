// The chart recording loop's pass: one pass of the loop (status, the scan when due, commands,
// timers, full screen). RecordingRun repeats passes with the waits between them.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "run/chart_commands.h"
#include "run/chart_hooks.h"
#include "run/control_steps.h"
#include "run/switching_steps.h"
#include "state/program.h"

namespace trindel {

struct PassOutcome {
    bool scanTaken = false;
    // With a scan: the time it was due and the clock time it was taken (seconds).
    double scanDue = 0.0;
    double scanTime = 0.0;
    bool finished = false;
    StopReason stop = StopReason::None;
};

class ChartLoop {
  public:
    ChartLoop(Program& p, Platform& platform, ChartHooks& hooks);

    // Prepares the run: per-run resets, first due time 0.1 s from now, progress figures.
    void begin();
    // Exactly one pass: status, the scan when due, commands, timers, screen full.
    PassOutcome pass();
    bool finished() const { return stop_ != StopReason::None; }
    StopReason stopReason() const { return stop_; }
    // Clock time at which the next pass has work to do (the next scan, or the next read of a
    // continuously averaged last channel).
    double nextDueTime() const;

    // Asks the loop to stop as the Stop button would (a front end's stop request).
    void requestStop() { commands_.requestStop(); }

    // The serial line that carries the valve-switching commands and the analogue outputs
    // (none: nothing is sent).
    void setSwitchPort(SerialPort* port) {
        switching_.setPort(port);
        control_.setPort(port);
    }
    // Analogue outputs, feedback, audible timer and trigger of this recording.
    ControlSteps& control() { return control_; }

  private:
    void readCommands();

    Program& p_;
    Platform& io_;
    ChartHooks& hooks_;
    StopReason stop_ = StopReason::None;
    int32_t lastShownSample_ = -1;
    LoopSwitchEffects switching_;
    ControlSteps control_;
    ChartCommands commands_;
};

}  // namespace trindel
