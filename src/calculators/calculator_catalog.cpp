#include "calculators/calculator_catalog.h"

#include <charconv>
#include <cmath>

#include "calculators/allometry_window.h"
#include "calculators/closed_system_windows.h"
#include "calculators/gas_exchange_windows.h"
#include "calculators/sun_cycle_window.h"
#include "calculators/unit_converter_window.h"
#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {

namespace {

class SilentSounds final : public Sounds {
  public:
    void play(std::string_view) override {}
    bool isPlaying() override { return false; }
};

CalcInputSpec number(std::string name, std::string value, std::string help) {
    return {std::move(name), CalcInputKind::Number, std::move(value), std::move(help), {}};
}
CalcInputSpec flag(std::string name, std::string help) {
    return {std::move(name), CalcInputKind::Flag, "", std::move(help), {}};
}
CalcInputSpec choice(std::string name, std::vector<std::string> choices, std::string help) {
    std::string first = choices.front();
    return {std::move(name), CalcInputKind::Choice, std::move(first), std::move(help),
            std::move(choices)};
}

// The answer, with the first reason of an output that has none as the error.
CalcAnswer answer(std::vector<CalcOutputLine> lines, std::vector<std::string> reasons) {
    CalcAnswer a;
    a.outputs = std::move(lines);
    for (const std::string& r : reasons) {
        if (!r.empty()) {
            a.error = r;
            break;
        }
    }
    return a;
}

CalcAnswer runStp(const CalcArgs& a) {
    Program p;
    StpWindow w(p);
    w.flow = a.text("flow", "100");
    w.cumulativeVolume = a.has("volume") || a.has("seconds");
    w.volume = a.text("volume", "1000");
    w.seconds = a.text("seconds", "60");
    w.barometric = a.text("pressure", "760");
    w.internalPressure = a.text("internal", "0");
    const std::string unit = a.text("internal-unit", "torr");
    w.unit = unit == "psi"     ? MeterPressureUnit::Psi
             : unit == "kpa"   ? MeterPressureUnit::KPa
             : unit == "mmh2o" ? MeterPressureUnit::MmH2O
                               : MeterPressureUnit::Torr;
    w.meterTemperature = a.text("temperature", "0");
    w.calibrationTemperature = a.text("calibrated", "0");
    w.slpm = a.has("slpm");
    w.compute();
    return answer({{"stp_flow", "STP flow", w.result().text, w.slpm ? "SLPM" : "SCCM"}},
                  {w.result().reason});
}

CalcAnswer runAltitude(const CalcArgs& a) {
    Program p;
    SilentSounds sounds;
    AltitudeWindow w(p);
    w.kPa = a.has("kpa");
    w.feet = a.has("feet");
    w.pressure = a.text("pressure", "760");
    w.computeAltitude(sounds, p);
    return answer({{"altitude", "Altitude", w.altitude, w.feet ? "ft" : "m"}}, {w.reason});
}

CalcAnswer runPressure(const CalcArgs& a) {
    Program p;
    SilentSounds sounds;
    AltitudeWindow w(p);
    w.kPa = a.has("kpa");
    w.feet = a.has("feet");
    w.altitude = a.text("altitude", "0");
    w.computePressure(sounds, p);
    return answer({{"pressure", "Pressure", w.pressure, w.kPa ? "kPa" : "torr"}}, {w.reason});
}

CalcAnswer runAltitudeSimulation(const CalcArgs& a) {
    AltitudeSimulationWindow w;
    w.concentration = a.text("concentration", "20.95");
    w.simulatedAltitude = a.text("simulated-altitude", "100");
    w.measuredAltitude = a.text("measured-altitude", "100");
    if (a.has("simulated-pressure") || a.has("measured-pressure")) {
        w.simulatedPressure = a.text("simulated-pressure", "750.5");
        w.measuredPressure = a.text("measured-pressure", "750.5");
        w.computeFromPressure();
    } else {
        w.computeFromAltitude();
    }
    return answer({{"simulated_pressure", "Simulated pressure", w.simulatedPressure, "torr"},
                   {"measured_pressure", "Measurement pressure", w.measuredPressure, "torr"},
                   {"mixture", "Gas mixture", w.result, "%"}},
                  {w.reason});
}

CalcAnswer runPo2(const CalcArgs& a) {
    Program p;
    Po2Window w(p);
    w.kPa = a.has("kpa");
    w.pressure = a.text("pressure", w.kPa ? "101.325" : "760");
    w.temperature = a.text("temperature", "37");
    w.saturation = a.text("saturation", "100");
    w.oxygen = a.text("oxygen", "20.95");
    w.compute();
    const char* unit = w.kPa ? "kPa" : "torr";
    return answer({{"vapour_pressure", "Water-vapour pressure", w.vapourPressure, unit},
                   {"po2", "Ambient pO2", w.po2, unit}},
                  {w.reason});
}

// "2" is Taxon item 2; "60:1" is item 1 of group 60.
bool chooseTaxon(FlowRateWindow& w, const std::string& key) {
    const size_t colon = key.find(':');
    if (colon == std::string::npos) {
        const int item = static_cast<int>(fieldValue(key));
        if (item != 1 && item != 2) {
            return false;
        }
        w.chooseTaxon(item);
        return true;
    }
    const int group = static_cast<int>(fieldValue(key.substr(0, colon)));
    const int item = static_cast<int>(fieldValue(key.substr(colon + 1)));
    if (group < kGroupMenuFirst || group > kGroupMenuLast) {
        return false;
    }
    const auto& items = taxonMenu(group);
    if (item < 1 || item > static_cast<int>(items.size()) ||
        items[static_cast<size_t>(item - 1)].kind != TaxonItemKind::Values) {
        return false;
    }
    w.chooseTaxon(4 + group - kGroupMenuFirst);
    w.chooseTaxon(item);
    return true;
}

CalcAnswer runAllometry(const CalcArgs& a) {
    FlowRateWindow w;
    if (a.has("taxon") && !chooseTaxon(w, a.text("taxon", ""))) {
        CalcAnswer bad;
        bad.error = "Unknown taxon \"" + a.text("taxon", "") + "\" (see --list).";
        return bad;
    }
    w.coefficient = a.text("coefficient", w.coefficient);
    w.mass = a.text("mass", w.mass);
    w.exponent = a.text("exponent", w.exponent);
    w.baseT = a.text("base-temp", w.baseT);
    w.realT = a.text("real-temp", w.realT);
    w.q10 = a.text("q10", w.q10);
    w.change = a.text("change", w.change);
    w.litres = a.has("litres");
    if (w.aquatic()) {
        const std::string water = a.text("water", "fresh");
        w.chooseWater(water == "salt"       ? WaterKind::Salt
                      : water == "brackish" ? WaterKind::Brackish
                                            : WaterKind::Fresh);
    }
    w.chooseActivity(static_cast<int>(fieldValue(a.text("activity", "1"))));
    return answer(
        {{"coefficient", "Coefficient a", w.coefficient, "ml O2/min/g^b"},
         {"metabolic_rate", "MR", w.metabolicRateText, "ml O2/min"},
         {"minimum_flow", "Minimum flow rate", w.minimumFlowText, w.litres ? "L/min" : "ml/min"}},
        {w.reason});
}

CalcAnswer runClosed(const CalcArgs& a) {
    ClosedSystemWindow w;
    w.volume = a.text("volume", w.volume);
    w.temperature = a.text("temperature", w.temperature);
    w.pressure = a.text("pressure", w.pressure);
    w.hours = a.text("hours", w.hours);
    w.minutes = a.text("minutes", w.minutes);
    w.initialO2 = a.text("fio2", w.initialO2);
    w.initialCO2 = a.text("fico2", w.initialCO2);
    w.deltaO2 = a.text("delta-o2", w.deltaO2);
    w.deltaCO2 = a.text("delta-co2", w.deltaCO2);
    w.rq = a.text("rq", w.rq);
    const std::string co2 = a.text("co2", "absorbed");
    w.co2Absorbed = co2 == "absorbed";
    w.useRq = co2 == "rq";
    w.calculate();
    return answer({{"vo2", "VO2", w.vo2.text, "ml"},
                   {"vo2_rate", "VO2 rate", w.vo2Rate.text, "ml/min"},
                   {"vco2", "VCO2", w.vco2.text, "ml"},
                   {"vco2_rate", "VCO2 rate", w.vco2Rate.text, "ml/min"}},
                  {w.vo2.reason, w.vo2Rate.reason, w.vco2.reason, w.vco2Rate.reason});
}

CalcAnswer runDissolvedOxygen(const CalcArgs& a) {
    Program p;
    DissolvedOxygenWindow w(p);
    w.temperature = a.text("temperature", w.temperature);
    w.volume = a.text("volume", w.volume);
    w.barometric = a.text("pressure", w.barometric);
    w.oxygen = a.text("oxygen", w.oxygen);
    w.solutes = a.text("solutes", w.solutes);
    w.saturation = a.text("saturation", w.saturation);
    w.compute();
    return answer({{"per_litre", "Oxygen content", w.perLitre.text, "ml/L (STP)"},
                   {"content", "Oxygen in the volume", w.content.text, "ml (STP)"}},
                  {w.perLitre.reason, w.content.reason});
}

CalcAnswer runQ10(const CalcArgs& a) {
    Program p;
    SilentSounds sounds;
    Q10Window w;
    w.q10 = a.text("q10", w.q10);
    w.baseT = a.text("base-temp", w.baseT);
    w.adjustedT = a.text("adjusted-temp", w.adjustedT);
    w.baseValue = a.text("base-value", w.baseValue);
    w.adjustedValue = a.text("adjusted-value", w.adjustedValue);
    if (a.has("adjusted-value") && !a.has("q10")) {
        if (fieldValue(w.adjustedT) == fieldValue(w.baseT)) {
            return answer({}, {"The two temperatures are equal."});
        }
        w.computeQ10(sounds, p);
        return answer({{"q10", "Q10", w.q10, ""}}, {w.reason});
    }
    if (fieldValue(w.q10) < 0.0) {
        return answer({}, {"Q10 must not be negative."});
    }
    w.computeAdjusted(sounds, p);
    return answer({{"adjusted_value", "Adjusted value", w.adjustedValue, ""}}, {w.reason});
}

CalcAnswer runUnits(const CalcArgs& a) {
    UnitConverterWindow w;
    w.input = a.text("value", "1");
    w.chooseCategory(static_cast<int>(fieldValue(a.text("category", "63"))));
    w.chooseItem(static_cast<int>(fieldValue(a.text("item", "1"))));
    if (w.fromUnit().empty()) {
        return answer({}, {"No conversion with this item number in this category."});
    }
    CalcAnswer out =
        answer({{"input", "Input", plainDecimalText(fieldValue(w.input)), w.fromUnit()},
                {"result", "Result", w.result(), w.toUnit()}},
               {});
    if (!w.note().empty()) {
        out.outputs.push_back({"note", "Note", w.note(), ""});
    }
    return out;
}

CalcAnswer runDayOfYear(const CalcArgs& a) {
    int year = 0, month = 0, day = 0;
    if (!parseIsoDate(a.text("date", ""), year, month, day)) {
        return answer({}, {"Give the date as YYYY-MM-DD."});
    }
    return answer({{"day_of_year", "Day of the year",
                    std::to_string(computeDayOfYear(month, day, year)), ""}},
                  {});
}

CalcAnswer runSun(const CalcArgs& a) {
    Program p;
    SunCycleWindow w(p, "01/01/00");
    const double lat = fieldValue(a.text("lat", "33.95"));
    const double lon = fieldValue(a.text("lon", "-117.33"));
    w.latitude = plainDecimalText(std::fabs(lat));
    w.longitude = plainDecimalText(std::fabs(lon));
    w.setNorth(lat >= 0.0);
    w.setWest(lon < 0.0);
    w.daylightSaving = a.has("dst");
    if (a.has("day")) {
        w.date.dayOfYear = a.text("day", "1");
    } else if (a.has("date")) {
        int year = 0, month = 0, day = 0;
        if (!parseIsoDate(a.text("date", ""), year, month, day)) {
            return answer({}, {"Give the date as YYYY-MM-DD."});
        }
        w.date.month = month;
        w.date.day = std::to_string(day);
        w.date.year = std::to_string(year);
        w.dateEdited();
    } else if (!a.has("year")) {
        return answer({}, {"Give --date or --day (or --year for the whole year)."});
    }
    CalcAnswer out;
    if (a.has("year")) {
        if (!w.annualPlot()) {
            return answer({}, {w.reason});
        }
        out.tableHeader = {"Julian date", "Sunrise time", "Sunset time", "Hours of daylight"};
        for (int d = 1; d <= 365; ++d) {
            const SunCycleRow& r = p.calculators.SunCycleArray[static_cast<size_t>(d)];
            out.tableRows.push_back({std::to_string(d), trimLeft(floatText(r.sunrise)),
                                     trimLeft(floatText(r.sunset)),
                                     trimLeft(floatText(r.dayLength))});
        }
        return out;
    }
    w.calculate();
    if (!w.reason.empty()) {
        return answer({}, {w.reason});
    }
    const SunTimes t =
        SunriseCalc(static_cast<int>(fieldValue(w.date.dayOfYear)), p.calculators.latitude,
                    p.calculators.longitude, w.daylightSaving);
    out.outputs.push_back({"day_of_year", "Day of the year", w.date.dayOfYear, ""});
    if (t.polar != PolarDay::None) {
        out.outputs.push_back({"polar", "No sunrise or sunset", w.results.sunset, ""});
    } else {
        out.outputs.push_back({"sunrise", "Sunrise", clockText(t.sunrise), "local solar time"});
        out.outputs.push_back({"sunset", "Sunset", clockText(t.sunset), "local solar time"});
        out.outputs.push_back({"solar_noon", "Solar noon", clockText(t.solarNoonMinutes / 60.0f),
                               "local solar time"});
    }
    out.outputs.push_back({"day_length", "Daylight", clockText(t.dayLength), "h:min"});
    return out;
}

// "1", "2" and "group:item" for every taxon with values.
std::vector<std::string> taxonKeys() {
    std::vector<std::string> keys = {"1", "2"};
    for (int group = kGroupMenuFirst; group <= kGroupMenuLast; ++group) {
        const auto& items = taxonMenu(group);
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == TaxonItemKind::Values) {
                keys.push_back(std::to_string(group) + ":" + std::to_string(i + 1));
            }
        }
    }
    return keys;
}

}  // namespace

