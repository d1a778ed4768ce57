#include "platform/system_clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trindel {
namespace {

TEST(SystemClock, WaitsUntilTheDeadlineAndNotBefore) {
    SystemClock clock;
    const double start = clock.GetCurrentTimeInSeconds();
    EXPECT_FALSE(clock.waitUntil(start + 0.02));
    EXPECT_GE(clock.GetCurrentTimeInSeconds(), start + 0.02);
    // A deadline in the past returns at once.
    EXPECT_FALSE(clock.waitUntil(start));
    EXPECT_NEAR(clock.TickCount() / 60.0, clock.GetCurrentTimeInSeconds(), 1.0 / 60.0 + 1e-3);
}

TEST(SystemClock, PendingEventEndsTheWait) {
    std::atomic<bool> pending{true};
    SystemClock clock(&pending);
    const double start = clock.GetCurrentTimeInSeconds();
    EXPECT_TRUE(clock.waitUntil(start + 60.0));
    EXPECT_LT(clock.GetCurrentTimeInSeconds(), start + 1.0);
}

TEST(SystemClock, DelayAndMicrosecondResolution) {
    SystemClock clock;
    const double start = clock.GetCurrentTimeInSeconds();
    clock.delayMilliseconds(10);
    const double now = clock.GetCurrentTimeInSeconds();
    EXPECT_GE(now - start, 0.010 - 1e-6);
    EXPECT_NEAR(now * 1e6, std::round(now * 1e6), 1e-3);
}

}  // namespace
}  // namespace trindel
