#include "calculators/closed_system.h"

#include <gtest/gtest.h>

#include "calculators/closed_system_windows.h"
#include "platform/virtual_platform.h"
#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {
namespace {

TEST(ClosedSystem, FirstValuesWithEachCo2Handling) {
    const ClosedSystemInput in;
    const ClosedSystemResult absorbed = ClosedSystemRespCalc(in, Co2Handling::Absorbed);
    EXPECT_EQ(StringFormatter(absorbed.stpVolume.value), " 931.81");
    EXPECT_NEAR(absorbed.vo2.value, 5.857, 1e-3);
    EXPECT_NEAR(absorbed.vo2Rate.value, 0.07142, 1e-5);
    EXPECT_NEAR(absorbed.vco2.value, 4.653, 1e-3);
    EXPECT_NEAR(absorbed.vco2Rate.value, absorbed.vco2.value / 82.0, 1e-12);
    EXPECT_NEAR(ClosedSystemRespCalc(in, Co2Handling::UseCo2).vo2.value, 4.659, 1e-3);
    EXPECT_NEAR(ClosedSystemRespCalc(in, Co2Handling::UseRq).vo2.value, 4.806, 1e-3);
}

TEST(ClosedSystem, NoChangeGivesZeroAndTheRqFormForCo2) {
    ClosedSystemInput in;
    in.deltaCO2 = 0.0;
    EXPECT_EQ(ClosedSystemRespCalc(in, Co2Handling::UseRq).vco2.value, 0.0);
    in = ClosedSystemInput{};
    in.deltaO2 = 0.0;
    const ClosedSystemResult r = ClosedSystemRespCalc(in, Co2Handling::UseRq);
    EXPECT_EQ(r.vo2.value, 0.0);
    // Vs × ΔC / (1 − FeCO2 × (1 − 1/RQ)) with FeCO2 = 0.00538.
    EXPECT_NEAR(r.vco2.value, 931.81 * 0.005 / (1.0 - 0.00538 * (1.0 - 1.0 / 0.85)), 1e-2);
}

TEST(ClosedSystem, ZeroTimeAndZeroRqGiveReasons) {
    ClosedSystemInput in;
    in.hours = 0.0;
    in.minutes = 0.0;
    const ClosedSystemResult r = ClosedSystemRespCalc(in, Co2Handling::Absorbed);
    EXPECT_TRUE(r.vo2.ok());
    EXPECT_FALSE(r.vo2Rate.ok());
    EXPECT_FALSE(r.vco2Rate.ok());
    in = ClosedSystemInput{};
    in.deltaO2 = 0.0;
    in.rq = 0.0;
    EXPECT_FALSE(ClosedSystemRespCalc(in, Co2Handling::UseRq).vco2.ok());
}

TEST(ClosedSystemWindow, ChoicesFollowTheChangeFields) {
    ClosedSystemWindow w;
    EXPECT_EQ(w.vo2.text, "5.85676");
    w.deltaCO2 = "0";
    Co2Choices c = w.choices();
    EXPECT_FALSE(c.useCo2Enabled);
    EXPECT_FALSE(c.absorbedEnabled);
    EXPECT_EQ(c.handling, Co2Handling::UseRq);
    w.calculate();
    EXPECT_TRUE(w.useRq);
    EXPECT_EQ(w.vco2.text, "0");
    EXPECT_EQ(w.vo2.text, "4.80649");
    w.deltaCO2 = ".5";
    w.co2Absorbed = false;
    w.useRq = false;
    w.deltaO2 = "";
    c = w.choices();
    EXPECT_TRUE(c.useRqSelected);
    w.deltaO2 = ".5";
    w.calculate();
    EXPECT_EQ(w.vo2.text, "4.65905");
    w.hours = "0";
    w.minutes = "0";
    w.calculate();
    EXPECT_EQ(w.vo2Rate.text, kNoResultText);
    EXPECT_EQ(w.vo2Rate.reason, "The elapsed time is 0 minutes.");
}

TEST(DissolvedOxygen, KnownAnswerAndSign) {
    const double factor = oxygenSaturationFactor(100.0, 760.0, 20.95);
    const CalcResult perLitre = O2CONTENT(10.0, 2.0, factor);
    EXPECT_NEAR(perLitre.value, 7.942, 1e-3);
    EXPECT_EQ(dissolvedOxygenText(perLitre.value), "7.942258792");
    EXPECT_EQ(dissolvedOxygenText(-3.971), "-3.971");

    Program p;
    DissolvedOxygenWindow w(p);
    EXPECT_EQ(w.temperature, "10");     // a stored 0 °C shows as 10
    EXPECT_EQ(p.notes.flowtemp, 0.0f);  // but the recording keeps its own value
    EXPECT_EQ(w.content.text, "79.42258792");
    w.saturation = "-50";
    w.compute();
    EXPECT_EQ(w.perLitre.text.front(), '-');
}

TEST(Q10, AdjustAndDeriveBothWays) {
    EXPECT_NEAR(*q10AdjustedValue(2.2, 37.0, 39.0, 1.0), 1.1708f, 1e-4f);
    EXPECT_NEAR(q10FromRates(37.0, 39.0, 1.0, 1.1708)->value, 2.2, 1e-3);
    EXPECT_FALSE(q10AdjustedValue(-1.0, 37.0, 39.0, 1.0).has_value());
    EXPECT_FALSE(q10FromRates(37.0, 37.0, 1.0, 2.0).has_value());
    EXPECT_FALSE(q10FromRates(37.0, 39.0, 0.0, 2.0)->ok());
    EXPECT_FALSE(q10FromRates(37.0, 40.0, 1.0, -2.0)->ok());  // no real cube root form
}

TEST(Q10Window, BzotLeavesTheFieldsAlone) {
    Program p;
    VirtualSounds sounds;
    Q10Window w;
    w.computeAdjusted(sounds, p);
    EXPECT_EQ(w.adjustedValue, "1.170805");
    w.computeQ10(sounds, p);
    EXPECT_NEAR(fieldValue(w.q10), 2.2, 1e-5);
    w.q10 = "-2";
    w.computeAdjusted(sounds, p);
    EXPECT_EQ(w.adjustedValue, "1.170805");
    w.adjustedT = "37";
    w.computeQ10(sounds, p);
    EXPECT_EQ(w.q10, "-2");
    EXPECT_EQ(sounds.log, (std::vector<std::string>{"bzot", "bzot"}));
}

}  // namespace
}  // namespace trindel
