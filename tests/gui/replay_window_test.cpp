// The replay window after a run and the replay overlay during a run, on a recording with
// markers: pictures not blank, the scaling button flips the scaling and its own text, Close
// leaves the scaling alone. On a real X server the screen is captured with ImageMagick.
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

#include "display/chart_screen.h"
#include "replay_window.h"

using namespace trindel;
using namespace trindel::gui;

namespace {

// Four channels of 20,000 samples (sines, one with single-sample spikes) and three markers.
void recordedRun(Program& p) {
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = 1000;
    p.prefs[kPrefWindowHeight] = 560;
    p.prefs[kPrefShowScaleGrid] = 1;
    p.prefs[kPrefShowZeroLines] = 1;
    p.prefs[kPrefMarkersInReplay] = 1;
    p.prefs[kPrefDashedMarkerLines] = 1;
    p.session.nChan = 4;
    p.session.ChartINTERVALinSECONDS = 0.1;
    const char* labels[] = {"O2 (%)", "CO2 (%)", "Flow (ml/min)", "Temperature (C)"};
    for (int c = 1; c <= 4; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 5;
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -5;
        p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
        p.channels.setLabel(c, labels[c - 1]);
    }
    SetChanParams(p, 0, 0);
    const int n = 20000;
    for (int c = 1; c <= 4; ++c) {
        for (int k = 0; k < n; ++k) {
            float v = 3.0f * std::sin(static_cast<float>(k) * 0.0007f * static_cast<float>(c));
            if (c == 2 && k % 4999 == 0) {
                v = 4.8f;
            }
            p.store.set(c, k, v);
        }
    }
    p.session.Sample = n;
    p.files.filestrings.startTime = "09:30:00";
    p.Markers.add(4000, 'A');
    p.Markers.add(10000, 'B');
    p.Markers.add(16000, 203);
}

bool notBlank(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 5) {
        for (int x = 0; x < image.width(); x += 5) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours.size() > 3;
}

// Saves the window's picture; on a real X server also the screen as a user sees it.
void saveShot(QWidget* w, const QString& name) {
    QDir().mkpath(TRINDEL_SCREENSHOT_DIR);
    const QImage image = w->grab().toImage();
    QVERIFY2(notBlank(image), qPrintable(name + " looks blank"));
    QVERIFY(image.save(QDir(TRINDEL_SCREENSHOT_DIR).filePath(name + ".png")));
    if (QGuiApplication::platformName() == "xcb" &&
        !QStandardPaths::findExecutable("import").isEmpty()) {
        QTest::qWait(300);
        const QRect frame = w->window()->frameGeometry();
        const QString crop = QString("%1x%2+%3+%4")
                                 .arg(frame.width())
                                 .arg(frame.height())
                                 .arg(frame.x())
                                 .arg(frame.y());
        const QString file = QDir(TRINDEL_SCREENSHOT_DIR).filePath(name + "-x11.png");
        QCOMPARE(QProcess::execute("import", {"-window", "root", "-crop", crop, file}), 0);
        QImage captured(file);
        QVERIFY2(notBlank(captured), qPrintable(file + " looks blank"));
    }
}

}  // namespace

class ReplayWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void afterRunWindowSwitchesScaling();
    void overlayDuringRun();
};

void ReplayWindowTest::afterRunWindowSwitchesScaling() {
    Program p;
    recordedRun(p);
    p.chart.ReplayAutoScaling = 1;
    std::unique_ptr<QDialog> window(makeReplayWindow(nullptr, p));
    QCOMPARE(window->windowTitle(),
             QString("Replay Recorded Data    (Sample 20000;   33.33333333 minutes)"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* scaling = window->findChild<QPushButton*>("replayScaling");
    auto* close = window->findChild<QPushButton*>("replayClose");
    QVERIFY(scaling && close);
    QCOMPARE(scaling->text(), QString("Switch to User-set Scaling"));
    saveShot(window.get(), "replay-full-range");
    QTest::mouseClick(scaling, Qt::LeftButton);
    QCOMPARE(p.chart.ReplayAutoScaling, int16_t{0});
    QCOMPARE(scaling->text(), QString("Switch to Full-range Scaling"));
    saveShot(window.get(), "replay-user-set");
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    QCOMPARE(p.chart.ReplayAutoScaling, int16_t{0});
}

void ReplayWindowTest::overlayDuringRun() {
    Program p;
    recordedRun(p);
    QWidget recording;
    recording.setFixedSize(p.prefs[kPrefWindowWidth], p.prefs[kPrefWindowHeight]);
    recording.show();
    QVERIFY(QTest::qWaitForWindowExposed(&recording));
    auto* overlay = new ReplayOverlay(p, &recording);
    QCOMPARE(overlay->geometry(), recording.rect());
    QVERIFY(overlay->isVisible());
    saveShot(&recording, "replay-during-run");
    delete overlay;
    QVERIFY(recording.findChild<ReplayOverlay*>() == nullptr);
}

QTEST_MAIN(ReplayWindowTest)
#include "replay_window_test.moc"
