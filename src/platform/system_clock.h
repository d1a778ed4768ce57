// The machine's clock on CLOCK_MONOTONIC. waitUntil sleeps to an absolute deadline with
// clock_nanosleep (timer slack lowered), waking early when the pending-event flag is raised or,
// when an input descriptor is given, when input arrives (polled until 2 ms before the deadline).
// waitUntilSpinning sleeps the same way to shortly before the deadline and spins the rest; how
// shortly is learnt from how late its sleeps wake (SpinMargin), up to the longest spin asked for.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/clock.h"
#include "platform/spin_margin.h"

namespace trindel {

class SystemClock final : public Clock {
  public:
    // `eventPending`, when given, is polled while waiting (e.g. a flag a signal handler raises).
    explicit SystemClock(const std::atomic<bool>* eventPending = nullptr);

    double GetCurrentTimeInSeconds() override;
    int32_t TickCount() override;
    void delayMilliseconds(int milliseconds) override;
    bool waitUntil(double deadline) override;
    bool waitUntilSpinning(double deadline, double spinSeconds) override;

    void setEventFlag(const std::atomic<bool>* eventPending) { eventPending_ = eventPending; }
    // A descriptor whose input counts as a pending event (e.g. a terminal's keys); -1 for none.
    void setEventDescriptor(int fd) { eventFd_ = fd; }
    // With learning off, waitUntilSpinning always spins the whole time asked for (for comparing).
    void setSpinLearning(bool on) { spinMargin_ = SpinMargin(on); }

  private:
    bool eventRaised() const {
        return eventPending_ != nullptr && eventPending_->load(std::memory_order_relaxed);
    }

    const std::atomic<bool>* eventPending_;
    int eventFd_ = -1;
    double origin_;
    SpinMargin spinMargin_;
};

}  // namespace trindel
