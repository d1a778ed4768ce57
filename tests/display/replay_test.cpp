// Replay geometry on the recording canvas: titles, scale, bands, clamping, zero line, grids,
// traces and markers.
#include "display/replay.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "display/chart_screen.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

struct ReplayFixture : ::testing::Test {
    void setUp(int channels, int samples) {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.session.nChan = static_cast<int16_t>(channels);
        p.prefs[kPrefWindowWidth] = 1074;  // a 1,024-pixel replay
        for (int c = 1; c <= channels; ++c) {
            row(c)[kDisplayMax] = 5;
            row(c)[kDisplayMin] = -5;
        }
        SetChanParams(p, 0, 0);
        p.session.Sample = samples;
    }
    std::array<float, 18>& row(int c) { return p.channels.Nvar[static_cast<size_t>(c)]; }
    std::vector<CanvasOp> ops(CanvasOp::Kind kind) const {
        std::vector<CanvasOp> out;
        std::copy_if(canvas.ops.begin(), canvas.ops.end(), std::back_inserter(out),
                     [&](const CanvasOp& op) { return op.kind == kind; });
        return out;
    }
    bool hasText(const std::string& t) const {
        return std::any_of(canvas.ops.begin(), canvas.ops.end(),
                           [&](const CanvasOp& op) { return op.text == t; });
    }
    Program p;
    RecordingCanvas canvas{1024, 900};
};

TEST_F(ReplayFixture, TitleGivesSecondsMinutesOrHours) {
    setUp(1, 0);
    p.session.ChartINTERVALinSECONDS = 1.0;
    struct Case {
        int samples;
        const char* title;
    };
    for (const Case c : {Case{120, "Replay Recorded Data    (Sample 120;   120 seconds)"},
                         Case{300, "Replay Recorded Data    (Sample 300;   300 seconds)"},
                         Case{600, "Replay Recorded Data    (Sample 600;   10 minutes)"},
                         Case{7200, "Replay Recorded Data    (Sample 7200;   120 minutes)"},
                         Case{10800, "Replay Recorded Data    (Sample 10800;   3 hours)"}}) {
        p.session.Sample = c.samples;
        EXPECT_EQ(replayTitle(p, true), c.title);
    }
    p.session.Sample = 90;
    p.session.ChartINTERVALinSECONDS = 0.5;
    EXPECT_EQ(replayTitle(p, false),
              "Replay Recorded Data    (Sample 90;   45 seconds)    Click "
              "'Resume' Icon (Triangle) to Exit");
    // Scope mode: the sweep length times the scope interval.
    p.session.RecordingMODE = 2;
    p.session.ScopeMax = 1000;
    p.session.ScopeINTERVALinSECONDS = 0.001;
    EXPECT_EQ(replayTitle(p, true), "Replay Recorded Data    (Sample 1000;   1 seconds)");
}

TEST_F(ReplayFixture, StepSpreadsTheRunOverTheWidth) {
    setUp(1, 2048);
    EXPECT_DOUBLE_EQ(replayStep(p), 0.5);
    p.session.Sample = 0;
    EXPECT_EQ(replayStep(p), 0.0);
}

TEST_F(ReplayFixture, BandsAreTheChartBandsMovedUp) {
    setUp(3, 10);
    const ReplayEnvelopes env = computeReplayEnvelopes(p);
    for (int c = 1; c <= 3; ++c) {
        const ReplayBand b = replayBand(p, c, env.channels[static_cast<size_t>(c - 1)]);
        EXPECT_EQ(b.bottom, static_cast<int>(row(c)[kBandBottom]) - 35);
        EXPECT_EQ(b.top, b.bottom - static_cast<int>(row(c)[kBandHeight]));
    }
    drawReplay(p, canvas, true, env);
    const auto fills = ops(CanvasOp::Kind::FillRect);
    ASSERT_EQ(fills.size(), 4u);  // the background and one band per channel
    EXPECT_EQ(fills[1].color, p.colours.ChartBackgroundColor);
    EXPECT_EQ(fills[1].rect.right, 1024);
    canvas.ops.clear();
    drawReplay(p, canvas, false, env);
    EXPECT_EQ(ops(CanvasOp::Kind::FillRect)[1].color, p.colours.gray);
}

