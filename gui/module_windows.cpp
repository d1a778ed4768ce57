// The ADAM and ADC-1 windows: "Sensor Type Selection For ADAM-4019", "ADAM Firmware" with the
// cold-junction temperature, "ADAM Module Address Setting" with "New ADAM address check", and
// the input selection of a chart channel. The rules live in src/devices/adam/ and adc1/.
#include "module_windows.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "devices/adam/adam.h"
#include "devices/adam/adam_windows.h"
#include "devices/adc1/adc1_windows.h"
#include "qt_platform.h"

namespace trindel::gui {

namespace {

QString typeText(int16_t type) {
    const AdamSensorRow* row = adamSensorRow(type);
    return row != nullptr ? fromMacRoman(row->text) : QString();
}

// Keys "1".."^" put the focus on a row, unless a text field has the keyboard.
class RowKeys : public QObject {
  public:
    RowKeys(QDialog* d, std::vector<QWidget*> rows) : QObject(d), rows_(std::move(rows)) {
        d->installEventFilter(this);
        for (QWidget* w : d->findChildren<QWidget*>()) {
            w->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || qobject_cast<QLineEdit*>(watched) != nullptr) {
            return false;
        }
        const QString t = static_cast<QKeyEvent*>(e)->text();
        const int row = t.size() == 1 ? adamRowForKey(t.at(0).toLatin1()) : 0;
        if (row >= 1 && row <= static_cast<int>(rows_.size())) {
            rows_[static_cast<size_t>(row - 1)]->setFocus();
            return true;
        }
        return false;
    }

  private:
    std::vector<QWidget*> rows_;
};

QPushButton* helpButton(QWidget* parent, const char* title, const char* text) {
    auto* b = new QPushButton("?");
    b->setAutoDefault(false);
    b->setFixedWidth(32);
    QObject::connect(b, &QPushButton::clicked, parent,
                     [parent, title, text] { QMessageBox::information(parent, title, text); });
    return b;
}

void runSensorTypesWindow(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection) {
    AdamSensorTypesModel m(p);
    QDialog d(parent);
    d.setObjectName("adamSensorTypes");
    d.setWindowTitle(AdamSensorTypesModel::title());
    auto* layout = new QVBoxLayout(&d);
    auto* heading = new QLabel(QString("<b>%1</b>").arg(AdamSensorTypesModel::heading()));
    layout->addWidget(heading);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    std::vector<QWidget*> rowFocus;
    for (int c = 1; c <= m.rows(); ++c) {
        grid->addWidget(new QLabel(QString("%1:").arg(c)), c, 0);
        auto* label = new QLineEdit(fromMacRoman(m.label(c)).trimmed());
        label->setMaxLength(30);
        label->setMinimumWidth(200);
        rowFocus.push_back(label);
        grid->addWidget(label, c, 1);
        QObject::connect(label, &QLineEdit::textEdited, &d,
                         [&m, c](const QString& t) { m.editLabel(c, toMacRoman(t)); });
        grid->addWidget(new QLabel("read as"), c, 2);
        grid->addWidget(new QLabel("Volts;  input range:"), c, 3);
        auto* group = new QButtonGroup(&d);
        int col = 4;
        for (const int16_t type : kAdamChoiceTypes) {
            if (type == 100) {
                grid->addWidget(new QLabel("Thermocouple type:"), c, col++);
            }
            auto* b = new QRadioButton(typeText(type));
            b->setChecked(m.type(c) == type);
            group->addButton(b);
            grid->addWidget(b, c, col++);
            QObject::connect(b, &QRadioButton::clicked, &d, [&m, c, type] { m.choose(c, type); });
        }
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(helpButton(&d, "Sensor types",
                                  "Choose for each channel how its ADAM input is read: as volts "
                                  "in one of four ranges, or as a thermocouple of type J, K or T "
                                  "(degrees C). The modules are set when the window closes."));
    buttons->addStretch();
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &d, [&d] { d.accept(); });
    RowKeys keys(&d, rowFocus);
    d.exec();  // the close box stores too
    m.finish(p);
    if (connection.isOpen() && !connection.lost()) {
        DeviceLink link = connection.link(p, io);
        QDialog* status = nullptr;
        link.status = [&](const std::string& title, const std::string& text) {
            if (title.empty()) {
                delete status;
                status = nullptr;
                return;
            }
            status = new QDialog(parent);
            status->setWindowTitle(fromMacRoman(title));
            auto* l = new QVBoxLayout(status);
            l->addWidget(new QLabel(fromMacRoman(text)));
            status->show();
            QCoreApplication::processEvents();
        };
        SetADAM(link, true, 0);
        delete status;
    }
}

void runFirmwareWindow(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection) {
    DeviceLink link = connection.link(p, io);
    QDialog d(parent);
    d.setObjectName("adamFirmware");
    d.setWindowTitle("ADAM Firmware");
    auto* layout = new QVBoxLayout(&d);
    auto* lines = new QLabel("Checking modules\xE2\x80\xA6");
    lines->setMinimumWidth(380);
    layout->addWidget(lines);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("CJC temperature: "));
    auto* cjc = new QLineEdit;
    cjc->setObjectName("cjc");
    cjc->setReadOnly(true);
    cjc->setMaximumWidth(90);
    row->addWidget(cjc);
    row->addWidget(
        new QLabel(QString::fromUtf8("\xC2\xB0"
                                     "C")));
    row->addStretch();
    layout->addLayout(row);
    d.show();
    QCoreApplication::processEvents();
    QStringList text;
    for (const std::string& line : adamFirmwareLines(link)) {
        text << fromMacRoman(line);
    }
    lines->setText(text.join('\n'));
    // The cold junction is read again and again while the window is up, one reply at a time.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &d, [&] {
        const auto value = readADAMcjc(link);
        cjc->setText(value ? QString::number(*value, 'f', 1) : QString("--"));
        timer.start(500);
    });
    timer.start(0);
    d.exec();
}

