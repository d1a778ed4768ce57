// The three-way polynomial: a cubic on the scaled volts, times a result multiplier.
#pragma once

#include <array>

namespace trindel {

enum ThreeWayElement : int {
    kPolyP0 = 0,
    kPolyP1 = 1,
    kPolyP2 = 2,
    kPolyP3 = 3,
    kPolyResultMultiplier = 5,
    kPolyInputMultiplier = 6,
};

using ThreeWayRecord = std::array<float, 8>;

// (p0 + p1 x + p2 x^2 + p3 x^3) x result multiplier, with x = volts x input multiplier.
float evaluateThreeWay(const ThreeWayRecord& record, float volts);

}  // namespace trindel