TEST_F(ReplayFixture, RowsClampToTheBand) {
    ReplayBand b;
    b.top = 100;
    b.bottom = 200;
    b.height = 100;
    b.rangeMax = 10;
    b.rangeMin = 0;
    EXPECT_EQ(replayRow(b, 10), 100);
    EXPECT_EQ(replayRow(b, 50), 100);
    EXPECT_EQ(replayRow(b, 5), 150);
    EXPECT_EQ(replayRow(b, 0), 200);
    EXPECT_EQ(replayRow(b, -7), 200);
    EXPECT_EQ(replayRow(b, 2.5f), 175);
    EXPECT_EQ(replayRow(b, std::numeric_limits<float>::quiet_NaN()), 100);
    EXPECT_EQ(replayRow(b, -std::numeric_limits<float>::infinity()), 200);
    b.rangeMin = 10;  // no usable range
    EXPECT_EQ(replayRow(b, 3), 150);
}

TEST_F(ReplayFixture, ValuesAboveTheUserRangeRunAlongTheTop) {
    setUp(1, 500);
    for (int k = 0; k < 500; ++k) {
        p.store.set(1, k, 7.0f + static_cast<float>(k % 3));
    }
    p.chart.ReplayAutoScaling = 0;
    const ReplayEnvelopes env = computeReplayEnvelopes(p);
    const ReplayBand b = replayBand(p, 1, env.channels[0]);
    drawReplay(p, canvas, true, env);
    int traceLines = 0;
    for (const CanvasOp& op : ops(CanvasOp::Kind::Line)) {
        if (op.color == p.colours.ChartDataColor) {
            ++traceLines;
            EXPECT_EQ(op.rect.top, b.top);
            EXPECT_EQ(op.rect.bottom, b.top);
        }
    }
    EXPECT_GT(traceLines, 400);
    // Full range: the same data fills the band from 7 to 9.
    switchReplayScaling(p);
    const ReplayBand full = replayBand(p, 1, env.channels[0]);
    EXPECT_EQ(full.rangeMin, 7.0f);
    EXPECT_EQ(full.rangeMax, 9.0f);
    EXPECT_EQ(replayScalingButtonText(p), "Switch to User-set Scaling");
}

TEST_F(ReplayFixture, ZeroLineAndGridCounts) {
    setUp(1, 10);
    row(1)[kBandHeight] = 60;
    row(1)[kBandBottom] = 135;  // band 40..100 in the replay
    p.prefs[kPrefShowZeroLines] = 1;
    p.prefs[kPrefShowScaleGrid] = 1;
    p.prefs[kPrefManyGridLines] = 0;
    const std::vector<EnvelopeColumn> none;
    struct Case {
        float max, min;
        int many;
        int zeroRow;
        std::vector<int> grid;
    };
    // Range -5..5: zero at trunc(40 + 0.99 + 30) = 70; 3 parts raised to 4 (lines 85, 70, 55,
    // the middle one dropped beside the zero line); doubled: 6 parts.
    // Range 0..10: no zero line, 3 parts.
    for (const Case& c : {Case{5, -5, 0, 70, {85, 55}}, Case{5, -5, 1, 70, {90, 80, 60, 50}},
                          Case{10, 0, 0, -1, {80, 60}}}) {
        row(1)[kDisplayMax] = c.max;
        row(1)[kDisplayMin] = c.min;
        p.prefs[kPrefManyGridLines] = static_cast<int16_t>(c.many);
        const ReplayBand b = replayBand(p, 1, none);
        EXPECT_EQ(b.zeroRow, c.zeroRow);
        EXPECT_EQ(b.gridRows, c.grid);
    }
    row(1)[kDisplayMax] = 5;
    row(1)[kDisplayMin] = -5;
    p.prefs[kPrefManyGridLines] = 0;
    p.prefs[kPrefDashedGridLines] = 1;
    drawReplay(p, canvas, true, computeReplayEnvelopes(p));
    int dashedZero = 0, dashedGrid = 0;
    for (const CanvasOp& op : ops(CanvasOp::Kind::Line)) {
        if (op.style == PenStyle::Dashed && op.rect.top == 70 && op.rect.left == 12) {
            ++dashedZero;
        }
        if (op.style == PenStyle::Dashed && (op.rect.top == 85 || op.rect.top == 55)) {
            ++dashedGrid;
        }
    }
    EXPECT_EQ(dashedZero, 1);
    EXPECT_EQ(dashedGrid, 2);
    EXPECT_TRUE(hasText("0"));
    p.prefs[kPrefShowZeroLines] = 0;
    p.prefs[kPrefShowScaleGrid] = 0;
    const ReplayBand off = replayBand(p, 1, none);
    EXPECT_EQ(off.zeroRow, -1);
    EXPECT_TRUE(off.gridRows.empty());
}

