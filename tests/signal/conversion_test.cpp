#include "signal/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "signal/breakpoint.h"
#include "signal/polynomial.h"
#include "signal/special_ops.h"

namespace trindel {
namespace {

constexpr int kChan = 3;

void setChannel(Program& p, int channel, float type, float a, float b, float c) {
    p.channels.Nvar[0][channel] = type;
    p.channels.Nvar[channel][kCoeffA] = a;
    p.channels.Nvar[channel][kCoeffB] = b;
    p.channels.Nvar[channel][kCoeffC] = c;
}

float convert(Program& p, float volts) {
    return ConvertChannelVolts(p, kChan, volts).value;
}

TEST(ChannelEquations, LinearAndQuadratic) {
    Program p;
    setChannel(p, kChan, kConvLinear, 2.0f, 3.0f, 0.0f);
    EXPECT_FLOAT_EQ(convert(p, 1.5f), 6.5f);
    setChannel(p, kChan, kConvQuadratic, 1.0f, 2.0f, 3.0f);
    EXPECT_FLOAT_EQ(convert(p, 2.0f), 1.0f + 4.0f + 12.0f);
}

TEST(ChannelEquations, PowerGuardsOnlyFractionalExponentsOfNegativeReadings) {
    Program p;
    setChannel(p, kChan, kConvPower, 1.0f, 4.0f, 0.5f);
    EXPECT_EQ(convert(p, -1.0f), 0.0f);
    EXPECT_FLOAT_EQ(convert(p, 4.0f), 1.0f + 4.0f * 2.0f);
    setChannel(p, kChan, kConvPower, 1.0f, 4.0f, 2.0f);
    EXPECT_FLOAT_EQ(convert(p, -1.0f), 5.0f);  // a + b
    // A reading of 0 is evaluated: 0^0 is 1.
    setChannel(p, kChan, kConvPower, 1.0f, 4.0f, 0.0f);
    EXPECT_FLOAT_EQ(convert(p, 0.0f), 5.0f);
}

TEST(ChannelEquations, LogarithmIsNaturalInRecordingAndBase10InTestWindow) {
    Program p;
    setChannel(p, kChan, kConvLogarithmic, 2.0f, 3.0f, 1.0f);
    EXPECT_FLOAT_EQ(convert(p, std::exp(1.0f)), 5.0f);
    EXPECT_EQ(convert(p, 0.0f), 0.0f);
    EXPECT_EQ(convert(p, -2.0f), 0.0f);
    EXPECT_FLOAT_EQ(evaluateChannelEquation(p, kChan, 10.0f, LogBase::Ten), 5.0f);
    EXPECT_FLOAT_EQ(evaluateChannelEquation(p, kChan, 10.0f), 2.0f + 3.0f * std::log(10.0f));
}

TEST(ChannelEquations, ReciprocalOfZeroIsZero) {
    Program p;
    setChannel(p, kChan, kConvReciprocal, 1.0f, 4.0f, 0.0f);
    EXPECT_EQ(convert(p, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(convert(p, 2.0f), 3.0f);
}

TEST(ChannelEquations, TypesWithoutEquationPassTheVolts) {
    Program p;
    for (float type : {4.0f, 0.0f, 10.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f}) {
        setChannel(p, kChan, type, 7.0f, 9.0f, 2.0f);
        EXPECT_FLOAT_EQ(convert(p, 1.25f), 1.25f) << "type " << type;
    }
}

TEST(ChannelEquations, KeyboardRecordsTheKeyboardLevel) {
    Program p;
    setChannel(p, kChan, kConvKeyboard, -9999.0f, 1.0f, 1.0f);
    p.chart.ASCIIvalue = -2;
    EXPECT_EQ(convert(p, 3.3f), -2.0f);
}

TEST(ChannelEquations, ThreeWayScalesTheInputThenTheResult) {
    Program p;
    setChannel(p, kChan, kConvThreeWay, 9999.0f, 10.0f, 1.0f);
    auto& poly = p.conversion.polyarray[kChan];
    poly = {1.0f, 2.0f, 3.0f, 4.0f, 0.0f, 0.5f, 2.0f, 0.0f};
    // The cubic at 2: 1 + 4 + 12 + 32 = 49, times 0.5.
    EXPECT_FLOAT_EQ(convert(p, 1.0f), 24.5f);
}

TEST(ChannelEquations, OutOfRangeChannelReturnsVolts) {
    Program p;
    EXPECT_EQ(ConvertChannelVolts(p, 0, 1.5f).value, 1.5f);
    EXPECT_EQ(ConvertChannelVolts(p, 17, 1.5f).value, 1.5f);
    EXPECT_EQ(ConvertChannelVolts(p, -4, 1.5f).beforeSpecial, 1.5f);
}

// The start-up record: every equation the identity, in force, joined by addition, on the
// initial result.
BreakpointRecord identityRecord() {
    BreakpointRecord r{};
    r.fill(1.0f);
    for (int e : {3, 5, 8, 10, 13, 15, 18, 19}) {
        r[e] = 0.0f;
    }
    return r;
}

class Breakpoint : public ::testing::Test {
  protected:
    void SetUp() override {
        r = identityRecord();
        r[kBpBreakpoint] = 1.0f;
        r[kBpLowerA + 1] = 2.0f;  // lower b = 2
        r[kBpLowerOnVolts] = 1.0f;
        r[kBpUpperOn] = 0.0f;
    }
    BreakpointRecord r;
};

TEST_F(Breakpoint, LowerRangeAddsToInitialResult) {
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.5f), 0.5f + 1.0f);
}

TEST_F(Breakpoint, RangeEquationOffGivesTheInitialResult) {
    r[kBpInitialA + 1] = 3.0f;  // initial b = 3
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 2.0f), 6.0f);
    // The breakpoint itself belongs to the upper range.
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 1.0f), 3.0f);
}

