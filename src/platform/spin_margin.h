// How long before a due time a sleep should end so that the rest of the wait can be a short spin:
// a running estimate of how late this machine's sleeps wake (their 95th percentile) plus a guard.
// When sleeps wake later than the longest spin allowed (a busy machine), spinning cannot make up
// for them and only costs CPU time and the scheduler's favour, so the wait goes back to sleeping.
// sleepThenSpin is that wait, for every clock that really sleeps.
#pragma once

#include <algorithm>

#include "platform/clock.h"

namespace trindel {

class SpinMargin {
  public:
    // Without learning the margin is always the longest spin allowed (for comparing).
    explicit SpinMargin(bool learning = true) : learning_(learning) {}

    // Seconds to spin before a due time, at most `longest`; 0 when the wait should only sleep.
    double margin(double longest) const {
        if (!learning_) {
            return longest;
        }
        const double m = estimate_ + kGuard;
        return m <= longest ? m : 0.0;
    }
    // Learns from one sleep that woke `seconds` after the time it asked for.
    void wokeLate(double seconds) {
        // A stochastic quantile estimate: up by 0.95 of a step when exceeded, down by 0.05
        // otherwise, so it settles where 5 % of wake-ups are later.
        estimate_ = seconds > estimate_ ? estimate_ + kStep * 0.95
                                        : std::max(0.0, estimate_ - kStep * 0.05);
    }
    double estimate() const { return estimate_; }

  private:
    static constexpr double kGuard = 10e-6;
    static constexpr double kStep = 20e-6;
    bool learning_;
    double estimate_ = 100e-6;
};

// Tells the core it is in a spin loop (saves power and lets a sibling hyper-thread run).
inline void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

// Sleeps with clock.waitUntil to `margin`'s time before `deadline` (learning how late it woke),
// then reads the clock until the deadline. Returns true as soon as `eventRaised()` is (the sleep's
// own check included).
template <class EventRaised>
bool sleepThenSpin(Clock& clock, SpinMargin& margin, double deadline, double longest,
                   EventRaised eventRaised) {
    const double wakeAt = deadline - margin.margin(longest);
    const bool sleeps = clock.GetCurrentTimeInSeconds() < wakeAt;
    if (clock.waitUntil(wakeAt)) {
        return true;
    }
    if (sleeps) {
        margin.wokeLate(clock.GetCurrentTimeInSeconds() - wakeAt);
    }
    while (clock.GetCurrentTimeInSeconds() < deadline) {
        if (eventRaised()) {
            return true;
        }
        cpuRelax();
    }
    return false;
}

}  // namespace trindel
