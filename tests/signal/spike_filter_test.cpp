#include "signal/spike_filter.h"

#include <gtest/gtest.h>

#include <vector>

#include "signal/spike_filter_window.h"
#include "signal/spike_report.h"

namespace trindel {
namespace {

// A re-read that hands out scripted readings and records the delays asked for.
struct ScriptedReread {
    std::vector<float> readings;
    std::vector<int> delays;
    float operator()(int delayMs) {
        delays.push_back(delayMs);
        return readings.at(delays.size() - 1);
    }
};

class SpikeFilter : public ::testing::Test {
  protected:
    void SetUp() override {
        t.SpikeFilterArray[2] = 2.0f;
        d.lastvoltageX[1][2] = 1.0f;
    }
    ConversionTables t;
    DeviceState d;
};

TEST_F(SpikeFilter, ReReadNearerTheReferenceRemovesTheSpike) {
    ScriptedReread reread{{1.1f}, {}};
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 2, 5.0f, false, reread), 1.0f);
    EXPECT_EQ(t.voltagespikes[2], 1);
    EXPECT_EQ(reread.delays, std::vector<int>{10});
    // The reference moves on to the first reading regardless.
    EXPECT_FLOAT_EQ(d.lastvoltageX[1][2], 5.0f);
    EXPECT_FLOAT_EQ(d.lastvoltageX[2][2], 1.0f);
}

TEST_F(SpikeFilter, ReReadThatConfirmsTheJumpIsKept) {
    ScriptedReread reread{{4.9f}, {}};
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 2, 5.0f, false, reread), 4.9f);
    EXPECT_EQ(t.voltagespikes[2], 0);
}

TEST_F(SpikeFilter, SmallChangeIsNotReRead) {
    ScriptedReread reread{{}, {}};
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 2, 2.9f, false, reread), 2.9f);  // |2.9 - 1| < 2
    EXPECT_TRUE(reread.delays.empty());
    EXPECT_FLOAT_EQ(d.lastvoltageX[1][2], 2.9f);
}

TEST_F(SpikeFilter, DoubleFiltrationDecidesOnTheThirdReading) {
    ScriptedReread reread{{5.0f, 1.2f}, {}};
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 2, 5.0f, true, reread), 1.0f);
    EXPECT_EQ(reread.delays, (std::vector<int>{10, 6}));
    EXPECT_EQ(t.voltagespikes[2], 1);
}

TEST_F(SpikeFilter, AppliesOnlyToDevicesWithRatioAboveOneFromSecondSample) {
    EXPECT_TRUE(spikeFilterApplies(2.0f, 2, 2));
    EXPECT_FALSE(spikeFilterApplies(2.0f, 2, 1));  // never on the first sample of a run
    EXPECT_FALSE(spikeFilterApplies(2.0f, 2, 0));
    EXPECT_FALSE(spikeFilterApplies(1.0f, 2, 5));
    EXPECT_FALSE(spikeFilterApplies(2.0f, 0, 5));  // the demonstration source has its own
}

TEST_F(SpikeFilter, BadChannelLeavesTheReading) {
    ScriptedReread reread{{}, {}};
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 0, 50.0f, false, reread), 50.0f);
    EXPECT_FLOAT_EQ(spikeFilteredReading(t, d, 17, 50.0f, false, reread), 50.0f);
}

TEST_F(SpikeFilter, DemonstrationReferenceTakesAcceptedValueOnlyWhenOn) {
    EXPECT_FLOAT_EQ(demoSpikeFilteredReading(t, d, 2, 5, 4.0f, [] { return 1.05f; }), 1.0f);
    EXPECT_FLOAT_EQ(d.lastvoltageX[1][2], 1.0f);
    EXPECT_EQ(t.voltagespikes[2], 1);
    EXPECT_FLOAT_EQ(demoSpikeFilteredReading(t, d, 2, 5, 0.5f, [] { return 9.0f; }), 0.5f);
    EXPECT_FLOAT_EQ(d.lastvoltageX[1][2], 0.5f);
    EXPECT_FLOAT_EQ(demoSpikeFilteredReading(t, d, 2, 1, 9.7f, [] { return 0.5f; }), 9.7f);
    t.SpikeFilterArray[2] = 1.0f;
    EXPECT_FLOAT_EQ(demoSpikeFilteredReading(t, d, 2, 5, 0.7f, [] { return 9.0f; }), 0.7f);
    EXPECT_FLOAT_EQ(d.lastvoltageX[1][2], 0.5f);
}

class SpikeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        t.SpikeFilterArray.fill(0.0f);
        t.SpikeFilterArray[1] = 2.0f;
        t.SpikeFilterArray[3] = 0.5f;
    }
    ConversionTables t;
    PrefsArray prefs;
};

TEST_F(SpikeWindow, OpensOnStoredRatios) {
    SpikeFilterWindow w(t, prefs, 3);
    EXPECT_TRUE(w.checked(1));
    EXPECT_EQ(w.field(2), "off");
    EXPECT_FALSE(w.checked(3));  // a ratio not above 1 is off
    EXPECT_THROW(w.field(4), std::out_of_range);
}

TEST_F(SpikeWindow, CheckBoxOverFieldNotAboveOneSetsTwo) {
    SpikeFilterWindow w(t, prefs, 3);
    w.setField(2, "0.5");
    EXPECT_STREQ(w.clickChannel(2), "upVip");
    EXPECT_EQ(w.field(2), "2");
    w.setField(3, "7.5");
    w.clickChannel(3);
    EXPECT_EQ(w.field(3), "7.5");
    EXPECT_STREQ(w.clickChannel(1), "downVip");
    EXPECT_EQ(w.field(1), "off");
    EXPECT_TRUE(w.done(t, prefs));
    EXPECT_FLOAT_EQ(t.SpikeFilterArray[1], 0.0f);
    EXPECT_FLOAT_EQ(t.SpikeFilterArray[2], 2.0f);
    EXPECT_FLOAT_EQ(t.SpikeFilterArray[3], 7.5f);
}

TEST_F(SpikeWindow, DoneStoresRatiosNotAboveOneAsOff) {
    SpikeFilterWindow w(t, prefs, 2);
    for (const char* text : {"1", "abc"}) {
        w.setField(1, text);
        EXPECT_FALSE(w.done(t, prefs)) << text;
        EXPECT_FLOAT_EQ(t.SpikeFilterArray[1], 0.0f) << text;
        EXPECT_EQ(prefs[kPrefSpikeFilter], 0);
    }
}

TEST_F(SpikeWindow, AllOffAndPresetsAndDoubleFiltration) {
    SpikeFilterWindow w(t, prefs, 3);
    EXPECT_STREQ(w.setAllFilters(1.5f), "upVip");
    w.toggleDoubleFiltration();
    EXPECT_TRUE(w.done(t, prefs));
    EXPECT_EQ(prefs[kPrefSpikeFilter], 1);
    EXPECT_EQ(prefs[kPrefDoubleSpikeFilter], 1);
    EXPECT_FLOAT_EQ(t.SpikeFilterArray[2], 1.5f);
    EXPECT_STREQ(w.allFiltersOff(), "downVip");
    EXPECT_FALSE(w.checked(2));
    EXPECT_FALSE(w.done(t, prefs));
    EXPECT_FLOAT_EQ(t.SpikeFilterArray[3], 0.0f);
}

TEST(SpikeReport, SingularPluralAndNone) {
    ConversionTables t;
    t.voltagespikes[1] = 1;
    t.voltagespikes[2] = 2;
    const auto lines = ShowVoltageSpikes(t, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "chan 1:  1 spike removed");
    EXPECT_EQ(lines[1], "chan 2:  2 spikes removed");
    EXPECT_EQ(lines[2], "chan 3:    no spikes detected");
    EXPECT_EQ(ShowVoltageSpikes(t, 40).size(), 16u);
}

}  // namespace
}  // namespace trindel
