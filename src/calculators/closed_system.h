// Closed-system respirometry (gas exchanged in a sealed chamber), the oxygen content of water,
// and Q10 temperature adjustment.
#pragma once

#include <optional>

#include "calculators/calc_result.h"

namespace trindel {

struct ClosedSystemInput {
    double volume = 1000.0;     // ml
    double temperature = 20.0;  // °C
    double pressure = 760.0;    // torr
    double hours = 1.0, minutes = 22.0;
    double initialO2 = 20.95;   // %
    double initialCO2 = 0.038;  // %
    double deltaO2 = 0.5;       // % fall in O2
    double deltaCO2 = 0.5;      // % rise in CO2
    double rq = 0.85;
};

// How VO2 is corrected for the CO2 in the chamber.
enum class Co2Handling { Absorbed, UseCo2, UseRq };

struct ClosedSystemResult {
    CalcResult stpVolume;                     // dry chamber volume at STP, ml
    CalcResult vo2, vo2Rate, vco2, vco2Rate;  // ml and ml/min
};

ClosedSystemResult ClosedSystemRespCalc(const ClosedSystemInput& in, Co2Handling handling);

// The window's rules for its choices: with no CO2 change "Use [CO2]" and the absorbed box are
// greyed and "Use RQ" is in force; with no O2 change "Use RQ" is in force.
struct Co2Choices {
    bool absorbedEnabled = true;
    bool useCo2Enabled = true;
    bool useRqSelected = false;  // the radio pair shows "Use RQ"
    Co2Handling handling = Co2Handling::Absorbed;
};
Co2Choices co2Choices(double deltaO2, double deltaCO2, bool absorbedChecked, bool useRq);

// Oxygen content of air-equilibrated water, ml O2 (STP) per litre.
CalcResult O2CONTENT(double celsius, double solutesPerThousand, double factor);
// The saturation factor: saturation% × 0.01 × B.P. / 760 × gas-phase O2% / 20.95.
double oxygenSaturationFactor(double saturationPercent, double barometric, double oxygenPercent);

// The dissolved-oxygen result text: the runtime form, keeping a minus sign.
std::string dissolvedOxygenText(double value);

// adjusted = base × Q10^(Δt × 0.1), in single precision; nothing for a negative Q10.
std::optional<float> q10AdjustedValue(double q10, double baseT, double adjustedT, double base);
// Q10 = (adjusted / base)^(10 / Δt); nothing for Δt = 0; "—" when the ratio has no real power.
std::optional<CalcResult> q10FromRates(double baseT, double adjustedT, double base,
                                       double adjusted);

}  // namespace trindel
