#include "signal/breakpoint_window.h"

#include <gtest/gtest.h>

#include "signal/conversion.h"
#include "signal/slope_trend_window.h"

namespace trindel {
namespace {

class BreakpointWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetInitialVariableValues(p, {1280, 1024});
        p.channels.Nvar[0][2] = 3.0f;
    }
    Program p;
};

TEST_F(BreakpointWindowTest, DoneMakesBreakpointTypeAndConverts) {
    BreakpointWindow w(p, 2);
    EXPECT_EQ(p.channels.Nvar[0][2], 1.0f);  // linear while open
    w.setBreakpointField("1");
    EXPECT_TRUE(w.setEquation(BreakpointPart::Lower, kConvLinear, {0.0f, 2.0f, 0.0f}));
    w.setOnVolts(BreakpointPart::Lower, true);
    w.toggle(BreakpointPart::Upper);
    EXPECT_FALSE(w.setEquation(BreakpointPart::Upper, kConvPower, {1.0f, 1.0f, 1.0f}));
    w.done();
    EXPECT_EQ(p.channels.Nvar[0][2], 5.0f);
    EXPECT_EQ(w.record()[kBpBreakpoint], 1.0f);
    EXPECT_FLOAT_EQ(ConvertChannelVolts(p, 2, 0.5f).value, 1.5f);
    EXPECT_FLOAT_EQ(ConvertChannelVolts(p, 2, 3.0f).value, 3.0f);  // upper off: initial result
}

TEST_F(BreakpointWindowTest, CloseBoxRestoresTypeButKeepsBreakpoint) {
    BreakpointWindow w(p, 2);
    w.setBreakpointField("2.5");
    w.closeBox();
    EXPECT_EQ(p.channels.Nvar[0][2], 3.0f);
    EXPECT_EQ(p.conversion.BPconvert[2][kBpBreakpoint], 2.5f);
}

TEST_F(BreakpointWindowTest, StoreAsAndGetCopyWholeRecords) {
    {
        BreakpointWindow w(p, 2);
        w.setBreakpointField("0.7");
        w.setMultiplies(BreakpointPart::Upper, true);
        w.storeAs(6);
        w.done();
    }
    EXPECT_EQ(p.conversion.BPconvert[22][kBpBreakpoint], 0.7f);
    EXPECT_EQ(p.conversion.BPconvert[22][kBpUpperMultiplies], 1.0f);
    BreakpointWindow other(p, 4);
    other.get(6);
    EXPECT_EQ(other.breakpointField(), "0.7");
    EXPECT_EQ(p.conversion.BPconvert[4], p.conversion.BPconvert[22]);
    EXPECT_THROW(other.storeAs(7), std::out_of_range);
    EXPECT_THROW(BreakpointWindow(p, 0), std::out_of_range);
}

TEST(SlopeTrendWindowTest, StoresBoxesAndWholePoints) {
    AlarmState alarm;
    alarm.alarms[2][21] = 1.0f;
    alarm.alarms[2][22] = 5.0f;
    SlopeTrendWindow w(alarm, 3);
    EXPECT_TRUE(w.showSlope(2));
    EXPECT_EQ(w.points(2), "5");
    w.setPoints(1, "7.8");
    w.setPoints(3, "-4");
    w.setAll();
    w.slopeSetupOK(alarm);
    EXPECT_EQ(alarm.alarms[1][21], 1.0f);
    EXPECT_EQ(alarm.alarms[1][22], 7.0f);
    EXPECT_EQ(alarm.alarms[3][22], 0.0f);
    w.clearAll();
    w.toggleShowSlope(3);
    w.slopeSetupOK(alarm);
    EXPECT_EQ(alarm.alarms[2][21], 0.0f);
    EXPECT_EQ(alarm.alarms[3][21], 1.0f);
    EXPECT_THROW(w.toggleShowSlope(4), std::out_of_range);
}

}  // namespace
}  // namespace trindel
