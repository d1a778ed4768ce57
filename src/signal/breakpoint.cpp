#include "signal/breakpoint.h"

#include "signal/equations.h"

namespace trindel {

namespace {

float equationAt(const BreakpointRecord& r, int typeElement, int firstCoefficient, float x) {
    const Coefficients k{r[firstCoefficient], r[firstCoefficient + 1], r[firstCoefficient + 2]};
    return evaluateBreakpointEquation(codeOf(r[typeElement]), k, x);
}

}  // namespace

float evaluateBreakpoint(const BreakpointRecord& r, float volts) {
    const bool initialOn = r[kBpInitialOn] != 0.0f;
    const float initial = initialOn ? equationAt(r, kBpInitialType, kBpInitialA, volts) : volts;

    const bool below = volts < r[kBpBreakpoint];
    const int onElement = below ? kBpLowerOn : kBpUpperOn;
    if (r[onElement] == 0.0f) {
        return initial;
    }
    const bool onVolts = r[below ? kBpLowerOnVolts : kBpUpperOnVolts] != 0.0f;
    const float input = onVolts ? volts : initial;
    const float range = below ? equationAt(r, kBpLowerType, kBpLowerA, input)
                              : equationAt(r, kBpUpperType, kBpUpperA, input);
    if (!initialOn) {
        return range;
    }
    const bool multiplies = r[below ? kBpLowerMultiplies : kBpUpperMultiplies] != 0.0f;
    return multiplies ? initial * range : initial + range;
}

}  // namespace trindel
