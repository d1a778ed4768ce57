#include "display/chart_axis.h"

#include <algorithm>
#include <cmath>

#include "display/scope_view.h"
#include "display/text_width.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr TextStyle smallText(RGBColor color) {
    return TextStyle{9, false, color};
}

struct TicRow {
    double upTo;
    double interval;
    bool minutes;
};

// One screen's duration (seconds) to the tick interval; minute rows scale with the chart view.
constexpr TicRow kTicRows[] = {
    {0.2, 0.01, false},     {0.4, 0.02, false}, {1, 0.025, false}, {2, 0.1, false},
    {4, 0.25, false},       {10, 0.5, false},   {25, 1, false},    {40, 2, false},
    {120, 5, false},        {300, 10, false},   {600, 30, false},  {1200, 60, true},
    {2400, 120, true},      {4500, 150, true},  {6000, 300, true}, {43200, 600, true},
    {HUGE_VAL, 1800, true},
};

// A label value to seven significant digits: the tick interval is a float, so the sum of ticks
// carries float noise (0.1000000015) that the label must not show.
double tidyLabelValue(double v) {
    if (v == 0.0 || !std::isfinite(v)) {
        return v;
    }
    const double scale = std::pow(10.0, 7.0 - std::ceil(std::log10(std::fabs(v))));
    return std::round(v * scale) / scale;
}

// Scope mode's axis spans one sweep: the scope tick spacing (times the custom scope tick) and
// the sweep time per tick, in minutes when the sweep is longer than 600 s.
void computeScopeAxis(Program& p) {
    ChartAxis& a = p.view.axis;
    const Session& s = p.session;
    const int W = p.prefs[kPrefWindowWidth];
    const int32_t n = s.ScopeMax > 0 ? s.ScopeMax : W;
    const double interval = s.scopeinterval > 0 ? s.scopeinterval : s.ScopeINTERVALinSECONDS;
    const double sweep = n * interval;
    const ScopeTics t = COMPUTESCOPETICS(n, interval, s.ScopeINTERVALinSECONDS, W,
                                         static_cast<double>(W) / std::max(n, 1));
    const double custom = p.scope.run.CustomScopeTic;
    a.ticgap = static_cast<float>(t.scopeticgap * (custom != 0.0 ? custom : 1.0));
    a.TicIntervalInSeconds = W > 0 ? static_cast<float>(sweep * a.ticgap / W) : 0.0f;
    a.minute_units = sweep > 600 ? 1 : 0;
    a.NextTicPosition = 0;
}

}  // namespace

int lastBandBottom(const Program& p) {
    const int n = p.session.nChan;
    if (n < 1) {
        return 34;
    }
    return static_cast<int>(p.channels.Nvar[static_cast<size_t>(n)][kBandBottom]);
}

void COMPUTETICS(Program& p) {
    ChartAxis& a = p.view.axis;
    const Session& s = p.session;
    if (s.RecordingMODE == 2) {
        computeScopeAxis(p);
        return;
    }
    const double W = p.prefs[kPrefWindowWidth];
    const double view = s.ChartView;
    const double D = W * view * s.ChartINTERVALinSECONDS;
    a.minute_units = 0;
    for (const TicRow& row : kTicRows) {
        if (D <= row.upTo) {
            a.TicIntervalInSeconds =
                static_cast<float>(row.minutes && view != 0 ? row.interval * view : row.interval);
            a.minute_units = row.minutes ? 1 : 0;
            break;
        }
    }
    a.ticgap = static_cast<float>(a.TicIntervalInSeconds / (view * s.ChartINTERVALinSECONDS));
    if (a.CustomTic != 0) {
        a.ticgap = static_cast<float>(a.ticgap * a.CustomTic);
    }
    a.NextTicPosition = 0;
}

