// The calculator windows driven as a user would: type, press the buttons, read the results, and
// keep a screenshot of each (a blank picture fails).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "calculator_windows.h"
#include "calculators/sun_cycle.h"
#include "gui_test_support.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

using namespace trindel;
using namespace trindel::gui;
using namespace trindel::guitest;

namespace {

// Runs `act` on the modal window once it is up, then closes it.
void whenModalThenClose(std::function<void(QDialog*)> act) {
    whenModal([act](QDialog* d) {
        act(d);
        d->accept();
    });
}

QString labelText(QWidget* w, const char* name) {
    auto* l = w->findChild<QLabel*>(name);
    return l == nullptr ? QString("(no label %1)").arg(name) : l->text();
}

}  // namespace

class CalculatorWindowsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void stpComputesStoresAndConvertsOnce();
    void unitConverterSwaps();
    void sunCycleShowsTimesAndTheAnnualPlot();
    void everyCalculatorOpensFromTheSpecialMenu();
};

void CalculatorWindowsTest::stpComputesStoresAndConvertsOnce() {
    Program p;
    QString sccm, slpm, average;
    bool shot = false;
    whenModalThenClose([&](QDialog* d) {
        d->findChild<QLineEdit*>("flow")->setText("200");
        d->findChild<QLineEdit*>("meterTemperature")->setText("20");
        buttonNamed(d, "Compute")->click();
        sccm = labelText(d, "result");
        buttonNamed(d, "SLPM")->click();
        slpm = labelText(d, "result");
        buttonNamed(d, "show Average")->click();
        average = labelText(d, "result");
        buttonNamed(d, "show Flow")->click();
        buttonNamed(d, "SCCM")->click();
        buttonNamed(d, "Store")->click();
        shot = saveShot(d, "calculator-stp.png");
    });
    runStpWindow(nullptr, p);
    QCOMPARE(sccm, QString("186.35"));
    QCOMPARE(slpm, QString("0.1863481229"));
    QCOMPARE(average, slpm);
    QVERIFY(std::fabs(p.session.flowrate - 186.348f) < 0.001f);
    QVERIFY(shot);
}

void CalculatorWindowsTest::unitConverterSwaps() {
    QString first, swapped, back;
    bool shot = false;
    whenModalThenClose([&](QDialog* d) {
        buttonNamed(d, "Compute")->click();
        first = labelText(d, "result");
        buttonNamed(d, "Swap Results")->click();
        swapped = labelText(d, "result");
        auto* items = d->findChild<QComboBox*>();
        items->setCurrentIndex(1);
        Q_EMIT items->activated(1);
        back = labelText(d, "result");
        buttonNamed(d, "Pressure, Water Vapor Density")->click();
        auto* input = d->findChild<QLineEdit*>("input");
        input->setText("20");
        items->setCurrentIndex(15);
        Q_EMIT items->activated(15);
        shot = saveShot(d, "calculator-units.png");
    });
    runUnitConverterWindow(nullptr);
    QCOMPARE(first, QString("0.23889154"));
    QCOMPARE(swapped, QString("(swapped)"));
    QCOMPARE(back, QString("1"));
    QVERIFY(shot);
}

void CalculatorWindowsTest::sunCycleShowsTimesAndTheAnnualPlot() {
    Program p;
    DEFAULTCOLORS(p.colours);
    QStringList texts;
    bool shot = false, plotShot = false;
    whenModalThenClose([&](QDialog* d) {
        d->findChild<QLineEdit*>("dayOfYear")->setText("172");
        buttonNamed(d, "Calculate")->click();
        for (QLabel* l : d->findChildren<QLabel*>()) {
            if (l->text().startsWith("Approximate") || l->text().contains("daylight")) {
                texts << l->text();
            }
        }
        buttonNamed(d, "Annual Plot")->click();
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowTitle().startsWith("Annual sun cycle for")) {
                plotShot = saveShot(w, "calculator-sun-plot.png");
            }
        }
        shot = saveShot(d, "calculator-sun.png");
    });
    runSunCycleWindow(nullptr, p);
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0], QString("Approximate local sunrise time:   4 : 48"));
    QCOMPARE(texts[2], QString(" 14 hours, 24 minutes of daylight"));
    QVERIFY(shot);
    QVERIFY(plotShot);
    QCOMPARE(p.calculators.SunCycleArray[172].dayLength,
             SunriseCalc(172, 33.95f, 117.33f, false).dayLength);
}

void CalculatorWindowsTest::everyCalculatorOpensFromTheSpecialMenu() {
    Program p;
    VirtualSounds sounds;
    for (int item : {4, 5, 6, 7, 9, 10, 11, 13}) {
        bool shot = false;
        QString title;
        whenModalThenClose([&](QDialog* d) {
            title = d->windowTitle();
            shot = saveShot(d, QString("calculator-item-%1.png").arg(item));
        });
        QVERIFY(runCalculator(nullptr, p, sounds, item));
        QVERIFY2(shot, qPrintable(title));
    }
    QVERIFY(!runCalculator(nullptr, p, sounds, 2));
}

QTEST_MAIN(CalculatorWindowsTest)
#include "calculator_windows_test.moc"
