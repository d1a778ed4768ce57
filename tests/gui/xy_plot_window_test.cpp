// The XY plot window beside the recording window: a run of two related channels plotted, a
// clear and an expansion; screenshots offscreen and, on a real X server, through ImageMagick.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

#include "display/xy_plot.h"
#include "xy_plot_window.h"

using namespace trindel;
using namespace trindel::gui;

namespace {

// Pixels of the points' colour.
int inkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == 0;  // the points are pure black
        }
    }
    return n;
}

void saveShot(QWidget* w, const QString& name) {
    QDir().mkpath(TRINDEL_SCREENSHOT_DIR);
    QVERIFY(w->grab().toImage().save(QDir(TRINDEL_SCREENSHOT_DIR).filePath(name + ".png")));
    if (QGuiApplication::platformName() == "xcb" &&
        !QStandardPaths::findExecutable("import").isEmpty()) {
        QTest::qWait(300);
        const QRect g = w->frameGeometry();
        const QString crop =
            QString("%1x%2+%3+%4").arg(g.width()).arg(g.height()).arg(g.x()).arg(g.y());
        const QString file = QDir(TRINDEL_SCREENSHOT_DIR).filePath(name + "-x11.png");
        QCOMPARE(QProcess::execute("import", {"-window", "root", "-crop", crop, file}), 0);
        QVERIFY(inkPixels(QImage(file)) > 50);
    }
}

}  // namespace

class XYPlotWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void plotsClearsAndExpands();
};

void XYPlotWindowTest::plotsClearsAndExpands() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.prefs[kPrefWindowWidth] = 800;
    p.session.nChan = 2;
    for (int c = 1; c <= 2; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -5;
        p.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 5;
    }
    chooseXYChannel(p, true, 1);
    chooseXYChannel(p, false, 2);
    QCOMPARE(makeXYPlotWindow(p, 1280), std::optional<int>(360));
    XYPlotView view(p, nullptr);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.windowTitle(), QString(" Interchannel Regression "));
    QCOMPARE(view.size(), QSize(360, 430));
    // One point per scan, as the chart loop plots them: a Lissajous figure.
    for (int k = 0; k < 3000; ++k) {
        p.store.set(1, k, 4.0f * std::sin(static_cast<float>(k) * 0.01f));
        p.store.set(2, k, 4.0f * std::sin(static_cast<float>(k) * 0.02f + 0.5f));
        p.session.Sample = k + 1;
        plotXYPoint(p, view.canvas());
    }
    view.canvas().flush();
    QTest::qWait(50);
    const int full = inkPixels(view.image());
    QVERIFY(full > 500);
    saveShot(&view, "xy-plot");
    p.session.LastXYClear = 2900;  // "c": the loop notes the sample, the plot starts afresh
    xyCommand(p, view.canvas(), 'c');
    QVERIFY(inkPixels(view.image()) < full / 4);
    p.session.LastXYClear = 1;
    xyCommand(p, view.canvas(), 'd');
    xyCommand(p, view.canvas(), 'u');
    QTest::qWait(50);
    saveShot(&view, "xy-plot-expanded");
}

QTEST_MAIN(XYPlotWindowTest)
#include "xy_plot_window_test.moc"
