// The machine's clock on CLOCK_MONOTONIC. waitUntil sleeps to an absolute deadline with
// clock_nanosleep (timer slack lowered), waking early when the pending-event flag is raised.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/clock.h"

namespace trindel {

class SystemClock final : public Clock {
  public:
    // `eventPending`, when given, is polled while waiting (e.g. a flag a signal handler raises).
    explicit SystemClock(const std::atomic<bool>* eventPending = nullptr);

    double GetCurrentTimeInSeconds() override;
    int32_t TickCount() override;
    void delayMilliseconds(int milliseconds) override;
    bool waitUntil(double deadline) override;

    void setEventFlag(const std::atomic<bool>* eventPending) { eventPending_ = eventPending; }

  private:
    const std::atomic<bool>* eventPending_;
    double origin_;
};

}  // namespace trindel
