// The loggers' windows of the External A-D Device submenu: "DataTaker A-D Mode Controls",
// "DataTaker 800 Acquisition Mode", the firmware window with "Diagnostics", and the small
// status windows of a reset and a buffer flush. The rules live in src/devices/datataker/.
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "devices/datataker/datataker.h"
#include "devices/datataker/datataker_windows.h"
#include "module_windows.h"
#include "qt_platform.h"
#include "ui2_windows.h"
#include "windows.h"

namespace trindel::gui {

namespace {

// A small window that shows progress while the logger works; "" as title closes it.
class StatusWindow {
  public:
    explicit StatusWindow(QWidget* parent) : parent_(parent) {}
    ~StatusWindow() { show("", ""); }
    void show(const std::string& title, const std::string& text) {
        if (title.empty()) {
            if (window_) {
                window_->close();
                window_->deleteLater();
            }
            return;
        }
        if (!window_) {
            window_ = new QDialog(parent_);
            auto* layout = new QVBoxLayout(window_);
            label_ = new QLabel;
            layout->addWidget(label_);
            window_->resize(320, 100);
            window_->show();
        }
        window_->setWindowTitle(fromMacRoman(title));
        label_->setText(fromMacRoman(text).replace('\r', '\n'));
        QCoreApplication::processEvents();
    }

  private:
    QWidget* parent_;
    QPointer<QDialog> window_;
    QLabel* label_ = nullptr;
};

void runInputsWindow(QWidget* parent, Program& p) {
    DataTakerInputsModel m(p);
    if (!m.available()) {
        return;
    }
    using C = DataTakerInputsModel::Choice;
    QDialog d(parent);
    d.setWindowTitle(QString::fromStdString(DataTakerInputsModel::title()));
    auto* grid = new QGridLayout(&d);
    const char* heads[] = {
        "", "", "Counter", "T-couple of type...", "", "", "Volts", "Ohms", "Inputs", "", "", ""};
    for (int col = 0; col < 12; ++col) {
        grid->addWidget(new QLabel(heads[col]), 0, col);
    }
    const std::pair<C, const char*> kinds[] = {{C::Counter, ""}, {C::TypeT, "T"}, {C::TypeJ, "J"},
                                               {C::TypeK, "K"},  {C::Volts, ""},  {C::Ohms, ""}};
    const std::pair<C, const char*> wiring[] = {{C::Plus, "single-ended  + "},
                                                {C::Minus, "-"},
                                                {C::Star, "*"},
                                                {C::Differential, "diff  + &-"}};
    std::vector<QLineEdit*> labels;
    int row = 1;
    for (const int channel : m.rows()) {
        grid->addWidget(new QLabel(QString::number(channel)), row, 0);
        auto* label = new QLineEdit(fromMacRoman(m.label(channel)));
        label->setMaxLength(30);
        labels.push_back(label);
        grid->addWidget(label, row, 1);
        QObject::connect(label, &QLineEdit::textEdited, &d,
                         [&m, channel](const QString& t) { m.editLabel(channel, toMacRoman(t)); });
        auto* kindGroup = new QButtonGroup(&d);
        auto* wireGroup = new QButtonGroup(&d);
        int col = 2;
        for (const auto& [choice, text] : kinds) {
            auto* b = new QRadioButton(text);
            b->setChecked(m.isChosen(channel, choice));
            kindGroup->addButton(b);
            grid->addWidget(b, row, col++);
            QObject::connect(b, &QRadioButton::clicked, &d, [&m, channel, choice = choice, label] {
                m.choose(channel, choice);
                label->setText(fromMacRoman(m.label(channel)));
            });
        }
        for (const auto& [choice, text] : wiring) {
            auto* b = new QRadioButton(text);
            b->setChecked(m.isChosen(channel, choice));
            wireGroup->addButton(b);
            grid->addWidget(b, row, col++);
            QObject::connect(b, &QRadioButton::clicked, &d,
                             [&m, channel, choice = choice] { m.choose(channel, choice); });
        }
        ++row;
    }
    grid->addWidget(new QLabel("Start counters at:"), row, 0, 1, 2);
    auto* start = new QLineEdit(QString::number(m.counterStart()));
    grid->addWidget(start, row, 2, 1, 2);
    grid->addWidget(new QLabel("(maximum 1,000,000)"), row, 4, 1, 3);
    auto* ok = new QPushButton("Conversion Modes OK");
    ok->setDefault(true);
    grid->addWidget(ok, row + 1, 0, 1, 12);
    QObject::connect(start, &QLineEdit::textEdited, &d, [&](const QString& t) {
        // A value that is not a whole number up to 1,000,000 is not taken; the field says so.
        start->setStyleSheet(m.setCounterStart(t.toStdString()) ? "" : "color: red");
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] { d.accept(); });
    d.exec();
    m.finish();
}

void runModeWindow(QWidget* parent, Program& p, Platform& io, SerialPort& port) {
    DT800ModeModel m(p);
    const bool sounds = p.menus.Sound_Is_On != 0;
    QDialog d(parent);
    d.setWindowTitle(QString::fromStdString(DT800ModeModel::title()));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("<b>DT800 ADC characteristics</b>"));
    auto* high = new QRadioButton("High-speed Mode");
    auto* accurate = new QRadioButton("High-accuracy Mode");
    auto* modes = new QButtonGroup(&d);
    modes->addButton(high);
    modes->addButton(accurate);
    layout->addWidget(high);
    layout->addWidget(
        new QLabel("Use this for the fastest\nsampling rates (with a\nsmall tradeoff in noise\nand "
                   "accuracy)"));
    layout->addWidget(accurate);
    layout->addWidget(
        new QLabel("Use this for lowest noise\nand highest precision\n(but with lower "
                   "maximal\nsampling rates)"));
    layout->addWidget(new QLabel("Select mains frequncy (for AC noise rejection)"));
    auto* hz60 = new QRadioButton("60-Hz Mains Frequency");
    auto* hz50 = new QRadioButton("50-Hz Mains Frequency");
    auto* mains = new QButtonGroup(&d);
    mains->addButton(hz60);
    mains->addButton(hz50);
    layout->addWidget(hz60);
    layout->addWidget(hz50);
    auto* noFilter = new QCheckBox("No Mains Filtration (for highest possible speed)");
    layout->addWidget(noFilter);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);
    const auto show = [&] {
        high->setChecked(m.highSpeed());
        accurate->setChecked(!m.highSpeed());
        hz60->setChecked(m.mains() == 60);
        hz50->setChecked(m.mains() == 50);
        noFilter->setChecked(m.noFilter());
        noFilter->setEnabled(m.noFilterEnabled());
    };
    show();
    QObject::connect(high, &QRadioButton::clicked, &d, [&] {
        m.chooseHighSpeed(true);
        if (sounds) {
            io.sounds.play("upvip");
        }
        show();
    });
    QObject::connect(accurate, &QRadioButton::clicked, &d, [&] {
        m.chooseHighSpeed(false);
        if (sounds) {
            io.sounds.play("downvip");
        }
        show();
    });
    QObject::connect(hz60, &QRadioButton::clicked, &d, [&] { m.chooseMains(60); });
    QObject::connect(hz50, &QRadioButton::clicked, &d, [&] { m.chooseMains(50); });
    QObject::connect(noFilter, &QCheckBox::clicked, &d, [&] {
        m.toggleNoFilter();
        show();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] { d.accept(); });
    d.exec();
    m.finish(io, port);
}

