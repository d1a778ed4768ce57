#include "calculators/closed_system.h"

#include <cmath>

#include "text/number_text.h"

namespace trindel {

namespace {

constexpr const char* kZeroTime = "The elapsed time is 0 minutes.";

CalcResult perMinute(const CalcResult& volume, double minutes) {
    if (!volume.ok()) {
        return volume;
    }
    if (minutes == 0.0) {
        return calcFailure(kZeroTime);
    }
    return finiteOr(calcValue(volume.value / minutes), "The inputs give no finite rate.");
}

}  // namespace

ClosedSystemResult ClosedSystemRespCalc(const ClosedSystemInput& in, Co2Handling handling) {
    ClosedSystemResult r;
    const double fio2 = in.initialO2 * 0.01;
    const double fico2 = in.initialCO2 * 0.01;
    const double feo2 = fio2 - in.deltaO2 * 0.01;
    const double feco2 = fico2 + in.deltaCO2 * 0.01;
    const double minutes = in.hours * 60.0 + in.minutes;
    if (in.temperature + 273.3 == 0.0) {
        r.stpVolume = calcFailure(
            "A temperature of -273.3 \xC2\xB0"
            "C divides by zero.");
        r.vo2 = r.vo2Rate = r.vco2 = r.vco2Rate = r.stpVolume;
        return r;
    }
    const double vs = in.volume * 273.3 / (in.temperature + 273.3) * in.pressure / 760.0;
    r.stpVolume = finiteOr(calcValue(vs), "The inputs give no finite volume.");

    double denominator = 1.0 - feo2;
    double numerator = vs * in.deltaO2 * 0.01;
    if (handling == Co2Handling::UseRq) {
        denominator = 1.0 - feo2 * (1.0 - in.rq);
    } else if (handling == Co2Handling::UseCo2) {
        numerator = vs * (in.deltaO2 * 0.01 - feo2 * in.deltaCO2 * 0.01);
    }
    if (!(in.deltaO2 > 0.0)) {
        r.vo2 = calcValue(0.0);
    } else if (denominator == 0.0) {
        r.vo2 = calcFailure("The end O2 fraction makes the VO2 correction divide by zero.");
    } else {
        r.vo2 = finiteOr(calcValue(numerator / denominator), "The inputs give no finite VO2.");
    }

    if (!(in.deltaCO2 > 0.0)) {
        r.vco2 = calcValue(0.0);
    } else if (in.deltaO2 > 0.0) {
        if (!r.vo2.ok()) {
            r.vco2 = r.vo2;
        } else if (feco2 == 1.0) {
            r.vco2 = calcFailure("An end CO2 fraction of 1 divides by zero.");
        } else {
            r.vco2 = calcValue((vs * in.deltaCO2 * 0.01 - r.vo2.value * feco2) / (1.0 - feco2));
        }
    } else if (in.rq == 0.0) {
        r.vco2 = calcFailure("An RQ of 0 divides by zero.");
    } else {
        const double d = 1.0 - feco2 * (1.0 - 1.0 / in.rq);
        r.vco2 = d == 0.0 ? calcFailure("The CO2 correction divides by zero.")
                          : calcValue(vs * in.deltaCO2 * 0.01 / d);
    }
    r.vco2 = finiteOr(r.vco2, "The inputs give no finite VCO2.");
    r.vo2Rate = perMinute(r.vo2, minutes);
    r.vco2Rate = perMinute(r.vco2, minutes);
    return r;
}

Co2Choices co2Choices(double deltaO2, double deltaCO2, bool absorbedChecked, bool useRq) {
    Co2Choices c;
    if (deltaCO2 == 0.0) {
        c.absorbedEnabled = false;
        c.useCo2Enabled = false;
        c.useRqSelected = true;
        c.handling = Co2Handling::UseRq;
        return c;
    }
    if (deltaO2 == 0.0) {
        useRq = true;
    }
    c.useRqSelected = useRq;
    if (absorbedChecked) {
        c.handling = Co2Handling::Absorbed;
    } else {
        c.handling = useRq ? Co2Handling::UseRq : Co2Handling::UseCo2;
    }
    return c;
}

double oxygenSaturationFactor(double saturationPercent, double barometric, double oxygenPercent) {
    return saturationPercent * 0.01 * barometric / 760.0 * oxygenPercent / 20.95;
}

CalcResult O2CONTENT(double celsius, double solutes, double factor) {
    const double perLitre =
        (std::exp(2.028544 - 0.037973 * celsius - 0.020751 * 0.4826 * solutes * 0.5) + 2.793274) *
        factor;
    return finiteOr(calcValue(perLitre), "The inputs give no finite oxygen content.");
}

std::string dissolvedOxygenText(double value) {
    return plainDecimalText(value);
}

std::optional<float> q10AdjustedValue(double q10, double baseT, double adjustedT, double base) {
    if (q10 < 0.0) {
        return std::nullopt;
    }
    const float dt = static_cast<float>(adjustedT - baseT);
    return static_cast<float>(base) * std::pow(static_cast<float>(q10), dt * 0.1f);
}

std::optional<CalcResult> q10FromRates(double baseT, double adjustedT, double base,
                                       double adjusted) {
    const double dt = adjustedT - baseT;
    if (dt == 0.0) {
        return std::nullopt;
    }
    if (base == 0.0) {
        return calcFailure("The base value is 0.");
    }
    return finiteOr(calcValue(std::pow(adjusted / base, 10.0 / dt)),
                    "The two values must have the same sign.");
}

}  // namespace trindel
