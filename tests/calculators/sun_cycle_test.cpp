#include "calculators/sun_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "calculators/sun_cycle_window.h"
#include "calculators/sun_plot.h"
#include "calculators/world_map.h"

namespace trindel {
namespace {

TEST(DayOfYear, LeapAndCommonYearsAndTheYearEnds) {
    struct Case {
        int month, day, year, expected;
    };
    const Case cases[] = {
        {1, 1, 2023, 1},  {12, 31, 2023, 365}, {12, 31, 2024, 366}, {3, 1, 2024, 61},
        {3, 1, 2023, 60}, {2, 29, 2024, 60},   {2, 28, 2023, 59},   {3, 1, 1900, 60},
        {3, 1, 2000, 61}, {6, 21, 2026, 172},  {10, 1, 2100, 274},  {13, 5, 2023, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(computeDayOfYear(c.month, c.day, c.year), c.expected)
            << c.month << "/" << c.day << "/" << c.year;
    }
}

int minutesOf(float hours) {
    return static_cast<int>(std::lround(hours * 60.0f));
}

TEST(SunTimes, MidLatitudeSummerSolstice) {
    const SunTimes t = SunriseCalc(172, 33.95f, 117.33f, false);
    EXPECT_NEAR(minutesOf(t.sunrise), 4 * 60 + 49, 2);
    EXPECT_NEAR(minutesOf(t.sunset), 19 * 60 + 14, 2);
    EXPECT_NEAR(minutesOf(t.dayLength), 14 * 60 + 25, 2);
    const SunTexts texts = sunResultTexts(t, 33.95f);
    EXPECT_EQ(texts.sunrise, "Approximate local sunrise time:   4 : 48");
    EXPECT_EQ(texts.sunset, "Approximate local sunset time:   19 : 13");
    EXPECT_EQ(texts.dayLength, " 14 hours, 24 minutes of daylight");
    EXPECT_EQ(texts.solarNoon, "Solar noon ~  12 : 1");
    // Daylight-saving time moves the clock times an hour, not the day length.
    const SunTimes dst = SunriseCalc(172, 33.95f, 117.33f, true);
    EXPECT_FLOAT_EQ(dst.sunrise, t.sunrise + 1.0f);
    EXPECT_FLOAT_EQ(dst.sunset, t.sunset + 1.0f);
    EXPECT_FLOAT_EQ(dst.dayLength, t.dayLength);
    EXPECT_EQ(sunResultTexts(dst, 33.95f).solarNoon, "Solar noon ~  13 : 1");
    // Local solar times: the longitude cancels out but for rounding.
    for (float lon : {-150.0f, 0.0f, 45.0f}) {
        const SunTimes other = SunriseCalc(172, 33.95f, lon, false);
        EXPECT_NEAR(other.sunrise, t.sunrise, 0.02f) << lon;
        EXPECT_NEAR(other.dayLength, t.dayLength, 0.03f) << lon;
    }
}

TEST(SunTimes, EquatorAtTheEquinox) {
    const SunTimes t = SunriseCalc(80, 0.0f, 0.0f, false);
    ASSERT_EQ(t.polar, PolarDay::None);
    // Twelve hours and a few minutes: the upper limb and refraction lengthen the day.
    EXPECT_NEAR(t.dayLength, 12.13f, 0.05f);
    EXPECT_NEAR(t.sunrise, 6.05f, 0.1f);
    EXPECT_NEAR(t.sunset, 18.18f, 0.1f);
}

TEST(SunTimes, PolarDayAndNight) {
    const SunTimes summer = SunriseCalc(172, 80.0f, 0.0f, false);
    EXPECT_EQ(summer.polar, PolarDay::Sunlight);
    EXPECT_EQ(summer.dayLength, 24.0f);
    SunTexts texts = sunResultTexts(summer, 80.0f);
    EXPECT_EQ(texts.sunset, "24-hour sunlight (Arctic summer)");
    EXPECT_EQ(texts.sunrise, "");
    EXPECT_EQ(texts.solarNoon, "");
    EXPECT_EQ(texts.dayLength, " 24 hours, 0 minutes of daylight");

    const SunTimes winter = SunriseCalc(172, -80.0f, 0.0f, false);
    EXPECT_EQ(winter.dayLength, 0.0f);
    texts = sunResultTexts(winter, -80.0f);
    EXPECT_EQ(texts.sunset, "24-hour darkness (Antarctic winter)");
    EXPECT_EQ(texts.dayLength, " ");
    EXPECT_EQ(sunResultTexts(SunriseCalc(355, 80.0f, 0.0f, false), 80.0f).sunset,
              "24-hour darkness (Arctic winter)");
    EXPECT_EQ(sunResultTexts(SunriseCalc(355, -80.0f, 0.0f, false), -80.0f).sunset,
              "24-hour sunlight (Antarctic summer)");
    // At the pole every day is polar.
    for (int day = 1; day <= 366; ++day) {
        EXPECT_NE(SunriseCalc(day, 90.0f, 0.0f, false).polar, PolarDay::None) << day;
        EXPECT_NE(SunriseCalc(day, -90.0f, 0.0f, false).polar, PolarDay::None) << day;
    }
}

TEST(SunTimes, ClockTimesAreWrappedIntoTheDay) {
    // A sunrise that rounds into the previous day still reads as the clock time.
    const SunTimes arctic = SunriseCalc(19, 69.97f, 0.0f, false);
    EXPECT_GE(arctic.sunrise, 0.0f);
    EXPECT_NEAR(arctic.sunrise, 12.06f, 0.05f);
    EXPECT_LT(arctic.dayLength, 0.5f);
    EXPECT_EQ(
        sunResultTexts(arctic, 69.97f).sunrise.rfind("Approximate local sunrise time:   12 : 0", 0),
        0u);
    // A sunset after midnight: noon still lies half the day after sunrise.
    const SunTimes late = SunriseCalc(172, 65.58f, 0.0f, true);
    EXPECT_LT(late.sunset, late.sunrise);
    EXPECT_NEAR(late.dayLength, 23.06f, 0.05f);
    EXPECT_EQ(sunResultTexts(late, 65.58f).solarNoon, "Solar noon ~  13 : 1");
}

TEST(SunCycleTable, PolarRowsAndTheSpreadsheet) {
    std::array<SunCycleRow, 367> rows{};
    fillSunCycleArray(rows, 80.0f, 10.0f, false);
    EXPECT_EQ(rows[172], (SunCycleRow{24.0f, 0.0f, 24.0f}));
    EXPECT_EQ(rows[1], (SunCycleRow{0.0f, 24.0f, 0.0f}));
    const std::string sheet = sunCycleSpreadsheet(rows, 80.0f, -10.0f);
    EXPECT_EQ(sheet.rfind("Annual sun cycle at  80 degrees N,  10 degrees E\r"
                          "Julian date\tSunrise time\tSunset time\tHours of daylight\r"
                          " 1\t 24\t 0\t 0\r",
                          0),
              0u);
    EXPECT_EQ(std::count(sheet.begin(), sheet.end(), '\r'), 367);
    EXPECT_EQ(sheet.find('\n'), std::string::npos);
    EXPECT_NE(sheet.find("\r 172\t 0\t 24\t 24\r"), std::string::npos);
    EXPECT_EQ(sunPlotTitle(-33.5f, -151.25f),
              "Annual sun cycle for  33.5\xC2\xB0 S;   151.25\xC2\xB0 E");
}

TEST(SunCyclePlot, BarsAndDotsInTheFrame) {
    std::array<SunCycleRow, 367> rows{};
    rows[10] = {12.0f, 6.0f, 18.0f};
    rows[20] = {24.0f, 0.0f, 24.0f};  // polar day: the full height, no dots
    rows[30] = {22.0f, 2.0f, 0.0f};   // sunset at midnight after a long day
    const SunPlotShapes s = SunCyclePlot(rows);
    ASSERT_EQ(s.bars.size(), 4u);
    EXPECT_DOUBLE_EQ(s.bars[0].x, 85.0);
    EXPECT_DOUBLE_EQ(s.bars[0].yFrom, 210.0);
    EXPECT_DOUBLE_EQ(s.bars[0].yTo, 90.0);
    EXPECT_DOUBLE_EQ(s.bars[1].yFrom, 270.0);
    EXPECT_DOUBLE_EQ(s.bars[1].yTo, 30.0);
    EXPECT_DOUBLE_EQ(s.bars[2].yFrom, 250.0);  // sunrise to midnight
    EXPECT_DOUBLE_EQ(s.bars[2].yTo, 30.0);
    EXPECT_EQ(s.dots.size(), 4u);
    EXPECT_DOUBLE_EQ(sunPlotX(365), 617.5);
}

TEST(SunCycleWindow, CalculateStoresThePositionAndResults) {
    Program p;
    SunCycleWindow w(p, "06/21/26");
    EXPECT_EQ(w.date.year, "2026");
    EXPECT_EQ(w.date.dayOfYear, "172");
    w.calculate();
    EXPECT_FLOAT_EQ(p.calculators.latitude, 33.95f);
    EXPECT_FLOAT_EQ(p.calculators.longitude, 117.33f);
    EXPECT_EQ(w.results.dayLength, " 14 hours, 24 minutes of daylight");
    w.toggleDaylightSaving();
    EXPECT_EQ(w.results.solarNoon, "Solar noon ~  13 : 1");
    w.setNorth(false);
    w.setWest(false);
    w.calculate();
    EXPECT_FLOAT_EQ(p.calculators.latitude, -33.95f);
    EXPECT_FLOAT_EQ(p.calculators.longitude, -117.33f);
    w.date.dayOfYear = "400";
    w.calculate();
    EXPECT_FALSE(w.reason.empty());
    MapPosition picked = wholeMapPosition(900, 600);
    picked.longitude = 120.3333f;
    w.takeMapPosition(picked);
    EXPECT_EQ(w.latitude, "52.5");
    EXPECT_EQ(w.longitude, "120.33");
    EXPECT_FALSE(w.north);
    EXPECT_FALSE(w.west());
    EXPECT_EQ(w.results.sunrise, "");  // the old results no longer stand
    w.chooseMonth(3);
    w.date.day = "1";
    w.date.year = "2000";
    w.dateEdited();
    EXPECT_EQ(w.date.dayOfYear, "61");
}

TEST(WorldMap, WholeAndEnlargedMapPositions) {
    const MapPosition centre = wholeMapPosition(540, 390);
    EXPECT_FLOAT_EQ(centre.longitude, 0.0f);
    EXPECT_FLOAT_EQ(centre.latitude, 0.0f);
    const MapPosition riverside = wholeMapPosition(188, 194);  // 117.33 W, 49 N
    EXPECT_NEAR(riverside.longitude, 117.33f, 0.01f);
    EXPECT_TRUE(riverside.west);
    EXPECT_FLOAT_EQ(riverside.latitude, 49.0f);
    EXPECT_EQ(selectedPositionText(riverside), "  49.00\xC2\xB0 N, 117.33\xC2\xB0 W");
    const MapPosition east = wholeMapPosition(900, 600);
    EXPECT_FALSE(east.west);
    EXPECT_FALSE(east.north);
    EXPECT_FLOAT_EQ(east.signedLongitude(), -120.0f);
    EXPECT_FLOAT_EQ(east.signedLatitude(), -52.5f);
    // Enlarged five-fold from the area whose corner is at (540, 390): 15 pixels per degree.
    const ZoomOffset o = zoomOffset(540, 390);
    const MapPosition z = zoomedMapPosition(150, 180, o);
    EXPECT_NEAR(z.longitude, 10.0f, 1e-4f);
    EXPECT_FALSE(z.west);
    EXPECT_NEAR(z.latitude, 10.0f, 1e-4f);
    EXPECT_FALSE(z.north);
    EXPECT_TRUE(pointOnMap(0, 30));
    EXPECT_FALSE(pointOnMap(0, 29));
    EXPECT_FALSE(pointOnMap(1082, 400));
}

}  // namespace
}  // namespace trindel
