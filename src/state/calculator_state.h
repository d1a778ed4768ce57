// The calculators' program-wide values: the sun-cycle position and last results, and the running
// sum of the STP flow calculator. They keep their values between openings of the windows.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

struct SunCycleRow {
    float dayLength = 0.0f;  // hours
    float sunrise = 0.0f;    // clock hour
    float sunset = 0.0f;     // clock hour

    bool operator==(const SunCycleRow&) const = default;
};

struct CalculatorState {
    float latitude = 33.95f;    // degrees, north positive
    float longitude = 117.33f;  // degrees, west positive
    int16_t northLatitude = 1;
    int16_t westLongitude = 1;
    float JulianSunrise = 0.0f;
    float JulianSunset = 0.0f;
    std::array<SunCycleRow, 367> SunCycleArray{};  // rows 1 to 366 by day of the year

    double stpSum = 0.0;  // "Add to ∑": SCCM
    int32_t stpCount = 0;

    bool operator==(const CalculatorState&) const = default;
};

}  // namespace trindel
