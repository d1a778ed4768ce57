// The unit interconversions: four categories of fixed factors and formulas (energy, speed and
// distance, mass and volume, pressure and water vapour), each with its unit names and note.
#pragma once

#include <string>
#include <vector>

namespace trindel {

inline constexpr int kUnitCategoryFirst = 63;
inline constexpr int kUnitCategoryLast = 66;

struct UnitConversion {
    int item = 0;
    std::string from, to;  // unit names (UTF-8)
    std::string note;      // empty, or the note line shown under the result
    bool none = false;     // an item with no conversion: the result is 0
};

// The category's title ("Energy, Power, Heat, Temperature", ...); a number outside 63 to 65 is
// served as 66.
std::string unitCategoryTitle(int category);
// The conversions of a category, item 1 first (an item with no conversion included).
const std::vector<UnitConversion>& unitConversions(int category);

// The result of conversion `item` of `category` for `input`, as the 32-bit value the window
// shows; 0 for an item with no conversion or not in the category.
float convertUnits(int category, int item, double input);

// Saturation vapour pressure over water (above 0 °C) or ice, torr, in 32-bit floats.
float saturationVapourPressure(float celsius);
// Clear-sky irradiance at sea level, W/m², from the sun's elevation in degrees; 0 when the sun
// is not above the horizon.
double clearSkyIrradiance(double elevation);

struct UnitResult {
    std::string from, to, note;
    std::string resultText;  // StringFormatter form of the result
};
// What the window shows for the item: the unit names, the note and the formatted result.
UnitResult ConversionsCALCULATIONS(int category, int item, double input);

}  // namespace trindel
