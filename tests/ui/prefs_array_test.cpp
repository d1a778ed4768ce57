#include "ui/prefs_array.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(PrefsArray, DefaultsOfFlagsOtherPartsRelyOn) {
    PrefsArray p;
    p.setDefaults(1920, 1080);
    EXPECT_EQ(p[3], 1);
    EXPECT_EQ(p[13], 2);
    EXPECT_EQ(p[18], 1);
    EXPECT_EQ(p[19], 100);
    EXPECT_EQ(p[28], 1);
    EXPECT_EQ(p[31], 1);
    EXPECT_EQ(p[35], 2);
    EXPECT_EQ(p[39], 1);
    EXPECT_EQ(p[41], 0);
    EXPECT_EQ(p[48], 1);
    EXPECT_EQ(p[50], 0);
    EXPECT_EQ(p[51], 1);
    EXPECT_EQ(p[53], 0);
    EXPECT_EQ(p[16] + p[17], 0);  // binary format by default
}

TEST(PrefsArray, ToggleTurnsAnyNonZeroIntoZero) {
    PrefsArray p;
    p[42] = 0;
    p.TogglePrefs(42);
    EXPECT_EQ(p[42], 1);
    p.TogglePrefs(42);
    EXPECT_EQ(p[42], 0);
    p[35] = 2;
    p.TogglePrefs(35);
    EXPECT_EQ(p[35], 0);
}

TEST(PrefsArray, OutOfRangeIndexIsRefused) {
    PrefsArray p;
    EXPECT_THROW(p[64], std::out_of_range);
    EXPECT_THROW(p.TogglePrefs(-1), std::out_of_range);
}

}  // namespace
}  // namespace trindel
