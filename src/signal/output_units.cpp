#include "signal/output_units.h"

#include <cmath>

namespace trindel {

float outputUnitFactor(float unitCode) {
    if (unitCode == 1.0f) {
        return 1000.0f;
    }
    if (unitCode == 3.0f) {
        return 60.0f;
    }
    if (unitCode == 4.0f) {
        return 0.06f;
    }
    return 1.0f;
}

float saturationVapourFactor(float temperatureC) {
    // Goff-Gratch saturation vapour pressure over water, as log10 of hPa, then to g/l.
    const float t = temperatureC + 273.16f;
    const float x = 373.16f / t;
    const auto p10 = [](float e) { return static_cast<float>(std::pow(10.0, double{e})); };
    float logP = -7.90298f * (x - 1.0f);
    logP += 2.183653f * static_cast<float>(std::log(double{x}));
    logP -= 1.3816e-8f * p10(11.344f * (1.0f - 1.0f / x));
    logP += 0.0081328f * (p10(-3.49149f * (x - 1.0f)) - 1.0f);
    logP += 3.005695f;
    return p10(logP) * 0.216632f / t;
}

}  // namespace trindel
