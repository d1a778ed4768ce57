#include "signal/equations.h"

#include <cmath>

namespace trindel {

int codeOf(float stored) {
    return std::isfinite(stored) && std::fabs(stored) < 1.0e6f ? static_cast<int>(stored) : 0;
}

float powWidened(float x, float exponent) {
    return static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(exponent)));
}

float logWidened(float x, LogBase base) {
    const double wide = static_cast<double>(x);
    return static_cast<float>(base == LogBase::Ten ? std::log10(wide) : std::log(wide));
}

float evaluateEquation(int type, Coefficients k, float volts, LogBase base) {
    switch (type) {
        case kConvLinear:
            return k.b * volts + k.a;
        case kConvQuadratic:
            return (k.b * volts + k.a) + (k.c * volts) * volts;
        case kConvPower:
            // A negative reading has no real power for a fractional exponent.
            if (volts < 0.0f && k.c != std::trunc(k.c)) {
                return 0.0f;
            }
            return k.a + k.b * powWidened(volts, k.c);
        case kConvLogarithmic:
            if (volts <= 0.0f) {
                return 0.0f;
            }
            return k.a + k.b * logWidened(volts, base);
        case kConvReciprocal:
            if (volts == 0.0f) {
                return 0.0f;
            }
            return k.b / volts + k.a;
        default:
            return volts;
    }
}

float evaluateBreakpointEquation(int type, Coefficients k, float x) {
    switch (type) {
        case kConvLinear:
            return x * k.b + k.a;
        case kConvQuadratic:
            return k.a + k.b * x + k.c * x * x;
        case kConvPower:
            // Unlike the channel power equation, an input of 0 gives 0 here too.
            return x > 0.0f ? k.a + k.b * powWidened(x, k.c) : 0.0f;
        case kConvReciprocal:
            return x != 0.0f ? k.a + k.b / x : 0.0f;
        default:
            return 0.0f;
    }
}

}  // namespace trindel
