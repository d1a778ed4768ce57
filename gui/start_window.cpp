#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "devices/device_table.h"
#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

RunWindows::StartChoice runStartWindow(QWidget* parent, Program& p, int& device) {
    QDialog d(parent);
    d.setWindowTitle("Startup Routines...");
    auto* layout = new QVBoxLayout(&d);
    auto* heading = new QLabel("A-to-D converter selection");
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(
        "The  default ADC is highlighted; click 'External A-D' to use\n other A-D converters.\n"
        "You can use the 'test mode' (Demo) setting to check \nmost operations with a simulated "
        "A-D converter."));
    auto* row = new QHBoxLayout;
    auto* quit = new QPushButton("Quit");
    auto* select = new QPushButton("Select A-D");
    auto* demo = new QPushButton("Test Mode");
    const int remembered = p.prefs[kPrefDefaultDevice] == 0 ? 1 : p.prefs[kPrefDefaultDevice];
    auto* def = new QPushButton(fromMacRoman(deviceInfo(remembered).startName));
    def->setDefault(true);
    for (QPushButton* b : {quit, select, demo, def}) {
        row->addWidget(b);
    }
    layout->addLayout(row);
    RunWindows::StartChoice choice = RunWindows::StartChoice::Quit;
    QObject::connect(quit, &QPushButton::clicked, &d, [&] { d.reject(); });
    QObject::connect(demo, &QPushButton::clicked, &d, [&] {
        choice = RunWindows::StartChoice::Demonstration;
        d.accept();
    });
    QObject::connect(def, &QPushButton::clicked, &d, [&] {
        device = remembered;
        choice = RunWindows::StartChoice::Device;
        d.accept();
    });
    QObject::connect(select, &QPushButton::clicked, &d, [&] {
        d.hide();
        device = runDeviceDialog(parent, p);
        choice =
            device == 0 ? RunWindows::StartChoice::Demonstration : RunWindows::StartChoice::Device;
        d.accept();
    });
    d.exec();
    return choice;
}

int runDeviceDialog(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("External A/D Device");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Select A-D converter:"));
    auto* list = new QComboBox;
    for (int code = 1; code < kDeviceCodeCount; ++code) {
        const DeviceInfo& info = deviceInfo(code);
        const std::string_view name = !info.startName.empty() ? info.startName : info.portName;
        list->addItem(fromMacRoman(name), code);
    }
    const int remembered = p.prefs[kPrefDefaultDevice] == 0 ? 1 : p.prefs[kPrefDefaultDevice];
    list->setCurrentIndex(list->findData(remembered));
    layout->addWidget(list);
    auto* baud = new QLineEdit;
    baud->setReadOnly(true);
    layout->addWidget(baud);
    auto* ok = new QPushButton("Selection OK");
    auto* demo = new QPushButton("Test/demonstration Mode");
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(demo);
    row->addWidget(ok);
    layout->addLayout(row);
    const auto update = [&] {
        const int code = list->currentData().toInt();
        const DeviceInfo& info = deviceInfo(code);
        baud->setText(fromMacRoman(info.baudText) + " baud");
        ok->setEnabled(code != 7 && info.reader != nullptr);
    };
    update();
    QObject::connect(list, &QComboBox::currentIndexChanged, &d, [&] {
        update();
        p.prefs[kPrefDefaultDevice] = static_cast<int16_t>(list->currentData().toInt());
    });
    int chosen = 0;
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        chosen = list->currentData().toInt();
        d.accept();
    });
    QObject::connect(demo, &QPushButton::clicked, &d, [&] { d.reject(); });
    d.exec();
    return chosen;
}

}  // namespace trindel::gui
