// A simulated ADAM-4000 network: modules at configurable addresses and models (a 4019 at 01 and
// a 4050 at 02 by default) answering the ASCII commands: name, firmware, input range, readings,
// cold junction, digital outputs and re-addressing. Line ends are CR.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "sim_values.h"

namespace devsim {

class AdamSim {
  public:
    // `modules`: "01=4019,02=4050,03=4017"; false from parseModules when malformed.
    AdamSim(InputValues& values, double cjc) : values_(values), cjc_(cjc) {}
    bool parseModules(const std::string& text);

    // The reply to one command line (its CR removed); empty for an address nobody has.
    std::string handle(const std::string& line);
    bool lastWasReading() const { return lastWasReading_; }
    // The range code last set for a module's channel ("" when never set).
    std::string rangeOf(int address, int channel) const;

  private:
    struct Module {
        std::string model;  // "4019", "4017", "4050"
        std::map<int, std::string> ranges;
        int outputs = 0;
    };
    Module* at(int address);

    InputValues& values_;
    double cjc_;
    std::map<int, Module> modules_{{1, {"4019", {}, 0}}, {2, {"4050", {}, 0}}};
    bool lastWasReading_ = false;
};

// A reading as the module sends it in engineering units: ">+001.234", ">-012.500".
std::string adamNumber(double value);

}  // namespace devsim
