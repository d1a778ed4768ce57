// The ADC-1 input selection of one chart channel as a model: inputs 1 to 16 marked in use or
// available, and the gain buttons ("Automatic Gain", "Fixed LOW Gain", "Fixed HIGH Gain").
#pragma once

#include <array>
#include <string>

#include "state/program.h"

namespace trindel {

class Adc1InputModel {
  public:
    Adc1InputModel(const Program& p, int channel);
    std::string title() const;
    static const char* heading() { return "ADC-1 signal connections"; }
    static constexpr int inputs() { return 16; }
    std::string inputText(int input) const { return "Input " + std::to_string(input); }
    // " in use" when another chart channel has the input, else " available".
    std::string useText(int input) const;
    static std::array<const char*, 3> gainTexts();
    int selected() const { return selected_; }
    void select(int input);
    int16_t gain() const { return gain_; }
    // 1 automatic, 2 fixed low, 3 fixed high; other values are not taken.
    void chooseGain(int16_t g);
    // "Selection OK": the channel's input and GainSet.
    void finish(Program& p) const;

  private:
    int channel_;
    int selected_;
    int16_t gain_;
    std::array<bool, 17> inUse_{};
};

}  // namespace trindel