TEST_F(ReplayFixture, SingleSampleSpikeIsDrawn) {
    setUp(1, 2000000);
    p.chart.ReplayAutoScaling = 0;
    p.store.reserveSlots(SampleStore::slotOf(2, 0));
    p.store.set(1, 1234567, 4.9f);  // one sample of 2,000,000
    const ReplayEnvelopes env = computeReplayEnvelopes(p);
    const ReplayBand b = replayBand(p, 1, env.channels[0]);
    drawReplay(p, canvas, true, env);
    const int spikeX = static_cast<int>(1234568 * env.step);
    bool found = false;
    size_t traceLines = 0;
    for (const CanvasOp& op : ops(CanvasOp::Kind::Line)) {
        if (op.color != p.colours.ChartDataColor) {
            continue;
        }
        ++traceLines;
        found = found || (op.rect.left == spikeX && op.rect.right == spikeX &&
                          std::min(op.rect.top, op.rect.bottom) == replayRow(b, 4.9f));
    }
    EXPECT_TRUE(found);
    EXPECT_LE(traceLines, 2u * 1025u);  // per column, not per sample
}

TEST_F(ReplayFixture, MarkersAtTheirSamplesWhenShown) {
    setUp(2, 1024 * 4);
    p.Markers.add(1024, 'A');
    p.Markers.add(2048, 203);
    p.prefs[kPrefMarkersInReplay] = 1;
    p.prefs[kPrefDashedMarkerLines] = 1;
    const ReplayEnvelopes env = computeReplayEnvelopes(p);
    drawReplay(p, canvas, true, env);
    const int lineEnd = static_cast<int>(row(2)[kLastPenRow]) - 35;
    bool a = false, three = false;
    for (const CanvasOp& op : canvas.ops) {
        a = a || (op.kind == CanvasOp::Kind::Text && op.text == "A" && op.rect.left == 259 &&
                  op.rect.top == 27);
        three = three || (op.kind == CanvasOp::Kind::Text && op.text == "3" &&
                          op.rect.left == 515 && op.rect.top == 27);
    }
    EXPECT_TRUE(a);
    EXPECT_TRUE(three);
    int markerLines = 0;
    for (const CanvasOp& op : ops(CanvasOp::Kind::Line)) {
        if ((op.rect.left == 256 || op.rect.left == 512) && op.rect.top == 20 &&
            op.rect.bottom == lineEnd && op.style == PenStyle::Dashed) {
            ++markerLines;
        }
    }
    EXPECT_EQ(markerLines, 2);
    canvas.ops.clear();
    p.prefs[kPrefMarkersInReplay] = 0;
    drawReplay(p, canvas, true, env);
    EXPECT_FALSE(hasText("A"));
}

TEST_F(ReplayFixture, LabelsScalingAndFoot) {
    setUp(1, 100);
    p.channels.setLabel(1, "O2 in");
    row(1)[kInputNumber] = 3;
    p.files.filestrings.startTime = "10:11:12";
    p.chart.ReplayAutoScaling = 0;
    drawReplay(p, canvas, true, computeReplayEnvelopes(p));
    EXPECT_TRUE(hasText("Channel 1  Input #3"));
    EXPECT_TRUE(hasText("O2 in"));
    EXPECT_TRUE(hasText(" 5"));
    EXPECT_TRUE(hasText("-5"));
    EXPECT_TRUE(hasText("user-set scaling"));
    EXPECT_TRUE(hasText("10:11:12 (start time)"));
    EXPECT_EQ(replayScalingButtonText(p), "Switch to Full-range Scaling");
    canvas.ops.clear();
    drawReplay(p, canvas, false, computeReplayEnvelopes(p));
    EXPECT_TRUE(std::any_of(canvas.ops.begin(), canvas.ops.end(), [](const CanvasOp& op) {
        return op.text.find("icon to return to main window") != std::string::npos;
    }));
}

}  // namespace
}  // namespace trindel
