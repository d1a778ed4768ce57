#include "state/program.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(StartupValues, MaximumChansDependsOnExactly480PixelScreen) {
    Program small;
    ASSERT_EQ(SetInitialVariableValues(small, {640, 480}), StartupResult::Ok);
    EXPECT_EQ(small.session.MaximumChans, 12);
    Program taller;
    SetInitialVariableValues(taller, {640, 481});
    EXPECT_EQ(taller.session.MaximumChans, 16);
    Program shorter;
    EXPECT_EQ(SetInitialVariableValues(shorter, {800, 479}), StartupResult::ScreenTooSmall);
}

TEST(StartupValues, MaxSamplesIsWindowWidthAfterStartup) {
    Program large;
    SetInitialVariableValues(large, {1920, 1080});
    EXPECT_EQ(large.session.MaxSamples, 1024);
    EXPECT_EQ(large.prefs[kPrefWindowHeight], 768);
    Program narrow;
    SetInitialVariableValues(narrow, {800, 600});
    EXPECT_EQ(narrow.session.MaxSamples, 750);
    EXPECT_EQ(narrow.prefs[kPrefWindowHeight], 550);
}

TEST(StartupValues, ValuesSetAfterSavedPreferencesAlwaysHold) {
    Program p;
    SetInitialVariableValues(p, {1920, 1080}, [](Program& q) {
        q.session.ChartINTERVALinSECONDS = 5.0;
        q.session.nChan = 7;
        q.session.BarometricPressure = 700.0f;
        q.prefs[kPrefFormatText] = 1;
        q.colours.ChartDataColor = {1, 2, 3};
    });
    EXPECT_DOUBLE_EQ(p.session.ChartINTERVALinSECONDS, 1.0);
    EXPECT_EQ(p.session.nChan, 0);
    EXPECT_FLOAT_EQ(p.session.BarometricPressure, 760.0f);
    // Saved preferences themselves survive.
    EXPECT_EQ(p.prefs[kPrefFormatText], 1);
    EXPECT_EQ(p.colours.ChartDataColor, (RGBColor{1, 2, 3}));
}

// Every group but the sample store takes part in the comparison.
TEST(SameState, EveryGroupButTheStoreIsCompared) {
    const Program base;
    const std::function<void(Program&)> changes[] = {
        [](Program& p) { p.session.nChan = 3; },
        [](Program& p) { p.device.External_AD = 2; },
        [](Program& p) { p.alarm.AudibleALARM = 1; },
        [](Program& p) { p.events.Action = 5; },
        [](Program& p) { p.menus.Sound_Is_On = 0; },
        [](Program& p) { p.chart.previousColumn = 12; },
        [](Program& p) { p.chart.clicks.StopIconClicked = true; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        Program p;
        changes[i](p);
        EXPECT_FALSE(sameStateExceptStore(p, base)) << "change " << i;
    }
    Program stored;
    stored.store.set(1, 0, 2.5f);
    EXPECT_TRUE(sameStateExceptStore(stored, base));
}

TEST(Resets, ClearArrayCopiesRowFourOverTheSweepStart) {
    Program p;
    for (int row = 1; row <= 3; ++row) {
        p.scope.scope(row, 0) = 7.0f;
        p.scope.scope(row, 2079) = 7.0f;
        p.scope.scope(row, 2080) = 7.0f;
    }
    CLEARARRAY(p.scope);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(p.scope.scope(row, 0), 0.0f);
        EXPECT_EQ(p.scope.scope(row, 2079), 0.0f);
        EXPECT_EQ(p.scope.scope(row, 2080), 7.0f);  // beyond the cleared start
    }
}

TEST(Resets, ClearAlarmsTouchesOnlyRunTimeCounters) {
    AlarmState a;
    for (auto& row : a.alarms) {
        row.fill(3.0f);
    }
    CLEARALARMS(a);
    for (int c = 1; c <= 16; ++c) {
        EXPECT_EQ(a.alarms[c][5], 3.0f);
        for (int e = 6; e <= 11; ++e) {
            EXPECT_EQ(a.alarms[c][e], 0.0f);
        }
        EXPECT_EQ(a.alarms[c][12], 3.0f);
    }
}

TEST(Resets, PerRunResetSchedulesFirstScanAndClearsCounters) {
    Program p;
    p.session.nChan = 3;
    p.session.HavePaused = 1;
    p.session.TotalScans = 99;
    p.conversion.voltagespikes[3] = 5;
    p.conversion.voltagespikes[4] = 5;
    p.conversion.SpikeFilterArray[16] = 9.0f;
    resetForRun(p, 100.0);
    EXPECT_DOUBLE_EQ(p.session.TimeOfNextChartSample, 100.1);
    EXPECT_EQ(p.session.HavePaused, 0);
    EXPECT_EQ(p.session.TotalScans, 0);
    EXPECT_EQ(p.conversion.voltagespikes[3], 0);
    EXPECT_EQ(p.conversion.voltagespikes[4], 5);  // beyond nChan
    EXPECT_FLOAT_EQ(p.conversion.SpikeFilterArray[16], 2.0f);
}

TEST(Resets, EndOfSequenceClearsChannelRowsAndChannelOneRangeFollowsBoard) {
    Program p;
    p.channels.Nvar[0][1] = 5.0f;
    p.channels.Nvar[3][kCoeffB] = 2.0f;
    p.channels.Nvar[3][17] = 4.0f;
    endRunSequence(p);
    EXPECT_EQ(p.channels.Nvar[3][kCoeffB], 0.0f);
    EXPECT_EQ(p.channels.Nvar[3][17], 4.0f);
    EXPECT_EQ(p.channels.Nvar[0][1], 5.0f);  // conversion types are kept
    resetChannelOneRange(p);
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMax], 5.0f);
    p.device.sixteenBitBoard = 1;
    resetChannelOneRange(p);
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMax], 10.0f);
}

TEST(ChannelLabels, SlotsSplitAcrossTheTwoStrings) {
    ChannelTable t;
    t.setLabel(1, "O2 %");
    t.setLabel(8, std::string(40, 'x'));
    t.setLabel(9, "CO2");
    EXPECT_EQ(t.label(1), "O2 %" + std::string(26, ' '));
    EXPECT_EQ(t.label(8), std::string(30, 'x'));
    EXPECT_EQ(t.datalabel.substr(210, 30), std::string(30, 'x'));
    EXPECT_EQ(t.datalabel2.substr(0, 3), "CO2");
    EXPECT_EQ(t.datalabel.size(), 240u);
    EXPECT_THROW(t.setLabel(17, "x"), std::out_of_range);
}

}  // namespace
}  // namespace trindel
