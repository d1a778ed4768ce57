// The single equations of the conversion engine: the channel equations by conversion type and the
// equations a breakpoint record is built from. Pure functions, no state.
#pragma once

namespace trindel {

// Conversion type codes held in row 0 of the channel table.
enum ConversionType : int {
    kConvLinear = 1,
    kConvQuadratic = 2,
    kConvPower = 3,
    kConvNone = 4,
    kConvBreakpoint = 5,
    kConvThreeWay = 6,
    kConvKeyboard = 7,
    kConvLogarithmic = 8,
    kConvReciprocal = 9,
};

// The recording loops take the natural logarithm; the channel set-up's test window takes log10.
enum class LogBase { Natural, Ten };

struct Coefficients {
    float a = 0.0f;
    float b = 1.0f;
    float c = 0.0f;
};

// A code stored as a float (conversion type, operation, variant) as a whole number; values that
// are not finite or far out of any code range give 0.
int codeOf(float stored);

// Widened power and logarithms: taken in double, rounded back to single precision.
float powWidened(float x, float exponent);
float logWidened(float x, LogBase base);

// The equations of types 1, 2, 3, 8 and 9 on the volts; any other type returns the volts
// (types 5, 6 and 7 are composed by the caller). Guarded cases give 0.
float evaluateEquation(int type, Coefficients k, float volts, LogBase base = LogBase::Natural);

// One equation of a breakpoint record (types 1, 2, 3 and 9) on input x; any other type gives 0.
float evaluateBreakpointEquation(int type, Coefficients k, float x);

}  // namespace trindel
