#include "signal/direct_calibration.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

DirectCalibrationModel window(int type = kCalLinear) {
    return DirectCalibrationModel(3, 5, "O2 sensor", type);
}

TEST(DirectCalibration, TitleCountAndEquationTexts) {
    auto m = window();
    EXPECT_EQ(m.title(), "Direct Calibration for Channel 3, Input 5   (100 points maximum)");
    EXPECT_EQ(m.countText(), "0 points entered");
    m.addPoint(1.0, 0.1);
    EXPECT_EQ(m.countText(), "1 point entered");
    m.addPoint(2.0, 0.2);
    EXPECT_EQ(m.countText(), "2 points entered");
    const std::pair<int, const char*> equations[] = {{kCalLinear, "A + B*volts"},
                                                     {kCalPower, "B*volts^exponent"},
                                                     {kCalQuadratic, "A + B*volts + C*volts^ 2 "}};
    for (auto [type, text] : equations) {
        m.setType(type);
        EXPECT_EQ(m.equationText(), text);
        EXPECT_EQ(m.powerNoteShown(), type == kCalPower);
    }
}

TEST(DirectCalibration, StartsOnTheChannelsFitTypeOrLinear) {
    EXPECT_EQ(window(kCalPower).type(), kCalPower);
    EXPECT_EQ(window(kCalQuadratic).type(), kCalQuadratic);
    EXPECT_EQ(window(5).type(), kCalLinear);  // a breakpoint channel
    EXPECT_EQ(window(9).type(), kCalLinear);
}

TEST(DirectCalibration, ReadingsAreOneOfTheOfferedCounts) {
    auto m = window();
    m.setReadings(50);
    EXPECT_EQ(m.readings(), 50);
    m.setReadings(7);
    EXPECT_EQ(m.readings(), 50);
    m.setReadings(0);
    EXPECT_EQ(m.readings(), 50);
}

TEST(DirectCalibration, FitsFromTheThirdPointAndStoresItOnEquationOK) {
    auto m = window();
    m.addPoint(0.0, 0.0);
    m.addPoint(10.0, 1.0);
    EXPECT_FALSE(m.hasFit());
    m.addPoint(20.0, 2.0);
    ASSERT_TRUE(m.hasFit());
    EXPECT_EQ(m.statsText(), "N = 3,  r-squared = 1");
    EXPECT_EQ(m.fitText(), "A = 0,  B = 10");
    m.setLabel("oxygen (%)");
    const CalibrationResult r = m.equationOK();
    EXPECT_EQ(r.type, kCalLinear);
    EXPECT_NEAR(r.k.a, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(r.k.b, 10.0f);
    EXPECT_FLOAT_EQ(r.k.c, 0.0f);
    EXPECT_FLOAT_EQ(r.range.min, 0.0f);
    EXPECT_FLOAT_EQ(r.range.max, 20.0f);
    EXPECT_EQ(r.label, "oxygen (%)");
}

TEST(DirectCalibration, SwitchingTypeRefitsAndResidualsFollow) {
    auto m = window();
    for (double x : {1.0, 2.0, 3.0, 4.0}) {
        m.addPoint(x * x, x);
    }
    ASSERT_EQ(m.residuals().size(), 4u);
    EXPECT_GT(std::abs(m.residuals()[0]), 0.1);  // a line misses a parabola
    m.setType(kCalQuadratic);
    for (double r : m.residuals()) {
        EXPECT_NEAR(r, 0.0, 1e-9);
    }
    m.setType(kCalPower);
    EXPECT_NEAR(m.fit().c, 2.0, 1e-6);
    EXPECT_EQ(m.equationOK().type, kCalPower);
}

TEST(DirectCalibration, WithoutAFitLeavingGivesTheIdentity) {
    struct Case {
        int type;
        int points;
        float c;
    };
    for (const Case& k :
         {Case{kCalLinear, 2, 0.0f}, Case{kCalPower, 0, 1.0f}, Case{kCalQuadratic, 1, 1.0f}}) {
        auto m = window(k.type);
        for (int i = 0; i < k.points; ++i) {
            m.addPoint(i * 5.0, i + 0.5);
        }
        const CalibrationResult r = m.equationOK();
        EXPECT_EQ(r.type, k.type);
        EXPECT_FLOAT_EQ(r.k.a, 0.0f);
        EXPECT_FLOAT_EQ(r.k.b, 1.0f);
        EXPECT_FLOAT_EQ(r.k.c, k.c);
        EXPECT_FLOAT_EQ(r.range.min, 0.0f);
        EXPECT_FLOAT_EQ(r.range.max, 1.0f);
    }
}

TEST(DirectCalibration, PointsThatDetermineNoFitSayWhyAndGiveTheIdentity) {
    auto m = window();
    for (double y : {1.0, 2.0, 3.0}) {
        m.addPoint(y, 0.4);
    }
    EXPECT_FALSE(m.hasFit());
    EXPECT_FALSE(m.problemText().empty());
    EXPECT_FLOAT_EQ(m.equationOK().k.b, 1.0f);
}

TEST(DirectCalibration, CloseBoxDiscardsThePoints) {
    auto m = window();
    for (double x : {0.0, 1.0, 2.0}) {
        m.addPoint(10.0 * x, x);
    }
    const CalibrationResult r = m.closeBox();
    EXPECT_TRUE(m.points().empty());
    EXPECT_FLOAT_EQ(r.k.a, 0.0f);
    EXPECT_FLOAT_EQ(r.k.b, 1.0f);
    EXPECT_FLOAT_EQ(r.range.max, 1.0f);
}

TEST(DirectCalibration, TheHundredthPointEndsTheTable) {
    auto m = window();
    for (int i = 0; i < kMaxCalibrationPoints; ++i) {
        EXPECT_FALSE(m.full());
        EXPECT_TRUE(m.addPoint(i, i * 0.01));
    }
    EXPECT_TRUE(m.full());
    EXPECT_FALSE(m.addPoint(1000.0, 5.0));
    EXPECT_EQ(m.points().size(), 100u);
    m.clear();
    EXPECT_EQ(m.countText(), "0 points entered");
}

}  // namespace
}  // namespace trindel
