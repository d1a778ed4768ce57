// "Modes and Channels" for the streaming instrument: the fields of its lines, refreshed as they
// arrive, chosen as chart channels with labels; the instrument database behind it. The rules
// live in src/devices/instruments/.
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <random>

#include "devices/instruments/serial_stream.h"
#include "devices/instruments/stream_channels_model.h"
#include "devices/serial/serial_port.h"
#include "qt_platform.h"
#include "ui2_windows.h"

namespace trindel::gui {

namespace {

std::string databasePath() {
    const QString dir = QDir::home().filePath(".config/Trindel");
    QDir().mkpath(dir);
    return QDir(dir)
        .filePath(QString::fromStdString(std::string(kInstrumentDatabaseName)))
        .toStdString();
}

// "Instrument name": the name to store the instrument under; nothing when closed.
std::optional<std::string> askInstrumentName(QWidget* parent, const std::string& preset) {
    QDialog d(parent);
    d.setObjectName("instrumentName");
    d.setWindowTitle("Instrument name");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Give this instrument a name:"));
    auto* field = new QLineEdit(fromMacRoman(preset));
    layout->addWidget(field);
    auto* done = new QPushButton("Done");
    done->setDefault(true);
    layout->addWidget(done);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    if (d.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return toMacRoman(field->text());
}

// Where the window's values come from: the instrument's freshest line, or demonstration values.
class FieldSource {
  public:
    explicit FieldSource(SerialPort* port) : port_(port), random_(std::random_device{}()) {}
    // The first line, waited for (its tag names the instrument).
    std::string firstLine() {
        if (port_ == nullptr) {
            return {};
        }
        return waitForInstrumentLine(*port_, text_, kStreamLineTimeout, kStreamQuiet);
    }
    // A fresh line's fields when one has arrived (never waits); demonstration values without a
    // port.
    std::optional<std::array<float, kInstrumentFields + 1>> poll() {
        if (port_ == nullptr) {
            std::array<int, 10> draws{};
            std::uniform_int_distribution<int> r(1, 5684);
            for (int& v : draws) {
                v = r(random_);
            }
            return demoStreamFields(draws);
        }
        text_.takeFrom(*port_);
        std::string line;
        if (!text_.takeFreshestLine(line)) {
            return std::nullopt;
        }
        return splitInstrumentLine(line);
    }

  private:
    SerialPort* port_;
    InstrumentText text_;
    std::mt19937 random_;
};

enum class Ending { Done, Reload };

Ending runOnce(QWidget* parent, Program& p, FieldSource& source) {
    const std::string first = source.firstLine();
    const std::string tag = instrumentTag(first).name;
    const auto record = tag.empty() ? std::nullopt : SerialDeviceName(databasePath(), tag);
    StreamChannelsModel m(p, tag, record);
    m.setValues(first.empty() ? source.poll().value_or(splitInstrumentLine(""))
                              : splitInstrumentLine(first));

    QDialog d(parent);
    d.setObjectName("streamChannels");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* outer = new QVBoxLayout(&d);
    auto* head = new QLabel(QString::fromStdString(m.heading()));
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    outer->addWidget(head);
    if (!m.instrumentLine().empty()) {
        outer->addWidget(new QLabel(fromMacRoman(m.instrumentLine())));
    }
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    const char* columns[] = {"", "value", "select", "label", "channel #"};
    for (int col = 0; col < 5; ++col) {
        grid->addWidget(new QLabel(columns[col]), 0, col);
    }
    std::array<QLabel*, kInstrumentFields + 1> values{};
    std::array<QLabel*, kInstrumentFields + 1> channels{};
    std::array<QLineEdit*, kInstrumentFields + 1> labels{};
    auto* ok = new QPushButton("selection OK");
    const int rows = m.rows();  // the rows built; later values do not add rows
    auto refresh = [&] {
        for (int k = 1; k <= rows; ++k) {
            values[static_cast<size_t>(k)]->setText(QString::fromStdString(m.valueText(k)));
            channels[static_cast<size_t>(k)]->setText(QString::fromStdString(m.channelText(k)));
        }
        ok->setEnabled(m.okEnabled());
    };
    for (int k = 1; k <= rows; ++k) {
        const auto i = static_cast<size_t>(k);
        grid->addWidget(new QLabel(QString::fromStdString(m.variableText(k))), k, 0);
        values[i] = new QLabel;
        values[i]->setMinimumWidth(80);
        grid->addWidget(values[i], k, 1);
        auto* select = new QCheckBox;
        select->setObjectName(QString("select%1").arg(k));
        select->setChecked(m.selected(k));
        grid->addWidget(select, k, 2, Qt::AlignCenter);
        labels[i] = new QLineEdit(fromMacRoman(m.label(k)));
        labels[i]->setObjectName(QString("label%1").arg(k));
        labels[i]->setMaxLength(30);
        grid->addWidget(labels[i], k, 3);
        channels[i] = new QLabel;
        grid->addWidget(channels[i], k, 4);
        QObject::connect(select, &QCheckBox::toggled, &d, [&, k, i](bool) {
            m.toggleSelect(k);
            refresh();
            labels[i]->setFocus();
            labels[i]->selectAll();
        });
        QObject::connect(labels[i], &QLineEdit::textEdited, &d,
                         [&m, k](const QString& text) { m.editLabel(k, toMacRoman(text)); });
    }
    auto* buttons = new QHBoxLayout;
    auto* help = new QPushButton("?");
    auto* reload = new QPushButton("Reload Data");
    auto* add = new QPushButton("Add to Instrument Database");
    for (QPushButton* b : {help, reload, add}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    ok->setDefault(true);
    buttons->addWidget(ok);
    outer->addLayout(buttons);
    Ending ending = Ending::Done;
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(reload, &QPushButton::clicked, &d, [&] {
        ending = Ending::Reload;
        d.accept();
    });
    QObject::connect(add, &QPushButton::clicked, &d, [&] {
        if (const auto name = askInstrumentName(&d, m.displayName())) {
            std::string error;
            if (!UpdateSerialInstrumentList(databasePath(), m.databaseRecord(*name), error)) {
                QLabel* l = new QLabel(QString::fromStdString(error));
                outer->addWidget(l);
            }
        }
    });
    QTimer timer;
    timer.setInterval(p.device.DemonstrationMODE != 0 ? 1000 : 250);
    QObject::connect(&timer, &QTimer::timeout, &d, [&] {
        if (const auto fields = source.poll()) {
            m.setValues(*fields);
            refresh();
        }
    });
    refresh();
    timer.start();
    d.exec();
    timer.stop();
    m.finish();
    return ending;
}

}  // namespace

bool runStreamChannelsWindow(QWidget* parent, Program& p, SerialPort* port) {
    FieldSource source(port);
    while (runOnce(parent, p, source) == Ending::Reload) {
    }
    return true;
}

}  // namespace trindel::gui
