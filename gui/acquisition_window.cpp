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

#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

RunWindows::SetupOutcome runAcquisitionWindow(QWidget* parent, Program& p,
                                              AcquisitionParametersModel& m) {
    QDialog d(parent);
    d.setObjectName("acquisitionParameters");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    const auto columns = m.columns();
    const int convColumn = static_cast<int>(columns.size());
    auto* table = new QTableWidget(m.channels(), convColumn + 1);
    table->setObjectName("channelRows");
    QStringList heads;
    for (AcquisitionColumn c : columns) {
        heads << AcquisitionParametersModel::heading(c);
    }
    heads << "conversion";
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
            if (runConversionWindow(&d, p, c)) {
                m.reloadChannel(p, c);
                fillRow(c);
            }
        });
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
    layout->addLayout(flags);

    auto* buttons = new QGridLayout;
    // Windows that belong to other parts of the program are shown but not offered yet.
    const char* later[] = {"Add Channel...",    "Cut Channel...",       "Chart View...",
                           "Scope View...",     "Chart Sample Rate...", "Scope Sample Rate...",
                           "Device Control...", "Triggering...",        "Screen View..."};
    int at = 0;
    for (const char* text : later) {
        auto* b = new QPushButton(text);
        b->setEnabled(false);
        b->setAutoDefault(false);
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

    auto outcome = RunWindows::SetupOutcome::Skipped;
    QObject::connect(restart, &QPushButton::clicked, &d, [&] {
        outcome = RunWindows::SetupOutcome::Restart;
        d.accept();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        m.setSamples(samples->text().toStdString());
        m.setBeep(beep->isChecked());
        m.setRepeat(repeat->isChecked());
        outcome = RunWindows::SetupOutcome::SetupOK;
        d.accept();
    });
    d.exec();
    return outcome;
}

}  // namespace trindel::gui
