// The Sable UI2's windows: "UI2 Temperature Channels", "UI2 Temperature Channel", "UI2 firmware",
// "Serial Instrument Options" and "Select Serial Input, Channel n". The rules live in
// src/devices/ui2/.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <random>

#include "devices/ui2/ui2.h"
#include "devices/ui2/ui2_windows.h"
#include "qt_platform.h"
#include "ui2_windows.h"

namespace trindel::gui {

namespace {

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

void runUI2TempChannelsWindow(QWidget* parent, Program& p) {
    using T = UI2TempChannelsText;
    QDialog d(parent);
    d.setObjectName("ui2TempChannels");
    d.setWindowTitle(T::title);
    auto* grid = new QGridLayout(&d);
    grid->addWidget(heading(T::heading), 0, 0, 1, 4);
    for (int col = 0; col < 3; ++col) {
        grid->addWidget(new QLabel(T::columns[static_cast<size_t>(col)]), 1, col + 1);
    }
    for (int t = 1; t <= 4; ++t) {
        grid->addWidget(new QLabel(T::rows[static_cast<size_t>(t - 1)]), t + 1, 0);
        auto* group = new QButtonGroup(&d);
        for (int mode = 0; mode < 3; ++mode) {
            auto* b = new QRadioButton;
            b->setObjectName(QString("t%1mode%2").arg(t).arg(mode));
            b->setChecked(static_cast<int>(ui2TempModeOf(p, t)) == mode);
            group->addButton(b, mode);
            grid->addWidget(b, t + 1, mode + 1, Qt::AlignCenter);
        }
        QObject::connect(group, &QButtonGroup::idClicked, &d, [&p, t](int mode) {
            setUI2TempMode(p, t, static_cast<UI2TempMode>(mode));
        });
    }
    auto* done = new QPushButton(T::done);
    done->setDefault(true);
    grid->addWidget(done, 6, 3);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runUI2TempChannelWindow(QWidget* parent, Program& p, int channel) {
    const auto t = ui2TempChannel(p, channel);
    if (!t) {
        return;
    }
    using T = UI2TempChannelText;
    QDialog d(parent);
    d.setObjectName("ui2TempChannel");
    d.setWindowTitle(T::title);
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading(QString::fromStdString(T::heading(*t))));
    auto* group = new QButtonGroup(&d);
    for (int mode = 0; mode < 3; ++mode) {
        auto* b = new QRadioButton(T::options[static_cast<size_t>(mode)]);
        b->setChecked(static_cast<int>(ui2TempModeOf(p, *t)) == mode);
        group->addButton(b, mode);
        layout->addWidget(b);
    }
    QObject::connect(group, &QButtonGroup::idClicked, &d,
                     [&p, t](int mode) { setUI2TempMode(p, *t, static_cast<UI2TempMode>(mode)); });
    auto* ok = new QPushButton(T::ok);
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runUI2FirmwareWindow(QWidget* parent, DeviceLink& link) {
    const UI2Firmware f = ui2GetFirmware(link);
    QDialog d(parent);
    d.setObjectName("ui2Firmware");
    d.setWindowTitle("UI2 firmware");
    auto* layout = new QVBoxLayout(&d);
    if (!f.answered) {
        layout->addWidget(new QLabel("The UI2 did not answer."));
    }
    for (const std::string& line : f.lines) {
        layout->addWidget(new QLabel(fromMacRoman(line)));
    }
    d.setMinimumWidth(360);
    d.exec();
}

void runSerialFieldWindow(QWidget* parent, DeviceLink& link, int channel) {
    SerialFieldChoiceModel m(link.p, channel);
    std::mt19937 random(std::random_device{}());
    auto query = [&] {
        std::array<int, kUI2InstrumentFields> draws{};
        std::uniform_int_distribution<int> r(1, 50);
        for (int& v : draws) {
            v = r(random);
        }
        m.setFields(SerialStringUpdate(link, draws).value_or(UI2InstrumentReply{}));
    };
    query();
    QDialog d(parent);
    d.setObjectName("serialFieldChoice");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading(QString::fromStdString(m.prompt())));
    auto* fields = new QVBoxLayout;
    layout->addLayout(fields);
    auto* group = new QButtonGroup(&d);
    auto fill = [&] {
        for (QAbstractButton* b : group->buttons()) {
            group->removeButton(b);
            delete b;
        }
        if (m.fields() == 0) {
            auto* b = new QRadioButton("(no answer from the instrument)");
            b->setEnabled(false);
            group->addButton(b, 0);
            fields->addWidget(b);
        }
        for (int k = 1; k <= m.fields(); ++k) {
            auto* b = new QRadioButton(fromMacRoman(m.fieldChoiceText(k)));
            b->setChecked(k == m.chosen());
            group->addButton(b, k);
            fields->addWidget(b);
        }
    };
    fill();
    QObject::connect(group, &QButtonGroup::idClicked, &d, [&m](int k) { m.choose(k); });
    auto* scale = new QGridLayout;
    scale->addWidget(new QLabel("plot scale:"), 0, 0);
    auto* upper = new QLineEdit(QString::fromStdString(m.upper()));
    auto* lower = new QLineEdit(QString::fromStdString(m.lower()));
    scale->addWidget(new QLabel("upper limit"), 0, 1);
    scale->addWidget(upper, 0, 2);
    scale->addWidget(new QLabel("lower limit"), 1, 1);
    scale->addWidget(lower, 1, 2);
    layout->addLayout(scale);
    auto* buttons = new QHBoxLayout;
    auto* update = new QPushButton("Update Variables");
    auto* help = new QPushButton("?");
    auto* ok = new QPushButton("OK -- Close");
    update->setAutoDefault(false);
    help->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addWidget(update);
    buttons->addWidget(help);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(update, &QPushButton::clicked, &d, [&] {
        query();
        fill();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
    m.setUpper(upper->text().toStdString());
    m.setLower(lower->text().toStdString());
    m.finish();
}

void runSerialInstrumentsWindow(QWidget* parent, DeviceLink& link) {
    SerialInstrumentsModel m(link.p);
    QDialog d(parent);
    d.setObjectName("serialInstruments");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* grid = new QGridLayout(&d);
    grid->addWidget(heading(QString::fromStdString(m.heading())), 0, 0, 1, 4);
    for (int c = 1; c <= m.rows(); ++c) {
        grid->addWidget(new QLabel(QString::fromStdString(m.channelText(c))), c, 0);
        grid->addWidget(new QLabel(fromMacRoman(m.label(c)).trimmed()), c, 1);
        auto* serial = new QCheckBox("Serial?");
        serial->setObjectName(QString("serial%1").arg(c));
        serial->setChecked(m.serial(c));
        auto* update = new QPushButton("Update Setup\xE2\x80\xA6");
        update->setAutoDefault(false);
        update->setEnabled(m.serial(c));
        grid->addWidget(serial, c, 2);
        grid->addWidget(update, c, 3);
        QObject::connect(serial, &QCheckBox::toggled, &d, [&, c, update](bool on) {
            m.setSerial(c, on);
            update->setEnabled(on);
            if (on) {
                runSerialFieldWindow(&d, link, c);
            }
        });
        QObject::connect(update, &QPushButton::clicked, &d,
                         [&, c] { runSerialFieldWindow(&d, link, c); });
    }
    if (m.rows() == 0) {
        grid->addWidget(new QLabel("No channels are set up yet."), 1, 0, 1, 4);
    }
    auto* help = new QPushButton("?");
    auto* ok = new QPushButton("OK -- Close");
    help->setAutoDefault(false);
    ok->setDefault(true);
    grid->addWidget(help, m.rows() + 2, 2);
    grid->addWidget(ok, m.rows() + 2, 3);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runUI2ChannelCheck(QWidget* parent, DeviceLink& link, int channel) {
    Program& p = link.p;
    if (p.device.External_AD != 1 || channel < 1 || channel > kMaxChannels) {
        return;
    }
    const int n = static_cast<int>(p.channels.Nvar[static_cast<size_t>(channel)][kInputNumber]);
    if (n >= 9 && n <= 12) {
        runUI2TempChannelWindow(parent, p, channel);
    } else if (n == kUI2SerialInput) {
        runSerialFieldWindow(parent, link, channel);
    }
}

void runUI2DeviceCommand(QWidget* parent, Program& p, DeviceLink& link, MenuCommand command) {
    switch (command) {
        case MenuCommand::DeviceInputs:
            runUI2TempChannelsWindow(parent, p);
            break;
        case MenuCommand::DeviceMode:  // item 2 of the UI2's submenu
            runUI2FirmwareWindow(parent, link);
            break;
        case MenuCommand::DeviceSerialInstruments:
            runSerialInstrumentsWindow(parent, link);
            break;
        default:
            break;
    }
}

}  // namespace trindel::gui
