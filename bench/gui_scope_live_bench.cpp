// The desktop program's normal-path scope at its fastest offered interval (1/60 s), recording from
// the demonstration source with the recording window shown and driven through its real windows:
// the lateness of the scope samples (from the run driver's rate report) and the whole process's
// CPU, in scope mode and in scope-plus-chart mode, beside a plain absolute-deadline sleep loop at
// the same interval measured in the same run. Run it under an X server (for example xvfb-run).
// TRINDEL_BENCH_TRACE=1 prints each window the script meets; TRINDEL_BENCH_SHOT=prefix saves a
// picture of the screen half-way through each recording.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QtTest>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "desktop_program.h"
#include "plain_sleep_loop.h"

using namespace trindel;

namespace {

constexpr double kInterval = 1.0 / 60.0;  // the fastest interval the normal path offers
constexpr double kRecordSeconds = 10.0;   // measured part of each recording
constexpr int kSettleMs = 600;            // from the last question to the start of the measurement

// The baseline's figures, kept for the ratios the scope cases report.
std::optional<ScanLateness> baseline;

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "gui_scope_live_bench: %s\n", qPrintable(what));
    std::_Exit(1);
}

// Clicks the visible button `text` in `w`; a missing one ends the benchmark with a message.
void click(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text() == text && b->isVisible() && b->isEnabled()) {
            b->click();
            return;
        }
    }
    fail("no button \"" + text + "\" in \"" + w->windowTitle() + "\"");
}

void chooseTab(QWidget* w, const QString& text) {
    for (QTabBar* bar : w->findChildren<QTabBar*>()) {
        for (int i = 0; i < bar->count(); ++i) {
            if (bar->tabText(i) == text) {
                bar->setCurrentIndex(i);
                return;
            }
        }
    }
    fail("no tab \"" + text + "\" in \"" + w->windowTitle() + "\"");
}

// The window the script answers: the modal one, else a dialog shown on its own (the options
// window after a run is not modal).
QWidget* frontWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(w) != nullptr && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

struct ScopeRun {
    SampleRateReport report;
    double cpuFraction = 0.0;  // of one core, over the measured part
    double wallSeconds = 0.0;
};

