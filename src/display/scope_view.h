// The scope view: pixels per scope sample, which samples are drawn (ScopeViewSTEP), the scope's
// time ticks (COMPUTESCOPETICS), the scope band's rows and the sweep information line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/program.h"

namespace trindel {

// The choices of "Data Display for Oscilloscope": label and ScopeViewSTEP.
struct ScopeViewChoice {
    std::string_view label;
    int16_t step;
};
const std::array<ScopeViewChoice, 10>& scopeViewChoices();
// True for 1, 2, 3, 4, 5, 10, 12, 15, 20 and 30.
bool validScopeViewStep(int step);

// The scope's tick spacing for a sweep of `scopeMax` samples at `scopeinterval` seconds on a
// window `width` pixels wide, `xFactor` pixels per sample.
struct ScopeTics {
    float span = 0.0f;         // sweep length scaled into (1, 10]
    float scopeticgap = 0.0f;  // pixels between ticks, at most half the width
    double tickSeconds = 0.0;  // sweep time per tick
};
ScopeTics COMPUTESCOPETICS(int32_t scopeMax, double scopeinterval, double ScopeINTERVALinSECONDS,
                           int width, double xFactor);

// "Data Display for Oscilloscope": the choice of samples drawn and the custom tick.
class ScopeViewModel {
  public:
    explicit ScopeViewModel(const Program& p);
    void chooseStep(int16_t step);
    void useDefaultTic() { custom_ = 0.0; }
    // A tick typed in seconds (or minutes when the sweep is longer than 600 s); a value that is
    // not a positive number is refused and the previous choice kept.
    bool useCustomTic(std::string_view text);
    bool minutes() const { return sweepSeconds_ > 600.0; }
    int16_t step() const { return step_; }
    double customTic() const { return custom_; }
    // Random points of the test plot: 200 x ScopeMax / (W x step).
    int32_t testPoints() const;
    // "Selection OK": scopeXfactor, ScopeViewSTEP and CustomScopeTic into the program.
    void apply(Program& p) const;

  private:
    int32_t scopeMax_;
    int width_;
    double sweepSeconds_;
    double defaultTick_;
    int16_t step_;
    double custom_;
};

// Rows of the scope band from channel 1's band (elements 8 and 9) and the scope gain.
void setScopeGeometry(Program& p);
// The row of a voltage on the scope band (kept between row 35 and scminPix): by channel 1's
// display range for the UI2, DT800 and ADAM (devices 1, 4, 5), else about the 0-V row.
float scopeRow(const Program& p, float volts);

// The sweep information line: "hit 'TAB' to save", the sweep length and the width.
std::vector<std::string> scopeInfoLine(const Program& p, int windowWidth);

// The ordinal ending of n: "st", "nd", "rd" or "th".
std::string_view ordinalSuffix(int n);

}  // namespace trindel
