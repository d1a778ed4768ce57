#include "calculators/closed_system_windows.h"

#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {

namespace {

ResultField formatted(const CalcResult& r) {
    return {resultText(r, readoutText), r.reason};
}

void play(const Program& p, Sounds& sounds, const char* name) {
    if (soundsOn(p.menus)) {
        sounds.play(name);
    }
}

}  // namespace

// --- Closed system ---

ClosedSystemWindow::ClosedSystemWindow() {
    calculate();
}

Co2Choices ClosedSystemWindow::choices() const {
    return co2Choices(fieldValue(deltaO2), fieldValue(deltaCO2), co2Absorbed, useRq);
}

void ClosedSystemWindow::calculate() {
    ClosedSystemInput in;
    in.volume = fieldValue(volume);
    in.temperature = fieldValue(temperature);
    in.pressure = fieldValue(pressure);
    in.hours = fieldValue(hours);
    in.minutes = fieldValue(minutes);
    in.initialO2 = fieldValue(initialO2);
    in.initialCO2 = fieldValue(initialCO2);
    in.deltaO2 = fieldValue(deltaO2);
    in.deltaCO2 = fieldValue(deltaCO2);
    in.rq = fieldValue(rq);
    const Co2Choices c = choices();
    useRq = c.useRqSelected;
    const ClosedSystemResult r = ClosedSystemRespCalc(in, c.handling);
    vo2 = formatted(r.vo2);
    vo2Rate = formatted(r.vo2Rate);
    vco2 = formatted(r.vco2);
    vco2Rate = formatted(r.vco2Rate);
}

const char* ClosedSystemWindow::helpText() {
    return "Gas exchanged in a sealed chamber whose gas is dried before measurement.\n\n"
           "Dry volume at STP: Vs = V \xC3\x97 273.3 / (T + 273.3) \xC3\x97 P / 760.\n"
           "CO2 absorbed: VO2 = Vs \xC3\x97 \xCE\x94O2 / (1 \xE2\x88\x92 FeO2).\n"
           "Use [CO2]: VO2 = Vs \xC3\x97 (\xCE\x94O2 \xE2\x88\x92 FeO2 \xC3\x97 \xCE\x94"
           "CO2) / "
           "(1 \xE2\x88\x92 FeO2).\n"
           "Use RQ: VO2 = Vs \xC3\x97 \xCE\x94O2 / (1 \xE2\x88\x92 FeO2 \xC3\x97 (1 \xE2\x88\x92 "
           "RQ)).\n"
           "VCO2 = (Vs \xC3\x97 \xCE\x94"
           "CO2 \xE2\x88\x92 VO2 \xC3\x97 FeCO2) / (1 \xE2\x88\x92 "
           "FeCO2); without an O2 change, Vs \xC3\x97 \xCE\x94"
           "CO2 / (1 \xE2\x88\x92 FeCO2 "
           "\xC3\x97 (1 \xE2\x88\x92 1/RQ)).\nThe humidity field does not enter the computation.";
}

// --- Dissolved oxygen ---

DissolvedOxygenWindow::DissolvedOxygenWindow(const Program& p) {
    // A stored 0 shows as 10 °C (or 760 torr) here; the recording's own conditions are left as
    // they are, so opening the calculator never changes what a saved file carries.
    const float t = p.notes.flowtemp == 0.0f ? 10.0f : p.notes.flowtemp;
    const float bp = p.session.BarometricPressure == 0.0f ? 760.0f : p.session.BarometricPressure;
    temperature = fieldText(t);
    barometric = fieldText(bp);
    compute();
}

void DissolvedOxygenWindow::compute() {
    const double factor =
        oxygenSaturationFactor(fieldValue(saturation), fieldValue(barometric), fieldValue(oxygen));
    const CalcResult litre = O2CONTENT(fieldValue(temperature), fieldValue(solutes), factor);
    perLitre = {resultText(litre, dissolvedOxygenText), litre.reason};
    CalcResult total = litre;
    if (litre.ok()) {
        total = finiteOr(calcValue(litre.value * fieldValue(volume) * 0.001),
                         "The volume gives no finite content.");
    }
    content = {resultText(total, dissolvedOxygenText), total.reason};
}

const char* DissolvedOxygenWindow::helpText() {
    return "Oxygen content of water at a temperature T and salinity S (parts per thousand).\n\n"
           "ml O2 (STP) per litre = (e^(2.028544 \xE2\x88\x92 0.037973 T \xE2\x88\x92 0.020751 "
           "\xC3\x97 0.4826 \xC3\x97 S / 2) + 2.793274) \xC3\x97 saturation% / 100 \xC3\x97 B.P. / "
           "760 \xC3\x97 O2% / 20.95.\n\"Net O2 Only\" computes the same as \"O2 Content\".";
}

// --- Q10 ---

void Q10Window::computeAdjusted(Sounds& sounds, const Program& p) {
    const auto v = q10AdjustedValue(fieldValue(q10), fieldValue(baseT), fieldValue(adjustedT),
                                    fieldValue(baseValue));
    if (!v) {
        play(p, sounds, "bzot");
        return;
    }
    reason.clear();
    adjustedValue = fieldText(*v);
}

void Q10Window::computeQ10(Sounds& sounds, const Program& p) {
    const auto r = q10FromRates(fieldValue(baseT), fieldValue(adjustedT), fieldValue(baseValue),
                                fieldValue(adjustedValue));
    if (!r) {
        play(p, sounds, "bzot");
        return;
    }
    reason = r->reason;
    q10 = r->ok() ? fieldText(static_cast<float>(r->value)) : kNoResultText;
}

const char* Q10Window::helpText() {
    return "Adjusts a rate for temperature by the Q10 rule, or finds Q10 from two rates.\n\n"
           "adjusted = base \xC3\x97 Q10^(\xE2\x88\x86t / 10);  Q10 = (adjusted / base)^(10 / "
           "\xE2\x88\x86t), \xE2\x88\x86t = adjusted temperature \xE2\x88\x92 base temperature.";
}

}  // namespace trindel
