#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "devices/device_table.h"
#include "files/preferences_file.h"
#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

namespace {

// A strip of trace that scrolls across the start window.
class StartAnimation final : public QWidget {
  public:
    StartAnimation(Program& p, Sounds& sounds, QWidget* parent)
        : QWidget(parent), p_(p), sounds_(sounds), random_(QRandomGenerator::securelySeeded()) {
        setFixedHeight(60);
        elapsed_.start();
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        timer_.start(50);
    }
    void stop() { timer_.stop(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), QColor(2, 171, 234));
        g.setPen(QPen(Qt::black, 2));
        QPointF last(0, height() / 2.0);
        for (int x = 0; x < width(); x += 4) {
            const double t = (x + phase_) * 0.05;
            const QPointF next(x, height() / 2.0 + 18 * std::sin(t) * std::cos(t * 0.23));
            g.drawLine(last, next);
            last = next;
        }
    }
    void mousePressEvent(QMouseEvent*) override { stop(); }

  private:
    void step() {
        // 800 ticks at most.
        if (elapsed_.elapsed() > 800 * 1000 / 60) {
            stop();
            return;
        }
        phase_ += 6;
        update();
        if (p_.menus.Sound_Is_On != 0 && !sounds_.isPlaying() && ++sinceSound_ > 10) {
            sinceSound_ = 0;
            const int n = static_cast<int>(random_.bounded(1, 13));
            if (n <= 5) {
                sounds_.play("buzz" + std::to_string(n));
            }
        }
    }

    Program& p_;
    Sounds& sounds_;
    QRandomGenerator random_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    int phase_ = 0;
    int sinceSound_ = 0;
};

}  // namespace

RunWindows::StartChoice runStartWindow(QWidget* parent, Program& p, Sounds& sounds, int& device) {
    QDialog d(parent);
    d.setWindowTitle("Startup Routines...");
    auto* layout = new QVBoxLayout(&d);
    auto* heading = new QLabel("A-to-D converter selection");
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    auto* animation = new StartAnimation(p, sounds, &d);
    layout->addWidget(animation);
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
    animation->stop();
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
    auto* save = new QPushButton("Save Selection");
    ok->setDefault(true);
    save->setAutoDefault(false);
    save->setEnabled(false);  // until a device is picked
    auto* row = new QHBoxLayout;
    row->addWidget(demo);
    row->addWidget(save);
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
        save->setEnabled(true);
    });
    // Remembers the device in the preferences file, for the next start.
    QObject::connect(save, &QPushButton::clicked, &d, [&] {
        const std::string error = writePreferencesFile(p, defaultPreferencesPath());
        if (!error.empty()) {
            QMessageBox::warning(&d, "Preferences", QString::fromStdString(error));
        }
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
