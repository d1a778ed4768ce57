// The breakpoint composite: an initial equation for every reading, and a lower or upper equation
// chosen by the breakpoint, joined to the initial result by addition or multiplication.
#pragma once

#include <array>

namespace trindel {

// Named elements of a breakpoint record (BPconvert row).
enum BreakpointElement : int {
    kBpBreakpoint = 0,
    kBpInitialOn = 1,
    kBpInitialType = 2,
    kBpInitialA = 3,
    kBpLowerOn = 6,
    kBpLowerType = 7,
    kBpLowerA = 8,
    kBpUpperOn = 11,
    kBpUpperType = 12,
    kBpUpperA = 13,
    kBpLowerMultiplies = 18,
    kBpUpperMultiplies = 19,
    kBpLowerOnVolts = 20,
    kBpUpperOnVolts = 21,
};

using BreakpointRecord = std::array<float, 23>;

// The channel value of a breakpoint record at `volts`.
// - The initial result I is the initial equation on the volts; with the initial equation off the
//   volts pass through unchanged as I, and the range result is not joined to anything.
// - Below the breakpoint the lower equation applies, at or above it the upper one; its input is
//   the volts or I. With the applicable range equation off the value is I.
float evaluateBreakpoint(const BreakpointRecord& record, float volts);

}  // namespace trindel
