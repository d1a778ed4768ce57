// A simulated RMS ADC-1: single command bytes, single reply bytes. A select byte (input n at
// low gain: n - 1; at high gain: n + 16) starts a conversion and is echoed; 161 answers the
// status byte (busy once after each select, then sign and high bits), 145 the low byte; a
// switching byte (64..127) is echoed.
#pragma once

#include <map>
#include <string>

#include "sim_values.h"

namespace devsim {

class Adc1Sim {
  public:
    explicit Adc1Sim(InputValues& values) : values_(values) {}

    // The reply to one byte (empty when it gets none).
    std::string handle(unsigned char byte);
    // True when the last byte completed a conversion (its low byte was sent).
    bool lastWasReading() const { return lastWasReading_; }
    // The last switching byte received (0 when none).
    int outputs() const { return outputs_; }

  private:
    InputValues& values_;
    // One input value serves a low-gain and the high-gain conversion that follows it.
    std::map<int, double> pending_;
    int magnitude_ = 0;
    bool positive_ = true;
    bool busy_ = false;
    bool lastWasReading_ = false;
    int outputs_ = 0;
};

}  // namespace devsim