TEST_F(Breakpoint, InitialOffLeavesRangeResultAloneOnVolts) {
    r[kBpInitialOn] = 0.0f;
    r[kBpLowerOnVolts] = 0.0f;  // "Initial" input reads the volts
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.5f), 1.0f);
    r[kBpLowerMultiplies] = 1.0f;
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.5f), 1.0f);
    // Both the initial and the range equation off: the volts themselves.
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 1.5f), 1.5f);
}

TEST_F(Breakpoint, MultiplyAndInitialInput) {
    r[kBpInitialA] = 1.0f;  // I = 1 + V
    r[kBpLowerOnVolts] = 0.0f;
    r[kBpLowerMultiplies] = 1.0f;
    // V = 0.5: I = 1.5, L = 2 x 1.5 = 3, value 4.5.
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.5f), 4.5f);
}

TEST_F(Breakpoint, UpperEquationTypesAndGuards) {
    r[kBpUpperOn] = 1.0f;
    r[kBpUpperOnVolts] = 1.0f;
    r[kBpUpperType] = kConvPower;
    r[kBpUpperA + 1] = 2.0f;
    r[kBpUpperA + 2] = 2.0f;  // 2 x^2
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 3.0f), 3.0f + 18.0f);
    // Power of an input at or below 0 gives 0 in a breakpoint equation.
    r[kBpBreakpoint] = -5.0f;
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, -1.0f), -1.0f);
    r[kBpUpperType] = kConvReciprocal;
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 4.0f), 4.0f + 0.5f);
    r[kBpUpperType] = kConvQuadratic;  // a + b x + c x^2 = 2x + 2x^2
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 2.0f), 2.0f + 4.0f + 8.0f);
    r[kBpUpperType] = kConvLogarithmic;  // not a breakpoint equation: 0
    EXPECT_FLOAT_EQ(evaluateBreakpoint(r, 2.0f), 2.0f);
}

class SpecialOps : public ::testing::Test {
  protected:
    void SetUp() override {
        setChannel(p, kChan, kConvLinear, 0.0f, 1.0f, 0.0f);  // value = volts, a percentage
        ops()[kOpsFlowRate] = 500.0f;
        ops()[kOpsFiO2] = 0.2095f;
        ops()[kOpsRQ] = 0.8f;
        ops()[kOpsFiCO2] = 0.0004f;
        deriveSpecialOpsConstants(ops());
    }
    SpecialOpsRecord& ops() { return p.conversion.SpecialOps[kChan]; }
    void set(int operation, int variant) {
        ops()[kOpsOperation] = static_cast<float>(operation);
        ops()[kOpsVariant] = static_cast<float>(variant);
    }
    Program p;
};

