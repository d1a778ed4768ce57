// The desktop program recording live from the demonstration source, driven through its real
// windows: CPU use of the whole process while recording and the lateness of scans. Run it with a
// display (for example under xvfb-run); offscreen it measures without a window system.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "desktop_program.h"

using namespace trindel;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "trindel";
    static char* argv[] = {name, nullptr};
    static QApplication a(argc, argv);
    return a;
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

QAbstractButton* buttonNamed(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text() == text && b->isVisible()) {
            return b;
        }
    }
    return nullptr;
}

// Records `seconds` at the interval button `rate` with `channels` channels; returns the CPU
// fraction of one core used while recording.
double liveRun(const QString& rate, int channels, double seconds, SampleRateReport& report) {
    app();
    qputenv("TRINDEL_SILENT", "1");
    gui::DesktopProgram program;
    Program& p = program.program();
    double cpuStart = 0, cpuEnd = 0;
    QElapsedTimer wall;
    double wallSeconds = 0;
    QTimer script;
    script.setInterval(50);
    QObject::connect(&script, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        const QString title = modal->windowTitle();
        if (title == "Startup Routines...") {
            buttonNamed(modal, "Test Mode")->click();
        } else if (title == "Modes and Channels") {
            buttonNamed(modal, channels == 1 ? "1 Channel" : QString("%1 Channels").arg(channels))
                ->click();
            buttonNamed(modal, "Selection OK")->click();
        } else if (title == "Sample Rate") {
            buttonNamed(modal, rate)->click();
            buttonNamed(modal, ">>|")->click();  // as many samples as the store holds
            script.stop();
            // Measure from half a second into the run until the stop.
            QTimer::singleShot(600, [&] {
                cpuStart = cpuSeconds();
                wall.start();
            });
            // With TRINDEL_DESKTOP_SHOT set, a picture of the whole screen a few seconds in.
            if (const QByteArray shotPath = qgetenv("TRINDEL_DESKTOP_SHOT"); !shotPath.isEmpty()) {
                QTimer::singleShot(3000, [shotPath] {
                    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(shotPath));
                });
            }
            QTimer::singleShot(static_cast<int>(600 + seconds * 1000), [&] {
                cpuEnd = cpuSeconds();
                wallSeconds = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
                program.window().findChild<QAction*>("toolbar-1")->trigger();
                script.start();
            });
            buttonNamed(modal, "Selection OK")->click();
        } else if (title.startsWith("Chart Halted at")) {
            report = program.driver().lastRateReport();
            QTest::keyClick(modal, Qt::Key_Q);
        } else if (title == "Possible Data Loss") {
            QTest::keyClick(modal, Qt::Key_Y);
        }
    });
    script.start();
    program.run();
    (void)p;
    return wallSeconds > 0 ? (cpuEnd - cpuStart) / wallSeconds : 0;
}

void runCase(benchmark::State& state, const QString& rate, int channels, double seconds) {
    SampleRateReport report;
    double cpu = 0;
    for (auto _ : state) {
        cpu = liveRun(rate, channels, seconds, report);
    }
    state.counters["cpu_percent"] = cpu * 100;
    state.counters["late_p50_ms"] = report.lateness.p50 * 1000;
    state.counters["late_p99_ms"] = report.lateness.p99 * 1000;
    state.counters["late_max_ms"] = report.lateness.max * 1000;
    state.counters["late_scans"] = report.lateness.late;
    state.counters["scans"] = report.samples;
}

void BM_LiveRun_1s_16ch(benchmark::State& state) {
    runCase(state, "1 second", 16, 10);
}
BENCHMARK(BM_LiveRun_1s_16ch)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_LiveRun_2ms_16ch(benchmark::State& state) {
    runCase(state, "1/500 second", 16, 10);
}
BENCHMARK(BM_LiveRun_2ms_16ch)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
