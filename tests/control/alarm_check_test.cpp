#include "control/alarm_check.h"

#include <gtest/gtest.h>

#include "control/alarm_log.h"
#include "state/program.h"

namespace trindel {
namespace {

class Alarms : public ::testing::Test {
  protected:
    auto& row(int c) { return alarm.alarms[static_cast<size_t>(c)]; }
    void setLimits(int c, bool low, float lowLimit, bool high, float highLimit, bool over) {
        row(c)[kAlarmLowOn] = low ? 1.0f : 0.0f;
        row(c)[kAlarmHighOn] = high ? 1.0f : 0.0f;
        row(c)[kAlarmOverRangeOn] = over ? 1.0f : 0.0f;
        row(c)[kAlarmLowLimit] = lowLimit;
        row(c)[kAlarmHighLimit] = highLimit;
        row(c)[kAlarmAnyOn] = low || high || over ? 1.0f : 0.0f;
    }
    AlarmState alarm;
};

TEST_F(Alarms, LowerLimitIsInclusive) {
    setLimits(2, true, 20.0f, false, 0.0f, false);
    auto r = checkChannelAlarms(alarm, 2, false, 20.001f, 5);
    EXPECT_FALSE(r.alarmed);
    EXPECT_STREQ(r.statusText, kNoErrorText);
    r = checkChannelAlarms(alarm, 2, false, 20.0f, 6);
    EXPECT_TRUE(r.alarmed);
    EXPECT_STREQ(r.statusText, " < lower limit!");
    EXPECT_EQ(row(2)[kAlarmLowCount], 1.0f);
    EXPECT_EQ(row(2)[kAlarmLowLast], 6.0f);
}

TEST_F(Alarms, UpperLimitIsInclusiveAndCountsAccumulate) {
    setLimits(1, false, 0.0f, true, 3.0f, false);
    checkChannelAlarms(alarm, 1, false, 3.0f, 1);
    checkChannelAlarms(alarm, 1, false, 2.9f, 2);
    const auto r = checkChannelAlarms(alarm, 1, false, 7.0f, 9);
    EXPECT_STREQ(r.statusText, " > upper limit!");
    EXPECT_EQ(row(1)[kAlarmHighCount], 2.0f);
    EXPECT_EQ(row(1)[kAlarmHighLast], 9.0f);
}

TEST_F(Alarms, BelowLowerCountsOnlyThereButCrossedLimitsCountInBoth) {
    setLimits(3, true, 10.0f, true, 50.0f, false);
    EXPECT_STREQ(checkChannelAlarms(alarm, 3, false, 5.0f, 4).statusText, " < lower limit!");
    EXPECT_EQ(row(3)[kAlarmHighCount], 0.0f);
    setLimits(3, true, 50.0f, true, 10.0f, false);  // crossed: the lower text comes first
    EXPECT_STREQ(checkChannelAlarms(alarm, 3, false, 20.0f, 5).statusText, " < lower limit!");
    EXPECT_EQ(row(3)[kAlarmLowCount], 2.0f);
    EXPECT_EQ(row(3)[kAlarmHighCount], 1.0f);
}

TEST_F(Alarms, OverRangeBelowLowerLimitCountsBothAndShowsOverrange) {
    setLimits(4, true, 20.0f, false, 0.0f, true);
    EXPECT_TRUE(isOverRangeReading(alarm, 4, -5.0f, 5.0f));
    EXPECT_FALSE(isOverRangeReading(alarm, 4, 4.99f, 5.0f));
    const auto r = checkChannelAlarms(alarm, 4, true, 1.0f, 12);
    EXPECT_TRUE(r.alarmed);
    EXPECT_STREQ(r.statusText, " Overrange error");
    EXPECT_EQ(row(4)[kAlarmOverRangeCount], 1.0f);
    EXPECT_EQ(row(4)[kAlarmOverRangeLast], 12.0f);
    EXPECT_EQ(row(4)[kAlarmLowCount], 1.0f);
}

TEST_F(Alarms, OverRangeNeedsTheChannelsOverRangeAlarm) {
    setLimits(4, true, 20.0f, false, 0.0f, false);
    for (int c : {4, 0, 17}) {
        EXPECT_FALSE(isOverRangeReading(alarm, c, 100.0f, 0.419f)) << c;
    }
}

TEST_F(Alarms, LimitsIgnoredWhileElementZeroIsOff) {
    setLimits(5, true, 20.0f, true, 1.0f, false);
    row(5)[kAlarmAnyOn] = 0.0f;
    EXPECT_FALSE(checkChannelAlarms(alarm, 5, false, 10.0f, 3).alarmed);
    EXPECT_EQ(row(5)[kAlarmLowCount], 0.0f);
}

TEST_F(Alarms, StringInterfaceKeepsAnEarlierErrorText) {
    setLimits(6, true, 20.0f, false, 0.0f, true);
    std::string status = kNoErrorText;
    markOverRange(alarm, 6, 8, status);
    EXPECT_EQ(status, " Overrange error");
    EXPECT_TRUE(testLimitAlarms(alarm, 6, 0.0f, 8, status));
    EXPECT_EQ(status, " Overrange error");
    EXPECT_EQ(row(6)[kAlarmLowCount], 1.0f);
    status = kNoErrorText;
    EXPECT_TRUE(testLimitAlarms(alarm, 6, 0.0f, 9, status));
    EXPECT_EQ(status, " < lower limit!");
    markOverRange(alarm, 99, 8, status);  // no such channel: nothing happens
    EXPECT_EQ(status, " < lower limit!");
}

TEST(AlarmChannels, ScopePlusChartChannelOneHasNoAlarms) {
    EXPECT_FALSE(channelMayHaveAlarms(3, 1));
    EXPECT_TRUE(channelMayHaveAlarms(3, 2));
    EXPECT_TRUE(channelMayHaveAlarms(1, 1));
}

class AlarmLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.session.nChan = 3;
        p.channels.setLabel(1, "oxygen");
        p.channels.setLabel(2, "flow");
        auto& r1 = p.alarm.alarms[1];
        r1[kAlarmAnyOn] = r1[kAlarmLowOn] = r1[kAlarmOverRangeOn] = 1.0f;
        r1[kAlarmLowLimit] = 20.5f;
        r1[kAlarmLowCount] = 3.0f;
        r1[kAlarmLowLast] = 417.0f;
        auto& r2 = p.alarm.alarms[2];
        r2[kAlarmAnyOn] = r2[kAlarmHighOn] = 1.0f;
        r2[kAlarmHighLimit] = -2.0f;
    }
    Program p;
};