TEST_F(SpecialOps, OxygenConsumptionVariants) {
    const float f = 0.01f;  // 1 % deflection
    set(kOpVO2, 1);
    EXPECT_NEAR(convert(p, 1.0f), 500.0f * f / (1.0f - (0.2095f - f)), 1e-4);
    set(kOpVO2, 2);
    EXPECT_NEAR(convert(p, 1.0f), 500.0f * f / (1.0f - 0.2095f), 1e-4);
    set(kOpVO2, 4);
    EXPECT_NEAR(convert(p, 1.0f), 500.0f * f / (1.0f - 0.2095f * (1.0f - 0.8f)), 1e-4);
    set(kOpVO2, 3);  // no such variant: the value as converted
    EXPECT_FLOAT_EQ(convert(p, 1.0f), 1.0f);
    set(kOpVO2, 2);
    const ConvertedValue cv = ConvertChannelVolts(p, kChan, 1.0f);
    EXPECT_FLOAT_EQ(cv.beforeSpecial, 1.0f);  // the equation result is kept as well
    EXPECT_GT(cv.value, 6.0f);
}

TEST_F(SpecialOps, CarbonDioxideAndWaterLoss) {
    const float f = 0.01f;
    set(kOpVCO2, 1);
    EXPECT_NEAR(convert(p, 1.0f), 500.0f * f / (1.0f - 0.0004f * (1.0f + 1.0f / 0.8f)), 1e-4);
    set(kOpVCO2, 2);
    const float k15 = 1.0f - 0.0004f * (1.0f - 1.0f / 0.8f);
    EXPECT_NEAR(convert(p, 1.0f), 500.0f * f / (1.0f - (0.0004f + f) * k15), 1e-4);
    set(kOpEWL, 1);
    ops()[kOpsAirTemperature] = 20.0f;
    deriveSpecialOpsConstants(ops());
    // 50 % relative humidity at 500 ml/min and 20 C: about 4.32 mg of water per minute.
    EXPECT_NEAR(convert(p, 50.0f), 500.0f * 0.5f * 0.01729f, 0.02f);
}

TEST_F(SpecialOps, OutputUnits) {
    set(kOpVO2, 2);
    const float plain = convert(p, 1.0f);
    for (auto [unit, factor] :
         {std::pair{1.0f, 1000.0f}, {2.0f, 1.0f}, {3.0f, 60.0f}, {4.0f, 0.06f}}) {
        ops()[kOpsOutputUnit] = unit;
        EXPECT_FLOAT_EQ(convert(p, 1.0f), plain * factor) << unit;
    }
}

TEST_F(SpecialOps, FlowFromLaterChannelUsesPreviousSample) {
    set(kOpVO2, 2);
    ops()[kOpsFlowSource] = kFlowFromChannel;
    ops()[kOpsFlowRate] = 5.0f;  // channel 5 carries the flow
    p.session.Sample = 10;
    p.store.set(5, 9, 400.0f);
    p.store.set(5, 10, 800.0f);
    EXPECT_NEAR(convert(p, 1.0f), 400.0f * 0.01f / (1.0f - 0.2095f), 1e-4);
    // A flow channel converted earlier in the scan contributes this sample's value.
    p.store.set(2, 9, 100.0f);
    p.store.set(2, 10, 200.0f);
    ops()[kOpsFlowRate] = 2.0f;
    EXPECT_NEAR(convert(p, 1.0f), 200.0f * 0.01f / (1.0f - 0.2095f), 1e-4);
}

TEST_F(SpecialOps, FlowWithoutValidSourceIsZero) {
    set(kOpVO2, 2);
    ops()[kOpsFlowSource] = kFlowFromChannel;
    for (float source : {0.0f, 17.0f, -1.0f, std::numeric_limits<float>::infinity()}) {
        ops()[kOpsFlowRate] = source;
        EXPECT_EQ(convert(p, 1.0f), 0.0f) << source;
    }
    ops()[kOpsFlowRate] = 9.0f;  // later channel, but there is no previous sample yet
    p.session.Sample = 0;
    EXPECT_EQ(convert(p, 1.0f), 0.0f);
}

