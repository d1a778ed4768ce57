// The rules of the "Closed System Respirometry", "Dissolved Oxygen Content of Water" and
// "Q10 Adjustment" windows: fields as text, choices, and the results they show.
#pragma once

#include <string>

#include "calculators/calc_result.h"
#include "calculators/closed_system.h"
#include "platform/sounds.h"
#include "state/program.h"

namespace trindel {

class ClosedSystemWindow {
  public:
    ClosedSystemWindow();

    std::string volume = "1000", temperature = "20", pressure = "760", humidity = "0", hours = "1",
                minutes = "22", initialO2 = "20.95", initialCO2 = ".038", deltaO2 = ".5",
                deltaCO2 = ".5", rq = ".85";
    bool co2Absorbed = true;
    bool useRq = false;  // the radio pair: "Use RQ", else "Use [CO2]"

    // The choices as the fields allow them (greyed controls, the forced "Use RQ").
    Co2Choices choices() const;
    void calculate();  // "Calculate", and on opening

    ResultField vo2, vo2Rate, vco2, vco2Rate;
    static const char* helpText();
};

class DissolvedOxygenWindow {
  public:
    explicit DissolvedOxygenWindow(const Program& p);

    std::string temperature, volume = "10000", barometric, oxygen = "20.95", solutes = "2",
                             saturation = "100";
    void compute();  // "O2 Content" and "Net O2 Only", and on opening

    ResultField perLitre, content;
    static const char* helpText();
};

class Q10Window {
  public:
    std::string q10 = "2.20", baseT = "37", adjustedT = "39", baseValue = "1",
                adjustedValue = "1.1708";
    std::string reason;

    // "Compute Adjusted Value": "bzot" and no change for a negative Q10.
    void computeAdjusted(Sounds& sounds, const Program& p);
    // "Compute Q10": "bzot" and no change when the two temperatures are equal.
    void computeQ10(Sounds& sounds, const Program& p);
    static const char* helpText();
};

}  // namespace trindel
