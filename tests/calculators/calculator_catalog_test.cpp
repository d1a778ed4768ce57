#include "calculators/calculator_catalog.h"

#include <gtest/gtest.h>

#include <set>

#include "calculators/gas_exchange_windows.h"
#include "calculators/sun_cycle_window.h"

namespace trindel {
namespace {

CalcAnswer run(const std::string& name, std::map<std::string, std::string> values) {
    const CalculatorSpec* spec = findCalculator(name);
    EXPECT_NE(spec, nullptr) << name;
    CalcArgs args;
    args.values = std::move(values);
    return spec == nullptr ? CalcAnswer{} : spec->run(args);
}

std::string output(const CalcAnswer& a, const std::string& name) {
    for (const CalcOutputLine& l : a.outputs) {
        if (l.name == name) {
            return l.text;
        }
    }
    return "(missing)";
}

TEST(CalculatorCatalog, SameNumbersAsTheWindows) {
    Program p;
    StpWindow stp(p);
    stp.flow = "500";
    stp.meterTemperature = "25";
    stp.barometric = "740";
    stp.compute();
    const CalcAnswer a = run("stp", {{"flow", "500"}, {"temperature", "25"}, {"pressure", "740"}});
    EXPECT_EQ(output(a, "stp_flow"), stp.result().text);
    EXPECT_EQ(output(a, "stp_flow"), "446");  // 445.998 to two places, zeros dropped

    EXPECT_EQ(output(run("po2", {}), "po2"), "149.24");
    EXPECT_EQ(output(run("altitude", {{"pressure", "600"}}), "altitude"), "1875.7");
    EXPECT_EQ(output(run("allometry", {{"taxon", "60:1"}, {"mass", "1000"}}), "minimum_flow"),
              "2489.8");
    EXPECT_EQ(output(run("closed", {{"co2", "co2"}}), "vo2"), "4.65905");
    EXPECT_EQ(output(run("dissolved-o2", {}), "per_litre"), "7.942258792");
    EXPECT_EQ(output(run("units", {{"category", "64"}, {"item", "4"}, {"value", "2"}}), "result"),
              "7200");
    EXPECT_EQ(output(run("dayofyear", {{"date", "1900-03-01"}}), "day_of_year"), "60");
}

TEST(CalculatorCatalog, SunMatchesTheWindowAndTakesEastAsPositive) {
    Program p;
    SunCycleWindow w(p, "06/21/26");
    w.calculate();  // 33.95 N, 117.33 W
    const CalcAnswer a = run("sun", {{"lat", "33.95"}, {"lon", "-117.33"}, {"date", "2026-06-21"}});
    EXPECT_EQ(output(a, "day_of_year"), "172");
    EXPECT_EQ(output(a, "sunrise"), "4:48");
    EXPECT_EQ(output(a, "sunset"), "19:13");
    EXPECT_EQ(output(a, "day_length"), "14:24");
    EXPECT_EQ(w.results.sunrise, "Approximate local sunrise time:   4 : 48");
    const CalcAnswer polar = run("sun", {{"lat", "-80"}, {"lon", "0"}, {"day", "172"}});
    EXPECT_EQ(output(polar, "polar"), "24-hour darkness (Antarctic winter)");
    const CalcAnswer year = run("sun", {{"lat", "0"}, {"lon", "0"}, {"year", "1"}});
    EXPECT_EQ(year.tableRows.size(), 365u);
}

TEST(CalculatorCatalog, ImpossibleInputsAreErrors) {
    EXPECT_FALSE(run("stp", {{"volume", "10"}, {"seconds", "0"}}).error.empty());
    EXPECT_FALSE(run("altitude", {{"pressure", "0"}}).error.empty());
    EXPECT_FALSE(run("closed", {{"hours", "0"}, {"minutes", "0"}}).error.empty());
    EXPECT_FALSE(run("allometry", {{"change", "0"}}).error.empty());
    EXPECT_FALSE(run("allometry", {{"taxon", "57:4"}}).error.empty());  // a separator
    EXPECT_FALSE(run("q10", {{"adjusted-value", "2"}, {"adjusted-temp", "37"}}).error.empty());
    EXPECT_FALSE(run("units", {{"category", "64"}, {"item", "21"}}).error.empty());
    EXPECT_FALSE(run("dayofyear", {{"date", "2023-02-29"}}).error.empty());
    EXPECT_FALSE(run("sun", {{"lat", "95"}, {"day", "1"}}).error.empty());
}

TEST(CalculatorCatalog, NamesAndInputsAreUnique) {
    std::set<std::string> names;
    for (const CalculatorSpec& c : calculatorCatalog()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        std::set<std::string> inputs;
        for (const CalcInputSpec& in : c.inputs) {
            EXPECT_TRUE(inputs.insert(in.name).second) << c.name << " --" << in.name;
        }
    }
    EXPECT_EQ(names.size(), 12u);
}

TEST(CalculatorCatalog, NumberAndDateTexts) {
    EXPECT_TRUE(isNumberText("-12.5"));
    EXPECT_TRUE(isNumberText("+3e2"));
    EXPECT_FALSE(isNumberText("12abc"));
    EXPECT_FALSE(isNumberText(""));
    EXPECT_FALSE(isNumberText("nan"));
    int y = 0, m = 0, d = 0;
    EXPECT_TRUE(parseIsoDate("2024-02-29", y, m, d));
    EXPECT_FALSE(parseIsoDate("2100-02-29", y, m, d));
    EXPECT_FALSE(parseIsoDate("2024-13-01", y, m, d));
    EXPECT_FALSE(parseIsoDate("24-1-1", y, m, d));
}

}  // namespace
}  // namespace trindel
