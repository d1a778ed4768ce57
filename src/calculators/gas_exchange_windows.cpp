#include "calculators/gas_exchange_windows.h"

#include <cmath>

#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {

namespace {

void play(const Program& p, Sounds& sounds, const char* name) {
    if (soundsOn(p.menus)) {
        sounds.play(name);
    }
}

std::string picture(double value, const char* pic) {
    return trimLeft(pictureText(value, pic));
}

}  // namespace

// --- STP ---

StpWindow::StpWindow(const Program& p)
    : barometric(fieldText(p.session.BarometricPressure)),
      meterTemperature(fieldText(p.notes.flowtemp)) {
    compute();
}

StpInput StpWindow::input() const {
    StpInput in;
    in.flow = fieldValue(flow);
    in.cumulativeVolume = cumulativeVolume;
    in.volume = fieldValue(volume);
    in.seconds = fieldValue(seconds);
    in.barometric = fieldValue(barometric);
    in.internalPressure = fieldValue(internalPressure);
    in.unit = unit;
    in.meterTemperature = fieldValue(meterTemperature);
    in.calibrationTemperature = fieldValue(calibrationTemperature);
    in.slpm = slpm;
    return in;
}

void StpWindow::compute() {
    const CalcResult r = STPcalc(input());
    averageShown_ = false;
    shownValid_ = r.ok();
    shown_ = r.value;
    result_ = {resultText(r, readoutText), r.reason};
}

double StpWindow::shownSccm() const {
    return slpm ? shown_ * 1000.0 : shown_;
}

void StpWindow::addToSum(Program& p) {
    if (!shownValid_) {
        return;
    }
    p.calculators.stpSum += shownSccm();
    ++p.calculators.stpCount;
}

void StpWindow::toggleAverage(const Program& p) {
    if (averageShown_) {
        compute();
        return;
    }
    if (!shownValid_) {
        return;
    }
    // With nothing added the shown flow stands for the sum, taken in SCCM like the sum so that
    // the unit conversion below is made once.
    const double sum = p.calculators.stpSum == 0.0 ? shownSccm() : p.calculators.stpSum;
    const int count = p.calculators.stpCount == 0 ? 1 : p.calculators.stpCount;
    double average = sum / count;
    if (slpm) {
        average *= 0.001;
    }
    shown_ = average;
    averageShown_ = true;
    result_ = {readoutText(average), {}};
}

void StpWindow::store(Program& p) const {
    if (!shownValid_) {
        return;
    }
    p.session.flowrate = static_cast<float>(shownSccm());
    p.session.BarometricPressure = 760.0f;
    p.notes.flowtemp = 0.0f;
}

const char* StpWindow::helpText() {
    return "Corrects a flowmeter reading to standard temperature and pressure (0 \xC2\xB0"
           "C, 760 "
           "torr).\n\nSTP flow = F \xC3\x97 P / 760 \xC3\x97 (calibration temperature + 273) / "
           "(meter temperature + 273), where F is the indicated flow (or the cumulative volume "
           "\xC3\x97 60 / elapsed seconds) and P the barometric pressure plus the meter's internal "
           "pressure in torr (1 PSI = 51.7007 torr, 1 kPa = 7.5002 torr, 1 mm H2O = 0.076 torr). "
           "SLPM = SCCM \xC3\x97 0.001.\n\n\"Add to \xE2\x88\x91\" adds the shown flow to a "
           "running "
           "sum, \"show Average\" shows its mean, \"Store\" keeps the flow as the recording's flow "
           "rate at STP.";
}

// --- Altitude and pressure ---

AltitudeWindow::AltitudeWindow(const Program& p)
    : pressure(fieldText(p.session.BarometricPressure)) {}

void AltitudeWindow::altitudeFromPressureField() {
    const CalcResult r = ALTfromBP(fieldValue(pressure), kPa, feet);
    reason = r.reason;
    altitude = r.ok() ? picture(r.value, pressurePicture(kPa)) : kNoResultText;
}

void AltitudeWindow::computeAltitude(Sounds& sounds, const Program& p) {
    altitudeFromPressureField();
    play(p, sounds, "upVip");
}

void AltitudeWindow::computePressure(Sounds& sounds, const Program& p) {
    reason.clear();
    pressure = picture(pressureFromAltitude(fieldValue(altitude), feet, kPa), pressurePicture(kPa));
    play(p, sounds, "upVip");
}

