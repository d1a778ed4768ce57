#include "signal/slope_indicator.h"

#include <gtest/gtest.h>

#include <string>

namespace trindel {
namespace {

// The rule written out: sums of N + 1 stored values ending one sample apart.
std::string bySums(const SampleStore& store, int channel, int32_t sample, int n) {
    double earlier = 0.0, later = 0.0;
    for (int i = 0; i <= n; ++i) {
        earlier += store.get(channel, sample - 1 - i);
        later += store.get(channel, sample - i);
    }
    return earlier > later ? " -" : " + ";
}

TEST(SlopeIndicator, AgreesWithTheSumsOverAWigglySeries) {
    SampleStore store;
    for (int s = 0; s < 60; ++s) {
        store.set(2, s, static_cast<float>((s * 37) % 11) - static_cast<float>(s % 4));
    }
    for (int n : {0, 1, 3, 7}) {
        for (int32_t s = n + 2; s < 60; ++s) {
            EXPECT_EQ(slopeSuffix(store, 2, s, n), bySums(store, 2, s, n)) << n << " " << s;
        }
    }
}

TEST(SlopeIndicator, FirstShownAtSampleNPlusTwo) {
    SampleStore store;
    for (int s = 0; s < 10; ++s) {
        store.set(1, s, static_cast<float>(10 - s));
    }
    EXPECT_STREQ(slopeSuffix(store, 1, 4, 3), "");
    EXPECT_STREQ(slopeSuffix(store, 1, 5, 3), " -");
}

TEST(SlopeIndicator, FlatIsPlusAndBadArgumentsShowNothing) {
    SampleStore store;
    EXPECT_STREQ(slopeSuffix(store, 1, 9, 2), " + ");
    EXPECT_STREQ(slopeSuffix(store, 1, 9, -1), "");
    EXPECT_STREQ(slopeSuffix(store, 0, 9, 2), "");
    EXPECT_STREQ(slopeSuffix(store, 17, 9, 2), "");
}

TEST(SlopeIndicator, FromTheAlarmRow) {
    SampleStore store;
    store.set(3, 4, 5.0f);
    AlarmState alarm;
    alarm.alarms[3][22] = 2.0f;
    EXPECT_STREQ(slopeSuffix(alarm, store, 3, 4), "");  // indicator off
    alarm.alarms[3][21] = 1.0f;
    EXPECT_STREQ(slopeSuffix(alarm, store, 3, 4), " + ");
    store.set(3, 5, -1.0f);
    store.set(3, 2, 0.0f);
    EXPECT_STREQ(slopeSuffix(alarm, store, 3, 5), " -");
    alarm.alarms[3][22] = 1e30f;
    EXPECT_STREQ(slopeSuffix(alarm, store, 3, 5), "");
    alarm.alarms[3][22] = -1e30f;
    EXPECT_STREQ(slopeSuffix(alarm, store, 3, 5), "");
}

}  // namespace
}  // namespace trindel
