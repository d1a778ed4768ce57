#include "platform/spin_margin.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trindel {
namespace {

constexpr double kLongest = 200e-6;

TEST(SpinMargin, SettlesNearTheLateWakeUpsAndGivesUpOnABusyMachine) {
    SpinMargin m;
    // An idle machine: sleeps wake 1 to 100 us late, evenly spread.
    for (int round = 0; round < 200; ++round) {
        for (int us = 1; us <= 100; ++us) {
            m.wokeLate(((us * 37) % 100 + 1) * 1e-6);
        }
    }
    EXPECT_GT(m.estimate(), 80e-6);
    EXPECT_LT(m.estimate(), 115e-6);
    EXPECT_GT(m.margin(kLongest), m.estimate());
    EXPECT_LE(m.margin(kLongest), kLongest);
    // A busy machine: sleeps wake a millisecond late; a spin cannot cover that.
    for (int i = 0; i < 200; ++i) {
        m.wokeLate(1e-3);
    }
    EXPECT_DOUBLE_EQ(m.margin(kLongest), 0.0);
    // Idle again: the spin comes back.
    for (int i = 0; i < 5000; ++i) {
        m.wokeLate(30e-6);
    }
    EXPECT_GT(m.margin(kLongest), 0.0);
    EXPECT_LT(m.margin(kLongest), 80e-6);
    // Without learning the whole time asked for is spun.
    EXPECT_DOUBLE_EQ(SpinMargin(false).margin(kLongest), kLongest);
}

// A clock whose sleeps wake `lateBy` late and whose time moves 1 us at every reading.
class LateClock final : public Clock {
  public:
    double lateBy = 0.0;
    double now = 0.0;
    double GetCurrentTimeInSeconds() override { return now += 1e-6; }
    int32_t TickCount() override { return static_cast<int32_t>(now * 60); }
    void delayMilliseconds(int ms) override { now += ms / 1000.0; }
    bool waitUntil(double deadline) override {
        now = std::max(now, deadline + lateBy);
        return false;
    }
};

TEST(SpinMargin, TheWaitSpinsTheLastStretchAndEndsAtAnEvent) {
    LateClock clock;
    clock.lateBy = 40e-6;
    SpinMargin m;
    for (int k = 1; k <= 400; ++k) {
        const double due = k * 0.002;
        EXPECT_FALSE(sleepThenSpin(clock, m, due, kLongest, [] { return false; }));
        // Ended on time: not before the deadline, and not a sleep's 40 us after it.
        ASSERT_GE(clock.now, due);
        ASSERT_LT(clock.now, due + 5e-6) << k;
    }
    // The margin learnt covers the 40 us the sleeps wake late, and little more.
    EXPECT_GE(m.margin(kLongest), 40e-6);
    EXPECT_LT(m.margin(kLongest), 80e-6);
    // An event raised while spinning ends the wait before the deadline.
    int checks = 0;
    EXPECT_TRUE(sleepThenSpin(clock, m, 1.0, kLongest, [&] { return ++checks == 3; }));
    EXPECT_EQ(checks, 3);
    EXPECT_LT(clock.now, 1.0);
}

}  // namespace
}  // namespace trindel
