// The Qt platform: repaints coalesced to about 60 a second, scrolling on the image canvas, and
// clock waits that end at the deadline or as soon as an event is posted.
#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "qt_platform.h"

using namespace trindel;
using namespace trindel::gui;

class PlatformTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void repaintsAreCoalesced();
    void scrollMovesPixelsAndFillsTheGap();
    void dirtyRectangleCoversWhatWasDrawn();
    void waitEndsAtTheDeadline();
    void waitEndsEarlyOnAnEvent();
};

void PlatformTest::repaintsAreCoalesced() {
    ImageCanvas canvas(200, 100);
    QSignalSpy spy(&canvas, &ImageCanvas::changed);
    QElapsedTimer t;
    t.start();
    int flushes = 0;
    while (t.elapsed() < 500) {
        canvas.line(0, 0, 10, 10, RGBColor{0, 0, 0}, PenStyle::Solid);
        canvas.flush();
        ++flushes;
        QCoreApplication::processEvents();
    }
    QVERIFY(flushes > 1000);
    QVERIFY2(spy.count() <= 35, qPrintable(QString::number(spy.count())));
    QVERIFY(spy.count() >= 5);
}

void PlatformTest::scrollMovesPixelsAndFillsTheGap() {
    ImageCanvas canvas(100, 50);
    canvas.fillRect(Rect{0, 0, 100, 50}, RGBColor{65535, 65535, 65535});
    canvas.fillRect(Rect{60, 10, 70, 20}, RGBColor{65535, 0, 0});
    canvas.scrollRect(Rect{0, 0, 100, 50}, -50, 0, RGBColor{0, 0, 65535});
    const QImage& img = canvas.image();
    QCOMPARE(QColor(img.pixel(15, 15)), QColor(255, 0, 0));
    QCOMPARE(QColor(img.pixel(65, 15)), QColor(0, 0, 255));
    QCOMPARE(QColor(img.pixel(5, 5)), QColor(255, 255, 255));
}

void PlatformTest::dirtyRectangleCoversWhatWasDrawn() {
    ImageCanvas canvas(300, 200);
    canvas.takeDirty();
    canvas.line(10, 20, 40, 60, RGBColor{0, 0, 0}, PenStyle::Solid);
    canvas.line(100, 5, 101, 6, RGBColor{0, 0, 0}, PenStyle::Solid);
    const QRect r = canvas.takeDirty();
    QVERIFY(r.contains(QPoint(10, 20)));
    QVERIFY(r.contains(QPoint(101, 6)));
    QVERIFY(!r.contains(QPoint(200, 150)));
    QVERIFY(canvas.takeDirty().width() <= 3);  // nothing drawn since
}

void PlatformTest::waitEndsAtTheDeadline() {
    QtPlatform io(100, 100);
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
        const double deadline = io.clock.GetCurrentTimeInSeconds() + 0.01;
        QVERIFY(!io.clock.waitUntil(deadline));
        const double now = io.clock.GetCurrentTimeInSeconds();
        QVERIFY(now >= deadline);
        worst = std::max(worst, now - deadline);
    }
    // Generous: the machine may be busy; a plain timer would be ~1 ms late every time.
    QVERIFY2(worst < 0.05, qPrintable(QString::number(worst)));
}

void PlatformTest::waitEndsEarlyOnAnEvent() {
    QtPlatform io(100, 100);
    QTimer::singleShot(30, [&] { io.events.post(UserEvent{kEventKey, 'a', 0, 0}); });
    const double start = io.clock.GetCurrentTimeInSeconds();
    QVERIFY(io.clock.waitUntil(start + 5.0));
    QVERIFY(io.clock.GetCurrentTimeInSeconds() - start < 2.0);
    const auto e = io.events.nextEvent();
    QVERIFY(e.has_value());
    QCOMPARE(e->eventId, int32_t{'a'});
}

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
