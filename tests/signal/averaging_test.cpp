#include "signal/averaging.h"

#include <gtest/gtest.h>

#include <limits>

#include "signal/averaging_window.h"

namespace trindel {
namespace {

TEST(SampleAveraging, ReadingsPerSampleIsAtLeastOne) {
    EXPECT_EQ(readingsPerSample(-3.0f), 1);
    EXPECT_EQ(readingsPerSample(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(readingsPerSample(4.9f), 4);
    EXPECT_EQ(readingsPerSample(1e20f), 1000000);
}

TEST(SampleAveraging, MeanAndOverRangeFlag) {
    SampleAverager avg;
    EXPECT_EQ(avg.volts(), 0.0f);
    avg.add(1.0f, false);
    avg.add(2.0f, true);
    avg.add(6.0f, false);
    EXPECT_FLOAT_EQ(avg.volts(), 3.0f);
    EXPECT_TRUE(avg.overRange);
}

TEST(ContinuousAveraging, AllChannelsMeanOverPasses) {
    Program p;
    p.session.TotalScans = 10;
    p.conversion.scanvolts[2] = 99.0;
    p.chart.scanavrg = 5;
    clearScanSums(p);
    EXPECT_EQ(scanVolts(p, 2), 0.0f);  // no pass yet: no division by zero
    for (float reading : {1.0f, 2.0f, 4.5f}) {
        addScanReading(p.conversion, 2, reading);
        addScanReading(p.conversion, 3, -reading);
        countScanPass(p.chart);
    }
    addScanReading(p.conversion, 0, 100.0f);  // ignored
    EXPECT_FLOAT_EQ(scanVolts(p, 2), 2.5f);
    EXPECT_FLOAT_EQ(scanVolts(p, 3), -2.5f);
    addScansToTotal(p);
    EXPECT_EQ(p.session.TotalScans, 13);
}

class LastChannel : public ::testing::Test {
  protected:
    void SetUp() override {
        p.session.nChan = 3;
        p.channels.Nvar[1][kSamplesToAverage] = 0.0f;
        p.channels.Nvar[3][kSamplesToAverage] = 0.0f;
    }
    Program p;
};

TEST_F(LastChannel, OnlyTheLastChannelWithZeroSamples) {
    EXPECT_TRUE(isLastChannelContinuous(p, 3));
    EXPECT_FALSE(isLastChannelContinuous(p, 1));
    p.channels.Nvar[3][kSamplesToAverage] = 2.0f;
    EXPECT_FALSE(isLastChannelContinuous(p, 3));
    p.channels.Nvar[3][kSamplesToAverage] = 0.0f;
    p.prefs[kPrefContinuousScanning] = 1;
    EXPECT_FALSE(isLastChannelContinuous(p, 3));
}

TEST_F(LastChannel, AveragesReadingsBetweenScansAndStartsAfresh) {
    ChartState& t = p.chart;
    int reads = 0;
    auto readNow = [&reads] {
        ++reads;
        return -8.0f;
    };
    addLastChannelReading(t, 1.0f, false);
    addLastChannelReading(t, -3.0f, false);
    EXPECT_FLOAT_EQ(takeLastChannelAverage(t, false, readNow), -1.0f);
    EXPECT_EQ(reads, 0);
    // No pass between two scans: one reading at the scan instead of a division by zero.
    EXPECT_FLOAT_EQ(takeLastChannelAverage(t, false, readNow), -8.0f);
    EXPECT_EQ(reads, 1);
}

TEST_F(LastChannel, AbsoluteValues) {
    ChartState& t = p.chart;
    addLastChannelReading(t, 1.0f, true);
    addLastChannelReading(t, -3.0f, true);
    EXPECT_FLOAT_EQ(takeLastChannelAverage(t, true, [] { return 0.0f; }), 2.0f);
    EXPECT_FLOAT_EQ(takeLastChannelAverage(t, true, [] { return -4.0f; }), 4.0f);
}

TEST(AveragingFields, NumberContinuousAndNotApplicable) {
    Program p;
    p.session.nChan = 3;
    p.channels.Nvar[1][kSamplesToAverage] = 25.0f;
    EXPECT_EQ(averagingFieldText(p, 1), " 25");
    EXPECT_EQ(averagingFieldText(p, 2), " 1");
    p.prefs[kPrefLastChannelContinuous] = 1;
    EXPECT_EQ(averagingFieldText(p, 3), "cont");
    EXPECT_EQ(averagingFieldText(p, 1), " 25");
    p.prefs[kPrefContinuousScanning] = 1;
    EXPECT_EQ(averagingFieldText(p, 1), "cont");
    p.session.RecordingMODE = 3;
    EXPECT_EQ(averagingFieldText(p, 1), "N.A.");
    p.device.External_AD = 8;
    EXPECT_EQ(averagingFieldText(p, 2), "N.A.");
}

class AveragingWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.session.nChan = 4;
        p.chart.MaxAvrg = 37;
    }
    Program p;
};

TEST_F(AveragingWindowTest, FieldStartsAtEstimateAndZeroGivesOneReading) {
    AveragingWindow w(p, 2);
    EXPECT_EQ(w.field(), "37");
    EXPECT_EQ(w.selectionOK(), 37);
    w.setField("0");
    EXPECT_EQ(w.selectionOK(), 1);
    w.setField("12.8");
    EXPECT_EQ(w.selectionOK(), 12);
    w.setField("lots");
    EXPECT_EQ(w.selectionOK(), 1);
    EXPECT_FALSE(w.lastChannelButtonShown());
}

TEST_F(AveragingWindowTest, ContinuousSwitchesExcludeEachOther) {
    AveragingWindow w(p, 4);
    EXPECT_TRUE(w.lastChannelButtonShown());
    EXPECT_FALSE(w.absoluteValueEnabled());
    w.toggleAbsoluteValue();
    EXPECT_EQ(p.conversion.AbsVal, 0);  // disabled without last-channel averaging
    w.toggleLastChannel();
    EXPECT_TRUE(w.absoluteValueEnabled());
    w.toggleAbsoluteValue();
    EXPECT_EQ(p.conversion.AbsVal, 1);
    EXPECT_EQ(w.selectionOK(), 0);
    w.toggleAllChannels();
    EXPECT_EQ(p.prefs[kPrefContinuousScanning], 1);
    EXPECT_EQ(p.prefs[kPrefLastChannelContinuous], 0);
    EXPECT_EQ(p.conversion.AbsVal, 0);
    w.toggleAllChannels();
    EXPECT_EQ(w.field(), "37");
    w.toggleLastChannel();
    w.toggleAbsoluteValue();
    w.toggleLastChannel();  // off again: AbsVal goes with it
    EXPECT_EQ(p.conversion.AbsVal, 0);
    EXPECT_FALSE(w.absoluteValueEnabled());
}

TEST_F(AveragingWindowTest, AvailableOnlyInChartModeWithoutAllChannelAveraging) {
    EXPECT_TRUE(averagingWindowAvailable(p));
    p.prefs[kPrefContinuousScanning] = 1;
    EXPECT_FALSE(averagingWindowAvailable(p));
    p.prefs[kPrefContinuousScanning] = 0;
    p.session.RecordingMODE = 2;
    EXPECT_FALSE(averagingWindowAvailable(p));
}

}  // namespace
}  // namespace trindel
