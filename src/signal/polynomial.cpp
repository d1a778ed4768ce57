#include "signal/polynomial.h"

namespace trindel {

float evaluateThreeWay(const ThreeWayRecord& r, float volts) {
    const float x = volts * r[kPolyInputMultiplier];
    // Summed term by term in this order, in single precision.
    float sum = r[kPolyP0];
    sum += r[kPolyP1] * x;
    sum += r[kPolyP2] * (x * x);
    sum += r[kPolyP3] * (x * x * x);
    return sum * r[kPolyResultMultiplier];
}

}  // namespace trindel
