#include "platform/system_clock.h"

#include <gtest/gtest.h>

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
    const double before = clock.GetCurrentTimeInSeconds();
    clock.delayMilliseconds(10);
    EXPECT_GE(clock.GetCurrentTimeInSeconds() - before, 0.010 - 1e-6);
}

TEST(SystemClock, PendingEventEndsTheWait) {
    std::atomic<bool> pending{true};
    SystemClock clock(&pending);
    const double start = clock.GetCurrentTimeInSeconds();
    EXPECT_TRUE(clock.waitUntil(start + 60.0));
    EXPECT_LT(clock.GetCurrentTimeInSeconds(), start + 1.0);
}

}  // namespace
}  // namespace trindel
