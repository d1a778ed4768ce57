#include "display/replay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "text/number_text.h"

namespace trindel {

namespace {

// Bands sit 35 rows higher in the replay than in the recording window.
constexpr int kBandShift = 35;

float nv(const Program& p, int c, int e) {
    return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
}

int windowWidth(const Program& p) {
    return p.prefs[kPrefWindowWidth];
}

int channelCount(const Program& p) {
    return std::clamp<int>(p.session.nChan, 0, kMaxChannels);
}

bool scopeMode(const Program& p) {
    return p.session.RecordingMODE == 2;
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

std::string markerText(int32_t code) {
    if (code >= 200) {
        return std::to_string(code - 200);
    }
    return std::string(1, static_cast<char>(code));
}

}  // namespace

int64_t replaySampleCount(const Program& p) {
    const int64_t n = scopeMode(p) ? p.session.ScopeMax : p.session.Sample;
    return std::clamp<int64_t>(n, 0, SampleStore::kMaxSamplesPerChannel);
}

std::string replayTitle(const Program& p, bool afterRun) {
    const int64_t n = replaySampleCount(p);
    const double interval =
        scopeMode(p) ? p.session.ScopeINTERVALinSECONDS : p.session.ChartINTERVALinSECONDS;
    const double d = static_cast<double>(n) * interval;
    std::string duration;
    if (d > 7200) {
        duration = runtimeText(d / 3600) + " hours)";
    } else if (d > 300) {
        duration = runtimeText(d / 60) + " minutes)";
    } else {
        duration = runtimeText(d) + " seconds)";
    }
    std::string title =
        "Replay Recorded Data    (Sample" + runtimeText(static_cast<double>(n)) + ";  " + duration;
    if (!afterRun) {
        title += "    Click 'Resume' Icon (Triangle) to Exit";
    }
    return title;
}

int replayCanvasWidth(const Program& p) {
    return std::max(windowWidth(p) - 50, 1);
}

int replayCanvasHeight(const Program& p, bool afterRun) {
    const int n = channelCount(p);
    const int lowest = n > 0 ? static_cast<int>(nv(p, n, kBandBottom)) - kBandShift : 0;
    return std::max(lowest + (afterRun ? 42 : 65), 1);
}

double replayStep(const Program& p) {
    const int64_t n = replaySampleCount(p);
    return n > 0 ? static_cast<double>(windowWidth(p) - 50) / static_cast<double>(n) : 0.0;
}

ReplayBand replayBand(const Program& p, int c, const std::vector<EnvelopeColumn>& envelope) {
    ReplayBand band;
    band.bottom = static_cast<int>(nv(p, c, kBandBottom)) - kBandShift;
    band.height = static_cast<int>(nv(p, c, kBandHeight));
    band.top = band.bottom - band.height;
    if (p.chart.ReplayAutoScaling != 0) {
        float lo = std::numeric_limits<float>::infinity();
        float hi = -std::numeric_limits<float>::infinity();
        for (const EnvelopeColumn& col : envelope) {
            if (col.finite) {
                lo = std::min(lo, col.min);
                hi = std::max(hi, col.max);
            }
        }
        band.rangeMin = lo <= hi ? lo : 0.0f;
        band.rangeMax = lo <= hi ? hi : 0.0f;
    } else {
        band.rangeMax = nv(p, c, kDisplayMax);
        band.rangeMin = nv(p, c, kDisplayMin);
    }
    const float M = band.rangeMax;
    const float m = band.rangeMin;
    const double f = M > m ? band.height / (static_cast<double>(M) - m) : 0.0;
    if (M > 0 && m < 0 && p.prefs[kPrefShowZeroLines] != 0) {
        band.zeroRow = static_cast<int>(band.top + 0.99 + M * f);
    }
    if (p.prefs[kPrefShowScaleGrid] != 0) {
        int count = band.height < 51 ? 2 : (band.height < 76 ? 3 : 4);
        if (p.prefs[kPrefManyGridLines] != 0) {
            count *= 2;
        }
        if (band.zeroRow >= 0 && count % 2 == 1) {
            ++count;
        }
        for (int j = 1; j < count; ++j) {
            const int row =
                static_cast<int>(band.bottom - static_cast<double>(j) * band.height / count);
            if (band.zeroRow < 0 || std::abs(row - band.zeroRow) > 1) {
                band.gridRows.push_back(row);
            }
        }
    }
    return band;
}

int replayRow(const ReplayBand& band, float v) {
    const float M = band.rangeMax;
    const float m = band.rangeMin;
    if (!(M > m)) {
        // No usable range (a flat channel): the trace runs along the middle of the band.
        return band.top + band.height / 2;
    }
    if (!(v < M)) {  // at or above the top, and NaN
        return band.top;
    }
    const double y =
        band.top + (static_cast<double>(M) - v) * band.height / (static_cast<double>(M) - m);
    if (!(y <= band.bottom)) {
        return band.bottom;
    }
    return std::max(static_cast<int>(y), band.top);
}

ReplayEnvelopes computeReplayEnvelopes(const Program& p) {
    ReplayEnvelopes e;
    e.samples = replaySampleCount(p);
    e.step = replayStep(p);
    const int n = channelCount(p);
    e.channels.resize(static_cast<size_t>(n));
    if (e.samples <= 0 || !(e.step > 0)) {
        return e;
    }
    const std::vector<int64_t> starts = columnStarts(e.samples, e.step);
    std::vector<float> sweep;
    for (int c = 1; c <= n; ++c) {
        std::span<const float> values;
        if (scopeMode(p)) {
            // Scope mode replays the sweep of row c (rows 1-3 hold the channels of a sweep).
            sweep.assign(static_cast<size_t>(e.samples), 0.0f);
            if (c < ScopeBuffers::kScopeRows) {
                const int64_t len = std::min<int64_t>(e.samples, ScopeBuffers::kScopeRowLength - 1);
                for (int64_t i = 0; i < len; ++i) {
                    sweep[static_cast<size_t>(i)] = p.scope.scope(c, static_cast<int>(i + 1));
                }
            }
            values = sweep;
        } else {
            const float* row = p.store.row(c, e.samples);
            if (row == nullptr) {
                continue;  // the row was never written: nothing to draw
            }
            values = std::span<const float>(row, static_cast<size_t>(e.samples));
        }
        e.channels[static_cast<size_t>(c - 1)] = minMaxEnvelope(values, starts);
    }
    return e;
}

void drawReplay(const Program& p, Canvas& canvas, bool afterRun, const ReplayEnvelopes& env) {
    const int W = windowWidth(p);
    const int plotWidth = W - 50;
    const int n = channelCount(p);
    const Colours& col = p.colours;
    const TextStyle small{9, false, col.ChartFrameColor};
    canvas.fillRect(Rect{0, 0, canvas.width(), canvas.height()}, col.Markwhite);
    int lastBottom = 0;
    for (int c = 1; c <= n; ++c) {
        static const std::vector<EnvelopeColumn> kNone;
        const auto& envelope = static_cast<size_t>(c) <= env.channels.size()
                                   ? env.channels[static_cast<size_t>(c - 1)]
                                   : kNone;
        const ReplayBand band = replayBand(p, c, envelope);
        lastBottom = std::max(lastBottom, band.bottom);
        const Rect r{0, band.top, plotWidth, band.bottom + 1};
        canvas.fillRect(r, afterRun ? col.ChartBackgroundColor : col.gray);
        canvas.frameRect(r, col.ChartFrameColor);
        if (band.zeroRow >= 0) {
            canvas.line(12, band.zeroRow, W, band.zeroRow, col.ChartFrameColor, PenStyle::Dashed);
            canvas.text(3, band.zeroRow + 4, "0", small);
        }
        const PenStyle gridStyle =
            p.prefs[kPrefDashedGridLines] != 0 ? PenStyle::Dashed : PenStyle::Solid;
        for (int row : band.gridRows) {
            canvas.line(1, row, W, row, col.VeryLightGray, gridStyle);
        }
        // Trace: one vertical line per column from its minimum to its maximum, joined to the
        // previous column from that column's last sample to this column's first.
        int prevX = -1, prevY = 0;
        for (size_t x = 0; x < envelope.size(); ++x) {
            const EnvelopeColumn& e = envelope[x];
            if (!e.finite) {
                continue;
            }
            const int xi = static_cast<int>(x);
            const int yFirst = replayRow(band, std::isfinite(e.first) ? e.first : e.min);
            if (prevX >= 0) {
                canvas.line(prevX, prevY, xi, yFirst, col.ChartDataColor);
            }
            if (e.max > e.min) {
                canvas.line(xi, replayRow(band, e.max), xi, replayRow(band, e.min),
                            col.ChartDataColor);
            } else if (prevX < 0) {
                canvas.line(xi, yFirst, xi, yFirst, col.ChartDataColor);
            }
            prevX = xi;
            prevY = replayRow(band, std::isfinite(e.last) ? e.last : e.max);
        }
        canvas.text(48, band.top + 11,
                    "Channel " + std::to_string(c) + "  Input #" +
                        std::to_string(static_cast<int>(nv(p, c, kInputNumber))),
                    small);
        canvas.text(172, band.top + 11, trimmed(p.channels.label(c)), small);
        canvas.text(1, band.top + 11, StringFormatter(band.rangeMax), small);
        canvas.text(1, band.bottom - 3, StringFormatter(band.rangeMin), small);
    }
    if (p.prefs[kPrefMarkersInReplay] != 0) {
        ShowMarkersInReplay(p, canvas, env.step);
    }
    canvas.text(W - 170, 12,
                p.chart.ReplayAutoScaling != 0 ? "full-range scaling" : "user-set scaling",
                TextStyle{10, true, col.ChartFrameColor});
    const int foot = lastBottom + 12;
    canvas.line(0, foot, W, foot, col.ChartFrameColor);
    const TextStyle footStyle{10, false, col.ChartFrameColor};
    canvas.text(10, foot + 15, p.files.filestrings.startTime + " (start time)", footStyle);
    if (!afterRun) {
        canvas.text(10, foot + 35,
                    "type   'Ctrl-r' or click 'replay' icon to switch scales     Ctrl-c or click "
                    "'triangle'  icon to return to main window ",
                    footStyle);
    }
    canvas.flush();
}

void ShowMarkersInReplay(const Program& p, Canvas& canvas, double step) {
    const int n = channelCount(p);
    if (n == 0) {
        return;
    }
    const int lineEnd = static_cast<int>(nv(p, n, kLastPenRow)) - kBandShift;
    const PenStyle style =
        p.prefs[kPrefDashedMarkerLines] != 0 ? PenStyle::Dashed : PenStyle::Solid;
    const TextStyle label{8, false, p.colours.ChartFrameColor};
    const int count = std::clamp<int>(p.Markers.Nmarkers, 0, kMaxMarkers);
    for (int m = 1; m <= count; ++m) {
        const Marker& mk = p.Markers[m];
        const int x = static_cast<int>(mk.slot * step);
        canvas.text(x + 3, 27, markerText(mk.code), label);
        canvas.line(x, 20, x, lineEnd, p.colours.ChartFrameColor, style);
    }
}

std::string replayScalingButtonText(const Program& p) {
    return p.chart.ReplayAutoScaling != 0 ? "Switch to User-set Scaling"
                                          : "Switch to Full-range Scaling";
}

void switchReplayScaling(Program& p) {
    p.chart.ReplayAutoScaling = p.chart.ReplayAutoScaling != 0 ? 0 : 1;
}

}  // namespace trindel
