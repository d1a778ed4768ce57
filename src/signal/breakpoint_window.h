// The breakpoint window as a model: switching the three equations in and out, setting each from
// the shown equation, the operators and inputs, the six stored records, and what closing stores.
#pragma once

#include <string>

#include "signal/breakpoint.h"
#include "signal/equations.h"
#include "state/program.h"

namespace trindel {

enum class BreakpointPart { Initial, Lower, Upper };

class BreakpointWindow {
  public:
    // Opens for `channel` (1..16): the channel's type is 1 while the window is open.
    BreakpointWindow(Program& p, int channel);

    const BreakpointRecord& record() const;
    const std::string& breakpointField() const { return field_; }
    void setBreakpointField(std::string text) { field_ = std::move(text); }

    // "Use Initial Conversion", "Convert Data < Breakpoint", "Convert Data ≥ Breakpoint".
    void toggle(BreakpointPart part);
    bool inForce(BreakpointPart part) const;
    // "Set Initial Conversion (All Data)", "Set for Volts < Breakpoint", "Set for Volts ≥
    // Breakpoint": enabled only while that equation is in force; returns whether it acted.
    bool setEquation(BreakpointPart part, int type, Coefficients k);
    // " + " or "*" for the lower or upper range; "Volts" or "Initial" as its input.
    void setMultiplies(BreakpointPart range, bool multiplies);
    void setOnVolts(BreakpointPart range, bool onVolts);

    // "Store As" slot 1..6 (rows 17..22) and "Get" slot 1..6.
    void storeAs(int slot);
    void get(int slot);

    // "Done": the type becomes 5. The close box: the type the channel had before.
    // Both store the typed breakpoint in element 0.
    void done();
    void closeBox();

  private:
    BreakpointRecord& rec();
    void storeBreakpoint();

    Program& p_;
    size_t channel_;
    float previousType_;
    std::string field_;
};

}  // namespace trindel
