// Drawing one DT800 burst of 16,384 samples into a 1,024-pixel scope band on the QImage canvas:
// one minimum-to-maximum line per column against a plain polyline through every sample, measured
// in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>

#include "display/chart_screen.h"
#include "display/scope_draw.h"
#include "display/scope_view.h"
#include "qt_platform.h"
#include "state/program.h"

using namespace trindel;
using trindel::gui::ImageCanvas;

namespace {

constexpr int kSamples = 16384;
constexpr int kWidth = 1024;

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static QApplication a(argc, argv);
    return a;
}

// A scope run's program holding one burst: a noisy sine over the sweep.
Program& burstProgram() {
    static Program p = [] {
        Program q;
        SetInitialVariableValues(q, ScreenSize{1280, 1024});
        q.prefs[kPrefWindowWidth] = kWidth;
        q.prefs[kPrefWindowHeight] = 700;
        q.session.RecordingMODE = 2;
        q.session.nChan = 1;
        q.session.ScopeMax = kSamples;
        auto& row = q.channels.Nvar[1];
        row[kDisplayMax] = 10.0f;
        row[kDisplayMin] = -10.0f;
        SetChanParams(q, q.prefs[kPrefWindowHeight], 0);
        setScopeGeometry(q);
        for (int i = 1; i <= kSamples; ++i) {
            q.scope.scope(1, i) =
                static_cast<float>(5.0 * std::sin(i * 0.01) + ((i * 7919) % 101) * 0.01);
        }
        return q;
    }();
    return p;
}

void BurstMinMaxDraw(benchmark::State& state) {
    app();
    Program& p = burstProgram();
    ImageCanvas canvas(kWidth, 700);
    for (auto _ : state) {
        drawBurst(p, canvas);
    }
}
BENCHMARK(BurstMinMaxDraw)->Unit(benchmark::kMillisecond);

// Baseline: the same band cleared and every sample joined to the next.
void BurstPolylineBaseline(benchmark::State& state) {
    app();
    Program& p = burstProgram();
    ImageCanvas canvas(kWidth, 700);
    const double step = static_cast<double>(kWidth) / kSamples;
    for (auto _ : state) {
        drawScopeBand(p, canvas);
        int px = 0, py = burstRow(p, p.scope.scope(1, 1));
        for (int k = 1; k < kSamples; ++k) {
            const int x = static_cast<int>(k * step);
            const int y = burstRow(p, p.scope.scope(1, k + 1));
            canvas.line(px, py, x, y, p.colours.ScopeDataColor, PenStyle::Solid);
            px = x;
            py = y;
        }
    }
}
BENCHMARK(BurstPolylineBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
