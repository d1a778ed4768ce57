// The loggers' windows from the External A-D Device submenu, on a scripted DT800: the firmware
// window with its self-tests, and the acquisition-mode window sending the mode it shows.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "../devices/fake_serial_line.h"
#include "qt_platform.h"
#include "run/device_connection.h"
#include "windows.h"

using namespace trindel;
using namespace trindel::gui;

namespace {

// Answers as a DT800 does once echo, units and names are off.
std::string dt800(const std::string& command) {
    if (command == "STATUS1") {
        return "aT800 V6.18.0002  Flash 2048K  Firmware 3.05\r\n";
    }
    if (command.rfind("TEST", 0) == 0) {
        const int k = std::stoi(command.substr(4));
        return (k == 3 ? std::string("Clock            FAIL")
                       : "Test " + command.substr(4) + "           PASS") +
               "\r\n";
    }
    return {};
}

QDialog* topDialog(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* d = qobject_cast<QDialog*>(w);
        if (d != nullptr && d->isVisible() && d->windowTitle() == title) {
            return d;
        }
    }
    return nullptr;
}

void saveShot(QWidget* w, const QString& name) {
    QDir().mkpath(TRINDEL_SCREENSHOT_DIR);
    w->grab().toImage().save(QDir(TRINDEL_SCREENSHOT_DIR).filePath(name));
}

}  // namespace

class DataTakerWindowsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void firmwareWindowRunsTheSelfTests();
    void acquisitionModeSendsTheChosenMode();

  private:
    struct Rig {
        Program p;
        QtPlatform qt{400, 300};
        Platform io = qt.platform();
        FakeSerialLine* line = new FakeSerialLine;
        DeviceConnection connection{std::unique_ptr<SerialLine>(line)};
        Rig() {
            p.device.External_AD = 4;
            p.device.baudrate = 57600;
            p.menus.Sound_Is_On = 0;
            line->responder = dt800;
            const auto r = connection.connect(p, io, "/dev/fake");
            QVERIFY(r.connected);
            line->commands.clear();
        }
    };
};

void DataTakerWindowsTest::firmwareWindowRunsTheSelfTests() {
    Rig rig;
    QString shown;
    QTimer::singleShot(200, [&] {
        QDialog* d = topDialog("DT800 Firmware");
        QVERIFY(d != nullptr);
        d->findChild<QPushButton*>()->click();
        shown = d->findChild<QLabel*>()->text();
        saveShot(d, "dt800_firmware.png");
        d->accept();
    });
    runDeviceCommand(nullptr, rig.p, rig.io, rig.connection, MenuCommand::DeviceFirmware);
    QVERIFY2(shown.contains("dT800 V6.18.0002"), qPrintable(shown));
    QVERIFY2(shown.contains("<b> Clock            FAIL</b>"), qPrintable(shown));
    QVERIFY(shown.contains("Test 14"));
    // Two passes of the 14 self-tests after the firmware check.
    QCOMPARE(std::count(rig.line->commands.begin(), rig.line->commands.end(), "TEST14"), 2);
}

void DataTakerWindowsTest::acquisitionModeSendsTheChosenMode() {
    Rig rig;
    QTimer::singleShot(200, [&] {
        QDialog* d = topDialog("DataTaker 800 Acquisition Mode");
        QVERIFY(d != nullptr);
        for (QRadioButton* b : d->findChildren<QRadioButton*>()) {
            if (b->text() == "High-speed Mode" || b->text() == "50-Hz Mains Frequency") {
                b->click();
            }
        }
        saveShot(d, "dt800_acquisition_mode.png");
        d->accept();
    });
    runDeviceCommand(nullptr, rig.p, rig.io, rig.connection, MenuCommand::DeviceMode);
    QCOMPARE(rig.p.device.DT800FastAcquisitionMode, int16_t{1});
    QCOMPARE(rig.p.session.mainsfrequency, int16_t{50});
    QVERIFY(rig.line->commands.size() == 12u && rig.line->commands[1] == "P11=50");
}

QTEST_MAIN(DataTakerWindowsTest)
#include "datataker_windows_test.moc"
