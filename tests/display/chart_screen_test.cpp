// Band layout, the time axis and new screens of the chart recording window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/chart_axis.h"
#include "display/chart_screen.h"
#include "display/text_width.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

struct ChartFixture : ::testing::Test {
    explicit ChartFixture(int channels = 4) {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.session.nChan = static_cast<int16_t>(channels);
        p.session.MaxSamples = 5000;
        for (int c = 1; c <= channels; ++c) {
            p.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 5;
            p.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -5;
        }
        SetChanParams(p, 0, 0);
    }
    Program p;
    RecordingCanvas canvas{1024, 768};
    float nv(int c, int e) const {
        return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
    }
};

TEST_F(ChartFixture, TickIntervalsByScreenDuration) {
    p.prefs[kPrefWindowWidth] = 600;
    p.session.ChartINTERVALinSECONDS = 1.0;  // 600 s per screen
    COMPUTETICS(p);
    EXPECT_FLOAT_EQ(p.view.axis.TicIntervalInSeconds, 30.0f);
    EXPECT_EQ(p.view.axis.minute_units, 0);
    p.prefs[kPrefWindowWidth] = 601;
    COMPUTETICS(p);
    EXPECT_FLOAT_EQ(p.view.axis.TicIntervalInSeconds, 60.0f);
    EXPECT_EQ(p.view.axis.minute_units, 1);
    p.prefs[kPrefWindowWidth] = 1000;
    p.session.ChartView = 2;
    p.session.ChartINTERVALinSECONDS = 1.0;  // 2,000 s per screen
    COMPUTETICS(p);
    EXPECT_FLOAT_EQ(p.view.axis.TicIntervalInSeconds, 240.0f);
    EXPECT_FLOAT_EQ(p.view.axis.ticgap, 120.0f);
    p.view.axis.CustomTic = 0.5;
    COMPUTETICS(p);
    EXPECT_FLOAT_EQ(p.view.axis.ticgap, 60.0f);
}

TEST_F(ChartFixture, TickPhaseCarriesToTheNextScreen) {
    p.prefs[kPrefWindowWidth] = 1000;
    p.session.ChartINTERVALinSECONDS = 0.03;  // 30 s per screen: 2 s ticks, 66.67 px apart
    COMPUTETICS(p);
    DRAWTICLABELS(p, canvas);
    const float gap = p.view.axis.ticgap;
    // Ticks at 0, gap, ..., 15 gap = 1000.05 > 1000: the next screen's first tick lies
    // gap - (1000 - 14 gap) pixels in.
    EXPECT_NEAR(p.view.axis.NextTicPosition, 15 * gap - 1000, 1e-2);
    EXPECT_NEAR(p.view.axis.zz, 15 * 2.0, 1e-9);
    int labels = 0;
    for (const CanvasOp& op : canvas.ops) {
        labels += op.kind == CanvasOp::Kind::Text ? 1 : 0;
    }
    EXPECT_EQ(labels, 15);
    EXPECT_EQ(canvas.ops.front().text, "0 sec");
}

TEST_F(ChartFixture, DrawScreenSetsCapacityAndDrawsEveryBand) {
    DRAWSCREEN(p, canvas, 1024);
    EXPECT_EQ(p.session.ScreenCapacity, 1025);
    EXPECT_EQ(p.session.NscrnCASEs, 0);
    EXPECT_EQ(p.chart.previousColumn, -500);
    int frames = 0;
    bool channelLabel = false;
    for (const CanvasOp& op : canvas.ops) {
        frames += op.kind == CanvasOp::Kind::FrameRect ? 1 : 0;
        channelLabel = channelLabel || op.text == "Channel 3  Input #0";
    }
    EXPECT_GE(frames, 4);
    EXPECT_TRUE(channelLabel);
}

TEST_F(ChartFixture, ZeroLineOnlyWhenTheRangeSpansZero) {
    p.prefs[kPrefShowZeroLines] = 1;
    p.prefs[kPrefShowScaleGrid] = 0;
    p.channels.Nvar[2][kDisplayMin] = 0;
    DRAWCHANNELS(p, canvas);
    int dashed = 0;
    for (const CanvasOp& op : canvas.ops) {
        dashed += op.kind == CanvasOp::Kind::Line && op.style == PenStyle::Dashed ? 1 : 0;
    }
    EXPECT_EQ(dashed, 3);  // channels 1, 3 and 4
}

