// Drawing costs of the recording window on its QImage canvas: one scan of 16 channels (one trace
// segment per channel, as the chart loop draws it) and a new screen at 1024 x 768.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "display/chart_screen.h"
#include "qt_platform.h"
#include "state/program.h"

using namespace trindel;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static QApplication a(argc, argv);
    return a;
}

std::unique_ptr<Program> sixteenChannels() {
    auto p = std::make_unique<Program>();
    SetInitialVariableValues(*p, ScreenSize{1280, 1024});
    p->prefs[kPrefWindowWidth] = 1024;
    p->prefs[kPrefWindowHeight] = 768;
    p->prefs[kPrefShowScaleGrid] = 1;
    p->prefs[kPrefShowZeroLines] = 1;
    p->session.nChan = 16;
    p->session.MaxSamples = 100000;
    p->session.ChartINTERVALinSECONDS = 0.002;
    for (int c = 1; c <= 16; ++c) {
        p->channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 5;
        p->channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -5;
        p->channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
    }
    SetChanParams(*p, 0, 0);
    return p;
}

void BM_DrawOneScan16Channels(benchmark::State& state) {
    app();
    auto p = sixteenChannels();
    gui::ImageCanvas canvas(1024, 768);
    DRAWSCREEN(*p, canvas, 1024);
    int x = 0;
    int previous[17] = {};
    for (int c = 1; c <= 16; ++c) {
        previous[c] = static_cast<int>(p->channels.Nvar[static_cast<size_t>(c)][kBandBottom]) - 20;
    }
    unsigned noise = 1;
    for (auto _ : state) {
        for (int c = 1; c <= 16; ++c) {
            noise = noise * 1103515245u + 12345u;
            const int bottom =
                static_cast<int>(p->channels.Nvar[static_cast<size_t>(c)][kBandBottom]);
            const int y = bottom - 5 - static_cast<int>((noise >> 16) % 30);
            canvas.line(x - 1, previous[c], x, y, p->colours.ChartDataColor, PenStyle::Solid);
            previous[c] = y;
        }
        x = x >= 1023 ? 0 : x + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawOneScan16Channels);

void BM_RedrawScreen1024x768(benchmark::State& state) {
    app();
    auto p = sixteenChannels();
    gui::ImageCanvas canvas(1024, 768);
    DRAWSCREEN(*p, canvas, 1024);
    for (auto _ : state) {
        p->session.NscrnCASEs = p->session.ScreenCapacity;
        REDRAWSCREEN(*p, canvas);
    }
}
BENCHMARK(BM_RedrawScreen1024x768)->Unit(benchmark::kMillisecond);

void BM_DrawScreen1024x768(benchmark::State& state) {
    app();
    auto p = sixteenChannels();
    gui::ImageCanvas canvas(1024, 768);
    for (auto _ : state) {
        DRAWSCREEN(*p, canvas, 1024);
    }
}
BENCHMARK(BM_DrawScreen1024x768)->Unit(benchmark::kMillisecond);

}  // namespace
