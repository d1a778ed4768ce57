// Drawing one scan's result: pen rows inside each band and the trace segment from the last one.
#include "display/scan_trace.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/virtual_platform.h"

namespace trindel {
namespace {

struct ScanTrace {
    Program p;
    RecordingCanvas canvas{1024, 768};
    ScanTrace() {
        p.session.nChan = 2;
        for (int c = 1; c <= 2; ++c) {
            auto& row = p.channels.Nvar[static_cast<size_t>(c)];
            row[kBandHeight] = 100;
            row[kBandBottom] = 101 + 100 * c;  // channel 1: rows 100..200, channel 2: 200..300
            row[kDisplayMin] = 0.0f;
            row[kDisplayMax] = 1.0f;
        }
    }
    ScanResult scan(int column, float v1, float v2) const {
        ScanResult s;
        s.first = 1;
        s.last = 2;
        s.column = column;
        s.channels[1].value = v1;
        s.channels[2].value = v2;
        return s;
    }
};

TEST(PenRow, ValueFindsItsPlaceInsideTheBand) {
    ScanTrace t;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, int> cases[] = {{0.5f, 150}, {0.0f, 200},  {1.0f, 100},
                                           {2.0f, 100}, {-1.0f, 200}, {nan, 200}};
    for (auto [value, row] : cases) {
        EXPECT_EQ(penRow(t.p.channels, 1, value), row) << value;
    }
    t.p.channels.Nvar[1][kDisplayMax] = 0.0f;  // flat range: the band's bottom
    EXPECT_EQ(penRow(t.p.channels, 1, 0.0f), 200);
}

TEST(DrawScan, SegmentsRunFromTheLastPenPositionOfEachChannel) {
    ScanTrace t;
    t.p.session.Sample = 0;  // the first samples start off screen
    drawScan(t.p, t.canvas, t.scan(1, 0.5f, 0.25f));
    t.p.session.Sample = 2;
    drawScan(t.p, t.canvas, t.scan(2, 1.0f, 0.75f));
    ASSERT_EQ(t.canvas.ops.size(), 4u);
    // A line's first point is (left, top), its second (right, bottom).
    const Rect expected[] = {
        {-500, 150, 1, 150}, {-500, 275, 1, 275}, {1, 150, 2, 100}, {1, 275, 2, 225}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(t.canvas.ops[i].rect, expected[i]) << i;
    }
    EXPECT_EQ(t.p.chart.previousColumn, 2);
    EXPECT_EQ(t.p.channels.Nvar[2][kLastPenRow], 225.0f);
}

}  // namespace
}  // namespace trindel
