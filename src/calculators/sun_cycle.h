// The sun cycle: day of the year, approximate local sunrise, sunset, day length and solar noon
// for a position, the texts the calculator shows, and the year's table and its export.
#pragma once

#include <array>
#include <string>

#include "state/calculator_state.h"

namespace trindel {

// Days before the first of `month` in a common year (0 for a month number outside 1 to 12).
int daysBeforeMonth(int month);
// Gregorian leap years: divisible by 4, except centuries not divisible by 400.
bool isLeapYear(int year);
// Day of the year of a date; a day of the month is not checked against the month's length.
int computeDayOfYear(int month, int day, int year);

enum class PolarDay { None, Sunlight, Darkness };

struct SunTimes {
    float sunrise = 0.0f;           // clock hour, 0 to 24 (JulianSunrise)
    float sunset = 0.0f;            // clock hour, 0 to 24 (JulianSunset)
    float dayLength = 0.0f;         // hours; 24 or 0 on a polar day
    float solarNoonMinutes = 0.0f;  // minutes after midnight, 0 to 1440
    PolarDay polar = PolarDay::None;
};

// Sun times for day `day` of the year at `latitude` (north positive) and `longitude` (west
// positive), local solar time, one hour later with daylight-saving time.
SunTimes SunriseCalc(int day, float latitude, float longitude, bool daylightSaving);

struct SunTexts {
    std::string sunrise, sunset, dayLength, solarNoon;
};
// The four result fields of the calculator.
SunTexts sunResultTexts(const SunTimes& t, float latitude);

// A clock time or a duration in whole hours and minutes, both truncated as the window does:
// 4.8164 -> "4:48", 14.4141 -> "14:24".
std::string clockText(float hours);

// The year's table, rows 1 to 365 (row 366 untouched): day length, sunrise and sunset; a polar
// sunlit day stores sunrise 0 and sunset 24, a dark one sunrise 24 and sunset 0.
void fillSunCycleArray(std::array<SunCycleRow, 367>& rows, float latitude, float longitude,
                       bool daylightSaving);

// "Annual sun cycle for  33.95° N,  117.33° W": the title of the annual plot.
std::string sunPlotTitle(float latitude, float longitude);

// The tab-separated table ("Sun cycle data.xls"): a title line, the column names and one row per
// day 1 to 365; lines end in a carriage return.
std::string sunCycleSpreadsheet(const std::array<SunCycleRow, 367>& rows, float latitude,
                                float longitude);

}  // namespace trindel