void runFirmwareWindow(QWidget* parent, Program& p, DeviceLink& link) {
    const auto model = dataTakerModel(p.device.External_AD);
    QDialog d(parent);
    d.setWindowTitle(model == DataTakerModel::DT800 ? "DT800 Firmware" : "DT500 Firmware");
    auto* layout = new QVBoxLayout(&d);
    auto* lines = new QLabel;
    lines->setTextFormat(Qt::RichText);
    lines->setMinimumWidth(420);
    layout->addWidget(lines);
    auto* diagnostics = new QPushButton("Diagnostics");
    layout->addWidget(diagnostics);
    d.show();
    QString html;
    const auto add = [&](const std::string& line, bool bold) {
        QString text = fromMacRoman(line)
                           .toHtmlEscaped()
                           .replace('\r', "<br>")
                           .replace('\t', "&nbsp;&nbsp;&nbsp;&nbsp;");
        html += (bold ? "<b>" + text + "</b>" : text) + "<br>";
        lines->setText(html);
        QCoreApplication::processEvents();
    };
    const FirmwareResult r = GetFirmware(link, false);
    for (const std::string& line : r.lines) {
        add(line, false);
    }
    if (!r.answered) {
        add("(no answer from the logger)", false);
    }
    QObject::connect(diagnostics, &QPushButton::clicked, &d, [&] {
        diagnostics->setEnabled(false);
        for (const DiagnosticsLine& line : DataTakerDiagnostics(link)) {
            add(line.text, line.bold);
        }
        diagnostics->setEnabled(true);
    });
    d.exec();
}

}  // namespace

void runDeviceCommand(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection,
                      MenuCommand command) {
    if (p.device.External_AD == 5) {
        runAdamCommand(parent, p, io, connection, command);
        return;
    }
    if (p.device.External_AD == 1) {
        DeviceLink link = connection.link(p, io);
        runUI2DeviceCommand(parent, p, link, command);
        return;
    }
    if (!dataTakerModel(p.device.External_AD)) {
        return;
    }
    if (command != MenuCommand::DeviceInputs && (!connection.isOpen() || connection.lost())) {
        // The port vanished (an adapter pulled out): it is opened again when it is back.
        std::string error;
        connection.close();
        if (!connection.reconnect(p, io, error)) {
            io.host.alert("Serial Port",
                          error.empty() ? "The logger's port cannot be opened." : error, {"OK"});
            return;
        }
    }
    StatusWindow status(parent);
    DeviceLink link = connection.link(p, io);
    link.status = [&status](const std::string& title, const std::string& text) {
        status.show(title, text);
    };
    switch (command) {
        case MenuCommand::DeviceInputs:
            runInputsWindow(parent, p);
            break;
        case MenuCommand::DeviceMode:
            runModeWindow(parent, p, io, connection.port());
            break;
        case MenuCommand::DeviceReset: {
            std::string error;
            if (!ResetDataTaker(link, error)) {
                io.host.alert("Serial Port", error, {"OK"});
            }
            break;
        }
        case MenuCommand::DeviceFirmware:
            runFirmwareWindow(parent, p, link);
            break;
        case MenuCommand::DeviceFlush:
            FlushDT800Buffer(link, false);
            break;
        default:
            break;
    }
}

}  // namespace trindel::gui
