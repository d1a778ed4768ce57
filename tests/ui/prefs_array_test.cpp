#include "state/prefs_array.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(PrefsArray, DefaultsOfFlagsOtherPartsRelyOn) {
    PrefsArray p;
    p.setDefaults(1920, 1080);
    EXPECT_EQ(p[19], 100);
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
