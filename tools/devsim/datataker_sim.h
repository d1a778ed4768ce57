// A simulated dataTaker DT500, DT50 or DT800: answers each command line the way the logger
// does (echo, units and channel names on at power-up; readings in millivolts, degrees C, ohms
// or counts; firmware, self-test replies; a defined burst sent on "X" as 12-character
// readings). Line ends are CR LF.
#pragma once

#include <map>
#include <string>

#include "sim_values.h"

namespace devsim {

enum class Model { DT500, DT50, DT800 };

class DataTakerSim {
  public:
    DataTakerSim(Model model, InputValues& values) : model_(model), values_(values) {}

    // The bytes the logger sends back for one command line (its CR removed); may be empty.
    std::string handle(const std::string& line);
    // True when the last handled line was a channel reading (burst excluded).
    bool lastWasReading() const { return lastWasReading_; }
    // The host-port speed the logger was told to use ("PH="), 0 when never told.
    long hostSpeed() const { return hostSpeed_; }
    // After "X": the burst's readings were the reply, due once the burst has run for this many
    // seconds (reading count / rate); they go out at the line's speed. Negative otherwise.
    double lastBurstSeconds() const { return lastBurstSeconds_; }

  private:
    std::string reading(const std::string& spec);
    std::string powerUp();
    std::string line(const std::string& text) const { return text + "\r\n"; }

    Model model_;
    InputValues& values_;
    bool echo_ = true, units_ = true, names_ = true;
    bool lastWasReading_ = false;
    long hostSpeed_ = 0;
    long burstCount_ = 0;  // the burst defined by RX;BURST(count,rate) input VNC
    long burstRate_ = 0;
    int burstInput_ = 0;
    double lastBurstSeconds_ = -1.0;
    std::map<int, long> counterStart_;
    std::map<int, long> counterReads_;
};

// Formats a value as the logger does: fixed point, three decimals.
std::string loggerNumber(double value);

}  // namespace devsim
