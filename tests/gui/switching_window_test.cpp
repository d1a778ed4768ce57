// The switching set-up window driven as a user would: scheme, groups, references and channel
// devices, "Setup OK" enabled only when the set-up can run; a screenshot of mode 5 with two
// groups (a blank picture fails).
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "gui_test_support.h"
#include "state/program.h"
#include "switching_window.h"

using namespace trindel;
using namespace trindel::gui;
using namespace trindel::guitest;

class SwitchingWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void periodicTwoGroupsSetUp();
};

void SwitchingWindowTest::periodicTwoGroupsSetUp() {
    Program p;
    p.session.nChan = 4;
    p.session.RecordingMODE = 1;
    p.device.External_AD = 4;  // DT800
    SwitchEffects fx;
    bool okBefore = true, okAfter = false, shot = false;
    whenModal([&](QDialog* d) {
        auto* mode = d->findChild<QComboBox*>();
        mode->setCurrentIndex(4);
        Q_EMIT mode->activated(4);  // "Periodic references"
        buttonNamed(d, "Use Two Device Groups (1 to 4 and 5 to 8)")->click();
        okBefore = buttonNamed(d, "Setup OK")->isEnabled();
        buttonNamed(d, "Device # 1")->click();
        buttonNamed(d, "Device # 5")->click();
        p.channels.Nvar[1][kDeviceNumber] = 2;  // rows are rebuilt from the state on each event
        p.channels.Nvar[2][kDeviceNumber] = 6;
        for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
            e->setText("2");
            Q_EMIT e->editingFinished();
        }
        okAfter = buttonNamed(d, "Setup OK")->isEnabled();
        d->adjustSize();
        shot = saveShot(d, "switching-setup-mode6.png");
        buttonNamed(d, "Setup OK")->click();
    });
    const bool accepted = runSwitchingSetupWindow(nullptr, p, fx);
    QVERIFY(!okBefore);
    QVERIFY(okAfter);
    QVERIFY(accepted);
    QVERIFY(shot);
    QCOMPARE(p.session.SwitchingMode, int16_t(6));
    QCOMPARE(p.switching.RefChan, int16_t(1));
    QCOMPARE(p.switching.RefChan2, int16_t(5));
    QCOMPARE(p.switching.refint, 2.0f);
    QCOMPARE(p.switching.switchint, 2.0f);
}

QTEST_MAIN(SwitchingWindowTest)
#include "switching_window_test.moc"
