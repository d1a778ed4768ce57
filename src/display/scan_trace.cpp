#include "display/scan_trace.h"

#include <algorithm>
#include <cmath>

namespace trindel {

namespace {

using ChannelRow = decltype(ChannelTable::Nvar)::value_type;

int rowInBand(const ChannelRow& row, float value) {
    const int h = static_cast<int>(row[kBandHeight]);
    const int bottom = static_cast<int>(row[kBandBottom]) - 1;
    const int top = bottom - h;
    const float range = row[kDisplayMax] - row[kDisplayMin];
    if (range == 0.0f || !std::isfinite(value)) {
        return bottom;
    }
    const double y = bottom - h * (static_cast<double>(value) - row[kDisplayMin]) / range;
    return static_cast<int>(std::clamp(y, static_cast<double>(top), static_cast<double>(bottom)));
}

}  // namespace

int penRow(const ChannelTable& channels, int channel, float value) {
    return rowInBand(channels.Nvar[static_cast<size_t>(channel)], value);
}

void drawScan(Program& p, Canvas& canvas, const ScanResult& scan) {
    const bool firstSamples = p.session.Sample < 2;
    for (int c = scan.first; c <= scan.last; ++c) {
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        const int y = rowInBand(row, scan.channels[static_cast<size_t>(c)].value);
        const int previousRow = firstSamples ? y : static_cast<int>(row[kLastPenRow]);
        const int previousColumn = firstSamples ? -500 : p.chart.previousColumn;
        canvas.line(previousColumn, previousRow, scan.column, y, p.colours.ChartDataColor);
        row[kLastPenRow] = static_cast<float>(y);
    }
    p.chart.previousColumn = static_cast<int16_t>(scan.column);
}

}  // namespace trindel
