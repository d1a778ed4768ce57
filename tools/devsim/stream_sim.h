// A simulated streaming serial instrument: one line of comma-separated values at a chosen rate,
// with or without a "!!!:name:" tag, whether or not anybody listens.
#pragma once

#include <string>

#include "byte_device.h"
#include "sim_values.h"

namespace devsim {

class StreamSim final : public ByteDevice {
  public:
    // `rate` lines a second, `fields` values a line (field k takes the --value rule of k).
    StreamSim(InputValues& values, double rate, std::string tag, int fields, double start);

    std::string receive(unsigned char) override { return {}; }
    bool lastWasReading() const override { return false; }
    double nextUnpromptedAt() const override { return nextLineAt_; }
    std::string unprompted() override;
    bool unpromptedIsReading() const override { return true; }

  private:
    InputValues& values_;
    double period_;
    std::string tag_;
    int fields_;
    double nextLineAt_;
};

}  // namespace devsim