TEST_F(ChartFixture, HalfScrollingKeepsHalfTheScreen) {
    p.prefs[kPrefWindowWidth] = 1000;
    p.prefs[kPrefChartViewStyle] = 1;
    p.session.ChartView = 2;
    p.session.Sample = 2001;
    DRAWSCREEN(p, canvas, 1024);
    canvas.ops.clear();
    REDRAWSCREEN(p, canvas);
    EXPECT_EQ(p.session.NscrnCASEs, 1000);
    EXPECT_EQ(p.chart.previousColumn, 500);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.front().kind, CanvasOp::Kind::Scroll);
    EXPECT_EQ(canvas.ops.front().text, "-500,0");
}

TEST_F(ChartFixture, EndOfSamplingBarWhereTheRunWillEnd) {
    p.session.MaxSamples = 1500;
    p.session.Sample = 1025;
    DRAWSCREEN(p, canvas, 1024);
    canvas.ops.clear();
    REDRAWSCREEN(p, canvas);
    bool bar = false;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Kind::FillRect && op.rect.top == 33 && op.rect.width() == 2) {
            bar = true;
            EXPECT_EQ(op.rect.left, 1024 - (1025 + 1024 - 1500));
        }
    }
    EXPECT_TRUE(bar);
}

// What stays on screen that should not: fields erasing frames, labels left behind or cut off.
TEST_F(ChartFixture, ReadoutFieldLeavesTheFrameOfTheBandAbove) {
    for (bool large : {false, true}) {
        p.prefs[kPrefLargeReadouts] = large ? 1 : 0;
        for (int c = 2; c <= 4; ++c) {
            canvas.ops.clear();
            drawReadout(p, canvas, c, "12.5");
            ASSERT_EQ(canvas.ops.front().kind, CanvasOp::Kind::FillRect);
            EXPECT_GT(canvas.ops.front().rect.top, static_cast<int>(nv(c - 1, kBandBottom)))
                << c << (large ? " large" : "");
        }
    }
}

TEST_F(ChartFixture, NewScreenTakesTheMarkerLabelsAlong) {
    p.session.Sample = 1025;
    DRAWSCREEN(p, canvas, 1024);
    canvas.ops.clear();
    REDRAWSCREEN(p, canvas);
    ASSERT_EQ(canvas.ops.front().kind, CanvasOp::Kind::Scroll);
    // Marker labels stand 5 rows above the window bottom.
    EXPECT_GE(canvas.ops.front().rect.bottom, canvas.height() - 5 + 3);
}

TEST_F(ChartFixture, ScaleLabelsShowTheNewRangeOverTheOld) {
    DRAWSCREEN(p, canvas, 1024);
    p.channels.Nvar[2][kDisplayMax] = 20;
    p.channels.Nvar[2][kDisplayMin] = 0;
    canvas.ops.clear();
    drawScaleLabels(p, canvas, 2, true);
    std::vector<std::string> texts;
    int cleared = 0;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Kind::Text) {
            texts.push_back(op.text);
            // Each label is written on a cleared patch.
            bool onCleared = false;
            for (const CanvasOp& f : canvas.ops) {
                onCleared = onCleared ||
                            (f.kind == CanvasOp::Kind::FillRect && f.rect.left <= op.rect.left &&
                             f.rect.top < op.rect.top && f.rect.bottom >= op.rect.top);
            }
            cleared += onCleared ? 1 : 0;
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{" 20", " 0"}));
    EXPECT_EQ(cleared, 2);
}

TEST_F(ChartFixture, TimeLabelsEndInsideTheWindow) {
    for (double interval : {0.05, 1.0, 30.0, 600.0}) {
        p.session.ChartINTERVALinSECONDS = interval;
        canvas.ops.clear();
        DRAWSCREEN(p, canvas, 1024);
        const int row = lastBandBottom(p) + 9;
        int labels = 0;
        for (const CanvasOp& op : canvas.ops) {
            if (op.kind == CanvasOp::Kind::Text && op.rect.top == row) {
                ++labels;
                EXPECT_LE(op.rect.left + textWidthBound(op.text), 1023)
                    << op.text << " " << interval;
            }
        }
        EXPECT_GE(labels, 2) << interval;
    }
}

