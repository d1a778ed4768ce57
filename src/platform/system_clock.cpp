#include "platform/system_clock.h"

#include <poll.h>
#include <sys/prctl.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace trindel {

namespace {

double monotonicSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

timespec toTimespec(double seconds) {
    timespec ts{};
    double whole = 0.0;
    const double fraction = std::modf(seconds, &whole);
    ts.tv_sec = static_cast<time_t>(whole);
    ts.tv_nsec = static_cast<long>(fraction * 1e9);
    if (ts.tv_nsec >= 1000000000L) {
        ++ts.tv_sec;
        ts.tv_nsec -= 1000000000L;
    }
    return ts;
}

// Sleeps until an absolute monotonic time; returns at once when it has passed. A signal ends the
// sleep early when `flag` is raised (its handler interrupts the sleep).
void sleepUntilAbsolute(double monotonicDeadline, const std::atomic<bool>* flag = nullptr) {
    const timespec ts = toTimespec(monotonicDeadline);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        if (flag != nullptr && flag->load(std::memory_order_relaxed)) {
            return;
        }
    }
}

// A flag raised just before a sleep begins is seen at the latest after this long.
constexpr double kEventCheckPeriod = 0.25;
// Input is waited for until this long before a deadline.
constexpr double kPollMargin = 0.002;

}  // namespace

SystemClock::SystemClock(const std::atomic<bool>* eventPending)
    : eventPending_(eventPending), origin_(monotonicSeconds()) {
    // 1 µs timer slack instead of the default 50 µs, so absolute sleeps end on time.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
}

double SystemClock::GetCurrentTimeInSeconds() {
    // Microsecond resolution, as the scan schedule expects.
    return std::floor((monotonicSeconds() - origin_) * 1e6) * 1e-6;
}

int32_t SystemClock::TickCount() {
    return static_cast<int32_t>((monotonicSeconds() - origin_) * 60.0);
}

void SystemClock::delayMilliseconds(int milliseconds) {
    sleepUntilAbsolute(monotonicSeconds() + milliseconds / 1000.0);
}

bool SystemClock::waitUntil(double deadline) {
    const double target = origin_ + deadline;
    while (true) {
        if (eventPending_ != nullptr && eventPending_->load(std::memory_order_relaxed)) {
            return true;
        }
        const double now = monotonicSeconds();
        if (now >= target) {
            return false;
        }
        if (eventFd_ >= 0 && target - now > kPollMargin) {
            // Wait for input until shortly before the deadline; the rest is one precise sleep.
            pollfd pfd{eventFd_, POLLIN, 0};
            const double wait = std::min(target - now - kPollMargin, kEventCheckPeriod);
            const timespec ts = toTimespec(wait);
            if (ppoll(&pfd, 1, &ts, nullptr) > 0 && (pfd.revents & (POLLIN | POLLHUP)) != 0) {
                return true;
            }
            continue;
        }
        if (eventPending_ != nullptr && target - now > kEventCheckPeriod) {
            sleepUntilAbsolute(now + kEventCheckPeriod, eventPending_);
        } else {
            sleepUntilAbsolute(target, eventPending_);
            return eventPending_ != nullptr && eventPending_->load(std::memory_order_relaxed);
        }
    }
}

bool SystemClock::waitUntilSpinning(double deadline, double spinSeconds) {
    return sleepThenSpin(*this, spinMargin_, deadline, spinSeconds,
                         [this] { return eventRaised(); });
}

}  // namespace trindel