void runAddressCheck(QWidget* parent, const std::string& command, const AddressCheck& r) {
    QDialog d(parent);
    d.setObjectName("adamAddressCheck");
    d.setWindowTitle("New ADAM address check");
    auto* layout = new QVBoxLayout(&d);
    for (const std::string& line : addressCheckLines(command, r.reply, r.accepted)) {
        layout->addWidget(new QLabel(fromMacRoman(line)));
    }
    auto* count = new QLabel;
    layout->addWidget(count);
    auto* done = new QPushButton("Done");
    layout->addWidget(done);
    QObject::connect(done, &QPushButton::clicked, &d, [&d] { d.accept(); });
    QTimer timer;
    int seconds = 0;
    if (r.accepted) {
        QObject::connect(&timer, &QTimer::timeout, &d, [&] {
            ++seconds;
            count->setText(QString::fromStdString(addressResetLine(seconds)));
            if (seconds >= 8) {
                timer.stop();
            }
        });
        timer.start(1000);
    }
    d.exec();
}

void runAddressWindow(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection) {
    AdamAddressModel m;
    QDialog d(parent);
    d.setObjectName("adamAddress");
    d.setWindowTitle(AdamAddressModel::title());
    auto* layout = new QVBoxLayout(&d);
    for (const std::string& line : AdamAddressModel::explanation()) {
        layout->addWidget(new QLabel(fromMacRoman(line)));
    }
    const AdamModuleChoice choices[] = {
        AdamModuleChoice::Adam4050, AdamModuleChoice::SecondAnalogue, AdamModuleChoice::Primary};
    const auto texts = AdamAddressModel::moduleTexts();
    auto* group = new QButtonGroup(&d);
    for (size_t i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(texts[i]);
        group->addButton(b);
        layout->addWidget(b);
        const AdamModuleChoice choice = choices[i];
        QObject::connect(b, &QRadioButton::clicked, &d, [&m, choice] { m.chooseModule(choice); });
    }
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(new QLabel("original address:"));
    auto* original = new QLineEdit(QString::fromStdString(m.originalAddress()));
    original->setObjectName("originalAddress");
    original->setMaximumWidth(60);
    addressRow->addWidget(original);
    addressRow->addStretch();
    layout->addLayout(addressRow);
    QObject::connect(original, &QLineEdit::textEdited, &d,
                     [&m](const QString& t) { m.setOriginalAddress(t.toStdString()); });
    auto* buttons = new QHBoxLayout;
    auto* change = new QPushButton("Change the Address");
    auto* done = new QPushButton("Done");
    auto* cancel = new QPushButton("Cancel");
    change->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(change);
    buttons->addWidget(done);
    buttons->addWidget(helpButton(&d, "ADAM module address",
                                  "Connect only the new module, choose what it is, give its "
                                  "present address (a new module answers at 1) and click "
                                  "'Change the Address'. The module resets in about 7 seconds."));
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(done, &QPushButton::clicked, &d, [&d] { d.accept(); });
    QObject::connect(cancel, &QPushButton::clicked, &d, [&d] { d.reject(); });
    QObject::connect(change, &QPushButton::clicked, &d, [&] {
        const auto command = m.command();
        if (!command) {
            // No module chosen, or an address that is not a number: nothing is sent.
            original->setStyleSheet(m.module() == AdamModuleChoice::None ? "" : "color: red");
            return;
        }
        original->setStyleSheet("");
        DeviceLink link = connection.link(p, io);
        runAddressCheck(&d, *command, SendNewAddressCheck(link, *command));
    });
    d.exec();
}

