// The rules of the "Voltage output script" editor for one analogue-output channel: adding,
// inserting, deleting and updating steps, loops, the end and pre-run volts, and what closing
// stores.
#pragma once

#include <string>

#include "state/control_state.h"

namespace trindel {

struct ScriptStepFields {
    float volts = 0.0f;
    float minutes = 1.0f;  // always positive here; `ramp` gives the sign
    bool ramp = false;
};

class ScriptEditor {
  public:
    ScriptEditor(AnalogOutputState& ao, int channel, int16_t device);

    int channel() const { return channel_; }
    int steps() const;
    float totalMinutes() const;  // the sum of |durations|
    float limit() const { return limit_; }
    std::string title() const;
    // The diagram's three labels (top, zero line, bottom).
    std::string topLabel() const;
    std::string bottomLabel() const;

    float stepVolts(int k) const;
    float stepMinutes(int k) const;  // negative: a ramp
    int stepNext(int k) const;
    int loopTarget() const;  // the last step's follow-on when it loops back, else 0

    bool canAdd() const { return steps() < 100; }
    bool addStep(const ScriptStepFields& f);
    bool insertStep(int k, bool behind, const ScriptStepFields& f);
    bool deleteStep(int k);
    bool goToStep(int k, ScriptStepFields& out) const;
    bool updateStep(int k, const ScriptStepFields& f);
    void loopTo(int target);  // "Loop to Start" is loopTo(1)
    void deleteLoop();
    void clearAll();

    // "Done": the step count, the pre-run and end volts (limited to the voltage limits), the
    // channel on when it has steps.
    void close(float preRunVolts, float endVolts, int endMode, int startMode, int stopMode);
    // "Switch to Pre-run Value": the volts limited to the voltage limits.
    float preRunOutput(float volts) const;

  private:
    float& cell(int row, int offset);
    float cellAt(int row, int offset) const;
    void setCount(int n);
    void resetFollowOns(int n);

    AnalogOutputState& ao_;
    int channel_;
    int col_;
    int16_t device_;
    float limit_;
};

}  // namespace trindel
