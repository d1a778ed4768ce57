#include <gtest/gtest.h>

#include "display/chart_axis.h"
#include "display/chart_screen.h"
#include "display/view_windows.h"

namespace trindel {
namespace {

Program chartProgram(int width, int32_t maxSamples, double interval, int nChan = 4) {
    Program p;
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(width);
    p.prefs[kPrefWindowHeight] = 768;
    p.session.MaxSamples = maxSamples;
    p.session.ChartINTERVALinSECONDS = interval;
    p.session.nChan = static_cast<int16_t>(nChan);
    SetChanParams(p, 768, 0);
    return p;
}

TEST(ChartViewModel, ViewsLongerThanTheRecordingAreRefusedAndReset) {
    Program p = chartProgram(1000, 3000, 1.0);
    p.session.ChartView = 10.0f;  // 10,000 samples a screen: more than the recording
    p.prefs[kPrefChartViewStyle] = 7;
    ChartViewModel m(p);
    EXPECT_EQ(p.session.ChartView, 1.0f);
    EXPECT_EQ(p.prefs[kPrefChartViewStyle], 0);
    const std::map<float, bool> offered{{1.0f, true},  {2.0f, true},  {2.5f, true},
                                        {4.0f, false}, {5.0f, false}, {10.0f, false}};
    for (const auto& [v, ok] : offered) {
        EXPECT_EQ(m.viewOffered(v), ok) << v;
    }
    EXPECT_FALSE(m.chooseView(4.0f));
    EXPECT_FALSE(m.chooseView(3.0f));  // not a view at all
    EXPECT_EQ(p.session.ChartView, 1.0f);
    EXPECT_TRUE(m.chooseView(2.5f));
    EXPECT_EQ(m.compressionText(), "2.5x");
    EXPECT_EQ(m.totalScreensText(), "1.20");  // 3000 / 2500 through "##.##"
}

TEST(ChartViewModel, InformationFieldsFollowTheScreenDuration) {
    struct Case {
        int width;
        float view;
        double interval;
        int32_t maxSamples;
        const char* duration;
        const char* screens;
    };
    const Case cases[] = {
        {1000, 1.0f, 0.05, 3000, "50 sec", "3"},
        {1024, 2.0f, 1.0, 300000, "34.1 min", "146.5"},  // 2048 s; 300000/2048 = 146.48
        {1000, 10.0f, 1.0, 2000000, "2.78 hr", "200"},   // 10,000 s
        {1000, 1.0f, 0.6, 2999, "600 sec", "3.00"},      // 2.999 is not whole: "##.##"
    };
    for (const Case& c : cases) {
        Program p = chartProgram(c.width, c.maxSamples, c.interval);
        p.session.ChartView = c.view;
        ChartViewModel m(p);
        EXPECT_EQ(m.screenDurationText(), c.duration) << c.width << " " << c.view;
        EXPECT_EQ(m.totalScreensText(), c.screens) << c.width << " " << c.view;
    }
}

TEST(ChartViewModel, ScrollingIsOfferedOnlyBeyondOneScreen) {
    Program p = chartProgram(1000, 1000, 1.0);
    ChartViewModel m(p);
    EXPECT_FALSE(m.scrollingOffered());
    p.session.MaxSamples = 1001;
    EXPECT_TRUE(m.scrollingOffered());
    m.chooseScrolling(2);
    EXPECT_EQ(p.prefs[kPrefChartViewStyle], 2);
    m.chooseScrolling(9);
    EXPECT_EQ(p.prefs[kPrefChartViewStyle], 0);
}

TEST(ChartViewModel, CustomTicIsAMultipleOfTheDefaultAndBadTextKeepsIt) {
    Program p = chartProgram(1000, 100000, 1.0);  // 1000 s a screen: 60 s ticks in minutes
    ChartViewModel m(p);
    EXPECT_EQ(m.ticUnit(), "minutes");
    EXPECT_EQ(m.ticCaption(), "Default Tic Unit:");
    EXPECT_DOUBLE_EQ(m.ticValue(), 1.0);
    const float defaultGap = p.view.axis.ticgap;
    ASSERT_TRUE(m.done("2.5"));
    EXPECT_DOUBLE_EQ(p.view.axis.CustomTic, 2.5);
    EXPECT_DOUBLE_EQ(p.view.CustomTic, 2.5);  // carried by the set-up file
    EXPECT_FLOAT_EQ(p.view.axis.ticgap, defaultGap * 2.5f);
    EXPECT_EQ(m.ticCaption(), "Custom Tic Unit:");
    EXPECT_DOUBLE_EQ(m.ticValue(), 2.5);
    for (const char* bad : {"", "abc", "0", "-1", "1e999", "2 min", "nan"}) {
        EXPECT_FALSE(m.done(bad)) << bad;
        EXPECT_DOUBLE_EQ(p.view.axis.CustomTic, 2.5) << bad;
    }
    ASSERT_TRUE(m.done(" 1 "));  // the default value itself: automatic ticks again
    EXPECT_EQ(p.view.axis.CustomTic, 0.0);
}

TEST(ChartViewModel, TestPlotDrawsTwoHundredPointsPerView) {
    Program p = chartProgram(1000, 100000, 1.0);
    ChartViewModel m(p);
    ASSERT_TRUE(m.chooseView(2.5f));
    const auto points = m.testPlot(7);
    ASSERT_EQ(points.size(), 500u);
    EXPECT_FLOAT_EQ(points.back().first, 499 / 2.5f);
    for (const auto& [x, row] : points) {
        EXPECT_GE(row, 80);
        EXPECT_LE(row, 129);
    }
}

TEST(WindowSize, FixedSizesFillScreenAndScopeWidth) {
    EXPECT_TRUE(windowSizeFits(6, 1024));
    EXPECT_FALSE(windowSizeFits(6, 1023));
    EXPECT_TRUE(windowSizeFits(7, 100));
    EXPECT_FALSE(windowSizeFits(2, 5000));
    Program p = chartProgram(640, 1000, 1.0, 2);
    p.session.ScopeMax = 700;
    const float firstHeight = p.channels.Nvar[1][kBandHeight];
    ASSERT_TRUE(chooseWindowSize(p, 4, 1280, 1024));
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 800);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], 600);
    EXPECT_EQ(p.session.ScopeMax, 800);
    // Bands rescaled from 768 to 600 rows.
    EXPECT_NEAR(p.channels.Nvar[1][kBandHeight], firstHeight * (600 - 60) / (768 - 60.0f), 1e-3);
    ASSERT_TRUE(chooseWindowSize(p, 7, 1280, 1024));
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 1250);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], 977);
    EXPECT_FALSE(chooseWindowSize(p, 8, 1280, 1024));
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 1250);
}