void DRAWTICS(const Program& p, Canvas& canvas) {
    const ChartAxis& a = p.view.axis;
    const int W = p.prefs[kPrefWindowWidth];
    const bool grid = p.prefs[kPrefShowTimeGrids] != 0;
    const int n = p.session.nChan;
    if (a.ticgap <= 0 || n < 1) {
        return;
    }
    const RGBColor frame = p.colours.ChartFrameColor;
    const bool scopeModes = p.session.RecordingMODE != 1;
    // Grid lines stand on the chart bands: below the scope band in scope plus chart.
    const size_t firstChart = p.session.RecordingMODE == 3 && n >= 2 ? 2 : 1;
    const int top = static_cast<int>(p.channels.Nvar[firstChart][kBandBottom] -
                                     p.channels.Nvar[firstChart][kBandHeight]);
    const int lastBottom = lastBandBottom(p);
    for (float x = a.firsttic; x <= W; x += a.ticgap) {
        const int xi = static_cast<int>(x);
        for (int c = grid ? n : 1; c <= n; ++c) {
            int b = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kBandBottom]);
            if (c == n) {
                b -= 1;
            } else if (!(c == 1 && scopeModes)) {
                b += 1;
            }
            canvas.line(xi, b, xi, b - (grid ? 6 : 4), frame);
        }
        if (grid) {
            canvas.line(xi, top, xi, lastBottom + 2, frame,
                        p.prefs[kPrefDashedGridLines] != 0 ? PenStyle::Dashed : PenStyle::Solid);
        }
    }
}

void DRAWTICLABELS(Program& p, Canvas& canvas) {
    ChartAxis& a = p.view.axis;
    const int W = p.prefs[kPrefWindowWidth];
    if (a.ticgap <= 0) {
        return;
    }
    const int row = lastBandBottom(p) + 9;
    const TextStyle style = smallText(p.colours.ChartFrameColor);
    float x = a.NextTicPosition;
    for (; x <= W; x += a.ticgap) {
        double value = a.zz;
        const char* unit = " sec";
        if (a.minute_units == 1) {
            value = a.zz / 60.0;
            unit = " min";
            if (a.TicIntervalInSeconds >= 3600) {
                value = a.zz / 3600.0;
                unit = " hr";
            }
        }
        std::string label = StringFormatter(tidyLabelValue(value));
        if (!label.empty() && label.front() == ' ') {
            label.erase(0, 1);
        }
        if (x <= a.firsttic) {
            label += unit;
            if (p.session.RecordingMODE != 2 &&
                p.session.Sample * p.session.ChartINTERVALinSECONDS > 600) {
                a.minute_units = 1;
            }
        }
        const int half = static_cast<int>(label.size()) * 5 / 2;
        // The last label is moved in rather than cut off at the window's right edge.
        const int left = std::min(static_cast<int>(x) + 1 - half, W - 1 - textWidthBound(label));
        canvas.text(std::max(1, left), row, label, style);
        // The scope's own custom tick is already in its spacing; the chart's does not apply.
        const bool chartCustom = a.CustomTic != 0 && p.session.RecordingMODE != 2;
        a.zz += chartCustom ? a.CustomTic * a.TicIntervalInSeconds : a.TicIntervalInSeconds;
    }
    a.NextTicPosition = x - static_cast<float>(W);
}

std::string FindChartDuration(Program& p) {
    ChartAxis& a = p.view.axis;
    const double W = p.prefs[kPrefWindowWidth];
    const double L = p.session.MaxSamples * p.session.ChartINTERVALinSECONDS;
    a.minute_units = L > 600 ? 1 : 0;
    double tfact = L / W;
    if (a.minute_units == 1) {
        tfact /= 60.0;
    }
    a.tfact = p.session.MaxSamples > 0 ? static_cast<float>(tfact * W / p.session.MaxSamples) : 0;
    double shown = L;
    const char* unit = " sec  ";
    if (L > 172800) {
        shown = L / 60.0 / 24.0 / 60.0;
        unit = " days ";
    } else if (L > 7200) {
        shown = L / 3600.0;
        unit = " hr  ";
    } else if (L > 600) {
        shown = L / 60.0;
        unit = " min ";
    }
    a.TraceLength = static_cast<float>(L > 600 ? (L > 172800 ? L / 60.0 / 24.0 : L / 60.0) : L);
    std::string text = StringFormatter(shown);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    if (!text.empty() && text.front() != ' ' && text.front() != '-') {
        text.insert(text.begin(), ' ');
    }
    return text + unit;
}

}  // namespace trindel