TEST_F(ChartFixture, DataCapacityLabelGoesWithTheFirstSample) {
    DRAWSCREEN(p, canvas, 1024);
    const auto clearedUnderLabel = [&] {
        for (const CanvasOp& op : canvas.ops) {
            if (op.kind == CanvasOp::Kind::FillRect && op.rect.left <= 4 && op.rect.right >= 90 &&
                op.rect.top <= 17 && op.rect.bottom >= 30) {
                return true;
            }
        }
        return false;
    };
    canvas.ops.clear();
    p.session.Sample = 0;
    drawStatusField(p, canvas, 2, " Sample0");
    EXPECT_FALSE(clearedUnderLabel());
    p.session.Sample = 1;
    drawStatusField(p, canvas, 2, " Sample1");
    EXPECT_TRUE(clearedUnderLabel());
}

TEST_F(ChartFixture, ProgressLabelFollowsTheIntervalOfThisRun) {
    for (const auto& [interval, label] :
         {std::pair{0.05, "data capacity used"},
          std::pair{0.005, "data panel switched off for sampling speed"}}) {
        p.session.ChartINTERVALinSECONDS = interval;
        p.session.ShowDisplays = interval < 0.01 ? 1 : 0;  // left over from the run before
        canvas.ops.clear();
        DRAWSCREEN(p, canvas, 1024);
        bool found = false;
        for (const CanvasOp& op : canvas.ops) {
            found = found || op.text == label;
        }
        EXPECT_TRUE(found) << label;
    }
}

TEST_F(ChartFixture, ResizeBetweenRunsLaysOutTheNextRun) {
    DRAWSCREEN(p, canvas, 1024);
    EXPECT_FALSE(chartWindowResized(p, 1400, 900, true));  // during a run: nothing changes
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 1024);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], 768);
    ASSERT_TRUE(chartWindowResized(p, 1400, 900, false));
    EXPECT_EQ(p.prefs[kPrefWindowWidth], 1400);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], 900);
    // The bands fill the new height as they filled the old one.
    EXPECT_NEAR(nv(4, kBandBottom), 900 - 26, 5.0);
    EXPECT_NEAR(nv(1, kBandHeight), (900 - 60) / 4.0, 1.0);
    RecordingCanvas wide{1400, 900};
    DRAWSCREEN(p, wide, 1024);
    EXPECT_EQ(p.session.ScreenCapacity, 1401);
    // Too small a window is bounded; the same size again is no change.
    ASSERT_TRUE(chartWindowResized(p, 100, 50, false));
    EXPECT_EQ(p.prefs[kPrefWindowWidth], kMinChartWidth);
    EXPECT_EQ(p.prefs[kPrefWindowHeight], kMinChartHeight);
    EXPECT_FALSE(chartWindowResized(p, kMinChartWidth, kMinChartHeight, false));
}

TEST_F(ChartFixture, PlannedDurationText) {
    p.session.MaxSamples = 1200;
    p.session.ChartINTERVALinSECONDS = 1;
    EXPECT_EQ(FindChartDuration(p), " 20 min ");
    EXPECT_EQ(p.view.axis.minute_units, 1);
    p.session.MaxSamples = 100;
    EXPECT_EQ(FindChartDuration(p), " 100 sec  ");
    p.session.MaxSamples = 200000;
    EXPECT_EQ(FindChartDuration(p), " 2.31481 days ");
}

// The scope modes: the axis of a scope sweep, the information line, the chart below the scope.
std::vector<std::string> texts(const RecordingCanvas& canvas) {
    std::vector<std::string> out;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Kind::Text) {
            out.push_back(op.text);
        }
    }
    return out;
}

bool contains(const std::vector<std::string>& all, const std::string& text) {
    return std::find(all.begin(), all.end(), text) != all.end();
}

struct ScopeScreen : ChartFixture {
    ScopeScreen() : ChartFixture(1) {
        p.session.RecordingMODE = 2;
        p.session.MaxSamples = 1024;
        p.session.ChartINTERVALinSECONDS = 1.0;  // a chart axis would read "0 min ... 17"
        p.session.ScopeMax = 1000;
        p.session.scopeinterval = 0.001f;
        p.session.ScopeINTERVALinSECONDS = 0.001;
        p.prefs[kPrefWindowWidth] = 1000;
    }
};

