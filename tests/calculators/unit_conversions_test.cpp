#include <gtest/gtest.h>

#include <cmath>

#include "calculators/unit_conversions.h"
#include "calculators/unit_converter_window.h"

namespace trindel {
namespace {

struct Case {
    int category, item;
    double input, expected;
};

// Every conversion once: value in, value out (the result is kept as a 32-bit float).
TEST(UnitConversions, EachConversionGivesItsKnownValue) {
    const Case cases[] = {
        {63, 1, 2.5, 0.597228858},
        {63, 2, 2.5, 10.465},
        {63, 3, 2.5, 216},
        {63, 4, 2.5, 51.6005},
        {63, 5, 2.5, 35.83375},
        {63, 6, 2.5, 0.00073275},
        {63, 7, 2.5, 2.6375},
        {63, 8, 2.5, 1.865},
        {63, 9, 2.5, 3.35},
        {63, 10, -40, -39.9999996},
        {63, 11, -40, -40},
        {63, 12, 25, 298.15},
        {63, 13, 2.5, 6.11625},
        {63, 14, 2.5, 1.46112},
        {64, 1, 2.5, 9},
        {64, 2, 2.5, 0.6940995},
        {64, 3, 2.5, 1.1176},
        {64, 4, 2.5, 9000},
        {64, 5, 2.5, 0.000694444444},
        {64, 6, 2.5, 0.0416666667},
        {64, 7, 2.5, 4.63},
        {64, 8, 2.5, 1.34989201},
        {64, 9, 2.5, 2.17244145},
        {64, 10, 2.5, 2.8769475},
        {64, 11, 2.5, 4.02335},
        {64, 12, 2.5, 6.35},
        {64, 13, 2.5, 0.082021},
        {64, 14, 2.5, 76.1999976},
        {64, 15, 2.5, 0.762},
        {64, 16, 2.5, 8.20209974},
        {64, 17, 2.5, 4.02335},
        {64, 18, 2.5, 1.55343184},
        {64, 19, 2.5, 1.01208175},
        {64, 20, 2.5, 1600},
        {64, 21, 2.5, 0},
        {64, 22, 2.5, 647.725},
        {64, 23, 2.5, 2.090301},
        {64, 24, 2.5, 0.232342},
        {64, 25, 2.5, 16.13},
        {65, 1, 2.5, 1.1339925},
        {65, 2, 2.5, 5.5115003},
        {65, 3, 2.5, 70.8745},
        {65, 4, 2.5, 0.088184},
        {65, 5, 2.5, 2267.985},
        {65, 6, 2.5, 2540.1425},
        {65, 7, 2.5, 0.5},
        {65, 8, 2.5, 0.07079075},
        {65, 9, 2.5, 88.288371},
        {65, 10, 2.5, 70.79075},
        {65, 11, 2.5, 9.46353},
        {65, 12, 2.5, 1.18294},
        {65, 13, 2.5, 2.36384275},
        {65, 14, 2.5, 0.6},
        {65, 15, 2.5, 397.46825},
        {65, 16, 2.5, 56.0325},
        {65, 17, 2.5, 26.91},
        {65, 18, 60, 921.893811},
        {66, 1, 2.5, 0.333306},
        {66, 2, 2.5, 129.287332},
        {66, 3, 2.5, 0.048341925},
        {66, 4, 2.5, 0.19},
        {66, 5, 2.5, 18.7515425},
        {66, 6, 2.5, 0.0246730817},
        {66, 7, 2.5, 253.3125},
        {66, 8, 2.5, 1900},
        {66, 9, 2.5, 36.7398725},
        {66, 10, 2.5, 1875.15425},
        {66, 11, 2.5, 0.00333305913},
        {66, 12, 2.5, 2.46730817},
        {66, 13, 2.5, 2.533125},
        {66, 14, 2.5, 0.172368932},
        {66, 15, 2.5, 36.259435},
        {66, 16, 20, 17.532972},
        {66, 17, -10, 2.07412465},
        {66, 18, 2.5, 19.8142},
        {66, 19, 2.5, 2.4673025},
        {66, 20, 2.5, 2.642325},
        {66, 21, 2.5, 0.32894725},
    };
    for (const Case& c : cases) {
        const float got = convertUnits(c.category, c.item, c.input);
        EXPECT_NEAR(got, c.expected, std::fabs(c.expected) * 2e-7 + 1e-30)
            << "category " << c.category << " item " << c.item;
    }
    // Every listed item of every category is in the table once.
    EXPECT_EQ(unitConversions(63).size(), 14u);
    EXPECT_EQ(unitConversions(64).size(), 25u);
    EXPECT_EQ(unitConversions(65).size(), 18u);
    EXPECT_EQ(unitConversions(66).size(), 21u);
}

TEST(UnitConversions, KnownAnswersAndTheirFormatting) {
    EXPECT_EQ(ConversionsCALCULATIONS(63, 1, 1).resultText, " 0.23889154");
    EXPECT_EQ(ConversionsCALCULATIONS(66, 16, 20).resultText, " 17.533");
    EXPECT_EQ(ConversionsCALCULATIONS(66, 17, 20).resultText, " 17.2708");
    EXPECT_EQ(ConversionsCALCULATIONS(65, 18, 90).resultText, " 956.2");
    EXPECT_EQ(ConversionsCALCULATIONS(65, 18, 0).resultText, " 0");
    EXPECT_EQ(ConversionsCALCULATIONS(65, 18, -5).resultText, " 0");  // below the horizon
    EXPECT_EQ(ConversionsCALCULATIONS(64, 21, 7).resultText, " 0");   // no conversion
    EXPECT_EQ(ConversionsCALCULATIONS(64, 99, 7).resultText, " 0");
    // Below 0 °C the vapour pressure is over ice: a different formula, not the polynomial.
    EXPECT_NEAR(saturationVapourPressure(-10.0f), 1.89014f, 1e-4f);
    EXPECT_NEAR(saturationVapourPressure(0.0f), 4.4493f, 1e-3f);
    EXPECT_NEAR(saturationVapourPressure(0.001f), 4.8847f, 1e-3f);
}

TEST(UnitConversions, CategoriesOutsideTheRangeAreServedAsPressure) {
    EXPECT_EQ(unitCategoryTitle(12), "Pressure, Water Vapor Density");
    EXPECT_EQ(ConversionsCALCULATIONS(70, 1, 10).from, "Torr");
    EXPECT_EQ(ConversionsCALCULATIONS(63, 16, 10).from, "");  // 63 has no item 16
    EXPECT_EQ(ConversionsCALCULATIONS(65, 16, 1).note,
              "\xE2\x80\xA2 STP = 0 \xC2\xB0"
              "C, 760 torr (1.0 atmospheres)");
}

TEST(UnitConverterWindow, SwapPutsTheResultIntoTheInputForTheReverseItem) {
    UnitConverterWindow w;
    EXPECT_EQ(w.result(), ".23889");  // the first text, before any computation
    EXPECT_EQ(w.fromUnit(), "joules");
    w.input = "10";
    w.compute();
    EXPECT_EQ(w.result(), "2.38892");
    w.swapResults();
    EXPECT_EQ(w.input, "2.38892");
    EXPECT_EQ(w.result(), "(swapped)");
    w.swapResults();  // a second swap has no number to move
    EXPECT_EQ(w.input, "2.38892");
    w.chooseItem(2);
    EXPECT_EQ(w.result(), "10");
    EXPECT_EQ(w.toUnit(), "joules");
}

TEST(UnitConverterWindow, ACategoryComputesItsFirstItem) {
    UnitConverterWindow w;
    w.input = "2";
    w.chooseCategory(66);
    EXPECT_EQ(w.item(), 1);
    EXPECT_EQ(w.fromUnit(), "Torr");
    EXPECT_EQ(w.result(), "0.2666448");
    w.chooseCategory(3);  // out of range: served as 66
    EXPECT_EQ(w.category(), 66);
}

}  // namespace
}  // namespace trindel
