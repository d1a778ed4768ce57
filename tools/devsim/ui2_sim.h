// A simulated Sable UI2: single command bytes answered with two bytes (low first), the version
// text, the instrument query, valve and analogue-output commands, and an attached instrument
// that sends its line unprompted at a chosen rate.
#pragma once

#include <string>

#include "byte_device.h"
#include "sim_values.h"

namespace devsim {

class UI2Sim final : public ByteDevice {
  public:
    // `firmware`: the version the UI2 reports; `instrumentRate`: instrument lines a second (0
    // none); `fields` the instrument's values (--field rules by field number).
    UI2Sim(InputValues& values, InputValues& fields, int firmware, double instrumentRate,
           double start);

    std::string receive(unsigned char byte) override;
    bool lastWasReading() const override { return lastWasReading_; }
    double nextUnpromptedAt() const override;
    std::string unprompted() override;

    // The two reply bytes for a value of input `input` asked with `command`.
    std::string replyFor(int command, double value) const;

  private:
    std::string instrumentLine();

    InputValues& values_;
    InputValues& fields_;
    int firmware_;
    double period_;
    double nextLineAt_;
    std::string command_;  // a multi-byte command under way ("D", "o", "m", "i")
    size_t want_ = 0;      // bytes it still needs, the CR included
    bool lastWasReading_ = false;
};

}  // namespace devsim