bool runAdamInputSelection(QWidget* parent, Program& p, int channel) {
    AdamChannelsModel m(p, channel);
    QDialog d(parent);
    d.setObjectName("adamInputSelection");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QString("<b>%1</b>").arg(QString::fromStdString(m.heading()))));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* inputGroup = new QButtonGroup(&d);
    std::vector<QWidget*> rowFocus;
    std::vector<QRadioButton*> inputButtons;
    for (int in = 1; in <= m.inputs(); ++in) {
        auto* input = new QRadioButton(QString::fromStdString(m.inputText(in)));
        input->setChecked(m.selected() == in);
        inputGroup->addButton(input);
        inputButtons.push_back(input);
        rowFocus.push_back(input);
        grid->addWidget(input, in, 0);
        grid->addWidget(new QLabel(QString::fromStdString(m.useText(in))), in, 1);
        QObject::connect(input, &QRadioButton::clicked, &d, [&m, in] { m.select(in); });
        auto* types = new QButtonGroup(&d);
        int col = 2;
        for (const int16_t type : kAdamChoiceTypes) {
            const auto offered = m.choices(in);
            if (std::find(offered.begin(), offered.end(), type) == offered.end()) {
                ++col;
                continue;
            }
            auto* b = new QRadioButton(typeText(type));
            b->setChecked(m.type(in) == type);
            types->addButton(b);
            grid->addWidget(b, in, col++);
            QObject::connect(b, &QRadioButton::clicked, &d, [&m, in, type, &inputButtons] {
                m.choose(in, type);
                inputButtons[static_cast<size_t>(m.selected() - 1)]->setChecked(true);
            });
        }
    }
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &d, [&d] { d.accept(); });
    RowKeys keys(&d, rowFocus);
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    m.finish(p);
    return true;
}

bool runAdc1InputSelection(QWidget* parent, Program& p, int channel) {
    Adc1InputModel m(p, channel);
    QDialog d(parent);
    d.setObjectName("adc1InputSelection");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QString("<b>%1</b>").arg(Adc1InputModel::heading())));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* inputs = new QButtonGroup(&d);
    for (int in = 1; in <= Adc1InputModel::inputs(); ++in) {
        auto* b = new QRadioButton(QString::fromStdString(m.inputText(in)));
        b->setChecked(m.selected() == in);
        inputs->addButton(b);
        const int row = (in - 1) % 8;
        const int col = (in - 1) / 8 * 2;
        grid->addWidget(b, row, col);
        grid->addWidget(new QLabel(QString::fromStdString(m.useText(in))), row, col + 1);
        QObject::connect(b, &QRadioButton::clicked, &d, [&m, in] { m.select(in); });
    }
    auto* gains = new QButtonGroup(&d);
    auto* gainRow = new QHBoxLayout;
    const auto texts = Adc1InputModel::gainTexts();
    for (int16_t g = 1; g <= 3; ++g) {
        auto* b = new QRadioButton(texts[static_cast<size_t>(g - 1)]);
        b->setChecked(m.gain() == g);
        gains->addButton(b);
        gainRow->addWidget(b);
        QObject::connect(b, &QRadioButton::clicked, &d, [&m, g] { m.chooseGain(g); });
    }
    layout->addLayout(gainRow);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &d, [&d] { d.accept(); });
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    m.finish(p);
    return true;
}

}  // namespace

void runAdamCommand(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection,
                    MenuCommand command) {
    if (command != MenuCommand::DeviceInputs && (!connection.isOpen() || connection.lost())) {
        std::string error;
        connection.close();
        if (!connection.reconnect(p, io, error)) {
            io.host.alert("Serial Port",
                          error.empty() ? "The modules' port cannot be opened." : error, {"OK"});
            return;
        }
    }
    switch (command) {
        case MenuCommand::DeviceInputs:
            runSensorTypesWindow(parent, p, io, connection);
            break;
        case MenuCommand::DeviceReset:  // item 3: "    ADAM Firmware and CJC…"
            runFirmwareWindow(parent, p, io, connection);
            break;
        case MenuCommand::DeviceFlush:  // item 5: "    Set ADAM Module Address…"
            runAddressWindow(parent, p, io, connection);
            break;
        default:
            break;
    }
}

bool hasModuleInputSelection(const Program& p) {
    return p.device.DemonstrationMODE == 0 &&
           (p.device.External_AD == 5 || p.device.External_AD == 6);
}

bool runModuleInputSelection(QWidget* parent, Program& p, int channel) {
    if (p.device.External_AD == 5) {
        return runAdamInputSelection(parent, p, channel);
    }
    if (p.device.External_AD == 6) {
        return runAdc1InputSelection(parent, p, channel);
    }
    return false;
}

}  // namespace trindel::gui
