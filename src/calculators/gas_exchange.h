// The open-circuit respirometry arithmetic: flow at STP, altitude and barometric pressure,
// altitude-simulation mixtures, water-vapour pressure and the pO2 of humid gas.
#pragma once

#include "calculators/calc_result.h"

namespace trindel {

inline constexpr double kTorrPerKPa = 7.50062;
inline constexpr double kKPaPerTorr = 0.13332237;
inline constexpr double kFeetPerMetre = 3.278;

// The unit of a flowmeter's internal pressure.
enum class MeterPressureUnit { Torr, Psi, KPa, MmH2O };

struct StpInput {
    double flow = 0.0;  // indicated flow, ml/min
    bool cumulativeVolume = false;
    double volume = 1000.0;         // ml, with cumulativeVolume
    double seconds = 60.0;          // elapsed time, with cumulativeVolume
    double barometric = 760.0;      // torr
    double internalPressure = 0.0;  // in `unit`
    MeterPressureUnit unit = MeterPressureUnit::Torr;
    double meterTemperature = 0.0;        // °C
    double calibrationTemperature = 0.0;  // °C
    bool slpm = false;                    // result in standard litres per minute, else SCCM
};

// Torr per unit of the meter's internal pressure.
double meterPressureFactor(MeterPressureUnit unit);

// STP flow = F × P / 760 × (calibration T + 273) / (meter T + 273), × 0.001 for SLPM.
CalcResult STPcalc(const StpInput& in);

// Altitude in metres (or feet) from a pressure in torr (or kPa): 52635.35 − 18271 × log10(p);
// standard sea-level pressure gives exactly 0.
CalcResult ALTfromBP(double pressure, bool kPa, bool feet);

// Mean barometric pressure at an altitude: 760 × e^(−0.00012603 × h) torr (or in kPa); an
// altitude of 0 gives exactly 760 torr or 101.325 kPa.
double pressureFromAltitude(double altitude, bool feet, bool kPa);

// The pictures the altitude window shows: "#####.#" for torr and metres/feet after a torr entry,
// "####.###" for kPa and for an altitude computed from kPa.
const char* pressurePicture(bool kPa);

// Concentration that simulates `concentration` at pressure `simulated` when measuring at
// pressure `measured`: C × Ps / Pm.
CalcResult simulatedConcentration(double concentration, double simulated, double measured);

// Saturated water-vapour density in mg/ml at `celsius`, single precision, two fits split at 4 °C.
float waterVapourDensity(float celsius);

// Water-vapour pressure at `celsius` and `saturationPercent`, in torr (or kPa); never below 0.
double VaporPressureCALC(double celsius, double saturationPercent, bool kPa);

// The vapour pressure as the pO2 window shows it: plain decimal text cut to 7 characters.
std::string vapourPressureText(double value);

// Ambient pO2 = (P − PH2O) × O2% × 0.01, pressures and result in torr (or all in kPa).
double FigurePO2(double pressure, double vapourPressure, double oxygenPercent, bool kPa);

}  // namespace trindel
