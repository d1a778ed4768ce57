// Time as the recording loops see it: a microsecond clock, 1/60-second ticks, delays, and a wait
// that ends at a deadline or as soon as a user event arrives (loops never busy-poll).
#pragma once

#include <cstdint>

namespace trindel {

class Clock {
  public:
    virtual ~Clock() = default;
    // Microsecond clock since start-up, in seconds.
    virtual double GetCurrentTimeInSeconds() = 0;
    // Ticks of 1/60 s since start-up.
    virtual int32_t TickCount() = 0;
    virtual void delayMilliseconds(int milliseconds) = 0;
    // Waits until the clock reaches `deadline` (seconds) or a user event is pending.
    // Returns true when it returned because an event is pending.
    virtual bool waitUntil(double deadline) = 0;
    // As waitUntil, but the last `spinSeconds` before the deadline are spent reading the clock
    // rather than sleeping, so the wait ends within microseconds of the deadline (a sleep wakes
    // tens of microseconds late). For short intervals only: the spin costs CPU. Clocks whose
    // waits end exactly on time just wait.
    virtual bool waitUntilSpinning(double deadline, double spinSeconds) {
        (void)spinSeconds;
        return waitUntil(deadline);
    }
};

}  // namespace trindel