TEST_F(SpecialOps, ZeroDivisorGivesZero) {
    set(kOpVO2, 2);
    ops()[kOpsFiO2] = 1.0f;
    EXPECT_EQ(convert(p, 1.0f), 0.0f);
    set(kOpVCO2, 1);
    ops()[kOpsVCO2Divisor] = 0.0f;
    EXPECT_EQ(convert(p, 1.0f), 0.0f);
}

TEST(SpecialOpsConstants, RQOfOneAndDefaults) {
    SpecialOpsRecord r{};
    r[kOpsRQ] = 1.0f;
    r[kOpsFiO2] = 0.2095f;
    r[kOpsFiCO2] = 0.03f;
    deriveSpecialOpsConstants(r);
    EXPECT_FLOAT_EQ(r[kOpsVO2RQDivisor], 1.0f);
    EXPECT_FLOAT_EQ(r[kOpsCO2Factor], 1.0f);
    EXPECT_FLOAT_EQ(r[kOpsVCO2Divisor], 1.0f - 0.06f);
    r[kOpsRQ] = 0.0f;
    deriveSpecialOpsConstants(r);
    EXPECT_FLOAT_EQ(r[kOpsRQ], kDefaultRQ);
    EXPECT_TRUE(std::isfinite(r[kOpsCO2Factor]));
}

TEST(SpecialOpsConstants, StoreFinalValueWhenElementTenIsOdd) {
    SpecialOpsRecord r{};
    for (float v : {0.0f, 1.0f, 2.0f, 3.0f}) {
        r[kOpsStoreFinal] = v;
        EXPECT_EQ(storesFinalValue(r), v == 1.0f || v == 3.0f) << v;
    }
}

TEST(WaterVapour, SaturationFactorMatchesSteamTables) {
    // Ideal-gas density of saturated vapour: 1013 hPa at 373 K, 23.4 hPa at 293 K, 6.11 hPa at
    // 273 K.
    EXPECT_NEAR(saturationVapourFactor(100.0f), 0.5882f, 0.002f);
    EXPECT_NEAR(saturationVapourFactor(20.0f), 0.01730f, 0.0001f);
    EXPECT_NEAR(saturationVapourFactor(0.0f), 0.004847f, 0.00005f);
}

class ResponseCorrection : public ::testing::Test {
  protected:
    void SetUp() override {
        setChannel(p, kChan, kConvLinear, 0.0f, 1.0f, 0.0f);
        p.conversion.SpecialOps[kChan][kOpsResponseOn] = 1.0f;
    }
    float at(int32_t sample, float volts) {
        p.session.Sample = sample;
        return convert(p, volts);
    }
    Program p;
};

TEST_F(ResponseCorrection, ZOfOneOrNotAboveZeroLeavesTheValue) {
    for (float z : {1.0f, 0.0f, -2.0f}) {
        p.conversion.SpecialOps[kChan][kOpsZValue] = z;
        EXPECT_FLOAT_EQ(at(1, 0.0f), 0.0f);
        EXPECT_FLOAT_EQ(at(2, 10.0f), 10.0f) << z;
    }
}

TEST_F(ResponseCorrection, ZOfTwoHalvesAStep) {
    p.conversion.SpecialOps[kChan][kOpsZValue] = 2.0f;
    EXPECT_FLOAT_EQ(at(1, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(at(2, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(at(3, 10.0f), 5.0f);
    EXPECT_FLOAT_EQ(at(4, 10.0f), 10.0f);
}

TEST_F(ResponseCorrection, FirstSampleHasNoPastAndSampleZeroIsUntouched) {
    p.conversion.SpecialOps[kChan][kOpsZValue] = 4.0f;
    p.conversion.SpecialOps[kChan][kOpsPreviousValue] = 100.0f;
    EXPECT_FLOAT_EQ(at(0, 8.0f), 8.0f);
    EXPECT_FLOAT_EQ(p.conversion.SpecialOps[kChan][kOpsPreviousValue], 100.0f);
    EXPECT_FLOAT_EQ(at(1, 8.0f), 8.0f);
    EXPECT_FLOAT_EQ(at(2, 0.0f), 6.0f);  // 8 + (0 - 8) / 4
}

}  // namespace
}  // namespace trindel
