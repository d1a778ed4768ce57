#include "run/interval_dialog.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

struct DialogFixture {
    Program p;
    DialogFixture() {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});  // window width 1024
        p.session.nChan = 4;
    }
};

TEST(IntervalDialog, TitleCountsChannelsAndStartsOnTheLastChoice) {
    DialogFixture f;
    f.p.session.OldChartSpeed = 0.5;
    f.p.session.OldChartSpeedBut = 8;
    IntervalDialog d(f.p, "Chart Channels");
    EXPECT_EQ(d.windowTitle(), "Chart Channels  ( 4 total )");
    EXPECT_DOUBLE_EQ(d.interval(), 0.5);
    EXPECT_EQ(d.button(), 8);
}

TEST(IntervalDialog, ButtonsOfferedByDeviceAndDialog) {
    DialogFixture f;
    IntervalDialog chart(f.p, "Chart Channels");
    EXPECT_TRUE(chart.buttonOffered(68));
    EXPECT_FALSE(chart.buttonOffered(22));
    chart.pressIntervalButton(68);
    EXPECT_DOUBLE_EQ(chart.interval(), 0.002);
    chart.pressIntervalButton(4);
    EXPECT_NEAR(chart.interval(), 0.05, 1e-6);
    f.p.device.External_AD = 4;
    EXPECT_FALSE(IntervalDialog(f.p, "Chart Channels").buttonOffered(68));
    IntervalDialog scope(f.p, "OSCILLOSCOPE");
    scope.pressIntervalButton(21);
    EXPECT_EQ(f.p.session.MaximumScopeSamples, 8192);
    f.p.device.External_AD = 1;
    IntervalDialog ui2(f.p, "OSCILLOSCOPE");
    EXPECT_TRUE(ui2.buttonOffered(67));
    EXPECT_FALSE(ui2.buttonOffered(22));
}

TEST(IntervalDialog, TypedIntervalRules) {
    EXPECT_DOUBLE_EQ(typedInterval("0", false), 5.0);
    EXPECT_DOUBLE_EQ(typedInterval("abc", false), 5.0);
    EXPECT_DOUBLE_EQ(typedInterval("-2", true), 0.0333333);
    EXPECT_DOUBLE_EQ(typedInterval(" 0.75", false), 0.75);
    DialogFixture f;
    IntervalDialog d(f.p, "Chart Channels");
    d.typeInterval("3");
    EXPECT_EQ(d.button(), 13);
    EXPECT_EQ(f.p.chart.AltChartInt, 1);
    d.PRINTTRACE();
    EXPECT_EQ(f.p.chart.AltChartInt, 1);
    d.pressIntervalButton(9);
    d.PRINTTRACE();
    EXPECT_EQ(f.p.chart.AltChartInt, 0);
}

TEST(IntervalDialog, SamplesButtonsArithmeticAndLimits) {
    DialogFixture f;
    f.p.session.MaxSamples = 1024;
    IntervalDialog d(f.p, "Chart Channels");
    d.pressSamples(SamplesButton::UpHalf);
    EXPECT_EQ(d.maxSamples(), 1536);
    d.pressSamples(SamplesButton::Times10);
    EXPECT_EQ(d.maxSamples(), 15360);
    d.pressSamples(SamplesButton::Tenth);
    d.pressSamples(SamplesButton::Half);
    EXPECT_EQ(d.maxSamples(), 768);
    d.pressSamples(SamplesButton::Max);
    EXPECT_FALSE(d.samplesEnabled(SamplesButton::Times2));
    d.pressSamples(SamplesButton::Plus50);
    EXPECT_EQ(d.maxSamples(), 2000000);
    d.pressSamples(SamplesButton::Min);
    d.pressSamples(SamplesButton::DownWidth);
    EXPECT_EQ(d.maxSamples(), 10);
    EXPECT_TRUE(d.lastChangeBuzzed());
    EXPECT_FALSE(d.samplesEnabled(SamplesButton::Minus1));
    d.pressSamples(SamplesButton::Plus10);
    EXPECT_FALSE(d.lastChangeBuzzed());
    EXPECT_TRUE(d.samplesEnabled(SamplesButton::Minus10));
    EXPECT_FALSE(d.samplesEnabled(SamplesButton::Minus50));
}

TEST(IntervalDialog, TypedSamplesAreBoundedAndBadTextIgnored) {
    DialogFixture f;
    f.p.session.MaxSamples = 1024;
    IntervalDialog d(f.p, "Chart Channels");
    const struct {
        const char* text;
        bool accepted;
        int32_t samples;
        bool buzzed;
    } kCases[] = {
        {"3000", true, 3000, false},
        {" 4500 ", true, 4500, false},
        {"abc", false, 4500, false},
        {"12x", false, 4500, false},
        {"", false, 4500, false},
        {"3", true, 10, true},
        {"-7", true, 10, true},
        {"99999999", true, 2000000, false},
        {"99999999999999999999", true, 2000000, false},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(d.typeSamples(c.text), c.accepted) << c.text;
        EXPECT_EQ(d.maxSamples(), c.samples) << c.text;
        if (c.accepted) {
            EXPECT_EQ(d.lastChangeBuzzed(), c.buzzed) << c.text;
        }
    }
    d.typeSamples("2500");
    d.selectionOK();
    EXPECT_EQ(f.p.session.MaxSamples, 2500);
}

TEST(IntervalDialog, DurationsAndTheirSamples) {
    EXPECT_EQ(samplesForDuration(216000, 0.1, 2000000), 36000);      // 1 hr at 0.1 s
    EXPECT_EQ(samplesForDuration(216000, 0.001, 2000000), 2000000);  // capped
    auto on = SETMINIMUM(1.0, 2000000);
    EXPECT_FALSE(on[3]);  // 1 min needs 100 intervals within the minute
    EXPECT_TRUE(on[11]);
    EXPECT_TRUE(SETMINIMUM(0.5, 2000000)[3]);
    on = SETMINIMUM(0.01, 2000000);
    EXPECT_TRUE(on[8]);
    EXPECT_FALSE(on[9]);   // 6 hr needs 21,600 s of capacity
    EXPECT_FALSE(on[11]);  // 20,000 s of capacity
    on = SETMINIMUM(0.001, 2000000);
    EXPECT_FALSE(on[9]);  // 2,000 s of capacity: no 6 hr
    EXPECT_TRUE(on[4]);
}

TEST(IntervalDialog, PreviewAndSelectionEffects) {
    DialogFixture f;
    IntervalDialog d(f.p, "Chart Channels");
    d.pressIntervalButton(6);  // 0.1 s
    d.pressDuration(8);        // 1 hr
    EXPECT_EQ(d.maxSamples(), 36000);
    EXPECT_EQ(d.PRINTTRACE()[0], "  Duration 60 min ");
    f.p.prefs[kPrefBeepAtSample] = 1;
    f.p.prefs[kPrefLastChannelContinuous] = 1;
    f.p.channels.Nvar[4][kSamplesToAverage] = 3;
    const auto m = d.selectionOK();
    EXPECT_EQ(f.p.session.MaxSamples, 36000);
    EXPECT_EQ(f.p.session.OldChartSpeedBut, 6);
    EXPECT_EQ(f.p.prefs[kPrefBeepAtSample], 0);
    EXPECT_FALSE(m.beepItemEnabled);
    EXPECT_TRUE(m.menu3Item15Enabled);
    EXPECT_EQ(f.p.channels.Nvar[4][kSamplesToAverage], 0.0f);
}

}  // namespace
}  // namespace trindel
