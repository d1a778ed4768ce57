// The "Acquisition Parameters" window: a table of the channels, each with its "Conversion…"
// button, the samples in the chart trace and the beep and repeat flags.
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "main_window.h"
#include "module_windows.h"
#include "qt_platform.h"
#include "setup_windows.h"
#include "signal/averaging_window.h"
#include "windows.h"

namespace trindel::gui {

RunWindows::SetupOutcome runAcquisitionWindow(QWidget* parent, Program& p, Platform& io,
                                              AcquisitionParametersModel& m,
                                              const MenuWindowLookup& menuWindow) {
    QDialog d(parent);
    d.setObjectName("acquisitionParameters");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    const auto columns = m.columns();
    const int convColumn = static_cast<int>(columns.size());
    // The ADAM modules and the ADC-1 choose a channel's input in their own window.
    const bool inputWindow = hasModuleInputSelection(p);
    auto* table = new QTableWidget(m.channels(), convColumn + (inputWindow ? 2 : 1));
    table->setObjectName("channelRows");
    QStringList heads;
    for (AcquisitionColumn c : columns) {
        heads << AcquisitionParametersModel::heading(c);
    }
    heads << "conversion";
    if (inputWindow) {
        heads << "input";
    }
    table->setHorizontalHeaderLabels(heads);
    QStringList rows;
    for (int c = 1; c <= m.channels(); ++c) {
        rows << QString("ch. %1").arg(c);
    }
    table->setVerticalHeaderLabels(rows);
    bool filling = false;
    const auto fillRow = [&](int channel) {
        filling = true;
        for (size_t i = 0; i < columns.size(); ++i) {
            const std::string text = m.cell(channel, columns[i]);
            auto* item = new QTableWidgetItem(columns[i] == AcquisitionColumn::Label
                                                  ? fromMacRoman(text)
                                                  : QString::fromStdString(text));
            table->setItem(channel - 1, static_cast<int>(i), item);
        }
        filling = false;
    };
    for (int c = 1; c <= m.channels(); ++c) {
        fillRow(c);
        auto* conv = new QPushButton("Conversion\xE2\x80\xA6");
        conv->setAutoDefault(false);
        table->setCellWidget(c - 1, convColumn, conv);
        QObject::connect(conv, &QPushButton::clicked, &d, [&, c] {
            // The conversion window works on the program; the rows typed so far go in first.
            m.setupOK(p);
            if (runConversionWindow(&d, p, io, c)) {
                m.reloadChannel(p, c);
                fillRow(c);
            }
        });
        if (inputWindow) {
            auto* input = new QPushButton("Input\xE2\x80\xA6");
            input->setObjectName(QString("input%1").arg(c));
            input->setAutoDefault(false);
            table->setCellWidget(c - 1, convColumn + 1, input);
            QObject::connect(input, &QPushButton::clicked, &d, [&, c] {
                m.setupOK(p);
                if (runModuleInputSelection(&d, p, c)) {
                    m.reloadChannel(p, c);
                    fillRow(c);
                }
            });
        }
    }
    QObject::connect(table, &QTableWidget::cellChanged, &d, [&](int row, int column) {
        if (filling || column >= convColumn) {
            return;
        }
        const AcquisitionColumn col = columns[static_cast<size_t>(column)];
        const QString text = table->item(row, column)->text();
        m.setCell(row + 1, col,
                  col == AcquisitionColumn::Label ? toMacRoman(text) : text.toStdString());
        fillRow(row + 1);
    });
    // Double-clicking a channel's "# averaged" opens its averaging window.
    QObject::connect(table, &QTableWidget::cellDoubleClicked, &d, [&](int row, int column) {
        if (column < convColumn &&
            columns[static_cast<size_t>(column)] == AcquisitionColumn::Averaged &&
            averagingWindowAvailable(p)) {
            if (const auto n = runAveragingWindow(&d, p, row + 1)) {
                m.setSamplesToAverage(row + 1, *n);
                fillRow(row + 1);
            }
        }
    });
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setMinimumWidth(760);
    layout->addWidget(table);

    auto* samplesRow = new QHBoxLayout;
    samplesRow->addWidget(new QLabel("Samples in chart trace"));
    auto* samples = new QLineEdit;
    samples->setObjectName("samples");
    samples->setMaximumWidth(100);
    const auto showSamples = [&] { samples->setText(QString::number(m.samples())); };
    samplesRow->addWidget(samples);
    const std::pair<const char*, void (AcquisitionParametersModel::*)()> steps[] = {
        {"|<<", &AcquisitionParametersModel::firstSamples},
        {"<<", &AcquisitionParametersModel::fewerSamples},
        {">>", &AcquisitionParametersModel::moreSamples},
        {">>|", &AcquisitionParametersModel::lastSamples}};
    for (const auto& [text, step] : steps) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        samplesRow->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &d, [&, step] {
            (m.*step)();
            showSamples();
        });
    }
    QObject::connect(samples, &QLineEdit::editingFinished, &d, [&] {
        m.setSamples(samples->text().toStdString());
        showSamples();
    });
    showSamples();
    samplesRow->addStretch();
    layout->addLayout(samplesRow);
    auto* flags = new QHBoxLayout;
    auto* beep = new QCheckBox("Beep at sample");
    auto* repeat = new QCheckBox(m.repeatText());
    beep->setChecked(m.beep());
    repeat->setChecked(m.repeat());
    flags->addWidget(beep);
    flags->addWidget(repeat);
    flags->addStretch();
    // A logger's own input selection (input kind, thermocouple type, wiring of each channel).
    if (auto* main = qobject_cast<MainWindow*>(parent);
        main != nullptr && main->onDeviceCommand && p.device.DemonstrationMODE == 0 &&
        p.device.External_AD >= 2 && p.device.External_AD <= 4) {
        auto* inputs = new QPushButton("DataTaker Inputs...");
        inputs->setAutoDefault(false);
        flags->addWidget(inputs);
        QObject::connect(inputs, &QPushButton::clicked, &d,
                         [main] { main->onDeviceCommand(MenuCommand::DeviceInputs); });
    }
    layout->addLayout(flags);

    auto* buttons = new QGridLayout;
    auto outcome = RunWindows::SetupOutcome::Skipped;
    const auto keepEdits = [&] {
        m.setSamples(samples->text().toStdString());
        m.setBeep(beep->isChecked());
        m.setRepeat(repeat->isChecked());
    };
    // Each button opens the window of its menu item; one that is not there yet stays disabled.
    // Adding or cutting a channel changes the rows, so the window is built again afterwards.
    const struct {
        const char* text;
        int menu, item;
        bool changesRows;
    } windows[] = {{"Add Channel...", 4, 21, true},        {"Cut Channel...", 4, 20, true},
                   {"Chart View...", 3, 9, false},         {"Scope View...", 3, 10, false},
                   {"Chart Sample Rate...", 2, 16, false}, {"Scope Sample Rate...", 2, 17, false},
                   {"Device Control...", 2, 19, false},    {"Triggering...", 4, 18, false},
                   {"Screen View...", 3, 1, false}};
    int at = 0;
    for (const auto& w : windows) {
        auto* b = new QPushButton(w.text);
        b->setAutoDefault(false);
        const std::function<void()> open = menuWindow ? menuWindow(w.menu, w.item) : nullptr;
        b->setEnabled(static_cast<bool>(open));
        if (open) {
            const bool changesRows = w.changesRows;
            QObject::connect(b, &QPushButton::clicked, &d, [&, open, changesRows] {
                if (!changesRows) {
                    open();
                    return;
                }
                keepEdits();
                m.setupOK(p);
                open();
                outcome = RunWindows::SetupOutcome::Reopen;
                d.accept();
            });
        }
        buttons->addWidget(b, at / 5, at % 5);
        ++at;
    }
    auto* restart = new QPushButton("Restart...");
    restart->setAutoDefault(false);
    auto* ok = new QPushButton("Setup OK");
    ok->setDefault(true);
    buttons->addWidget(restart, 2, 0);
    buttons->addWidget(ok, 2, 4);
    layout->addLayout(buttons);

    QObject::connect(restart, &QPushButton::clicked, &d, [&] {
        outcome = RunWindows::SetupOutcome::Restart;
        d.accept();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        keepEdits();
        outcome = RunWindows::SetupOutcome::SetupOK;
        d.accept();
    });
    d.exec();
    return outcome;
}

}  // namespace trindel::gui
