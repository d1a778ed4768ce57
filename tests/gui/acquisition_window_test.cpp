// The "Acquisition Parameters" window's buttons open the windows of their menu items: a button
// whose item has no window is disabled, one that has runs it and leaves the set-up open, and
// adding a channel keeps the typed edits and asks for the window again on the new rows.
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "gui_test_support.h"
#include "platform/virtual_platform.h"
#include "state/program.h"
#include "ui/acquisition_parameters.h"
#include "windows.h"

using namespace trindel;
using namespace trindel::gui;
using namespace trindel::guitest;

class AcquisitionWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void buttonsOpenTheirMenuWindows();
};

void AcquisitionWindowTest::buttonsOpenTheirMenuWindows() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.RecordingMODE = 1;
    p.session.nChan = 2;
    for (int c = 1; c <= 2; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
    }
    VirtualPlatform vp;
    Platform io = vp.platform();
    int chartViews = 0;
    int added = 0;
    const MenuWindowLookup lookup = [&](int menu, int item) -> std::function<void()> {
        if (menu == 3 && item == 9) {
            return [&] { ++chartViews; };
        }
        if (menu == 4 && item == 21) {
            return [&] {
                ++added;
                p.session.nChan = 3;
            };
        }
        return {};
    };

    // Chart View runs its window and the set-up stays open; Setup OK then ends it.
    {
        AcquisitionParametersModel m(p, 8, 100);
        whenModal([&](QDialog* d) {
            QVERIFY(!buttonNamed(d, "Device Control...")->isEnabled());
            QVERIFY(buttonNamed(d, "Chart View...")->isEnabled());
            buttonNamed(d, "Chart View...")->click();
            QVERIFY(d->isVisible());
            buttonNamed(d, "Setup OK")->click();
        });
        QCOMPARE(runAcquisitionWindow(nullptr, p, io, m, lookup),
                 RunWindows::SetupOutcome::SetupOK);
        QCOMPARE(chartViews, 1);
    }

    // A label typed before "Add Channel..." is kept in the program, and the window asks to be
    // opened again on three rows.
    {
        AcquisitionParametersModel m(p, 8, 100);
        whenModal([&](QDialog* d) {
            auto* table = d->findChild<QTableWidget*>("channelRows");
            QVERIFY(table != nullptr);
            const int labelColumn = table->columnCount() - 2;
            table->item(0, labelColumn)->setText("O2 in");
            buttonNamed(d, "Add Channel...")->click();
        });
        QCOMPARE(runAcquisitionWindow(nullptr, p, io, m, lookup), RunWindows::SetupOutcome::Reopen);
        QCOMPARE(added, 1);
        QCOMPARE(QString::fromStdString(p.channels.label(1)).trimmed(), QString("O2 in"));
    }
}

QTEST_MAIN(AcquisitionWindowTest)
#include "acquisition_window_test.moc"