TEST(WindowSize, DraggingKeepsTheMinimumAndFitsTheHeightToTheBands) {
    Program p = chartProgram(1024, 1000, 1.0, 3);
    WindowSizeDrag drag(p);
    drag.dragTo(300, 200);
    EXPECT_EQ(drag.width(), 640);
    EXPECT_EQ(drag.height(), 400);
    drag.dragTo(986, 586);
    EXPECT_EQ(drag.width(), 1000);
    EXPECT_EQ(drag.height(), 600);
    drag.finish();
    EXPECT_EQ(drag.height(), lastBandBottom(p) + 30);
    EXPECT_EQ(WindowSizeDrag::outlines().size(), 9u);
}

TEST(PlotHeights, BoundariesStackAndTheLastChannelTakesTheRest) {
    Program p = chartProgram(1024, 1000, 1.0, 3);
    const int lastBottom = lastBandBottom(p);
    PlotHeightModel m(p);
    EXPECT_EQ(m.placing(), 1);
    EXPECT_EQ(m.allowedRows(), (std::pair<int, int>{55, lastBottom - 40}));
    m.place(10);  // above the allowed rows: the boundary goes to the first allowed row
    EXPECT_EQ(p.channels.Nvar[1][kBandBottom], 55.0f);
    EXPECT_EQ(p.channels.Nvar[1][kBandHeight], 20.0f);
    EXPECT_EQ(m.placing(), 2);
    m.place(400);
    EXPECT_TRUE(m.finished());
    EXPECT_EQ(p.channels.Nvar[2][kBandBottom], 400.0f);
    EXPECT_EQ(p.channels.Nvar[2][kBandHeight], 400.0f - 56.0f);
    EXPECT_EQ(p.channels.Nvar[2][kReadoutRow], 66.0f);
    EXPECT_EQ(p.channels.Nvar[3][kBandBottom], static_cast<float>(lastBottom));
    EXPECT_EQ(p.channels.Nvar[3][kBandHeight], lastBottom - 401.0f);
}

TEST(PlotHeights, CancelAndDoAgainRestoreTheBands) {
    Program p = chartProgram(1024, 1000, 1.0, 3);
    const auto before = p.channels.Nvar;
    {
        PlotHeightModel m(p);
        m.place(300);
        m.doAgain();
        EXPECT_EQ(p.channels.Nvar, before);
        EXPECT_EQ(m.placing(), 1);
        m.place(300);
        m.place(500);
        m.cancel();
        EXPECT_EQ(p.channels.Nvar, before);
    }
    PlotHeightModel m(p);
    m.place(100);
    m.normalValues();
    EXPECT_EQ(p.channels.Nvar, before);
    Program one = chartProgram(1024, 1000, 1.0, 1);
    EXPECT_TRUE(PlotHeightModel(one).finished());
}

TEST(Colours, ButtonsSetTheirColourAndDefaultsComeBack) {
    Colours c;
    DEFAULTCOLORS(c);
    const Colours start = c;
    colourOf(c, ColourButton::ScopeBackground, false) = RGBColor{1, 2, 3};
    EXPECT_EQ(c.ScopeBackgroundColor, (RGBColor{1, 2, 3}));
    EXPECT_EQ(c.FastScopeBackground, start.FastScopeBackground);
    colourOf(c, ColourButton::ScopeBackground, true) = RGBColor{4, 5, 6};
    EXPECT_EQ(c.FastScopeBackground, (RGBColor{4, 5, 6}));
    colourOf(c, ColourButton::DataLine, false) = RGBColor{7, 8, 9};
    EXPECT_EQ(c.ChartDataColor, (RGBColor{7, 8, 9}));
    EXPECT_EQ(colourButtons().size(), 7u);
    copyChartColours(c, start);
    EXPECT_EQ(c, start);
}

}  // namespace
}  // namespace trindel
