// The rules of the four gas-exchange calculator windows (STP flow, altitude and pressure,
// altitude simulation, pO2): their fields as text, what each button does, and what they store.
#pragma once

#include <string>

#include "calculators/gas_exchange.h"
#include "platform/sounds.h"
#include "state/program.h"

namespace trindel {

// "Flow System STP Converter".
class StpWindow {
  public:
    explicit StpWindow(const Program& p);

    std::string flow = "100", volume = "1000", seconds = "60";
    std::string barometric, internalPressure = "0", meterTemperature, calibrationTemperature = "0";
    bool cumulativeVolume = false;
    MeterPressureUnit unit = MeterPressureUnit::Torr;
    bool slpm = false;

    // Recomputes from the fields ("Compute", and after every change of a choice).
    void compute();
    // "Add to ∑": adds the shown flow (in SCCM) to the running sum.
    void addToSum(Program& p);
    // "show Average": shows the average of the sum; pressed again, the computed flow.
    void toggleAverage(const Program& p);
    // "Store": the shown flow becomes the recording's flow rate (ml/min) at 760 torr and 0 °C.
    void store(Program& p) const;

    const ResultField& result() const { return result_; }
    bool averageShown() const { return averageShown_; }
    static const char* helpText();

  private:
    StpInput input() const;
    double shownSccm() const;

    ResultField result_;
    double shown_ = 0.0;  // in the chosen unit
    bool shownValid_ = false;
    bool averageShown_ = false;
};

// "Altitude and Pressure".
class AltitudeWindow {
  public:
    explicit AltitudeWindow(const Program& p);

    std::string pressure, altitude = "0";
    bool kPa = false, feet = false;
    std::string reason;  // why the last computation gave "—"

    void computeAltitude(Sounds& sounds, const Program& p);  // "Compute Altitude from Pressure"
    void computePressure(Sounds& sounds, const Program& p);  // "Compute Pressure from Altitude"
    void setKPa(bool on);                                    // converts the pressure shown
    void setFeet(bool on);  // recomputes the altitude from the pressure
    void storePressure(Program& p, Sounds& sounds) const;  // "Store Pressure"
    static const char* helpText();

  private:
    void altitudeFromPressureField();
};

// "Altitude Simulation Calculator".
class AltitudeSimulationWindow {
  public:
    std::string concentration = "20.95", simulatedAltitude = "100", simulatedPressure = "750.5",
                measuredAltitude = "100", measuredPressure = "750.5", result = "20.95";
    std::string reason;

    void computeFromAltitude();
    void computeFromPressure();
    static const char* helpText();
};

// "Oxygen Partial Pressure".
class Po2Window {
  public:
    explicit Po2Window(const Program& p);

    std::string pressure, temperature = "37", saturation = "100", oxygen = "20.95";
    std::string vapourPressure, po2;
    bool kPa = false;
    std::string reason;

    void compute();        // "Compute pO2", and on opening
    void setKPa(bool on);  // converts the pressure shown, then computes
    static const char* helpText();
};

}  // namespace trindel