// One recording at 1/60 s: scope mode, or scope plus chart with three channels (the chart at
// 0.1 s). Stops with the toolbar's Stop after kRecordSeconds and quits from the options window.
ScopeRun scopeRun(bool withChart) {
    qputenv("TRINDEL_SILENT", "1");
    const bool trace = qEnvironmentVariableIsSet("TRINDEL_BENCH_TRACE");
    gui::DesktopProgram program;
    ScopeRun out;
    double cpuStart = 0;
    bool recording = false, stopped = false;
    QElapsedTimer wall;
    QString lastTitle;
    QTimer script;
    script.setInterval(50);
    QObject::connect(&script, &QTimer::timeout, [&] {
        QWidget* modal = frontWindow();
        if (modal == nullptr) {
            return;
        }
        const QString title = modal->windowTitle();
        if (trace && title != lastTitle) {
            std::fprintf(stderr, "window: %s\n", qPrintable(title));
        }
        lastTitle = title;
        if (title == "Startup Routines...") {
            click(modal, "Test Mode");
        } else if (title == "Modes and Channels") {
            if (withChart) {
                chooseTab(modal, "Scope + Chart (2 - 5 Channels)");
                click(modal, "3 Channels");
            } else {
                chooseTab(modal, "Scope (1 Channel)");
            }
            click(modal, "Selection OK");
        } else if (title == "Scope Sample Rate") {
            click(modal, "1/60 second");
            click(modal, "Selection OK");
        } else if (title == "Scope File Root...") {
            // Cancelled: the sweeps would be "scope file 1", ... in the data folder; none is
            // saved here.
            qobject_cast<QDialog*>(modal)->reject();
        } else if (title == "Kestrine scope file" && !recording) {
            // The last question before the recording starts.
            recording = true;
            script.stop();
            QTimer::singleShot(kSettleMs, &script, [&] {
                cpuStart = cpuSeconds();
                wall.start();
            });
            QTimer::singleShot(static_cast<int>(kSettleMs + kRecordSeconds * 1000), &script, [&] {
                out.cpuFraction = cpuSeconds() - cpuStart;
                out.wallSeconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
                stopped = true;
                program.window().findChild<QAction*>("toolbar-1")->trigger();  // Stop
                script.start();
            });
            // With TRINDEL_BENCH_SHOT set, a picture of the screen half-way (taking it delays
            // the samples around it).
            if (const QString shot = qEnvironmentVariable("TRINDEL_BENCH_SHOT"); !shot.isEmpty()) {
                const QString path = shot + (withChart ? "-scope-plus-chart.png" : "-scope.png");
                QTimer::singleShot(
                    static_cast<int>(kSettleMs + kRecordSeconds * 500), &script,
                    [path] { QGuiApplication::primaryScreen()->grabWindow(0).save(path); });
            }
            click(modal, "Comments OK");
        } else if (title == "Sample Rate") {
            click(modal, "1/10 second");
            click(modal, ">>|");  // as many chart samples as the store holds
            click(modal, "Selection OK");
        } else if (title.endsWith("Acquisition Parameters")) {
            click(modal, "Setup OK");
        } else if (stopped && (title == "Oscilloscope Acquisition Halted" ||
                               title.startsWith("Chart Halted at"))) {
            out.report = program.driver().lastRateReport();
            click(modal, "Quit   ('Q')");
        } else if (title == "Possible Data Loss") {
            QTest::keyClick(modal, Qt::Key_Y);
        } else {
            // A window the script does not know: the run cannot be measured.
            fail("unexpected window \"" + title + "\"");
        }
    });
    // A run that never reaches its end would hang the benchmark.
    QTimer::singleShot(static_cast<int>((kRecordSeconds + 60) * 1000), &script,
                       [] { fail("the recording did not end within a minute of its time"); });
    script.start();
    program.run();
    if (out.wallSeconds > 0) {
        out.cpuFraction /= out.wallSeconds;
    }
    if (!out.report.lateness.known()) {
        fail("the rate report holds no scope-sample lateness");
    }
    return out;
}

void lateCounters(benchmark::State& state, const ScanLateness& l) {
    state.counters["late_p50_ms"] = l.p50 * 1000;
    state.counters["late_p99_ms"] = l.p99 * 1000;
    state.counters["late_max_ms"] = l.max * 1000;
    state.counters["late_samples"] = l.late;
    state.counters["scope_samples"] = l.scans;
}

void BM_PlainSleepLoop_60th(benchmark::State& state) {
    bench::PlainLoopResult r;
    for (auto _ : state) {
        r = bench::plainSleepLoop(kInterval, kRecordSeconds);
    }
    baseline = r.lateness;
    lateCounters(state, r.lateness);
    state.counters["cpu_percent"] = r.wallSeconds > 0 ? 100 * r.cpuSeconds / r.wallSeconds : 0;
}

void scopeCase(benchmark::State& state, bool withChart) {
    ScopeRun r;
    for (auto _ : state) {
        r = scopeRun(withChart);
    }
    const ScanLateness& l = r.report.lateness;
    lateCounters(state, l);
    state.counters["cpu_percent"] = r.cpuFraction * 100;
    if (withChart) {
        state.counters["chart_samples"] = r.report.samples;
    }
    // Ratios to the plain loop's figures from this run (when it ran first).
    if (baseline && baseline->p50 > 0 && baseline->p99 > 0 && baseline->max > 0) {
        state.counters["p50_x_plain"] = l.p50 / baseline->p50;
        state.counters["p99_x_plain"] = l.p99 / baseline->p99;
        state.counters["max_x_plain"] = l.max / baseline->max;
    }
}

void BM_Scope_60th_Window(benchmark::State& state) {
    scopeCase(state, false);
}
void BM_ScopePlusChart_60th_Window(benchmark::State& state) {
    scopeCase(state, true);
}

BENCHMARK(BM_PlainSleepLoop_60th)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_Scope_60th_Window)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_ScopePlusChart_60th_Window)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

// The application lives on main's stack: a static one is destroyed after Qt's own clean-up at
// exit and crashes there.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