void AltitudeWindow::setKPa(bool on) {
    if (on == kPa) {
        return;
    }
    kPa = on;
    const double v = fieldValue(pressure);
    pressure = picture(on ? v / kTorrPerKPa : v * kTorrPerKPa, pressurePicture(on));
}

void AltitudeWindow::setFeet(bool on) {
    feet = on;
    altitudeFromPressureField();
}

void AltitudeWindow::storePressure(Program& p, Sounds& sounds) const {
    const double v = fieldValue(pressure);
    p.session.BarometricPressure = static_cast<float>(kPa ? v * kTorrPerKPa : v);
    play(p, sounds, "wsst");
}

const char* AltitudeWindow::helpText() {
    return "Relates altitude to mean barometric pressure (not corrected for weather).\n\n"
           "altitude = 52635.35 \xE2\x88\x92 18271 \xC3\x97 log10(p) metres, p in torr;\n"
           "p = 760 \xC3\x97 e^(\xE2\x88\x92"
           "0.00012603 \xC3\x97 h) torr, h in metres.\n"
           "1 kPa = 7.50062 torr, 1 m = 3.278 ft. These fits differ from the ICAO standard "
           "atmosphere by up to about 0.6 %.";
}

// --- Altitude simulation ---

void AltitudeSimulationWindow::computeFromAltitude() {
    const double ps = pressureFromAltitude(fieldValue(simulatedAltitude), false, false);
    const double pm = pressureFromAltitude(fieldValue(measuredAltitude), false, false);
    simulatedPressure = picture(ps, "####.#");
    measuredPressure = picture(pm, "####.#");
    const CalcResult r = simulatedConcentration(fieldValue(concentration), ps, pm);
    reason = r.reason;
    result = r.ok() ? picture(r.value, "###.##") : kNoResultText;
}

void AltitudeSimulationWindow::computeFromPressure() {
    const CalcResult r = simulatedConcentration(
        fieldValue(concentration), fieldValue(simulatedPressure), fieldValue(measuredPressure));
    reason = r.reason;
    result = r.ok() ? picture(r.value, "###.##") : kNoResultText;
}

const char* AltitudeSimulationWindow::helpText() {
    return "Finds the gas concentration that, at the measurement altitude, gives the partial "
           "pressure the concentration has at the simulated altitude.\n\n"
           "P = 760 \xC3\x97 e^(\xE2\x88\x92"
           "0.00012603 \xC3\x97 h) torr for each altitude h in "
           "metres; mixture = C \xC3\x97 Ps / Pm.";
}

// --- pO2 ---

Po2Window::Po2Window(const Program& p) : pressure(fieldText(p.session.BarometricPressure)) {
    compute();
}

void Po2Window::compute() {
    const double ph2o = VaporPressureCALC(fieldValue(temperature), fieldValue(saturation), kPa);
    const double po = FigurePO2(fieldValue(pressure), ph2o, fieldValue(oxygen), kPa);
    if (!std::isfinite(ph2o) || !std::isfinite(po)) {
        vapourPressure = po2 = kNoResultText;
        reason = "The temperature is too far out of range.";
        return;
    }
    reason.clear();
    vapourPressure = vapourPressureText(ph2o);
    po2 = readoutText(po);
}

void Po2Window::setKPa(bool on) {
    if (on != kPa) {
        const double v = fieldValue(pressure);
        pressure = plainDecimalText(on ? v * 101.325 / 760.0 : v * 760.0 / 101.325);
        kPa = on;
    }
    compute();
}

const char* Po2Window::helpText() {
    return "Oxygen partial pressure of humid gas.\n\n"
           "Saturated water-vapour density K (mg/ml) from a fifth-order polynomial in T "
           "(separate fits above and at or below 4 \xC2\xB0"
           "C); PH2O = K \xC3\x97 7.50062 "
           "\xC3\x97 0.4673615 \xC3\x97 (T + 273.15) \xC3\x97 saturation% / 100 torr, within about "
           "1\xE2\x80\x93"
           "3 % of the Buck equation.\n"
           "pO2 = (P \xE2\x88\x92 PH2O) \xC3\x97 O2% / 100.";
}

}  // namespace trindel
