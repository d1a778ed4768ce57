#include "platform/system_clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace trindel {
namespace {

// The plain wait and the wait that spins its last 0.2 ms keep the same rules.
bool waitFor(SystemClock& clock, double deadline, bool spinning) {
    return spinning ? clock.waitUntilSpinning(deadline, 0.0002) : clock.waitUntil(deadline);
}

TEST(SystemClock, WaitsUntilTheDeadlineAndNotBefore) {
    for (bool spinning : {false, true}) {
        SystemClock clock;
        const double start = clock.GetCurrentTimeInSeconds();
        EXPECT_FALSE(waitFor(clock, start + 0.02, spinning));
        EXPECT_GE(clock.GetCurrentTimeInSeconds(), start + 0.02) << spinning;
        // A deadline in the past returns at once.
        EXPECT_FALSE(waitFor(clock, start, spinning));
        // A deadline closer than the spin is spun to, never slept past early.
        const double soon = clock.GetCurrentTimeInSeconds() + 0.0001;
        EXPECT_FALSE(waitFor(clock, soon, spinning));
        EXPECT_GE(clock.GetCurrentTimeInSeconds(), soon) << spinning;
    }
    SystemClock clock;
    EXPECT_NEAR(clock.TickCount() / 60.0, clock.GetCurrentTimeInSeconds(), 1.0 / 60.0 + 1e-3);
    const double before = clock.GetCurrentTimeInSeconds();
    clock.delayMilliseconds(10);
    EXPECT_GE(clock.GetCurrentTimeInSeconds() - before, 0.010 - 1e-6);
}

TEST(SystemClock, PendingEventEndsTheWait) {
    for (bool spinning : {false, true}) {
        std::atomic<bool> pending{true};
        SystemClock clock(&pending);
        const double start = clock.GetCurrentTimeInSeconds();
        EXPECT_TRUE(waitFor(clock, start + 60.0, spinning));
        EXPECT_LT(clock.GetCurrentTimeInSeconds(), start + 1.0);
    }
}

TEST(SystemClock, EventRaisedDuringTheSpinEndsIt) {
    std::atomic<bool> pending{false};
    SystemClock clock(&pending);
    clock.setSpinLearning(false);
    const double start = clock.GetCurrentTimeInSeconds();
    // The whole wait is a spin; another thread raises the flag part way through.
    std::thread raiser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        pending.store(true);
    });
    EXPECT_TRUE(clock.waitUntilSpinning(start + 30.0, 30.0));
    raiser.join();
    EXPECT_LT(clock.GetCurrentTimeInSeconds(), start + 10.0);
}

}  // namespace
}  // namespace trindel
