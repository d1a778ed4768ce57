// The experiment-control steps of a chart recording: the analogue-output scripts and the
// feedback law with their outputs sent through the logger's port (recorded only in the
// demonstration mode), the audible timer, the markers that move them, and the trigger wait
// before the first sample.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "state/program.h"

namespace trindel {

class SerialPort;

// Status fields of the recording window used by these steps.
inline constexpr int kStatusFieldOutputs = 200;  // analogue outputs and feedback
inline constexpr int kStatusFieldTrigger = 201;  // 201..203: the trigger wait's three lines

class ControlSteps {
  public:
    ControlSteps(Program& p, Platform& io, ChartHooks& hooks);

    // The port that carries the outputs (none: they are recorded, not sent).
    void setPort(SerialPort* port) { port_ = port; }

    // The trigger wait before the first sample, when triggering is on: kTriggerMet (999) to
    // record, kTriggerEscape (27) when the user cancelled.
    // `cancel`, when given, is asked between readings and cancels the wait as Escape does.
    int waitForTrigger(const std::function<bool()>& cancel = {});
    // At the start of a recording (tick `start`).
    void begin(int32_t start);
    // On every pass of the loop: the alert sounds, the scripts, the feedback, then the outputs.
    void pass(int32_t now);
    // After a marker was inserted (first: it is the recording's first marker).
    void marker(int code, bool first, int32_t now);
    // When the recording ends.
    void end(int32_t now);

    // Every value given to an output during this recording, in order (bounded).
    const std::vector<AOOutput>& outputs() const { return log_; }
    // "AO1 1.000 V  AO2 2.500 V  feedback 19.800 (setpoint 20.000) -> 2.625 V"; "" with no output
    // in use.
    std::string statusText() const;

  private:
    void send();
    void feedback(int32_t now);

    Program& p_;
    Platform& io_;
    ChartHooks& hooks_;
    SerialPort* port_ = nullptr;
    std::vector<AOOutput> log_;
    std::string shown_;
};

// One reading of the trigger input converted to its units (the demonstration mode draws
// k / 1000 V for k from 1 to 800, 5 V above 0.795).
std::optional<float> readTriggerValue(Program& p, Platform& io);

}  // namespace trindel