TEST_F(ScopeScreen, AxisSpansOneSweep) {
    DRAWSCREEN(p, canvas, 1024);
    // 1,000 samples of 1 ms on 1,000 px: a tick every 100 px and 0.1 s.
    EXPECT_NEAR(p.view.axis.ticgap, 100.0f, 1e-3);
    const auto all = texts(canvas);
    EXPECT_TRUE(contains(all, "0 sec"));
    EXPECT_TRUE(contains(all, "0.5"));
    EXPECT_TRUE(contains(all, "1"));
    EXPECT_FALSE(contains(all, "0 min"));
    // The chart's custom tick leaves the scope axis alone; the scope's own halves the spacing.
    p.view.axis.CustomTic = 3;
    p.scope.run.CustomScopeTic = 0.5;
    canvas.ops.clear();
    DRAWSCREEN(p, canvas, 1024);
    EXPECT_NEAR(p.view.axis.ticgap, 50.0f, 1e-3);
    EXPECT_TRUE(contains(texts(canvas), "0.05"));
    // A sweep longer than 600 s is labelled in minutes.
    p.scope.run.CustomScopeTic = 0;
    p.session.scopeinterval = 1.0f;
    p.session.ScopeINTERVALinSECONDS = 1.0;
    canvas.ops.clear();
    DRAWSCREEN(p, canvas, 1024);
    EXPECT_EQ(p.view.axis.minute_units, 1);
    EXPECT_TRUE(contains(texts(canvas), "0 min"));
}

TEST_F(ScopeScreen, InformationLineByMode) {
    EXPECT_EQ(screenInfoText(p), "Scope width: 1000 samples (1.0000 sec )");
    p.view.ScopeViewSTEP = 10;
    EXPECT_EQ(screenInfoText(p), "Scope width: 1000 samples (1.0000 sec ); plot every 10th");
    p.prefs[kPrefWindowWidth] = 640;  // no room for the plotting step
    EXPECT_EQ(screenInfoText(p), "Scope width: 1000 samples (1.0000 sec )");
    p.prefs[kPrefWindowWidth] = 1000;
    p.session.RecordingMODE = 3;
    p.session.ChartINTERVALinSECONDS = 0.1;
    p.view.ScopeViewSTEP = 2;
    EXPECT_EQ(
        screenInfoText(p),
        "   'tab' saves scope (plot every 2nd Sample); 1024 chart samples 102.4 sec          ");
    p.view.ScopeViewSTEP = 1;
    EXPECT_EQ(screenInfoText(p), "   'tab' saves scope; 1024 chart samples 102.4 sec          ");
    p.session.RecordingMODE = 1;
    EXPECT_EQ(screenInfoText(p), "   1024 samples 102.4 sec          ");
}

TEST(SweepTime, FewerDecimalsForLongerSweeps) {
    EXPECT_EQ(sweepTimeText(0.0005), "0.00050000");
    EXPECT_EQ(sweepTimeText(0.05), "0.050000");
    EXPECT_EQ(sweepTimeText(0.5), "0.50000");
    EXPECT_EQ(sweepTimeText(17.066667), "17.067");
    EXPECT_EQ(sweepTimeText(999.5), "999.50");
    EXPECT_EQ(sweepTimeText(1024), "1024");
}

TEST_F(ChartFixture, ScopePlusChartScrollsOnlyTheChartBands) {
    p.session.RecordingMODE = 3;
    p.prefs[kPrefShowTimeGrids] = 1;
    p.session.MaxSamples = 1500;
    p.session.Sample = 1025;
    DRAWSCREEN(p, canvas, 1024);
    const int scopeBottom = static_cast<int>(nv(1, kBandBottom));
    const int chartTop = static_cast<int>(nv(2, kBandBottom) - nv(2, kBandHeight));
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Kind::Line && op.style == PenStyle::Dashed &&
            op.rect.left == op.rect.right) {
            EXPECT_GE(op.rect.top, chartTop) << "a time grid line crosses the scope band";
        }
    }
    canvas.ops.clear();
    REDRAWSCREEN(p, canvas);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.front().kind, CanvasOp::Kind::Scroll);
    EXPECT_EQ(canvas.ops.front().rect.top, scopeBottom + 1);
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == CanvasOp::Kind::FrameRect) {
            EXPECT_GE(op.rect.top, scopeBottom - 1) << "the scope band was redrawn as a chart band";
        }
        if (op.kind == CanvasOp::Kind::FillRect && op.rect.width() == 2) {
            EXPECT_EQ(op.rect.top, scopeBottom) << "the end-of-sampling bar crosses the scope band";
        }
    }
}

}  // namespace
}  // namespace trindel
