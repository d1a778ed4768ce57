// The values a simulated input reports: fixed, a ramp or a sine over the input's request count,
// so a test can predict every reading.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace devsim {

struct ValueRule {
    enum class Kind { Fixed, Ramp, Sine } kind = Kind::Fixed;
    double a = 0.0;  // fixed value, ramp start, sine offset
    double b = 0.0;  // ramp step, sine amplitude
    double c = 1.0;  // sine period in requests
    // The value of the n-th request (n from 0).
    double at(long n) const;
};

// "fixed:X", "ramp:START:STEP" or "sine:OFFSET:AMPLITUDE:PERIOD"; nothing when malformed.
std::optional<ValueRule> parseValueRule(const std::string& text);

// Rules per input (0 holds the rule for every input not named); per-input request counts.
class InputValues {
  public:
    void set(int input, ValueRule rule) { rules_[input] = rule; }
    // The next value of the input; `fallback` when no rule covers it.
    double next(int input, double fallback);

  private:
    std::map<int, ValueRule> rules_;
    std::map<int, long> counts_;
};

}  // namespace devsim
