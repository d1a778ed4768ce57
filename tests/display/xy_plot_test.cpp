// The XY plot: channel choice, Y expansions, the point mapping, the window size, clear and redraw.
#include "display/xy_plot.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "platform/virtual_platform.h"

namespace trindel {
namespace {

struct XYFixture : ::testing::Test {
    XYFixture() {
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.session.nChan = 3;
        p.prefs[kPrefWindowWidth] = 800;
        range(1, 0, 10);
        range(2, 0, 10);
        range(3, -1, 1);
        chooseXYChannel(p, true, 1);
        chooseXYChannel(p, false, 2);
    }
    void range(int c, float lo, float hi) {
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = lo;
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = hi;
    }
    size_t points() const {
        size_t n = 0;
        for (const CanvasOp& op : canvas.ops) {
            n += op.kind == CanvasOp::Kind::Line && op.rect.left == op.rect.right &&
                 op.rect.top == op.rect.bottom;
        }
        return n;
    }
    Program p;
    RecordingCanvas canvas{400, 500};
};

TEST_F(XYFixture, AChannelIsOnOneAxisOnly) {
    EXPECT_EQ(p.view.XY[kXYChannelX], 1.0f);
    EXPECT_EQ(p.view.XY[kXYChannelY], 2.0f);
    chooseXYChannel(p, false, 1);  // Y takes channel 1: X lets it go
    EXPECT_EQ(p.view.XY[kXYChannelY], 1.0f);
    EXPECT_EQ(p.view.XY[kXYChannelX], 0.0f);
    toggleShowXYPlot(p);
    EXPECT_EQ(p.view.ShowXYPlot, 1);
    toggleShowXYPlot(p);
    EXPECT_EQ(p.view.ShowXYPlot, 0);
}

TEST_F(XYFixture, YExpansions) {
    struct Case {
        int down, up;
        XYRange range;
    };
    for (const Case c :
         {Case{0, 0, {0, 10}}, Case{1, 0, {-5, 10}}, Case{0, 1, {0, 15}}, Case{1, 1, {-5, 15}}}) {
        p.view.ExpandXYdown = static_cast<int16_t>(c.down);
        p.view.ExpandXYup = static_cast<int16_t>(c.up);
        EXPECT_EQ(xyYRange(p), c.range) << c.down << c.up;
    }
}

TEST_F(XYFixture, WindowSizeFromTheScreen) {
    struct Case {
        int screen;
        std::optional<int> z;
    };
    for (const Case c :
         {Case{1280, 360}, Case{1100, 293}, Case{906, std::nullopt}, Case{907, 100}}) {
        p.view.XYPlotWindow = 0;
        p.view.XY[kXYSize] = 0;
        EXPECT_EQ(makeXYPlotWindow(p, c.screen), c.z) << c.screen;
        EXPECT_EQ(p.view.XYPlotWindow, c.z ? 1 : 0);
        EXPECT_EQ(p.view.XY[kXYSize], c.z ? static_cast<float>(*c.z) : 0.0f);
    }
    EXPECT_EQ(xyPlotWindowRect(p), (Rect{810, 50, 900, 325}));
}

TEST_F(XYFixture, PointMapping) {
    ASSERT_EQ(makeXYPlotWindow(p, 1280), 360);
    p.store.set(1, 0, 5.0f);
    p.store.set(2, 0, 5.0f);
    p.store.set(1, 1, 2.5f);
    p.store.set(2, 1, 10.0f);
    p.store.set(1, 2, -5.0f);  // outside: mirrored by the absolute value
    p.store.set(2, 2, 0.0f);
    EXPECT_EQ(xyPoint(p, 1), std::nullopt);  // from the second sample on
    EXPECT_EQ(xyPoint(p, 2), (XYPoint{90, 0}));
    EXPECT_EQ(xyPoint(p, 3), (XYPoint{180, 430}));
    p.view.ExpandXYdown = p.view.ExpandXYup = 1;  // Y shown as -5 .. 15
    EXPECT_EQ(xyPoint(p, 2), (XYPoint{90, 107}));
    range(1, 3, 3);  // no X range: nothing drawn rather than a division by zero
    EXPECT_EQ(xyPoint(p, 2), std::nullopt);
    range(1, 0, 10);
    p.store.set(2, 1, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(xyPoint(p, 2), std::nullopt);
}

TEST_F(XYFixture, ClearAndRedrawFromLastClear) {
    ASSERT_EQ(makeXYPlotWindow(p, 1280), 360);
    for (int k = 0; k < 1000; ++k) {
        p.store.set(1, k, static_cast<float>(k % 100) / 10.0f);
        p.store.set(2, k, static_cast<float>(k % 50) / 5.0f);
    }
    p.session.Sample = 1000;
    p.session.LastXYClear = 1;
    RedrawXY(p, canvas);
    // 100 distinct points repeat; each pixel is drawn once (sample 1 is never drawn).
    std::set<std::pair<int, int>> distinct;
    for (int s = 2; s <= 1000; ++s) {
        const auto pt = xyPoint(p, s);
        distinct.insert({pt->x, pt->y});
    }
    EXPECT_EQ(points(), distinct.size());
    const auto& fill = canvas.ops.front();
    EXPECT_EQ(fill.kind, CanvasOp::Kind::FillRect);
    EXPECT_EQ(fill.rect, (Rect{0, 0, 360, 430}));
    // Clearing at sample 990 (the loop sets LastXYClear) then redrawing shows 11 points.
    canvas.ops.clear();
    p.session.LastXYClear = 990;
    xyCommand(p, canvas, 'c');
    EXPECT_EQ(points(), 11u);
    // Expanding redraws the same samples with the new Y range, written at the left.
    canvas.ops.clear();
    xyCommand(p, canvas, 'd');
    EXPECT_EQ(p.view.ExpandXYdown, 1);
    EXPECT_EQ(points(), 11u);
    bool minText = false;
    for (const CanvasOp& op : canvas.ops) {
        minText = minText || op.text == "-5";
    }
    EXPECT_TRUE(minText);
    xyCommand(p, canvas, 'n');
    EXPECT_EQ(p.view.ExpandXYdown, 0);
    EXPECT_EQ(p.view.ExpandXYup, 0);
    canvas.ops.clear();
    xyCommand(p, canvas, 'x');  // not a plot key
    EXPECT_TRUE(canvas.ops.empty());
}

TEST_F(XYFixture, NothingDrawnWithoutTheWindow) {
    p.session.Sample = 10;
    RedrawXY(p, canvas);
    EXPECT_TRUE(canvas.ops.empty());
}

}  // namespace
}  // namespace trindel
