#include "display/scope_draw.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "display/min_max_envelope.h"

namespace trindel {

Rect scopeBand(const Program& p) {
    const auto& row = p.channels.Nvar[1];
    Rect r;
    r.left = 0;
    r.right = p.prefs[kPrefWindowWidth];
    r.bottom = static_cast<int>(row[kBandBottom]) + 1;
    r.top = std::max(0, r.bottom - 1 - static_cast<int>(row[kBandHeight]));
    return r;
}

void drawScopeBand(const Program& p, Canvas& canvas) {
    const RGBColor bg = p.prefs[kPrefFastScope] != 0 ? p.colours.FastScopeBackground
                                                     : p.colours.ScopeBackgroundColor;
    canvas.fillRect(scopeBand(p), bg);
}

void drawScopeFrame(const Program& p, Canvas& canvas, float ticgap) {
    const Rect band = scopeBand(p);
    const RGBColor frame = p.colours.ScFrame;
    canvas.line(band.left, band.top, band.left, band.bottom - 1, frame);
    canvas.line(band.right - 1, band.top, band.right - 1, band.bottom - 1, frame);
    if (!(ticgap >= 2.0f)) {
        return;
    }
    const int bottom = p.scope.run.scminPix;
    for (double x = 0.0; x < band.right; x += ticgap) {
        const int xi = static_cast<int>(std::lround(x));
        canvas.line(xi, bottom - 6, xi, bottom, frame);
    }
}

int burstRow(const Program& p, float value) {
    const auto& row = p.channels.Nvar[1];
    const float range = row[kDisplayMax] - row[kDisplayMin];
    const float fraction = range != 0.0f ? (value - row[kDisplayMin]) / range : 0.0f;
    float y = (row[kBandBottom] - 1) - row[kBandHeight] * fraction;
    if (!std::isfinite(y)) {
        y = p.scope.run.scminPix;
    }
    return static_cast<int>(
        std::clamp(y, 0.0f, std::max(0.0f, static_cast<float>(p.scope.run.scminPix))));
}

void drawBurst(const Program& p, Canvas& canvas) {
    drawScopeBand(p, canvas);
    const int32_t n = std::min<int32_t>(p.session.ScopeMax, ScopeBuffers::kScopeRowLength - 1);
    if (n <= 0) {
        return;
    }
    const RGBColor pen = p.colours.ScopeDataColor;
    const std::span<const float> values(&p.scope.scopedata[ScopeBuffers::kScopeRowLength + 1],
                                        static_cast<size_t>(n));
    const double step = p.scope.run.scopeXfactor > 0.0f ? p.scope.run.scopeXfactor : 1.0;
    if (step < 1.0) {
        // More samples than columns: one line per column from its minimum to its maximum, joined
        // to the next column, so no peak is lost.
        const std::vector<EnvelopeColumn> cols = minMaxEnvelope(values, step);
        int lastY = -1;
        for (size_t x = 0; x < cols.size(); ++x) {
            const EnvelopeColumn& c = cols[x];
            if (!c.finite) {
                continue;
            }
            const int top = burstRow(p, c.max), low = burstRow(p, c.min);
            const int xi = static_cast<int>(x);
            if (lastY >= 0) {
                canvas.line(xi - 1, lastY, xi, burstRow(p, c.first), pen);
            }
            canvas.line(xi, top, xi, low, pen);
            lastY = burstRow(p, c.last);
        }
        return;
    }
    int px = 0, py = burstRow(p, values[0]);
    for (int32_t k = 1; k < n; ++k) {
        const int x = static_cast<int>(k * step);
        const int y = burstRow(p, values[static_cast<size_t>(k)]);
        canvas.line(px, py, x, y, pen);
        px = x;
        py = y;
    }
}

}  // namespace trindel
