#include "calculators/unit_conversions.h"

#include <cmath>

#include "calculators/calc_result.h"
#include "text/number_text.h"

namespace trindel {

namespace {

// How an item computes. Multiply and Divide run in double precision (the result is then kept
// as a 32-bit float); the Single kinds run wholly in 32-bit floats.
enum class Rule {
    Multiply,
    Divide,
    MultiplySingle,
    DivideSingle,
    FahrenheitToCelsius,
    CelsiusToFahrenheit,
    CelsiusToKelvin,
    VapourPressure,
    VapourDensity,
    Irradiance,
    None,
};

struct Row {
    int category;
    int item;
    const char* from;
    const char* to;
    Rule rule;
    double factor;
    const char* note;
};

#define DEG "\xC2\xB0"
constexpr const char* kStp = "\xE2\x80\xA2 STP = 0 " DEG "C, 760 torr (1.0 atmospheres)";
constexpr const char* kSeparateFits =
    "\xE2\x80\xA2 separate approximations are used for temperatures above and below 0 " DEG "C";

constexpr Row kRows[] = {
    {63, 1, "joules", "calories", Rule::Divide, 4.186, ""},
    {63, 2, "calories", "joules", Rule::Multiply, 4.186, ""},
    {63, 3, "watts", "kilojoules/day", Rule::Multiply, 86.4, ""},
    {63, 4, "watts", "kilocalories/day", Rule::Multiply, 20.6402, ""},
    {63, 5, "watts", "calories/min", Rule::Multiply, 14.3335, ""},
    {63, 6, "BTU/hr", "Kilowatts", Rule::Multiply, 0.0002931, ""},
    {63, 7, "BTU", "Kilojoules", Rule::Multiply, 1.055, ""},
    {63, 8, "horsepower", "Kilowatts", Rule::Multiply, 0.746, ""},
    {63, 9, "Kilowatts", "horsepower", Rule::Multiply, 1.34, ""},
    {63, 10, DEG "F", DEG "C", Rule::FahrenheitToCelsius, 0,
     "\xE2\x80\xA2 standard '5/9 X (" DEG "F - 32)' conversion"},
    {63, 11, DEG "C", DEG "F", Rule::CelsiusToFahrenheit, 0,
     "\xE2\x80\xA2 standard '(9/5 X " DEG "C) + 32' conversion"},
    {63, 12, DEG "C", DEG "K", Rule::CelsiusToKelvin, 0, ""},
    {63, 13, "mg H2O evap.", "joules (@ 37 " DEG "C)", Rule::Multiply, 2.4465,
     "\xE2\x80\xA2 conversion factor differs slightly at other temperatures: for example, ~2.26 "
     "j/mg at 0 " DEG "C vs. ~2.45 j/mg at 37 " DEG "C"},
    {63, 14, "mg H2O evap.", "calories (@ 37 " DEG "C)", Rule::Multiply, 0.584448,
     "\xE2\x80\xA2 conversion factor differs slightly at other temperatures: for example, ~0.539 "
     "cal/mg at 0 " DEG "C vs. ~0.584 cal/mg at 37 " DEG "C"},

    {64, 1, "meters/sec", "kilometers/hour", Rule::Multiply, 3.6, ""},
    {64, 2, "kilometers/hour", "meters/sec", Rule::Multiply, 0.2776398, ""},
    {64, 3, "miles per hour", "meters/sec", Rule::Multiply, 0.44704, ""},
    {64, 4, "rate/sec", "rate/hour", Rule::MultiplySingle, 3600, ""},
    {64, 5, "rate/hour", "rate/sec", Rule::DivideSingle, 3600, ""},
    {64, 6, "rate/min", "rate/sec", Rule::DivideSingle, 60, ""},
    {64, 7, "knots", "km/hour", Rule::Multiply, 1.852, ""},
    {64, 8, "km/hour", "knots", Rule::Divide, 1.852, ""},
    {64, 9, "miles per hour", "knots", Rule::Divide, 1.150779, ""},
    {64, 10, "knots", "miles per hour", Rule::Multiply, 1.150779, ""},
    {64, 11, "miles per hour", "km/hour", Rule::Multiply, 1.60934, ""},
    {64, 12, "inches", "centimeters", Rule::Multiply, 2.54, ""},
    {64, 13, "centimeters", "feet", Rule::Multiply, 0.0328084, ""},
    {64, 14, "feet", "centimeters", Rule::Divide, 0.0328084, ""},
    {64, 15, "feet", "meters", Rule::Multiply, 0.3048, ""},
    {64, 16, "meters", "feet", Rule::Divide, 0.3048, ""},
    {64, 17, "miles", "kilometers", Rule::Multiply, 1.60934, ""},
    {64, 18, "kilometers", "miles", Rule::Divide, 1.60934, ""},
    {64, 19, "acres", "hectares", Rule::Multiply, 0.4048327, ""},
    {64, 20, "square miles", "acres", Rule::MultiplySingle, 640, ""},
    {64, 21, "", "", Rule::None, 0, ""},
    {64, 22, "square miles", "hectares", Rule::Multiply, 259.09, ""},
    {64, 23, "square yards", "square meters", Rule::Multiply, 0.8361204, ""},
    {64, 24, "square feet", "squre meters", Rule::Multiply, 0.0929368, ""},
    {64, 25, "square inches", "square centimeters", Rule::Multiply, 6.452, ""},

    {65, 1, "pounds", "kilograms", Rule::Multiply, 0.453597, ""},
    {65, 2, "kilograms", "pounds", Rule::Divide, 0.453597, ""},
    {65, 3, "ounces", "grams", Rule::Multiply, 28.3498, ""},
    {65, 4, "grams", "ounces", Rule::Multiply, 0.0352736, ""},
    {65, 5, "U.S. ton", "kilograms", Rule::Multiply, 907.194, ""},
    {65, 6, "U.K. tonne", "kilograms", Rule::Multiply, 1016.057, ""},
    {65, 7, "carats (gem)", "grams", Rule::Multiply, 0.2, ""},
    {65, 8, "cubic feet", "cubic meter", Rule::Multiply, 0.0283163, ""},
    {65, 9, "cubic meters", "cubic feet", Rule::Divide, 0.0283163, ""},
    {65, 10, "cubic feet", "liters", Rule::Multiply, 28.3163, ""},
    {65, 11, "U.S. gallons", "liters", Rule::Multiply, 3.785412, ""},
    {65, 12, "US pint", "liters", Rule::Multiply, 0.473176, ""},
    {65, 13, "US quart", "liters", Rule::Multiply, 0.9455371, ""},
    {65, 14, "cup", "liters", Rule::Multiply, 0.24, ""},
    {65, 15, "barrels (oil)", "liters", Rule::Multiply, 158.9873, ""},
    {65, 16, "mmoles", "ml gas at STP", Rule::Multiply, 22.413, kStp},
    {65, 17, "footcandle", "lux", Rule::Multiply, 10.764, ""},
    {65, 18, "elevation (degrees)", "watts/square meter", Rule::Irradiance, 0,
     "\xE2\x80\xA2 elevation = 90 " DEG " when sun is directly overhead.          \xE2\x80\xA2 "
     "Approximate clear sky sea level values (sunlight varies with season, altitude, "
     "humidity, etc.)"},

    {66, 1, "Torr", "kilopascals", Rule::Multiply, 0.1333224, ""},
    {66, 2, "P.S.I.", "torr", Rule::Multiply, 51.714933, ""},
    {66, 3, "torr", "P.S.I.", Rule::Multiply, 0.01933677, ""},
    {66, 4, "mm H2O", "torr", Rule::Multiply, 0.076,
     "\xE2\x80\xA2 assumes 760 torr (1.0 atmospheres) = 10.0 meter water column"},
    {66, 5, "kilopascals", "torr", Rule::Multiply, 7.500617, ""},
    {66, 6, "kilopascals", "atmospheres", Rule::Multiply, 0.00986923267, ""},
    {66, 7, "atmospheres", "kilopascals", Rule::Multiply, 101.325, ""},
    {66, 8, "atmospheres", "torr", Rule::MultiplySingle, 760, ""},
    {66, 9, "atmospheres", "PSI", Rule::Multiply, 14.695949, ""},
    {66, 10, "bars", "torr", Rule::Multiply, 750.0617, ""},
    {66, 11, "torr", "bars", Rule::Divide, 750.0617, ""},
    {66, 12, "bars", "atmospheres", Rule::Divide, 1.01325, ""},
    {66, 13, "atmospheres", "bars", Rule::Multiply, 1.01325, ""},
    {66, 14, "P.S.I.", "bars", Rule::Multiply, 0.0689475729, ""},
    {66, 15, "bars", "P.S.I.", Rule::Multiply, 14.503774, ""},
    {66, 16, DEG "C", "torr H2O, 100% RH", Rule::VapourPressure, 0, kSeparateFits},
    {66, 17, DEG "C", "g H2O/cubic meter", Rule::VapourDensity, 0,
     "\xE2\x80\xA2 This is for saturated air (100% relative humidity).      \xE2\x80\xA2 "
     "Separate approximations are used for temperatures above and below 0 " DEG "C"},
    {66, 18, "KPa H2O vapor", "g H2O/cubic meter", Rule::Multiply, 7.92568,
     "\xE2\x80\xA2 assumes 0 " DEG "C; higher temperature means lower water mass/KPa and vice "
     "versa -- does not check for saturation vapor pressure limits"},
    {66, 19, "KPa H2O vapor", "% STP gas volume H2O", Rule::Multiply, 0.986921, kStp},
    {66, 20, "Torr H2O vapor", "g H2O/cubic meter", Rule::Multiply, 1.05693,
     "\xE2\x80\xA2 assumes 0 " DEG "C; higher temperature means lower water mass/torr and vice "
     "versa -- does not check for saturation vapor pressure limits"},
    {66, 21, "Torr H2O vapor", "% STP gas volume H2O", Rule::Multiply, 0.1315789, kStp},
};
#undef DEG

int servedCategory(int category) {
    return category >= 63 && category <= 65 ? category : 66;
}

const Row* findRow(int category, int item) {
    const int c = servedCategory(category);
    for (const Row& r : kRows) {
        if (r.category == c && r.item == item) {
            return &r;
        }
    }
    return nullptr;
}

float apply(const Row& r, double x) {
    const float xf = static_cast<float>(x);
    const float factor = static_cast<float>(r.factor);
    switch (r.rule) {
        case Rule::Multiply:
            return static_cast<float>(x * r.factor);
        case Rule::Divide:
            return static_cast<float>(x / r.factor);
        case Rule::MultiplySingle:
            return xf * factor;
        case Rule::DivideSingle:
            return xf / factor;
        case Rule::FahrenheitToCelsius:
            return static_cast<float>((x - 32.0) * 0.55555555);
        case Rule::CelsiusToFahrenheit:
            return static_cast<float>(x * 1.8 + 32.0);
        case Rule::CelsiusToKelvin:
            return static_cast<float>(x + 273.15);
        case Rule::VapourPressure:
            return saturationVapourPressure(xf);
        case Rule::VapourDensity:
            return saturationVapourPressure(xf) * 288.7763f / (xf + 273.16f);
        case Rule::Irradiance:
            return static_cast<float>(clearSkyIrradiance(x));
        case Rule::None:
            break;
    }
    return 0.0f;
}

}  // namespace

std::string unitCategoryTitle(int category) {
    switch (servedCategory(category)) {
        case 63:
            return "Energy, Power, Heat, Temperature";
        case 64:
            return "Speed, Distance, Time, Area";
        case 65:
            return "Mass, Volume, Light Intensity";
        default:
            return "Pressure, Water Vapor Density";
    }
}

const std::vector<UnitConversion>& unitConversions(int category) {
    static const auto kTables = [] {
        std::vector<std::vector<UnitConversion>> tables(4);
        for (const Row& r : kRows) {
            tables[static_cast<size_t>(r.category - 63)].push_back(
                UnitConversion{r.item, r.from, r.to, r.note, r.rule == Rule::None});
        }
        return tables;
    }();
    return kTables[static_cast<size_t>(servedCategory(category) - 63)];
}

float convertUnits(int category, int item, double input) {
    const Row* r = findRow(category, item);
    return r == nullptr ? 0.0f : apply(*r, input);
}

float saturationVapourPressure(float t) {
    if (t > 0.0f) {
        return 4.8845f + 0.16927f * t + 0.024491f * t * t - 0.00020623f * t * t * t +
               0.0000069782f * t * t * t * t;
    }
    const float k = t + 273.16f;
    return 6.1078f * std::exp(21.87456f * (k - 273.16f) / (k - 7.66f)) * 0.728498f;
}

double clearSkyIrradiance(double elevation) {
    const double x = (elevation - 90.0) * 3.14159 / 180.0;
    const double c = std::cos(x);
    // Below the horizon (or past the far horizon) the air mass has no real value: no sunlight.
    if (!(elevation >= 0.0) || !(c > 0.0)) {
        return 0.0;
    }
    const double airMass = std::pow(1.0 / c, 0.678);
    return 1366.0 * std::pow(0.7, airMass);
}

UnitResult ConversionsCALCULATIONS(int category, int item, double input) {
    UnitResult out;
    const Row* r = findRow(category, item);
    if (r != nullptr) {
        out.from = r->from;
        out.to = r->to;
        out.note = r->note;
    }
    const float value = r == nullptr ? 0.0f : apply(*r, input);
    out.resultText =
        std::isfinite(value) ? StringFormatter(floatDecimal(value)) : std::string(kNoResultText);
    return out;
}

}  // namespace trindel