TEST_F(AlarmLogTest, CellsShowLimitsCountsAndLastSample) {
    const AlarmLog log = SHOWALARMS(p);
    ASSERT_EQ(log.rows.size(), 3u);
    const AlarmLogRow& one = log.rows[0];
    EXPECT_EQ(one.lower.limit, " 20.5");
    EXPECT_EQ(one.lower.count, " 3");
    EXPECT_TRUE(one.lower.bold);
    EXPECT_FALSE(one.upper.on);
    EXPECT_TRUE(one.overRange.on);
    EXPECT_EQ(one.overRange.count, "   none");
    EXPECT_FALSE(one.overRange.bold);
    EXPECT_EQ(log.rows[1].upper.limit, "-2");
    EXPECT_EQ(log.overRangeCondition, "v< -5 or v> 5");
}

TEST_F(AlarmLogTest, ScopePlusChartLeavesOutChannelOne) {
    p.session.RecordingMODE = 3;
    const AlarmLog log = SHOWALARMS(p);
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[0].channel, 2);
    EXPECT_TRUE(log.oscilloscopeNote);
    const auto lines = alarmLogLines(log);
    EXPECT_EQ(lines[5], kOscilloscopeAlarmNote);
}

TEST_F(AlarmLogTest, TextLinesCarryTheHeadingsAndRows) {
    p.device.External_AD = 6;
    const auto lines = alarmLogLines(SHOWALARMS(p));
    ASSERT_EQ(lines.size(), 5u + 3u);
    EXPECT_NE(lines[4].find("v<-0.42 or v>0.42"), std::string::npos);
    EXPECT_EQ(lines[5].rfind(" 1: oxygen", 0), 0u);
    EXPECT_NE(lines[5].find(" 417"), std::string::npos);
}

TEST(OverRangeCondition, ByDevice) {
    DeviceState d;
    d.External_AD = 4;
    EXPECT_EQ(overRangeConditionText(d), "v<-10 or v>10");
    d.External_AD = 5;
    EXPECT_EQ(overRangeConditionText(d), "v<-2.5 or v>2.5");
}

}  // namespace
}  // namespace trindel
