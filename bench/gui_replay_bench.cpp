// Replay of a full store (16 channels x 2,000,000 samples) into 1,024 pixel columns on the
// QImage canvas: the min-max envelope replay against a plain polyline through every sample,
// measured in the same run. The envelope time includes computing the envelopes ("click to
// picture"); the polyline draws the same channels in the same bands.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <cmath>
#include <memory>
#include <random>

#include "display/chart_screen.h"
#include "display/replay.h"
#include "qt_platform.h"
#include "state/program.h"

using namespace trindel;
using trindel::gui::ImageCanvas;

namespace {

constexpr int kChannels = 16;
constexpr int kSamples = 2000000;

QApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static QApplication a(argc, argv);
    return a;
}

// One program with a full store of noisy data with spikes, built once for both benchmarks.
Program& fullStore() {
    static std::unique_ptr<Program> p = [] {
        auto q = std::make_unique<Program>();
        SetInitialVariableValues(*q, ScreenSize{1280, 1024});
        q->prefs[kPrefWindowWidth] = 1074;  // 1,024 replay columns
        q->prefs[kPrefWindowHeight] = 768;
        q->session.nChan = kChannels;
        for (int c = 1; c <= kChannels; ++c) {
            q->channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 5;
            q->channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -5;
        }
        SetChanParams(*q, 0, 0);
        q->session.Sample = kSamples;
        q->store.reserveSlots(SampleStore::slotOf(kChannels + 1, 0));
        std::mt19937 rng(7);
        std::normal_distribution<float> noise(0.0f, 0.5f);
        for (int c = 1; c <= kChannels; ++c) {
            for (int k = 0; k < kSamples; ++k) {
                const float v =
                    2.0f * std::sin(static_cast<float>(k) * 1e-5f * static_cast<float>(c)) +
                    noise(rng);
                q->store.set(c, k, k % 100003 == 0 ? 4.9f : v);
            }
        }
        return q;
    }();
    return *p;
}

void BM_ReplayEnvelope(benchmark::State& state) {
    app();
    Program& p = fullStore();
    ImageCanvas canvas(replayCanvasWidth(p), replayCanvasHeight(p, true));
    for (auto _ : state) {
        const ReplayEnvelopes env = computeReplayEnvelopes(p);
        drawReplay(p, canvas, true, env);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kChannels} * kSamples);
}

// The baseline: every sample joined to the next with one polyline per channel.
void BM_ReplayNaivePolyline(benchmark::State& state) {
    app();
    Program& p = fullStore();
    QImage image(replayCanvasWidth(p), replayCanvasHeight(p, true), QImage::Format_RGB32);
    const double step = replayStep(p);
    std::vector<QPointF> points(kSamples);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        for (int c = 1; c <= kChannels; ++c) {
            const ReplayBand band = replayBand(p, c, {});
            const float* row = p.store.row(c, kSamples);
            for (int k = 0; k < kSamples; ++k) {
                points[static_cast<size_t>(k)] = QPointF((k + 1) * step, replayRow(band, row[k]));
            }
            painter.drawPolyline(points.data(), kSamples);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kChannels} * kSamples);
}

BENCHMARK(BM_ReplayEnvelope)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReplayNaivePolyline)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