std::string CalcArgs::text(const std::string& name, const std::string& fallback) const {
    const auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

bool isNumberText(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    if (start < text.size() && text[start] == '+') {
        ++start;
    }
    double v = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto res = std::from_chars(first, last, v);
    return start < text.size() && res.ec == std::errc{} && res.ptr == last && std::isfinite(v);
}

bool parseIsoDate(const std::string& text, int& year, int& month, int& day) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    const auto part = [&](size_t from, size_t n, int& out) {
        const auto res = std::from_chars(text.data() + from, text.data() + from + n, out);
        return res.ec == std::errc{} && res.ptr == text.data() + from + n;
    };
    if (!part(0, 4, year) || !part(5, 2, month) || !part(8, 2, day)) {
        return false;
    }
    static constexpr int kDays[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month] &&
           (month != 2 || day != 29 || isLeapYear(year));
}

const std::vector<CalculatorSpec>& calculatorCatalog() {
    static const std::vector<CalculatorSpec> kCatalog = {
        {"stp",
         "Flow at STP (Flow System STP Converter)",
         {number("flow", "100", "indicated flow, ml/min"),
          number("volume", "1000", "cumulative volume, ml (instead of --flow)"),
          number("seconds", "60", "elapsed time of the volume, s"),
          number("pressure", "760", "barometric pressure, torr"),
          number("internal", "0", "meter internal pressure"),
          choice("internal-unit", {"torr", "psi", "kpa", "mmh2o"}, "unit of --internal"),
          number("temperature", "0",
                 "meter temperature, \xC2\xB0"
                 "C"),
          number("calibrated", "0",
                 "temperature the meter is calibrated for, \xC2\xB0"
                 "C"),
          flag("slpm", "result in SLPM instead of SCCM")},
         runStp},
        {"altitude",
         "Altitude from barometric pressure",
         {number("pressure", "760", "pressure, torr (kPa with --kpa)"),
          flag("kpa", "pressure in kPa"), flag("feet", "altitude in feet")},
         runAltitude},
        {"pressure",
         "Mean barometric pressure at an altitude",
         {number("altitude", "0", "altitude, m (ft with --feet)"), flag("feet", "altitude in feet"),
          flag("kpa", "pressure in kPa")},
         runPressure},
        {"altsim",
         "Altitude simulation: the gas mixture that gives another altitude's partial pressure",
         {number("concentration", "20.95", "concentration to replicate, %"),
          number("simulated-altitude", "100", "simulated altitude, m"),
          number("measured-altitude", "100", "measurement altitude, m"),
          number("simulated-pressure", "750.5", "simulated pressure, torr (instead of altitudes)"),
          number("measured-pressure", "750.5", "measurement pressure, torr")},
         runAltitudeSimulation},
        {"po2",
         "Oxygen partial pressure of humid gas",
         {number("pressure", "760", "ambient pressure, torr (kPa with --kpa)"),
          flag("kpa", "pressures in kPa"),
          number("temperature", "37",
                 "ambient temperature, \xC2\xB0"
                 "C"),
          number("saturation", "100", "water-vapour saturation, %"),
          number("oxygen", "20.95", "O2 in the dry gas, %")},
         runPo2},
        {"allometry",
         "Metabolic rate by allometry and the minimum flow rate",
         {{"taxon", CalcInputKind::Choice, "", "taxon: 1 or 2, or group:item", taxonKeys()},
          number("coefficient", "0.014587", "coefficient a"),
          number("mass", "10", "body mass, g"),
          number("exponent", "0.75", "exponent b"),
          number("base-temp", "20",
                 "base temperature Tb, \xC2\xB0"
                 "C"),
          number("real-temp", "20",
                 "real temperature Tr, \xC2\xB0"
                 "C"),
          number("q10", "2.5", "Q10"),
          number("activity", "1", "activity item 1 to 6"),
          number("change", "0.4", "maximum change in oxygen, %"),
          choice("water", {"fresh", "brackish", "salt"}, "water, for aquatic taxa"),
          flag("litres", "minimum flow in L/min")},
         runAllometry},
        {"closed",
         "Closed-system respirometry (chamber gas dried before measurement)",
         {number("volume", "1000", "system volume, ml"),
          number("temperature", "20",
                 "temperature, \xC2\xB0"
                 "C"),
          number("pressure", "760", "pressure, torr"), number("hours", "1", "elapsed hours"),
          number("minutes", "22", "elapsed minutes"), number("fio2", "20.95", "initial O2, %"),
          number("fico2", "0.038", "initial CO2, %"),
          number("delta-o2", "0.5", "change in O2 concentration, %"),
          number("delta-co2", "0.5", "change in CO2 concentration, %"), number("rq", "0.85", "RQ"),
          choice("co2", {"absorbed", "co2", "rq"},
                 "CO2 absorbed, or VO2 corrected by [CO2] or RQ")},
         runClosed},
        {"dissolved-o2",
         "Dissolved oxygen content of water",
         {number("temperature", "10",
                 "water temperature, \xC2\xB0"
                 "C"),
          number("volume", "10000", "volume, ml"), number("pressure", "760", "B.P., torr"),
          number("oxygen", "20.95", "gas-phase O2, %"),
          number("solutes", "2", "dissolved solutes, parts per thousand"),
          number("saturation", "100", "oxygen saturation, %")},
         runDissolvedOxygen},
        {"q10",
         "Q10 adjustment of a rate, or Q10 from two rates",
         {number("q10", "2.20", "Q10"),
          number("base-temp", "37",
                 "base temperature, \xC2\xB0"
                 "C"),
          number("adjusted-temp", "39",
                 "adjusted temperature, \xC2\xB0"
                 "C"),
          number("base-value", "1", "base value"),
          number("adjusted-value", "1.1708", "adjusted value (without --q10: compute Q10)")},
         runQ10},
        {"units",
         "Unit interconversions",
         {number("category", "63",
                 "63 energy, 64 speed/distance/area, 65 mass/volume/light, "
                 "66 pressure/water vapour"),
          number("item", "1", "conversion number in the category"),
          number("value", "1", "value to convert")},
         runUnits},
        {"dayofyear",
         "Day of the year",
         {{"date", CalcInputKind::Date, "", "date, YYYY-MM-DD", {}}},
         runDayOfYear},
        {"sun",
         "Sunrise, sunset, day length and solar noon (local solar time)",
         {number("lat", "33.95", "latitude, degrees, north positive"),
          number("lon", "-117.33", "longitude, degrees, east positive"),
          {"date", CalcInputKind::Date, "", "date, YYYY-MM-DD", {}},
          number("day", "", "day of the year (instead of --date)"),
          flag("dst", "daylight-saving time (one hour later)"),
          flag("year", "the table of the whole year")},
         runSun},
    };
    return kCatalog;
}

const CalculatorSpec* findCalculator(const std::string& name) {
    for (const CalculatorSpec& c : calculatorCatalog()) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace trindel
