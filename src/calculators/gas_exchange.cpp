#include "calculators/gas_exchange.h"

#include <cmath>

#include "text/number_text.h"

namespace trindel {

double meterPressureFactor(MeterPressureUnit unit) {
    switch (unit) {
        case MeterPressureUnit::Psi:
            return 51.7007;
        case MeterPressureUnit::KPa:
            return 7.5002;
        case MeterPressureUnit::MmH2O:
            return 0.076;
        case MeterPressureUnit::Torr:
            break;
    }
    return 1.0;
}

CalcResult STPcalc(const StpInput& in) {
    double flow = in.flow;
    if (in.cumulativeVolume) {
        if (in.seconds == 0.0) {
            return calcFailure("The elapsed time is 0 seconds.");
        }
        flow = in.volume * 60.0 / in.seconds;
    }
    if (in.meterTemperature + 273.0 == 0.0) {
        return calcFailure(
            "A meter temperature of -273 \xC2\xB0"
            "C divides by zero.");
    }
    const double p = in.barometric + in.internalPressure * meterPressureFactor(in.unit);
    double stp =
        flow * p / 760.0 * (in.calibrationTemperature + 273.0) / (in.meterTemperature + 273.0);
    if (in.slpm) {
        stp *= 0.001;
    }
    return finiteOr(calcValue(stp), "The inputs give no finite flow.");
}

CalcResult ALTfromBP(double pressure, bool kPa, bool feet) {
    const double torr = kPa ? pressure * kTorrPerKPa : pressure;
    if (!(torr > 0.0)) {
        return calcFailure("The pressure must be above 0.");
    }
    const bool seaLevel = kPa ? pressure == 101.325 : pressure == 760.0;
    double metres = seaLevel ? 0.0 : 52635.35 - 18271.0 * std::log10(torr);
    return finiteOr(calcValue(feet ? metres * kFeetPerMetre : metres),
                    "The pressure gives no finite altitude.");
}

double pressureFromAltitude(double altitude, bool feet, bool kPa) {
    if (altitude == 0.0) {
        return kPa ? 101.325 : 760.0;
    }
    const double metres = feet ? altitude / kFeetPerMetre : altitude;
    const double torr = 760.0 * std::exp(-0.00012603 * metres);
    return kPa ? torr * kKPaPerTorr : torr;
}

const char* pressurePicture(bool kPa) {
    return kPa ? "####.###" : "#####.#";
}

CalcResult simulatedConcentration(double concentration, double simulated, double measured) {
    if (measured == 0.0) {
        return calcFailure("The measurement pressure is 0.");
    }
    return finiteOr(calcValue(concentration * simulated / measured),
                    "The inputs give no finite concentration.");
}

float waterVapourDensity(float t) {
    const float t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    if (t > 4.0f) {
        return 0.0048207f + 0.00033389f * t + 1.058e-5f * t2 + 1.4478e-7f * t3 + 2.3182e-9f * t4 +
               6.7731e-12f * t5;
    }
    return 0.0048364f + 0.00033247f * t + 9.9414e-6f * t2 + 1.6383e-7f * t3 + 1.5029e-9f * t4 +
           6.1512e-12f * t5;
}

double VaporPressureCALC(double celsius, double saturationPercent, bool kPa) {
    const float k = waterVapourDensity(static_cast<float>(celsius));
    double torr = k * 7.50062 * 0.4673615 * (celsius + 273.15) * 0.01 * saturationPercent;
    if (!(torr > 0.0)) {
        torr = 0.0;
    }
    return kPa ? torr * 101.325 / 760.0 : torr;
}

std::string vapourPressureText(double value) {
    std::string text = runtimeText(value);
    if (text.size() > 7) {
        text.resize(7);
    }
    return trimLeft(text);
}

double FigurePO2(double pressure, double vapourPressure, double oxygenPercent, bool kPa) {
    const double toTorr = kPa ? 760.0 / 101.325 : 1.0;
    const double po2 = (pressure * toTorr - vapourPressure * toTorr) * oxygenPercent * 0.01;
    return kPa ? po2 * 101.325 / 760.0 : po2;
}

}  // namespace trindel
