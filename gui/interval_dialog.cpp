#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

namespace {

// The chart dialog's interval buttons in the order they are shown.
const std::pair<int, const char*> kIntervalButtons[] = {
    {68, "1/500 second"}, {67, "1/250 second"}, {1, "1/125 second"}, {2, "1/60 second"},
    {3, "1/30 second"},   {4, "1/20 second"},   {5, "1/15 second"},  {6, " 1/10 second"},
    {7, " 1/4 second"},   {8, " 1/2 second"},   {9, "  1 second"},   {10, "  2 seconds"},
    {11, "  5 seconds"},  {12, " 10 seconds"},  {15, " 20 seconds"}, {31, " 30 seconds"},
};

const std::pair<SamplesButton, const char*> kSampleButtons[] = {
    {SamplesButton::Min, "|<<"},
    {SamplesButton::DownWidth, "<<"},
    {SamplesButton::DownHalf, "<"},
    {SamplesButton::Minus50, "-50"},
    {SamplesButton::Minus10, "-10"},
    {SamplesButton::Minus1, "-1"},
    {SamplesButton::Plus1, " + 1"},
    {SamplesButton::Plus10, " + 10"},
    {SamplesButton::Plus50, " + 50"},
    {SamplesButton::UpHalf, ">"},
    {SamplesButton::UpWidth, ">>"},
    {SamplesButton::Max, ">>|"},
    {SamplesButton::Times2, "X2"},
    {SamplesButton::Times10, "X10"},
    {SamplesButton::Half,
     "\xC3\xB7"
     "2"},
    {SamplesButton::Tenth,
     "\xC3\xB7"
     "10"},
};

// The scope dialog's fast choices (the burst path), shown in scope mode for every device but the
// UI2.
const std::pair<int, const char*> kFastButtons[] = {
    {1, ".008 second (1/125)"},
    {20, ".004 second  (1/250)"},
    {21, ".002 second  (1/500)"},
    {22, ".001 second  (1/1000)"},
    {23, ".0005 sec   (500 \xC2\xB5sec)"},
    {24, ".0002 sec   (200 \xC2\xB5sec)"},
};

const std::pair<SweepButton, const char*> kSweepButtons[] = {{SweepButton::Min, "min"},
                                                             {SweepButton::Down, "<<"},
                                                             {SweepButton::Up, ">>"},
                                                             {SweepButton::Max, "max"}};

const char* const kDurations[] = {"5 sec",  "10 sec", "30 sec", "1 min", "5 min", "10 min",
                                  "20 min", "30 min", "1 hr",   "6 hr",  "12 hr", "24 hr"};

}  // namespace

bool runIntervalDialog(QWidget* parent, Program& p, IntervalDialog& model) {
    QDialog d(parent);
    const bool scope = model.scopeDialog();
    d.setWindowTitle(scope ? "Scope Sample Rate" : "Sample Rate");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QString::fromStdString(model.windowTitle())));

    auto* rates = new QGroupBox("Sample interval");
    auto* rateGrid = new QGridLayout(rates);
    auto* rateGroup = new QButtonGroup(&d);
    int i = 0;
    for (const auto& [number, label] : kIntervalButtons) {
        // In the scope dialog button 1 is one of the fast choices, shown below.
        if (!model.buttonOffered(number) || (scope && number == 1 && model.buttonOffered(20))) {
            continue;
        }
        auto* r = new QRadioButton(QString::fromUtf8(label).trimmed());
        rateGroup->addButton(r, number);
        rateGrid->addWidget(r, i % 8, i / 8);
        r->setChecked(number == model.button());
        ++i;
    }
    auto* other = new QRadioButton("Use Other Interval");
    rateGroup->addButton(other, 13);
    other->setChecked(model.button() == 13);
    rateGrid->addWidget(other, 8, 0);
    auto* typed = new QLineEdit(QString::number(model.interval()));
    rateGrid->addWidget(new QLabel("interval in seconds:"), 8, 1);
    rateGrid->addWidget(typed, 8, 2);
    layout->addWidget(rates);

    if (scope) {
        auto* fast = new QGroupBox("Continuous / Intermittent sampling");
        auto* fastGrid = new QGridLayout(fast);
        int k = 0;
        for (const auto& [number, label] : kFastButtons) {
            if (!model.buttonOffered(number)) {
                continue;
            }
            auto* r = new QRadioButton(QString::fromUtf8(label));
            rateGroup->addButton(r, number);
            fastGrid->addWidget(r, k % 3, k / 3);
            r->setChecked(number == model.button());
            ++k;
        }
        if (k > 0) {
            layout->addWidget(fast);
        } else {
            delete fast;
        }
        if (p.session.RecordingMODE == 3) {
            layout->addWidget(
                new QLabel(QString("High-speed sampling is not usable in 'Scope plus Chart' mode") +
                           (p.device.External_AD == 4 ? " with a DT800" : "")));
        } else if (p.device.DemonstrationMODE != 0 || p.device.External_AD == 0) {
            auto* simulate = new QCheckBox("Simulate  DT800 Download Time");
            simulate->setChecked(p.prefs[kPrefSimulateDownload] != 0);
            QObject::connect(simulate, &QCheckBox::toggled, &d,
                             [&p](bool on) { p.prefs[kPrefSimulateDownload] = on ? 1 : 0; });
            layout->addWidget(simulate);
        } else if (p.device.External_AD != 1) {
            layout->addWidget(
                new QLabel("Fastest continuous\nsample rate with the\nDT800 is about 1/50 second"));
        }
    }

    auto* sweep = new QGroupBox("Samples in oscilloscope trace:");
    auto* sweepGrid = new QGridLayout(sweep);
    auto* sweepCount = new QLabel;
    sweepCount->setObjectName("sweepSamples");
    sweepGrid->addWidget(sweepCount, 0, 0, 1, 4);
    std::vector<std::pair<SweepButton, QPushButton*>> sweepSteps;
    for (const auto& [which, label] : kSweepButtons) {
        auto* b = new QPushButton(label);
        b->setAutoDefault(false);
        sweepGrid->addWidget(b, 1, static_cast<int>(sweepSteps.size()));
        sweepSteps.emplace_back(which, b);
    }
    layout->addWidget(sweep);
    sweep->setVisible(scope);

    auto* samples = new QGroupBox("Total samples:");
    auto* sampleGrid = new QGridLayout(samples);
    auto* count = new QLineEdit;
    count->setObjectName("totalSamples");
    count->setValidator(new QIntValidator(0, 2000000000, count));
    sampleGrid->addWidget(count, 0, 0, 1, 4);
    std::vector<std::pair<SamplesButton, QPushButton*>> steps;
    i = 0;
    for (const auto& [which, label] : kSampleButtons) {
        auto* b = new QPushButton(QString::fromUtf8(label).trimmed());
        b->setAutoDefault(false);
        sampleGrid->addWidget(b, 1 + i / 8, i % 8);
        steps.emplace_back(which, b);
        ++i;
    }
    layout->addWidget(samples);
    samples->setVisible(!scope);

    auto* durations = new QGroupBox("Record for:");
    auto* durationGrid = new QGridLayout(durations);
    std::vector<QPushButton*> durationButtons;
    for (int k = 0; k < 12; ++k) {
        auto* button = new QPushButton(kDurations[k]);
        button->setAutoDefault(false);
        durationGrid->addWidget(button, k / 6, k % 6);
        durationButtons.push_back(button);
    }
    layout->addWidget(durations);
    durations->setVisible(!scope);
    auto* preview = new QLabel;
    layout->addWidget(preview);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);

    const auto refresh = [&] {
        sweepCount->setText(QString::number(model.scopeMax()));
        for (auto& [which, b] : sweepSteps) {
            b->setEnabled(model.sweepEnabled(which));
        }
        count->setText(QString::number(model.maxSamples()));
        for (auto& [which, b] : steps) {
            b->setEnabled(model.samplesEnabled(which));
        }
        const auto offered = model.durationsOffered();
        for (size_t k = 0; k < durationButtons.size(); ++k) {
            durationButtons[k]->setEnabled(offered[k]);
        }
        QString lines;
        for (const std::string& line : model.PRINTTRACE()) {
            lines += fromMacRoman(line) + "\n";
        }
        preview->setText(lines.trimmed());
        if (model.button() != 13) {
            typed->setText(QString::number(model.interval()));
        }
    };
    QObject::connect(rateGroup, &QButtonGroup::idClicked, &d, [&](int id) {
        if (id == 13) {
            model.typeInterval(typed->text().toStdString());
        } else {
            model.pressIntervalButton(id);
        }
        refresh();
    });
    QObject::connect(typed, &QLineEdit::editingFinished, &d, [&] {
        other->setChecked(true);
        model.typeInterval(typed->text().toStdString());
        refresh();
    });
    // A typed count counts when the field is left or Return is pressed in it.
    QObject::connect(count, &QLineEdit::editingFinished, &d, [&] {
        model.typeSamples(count->text().toStdString());
        refresh();
    });
    for (auto& [which, b] : steps) {
        const SamplesButton w = which;
        QObject::connect(b, &QPushButton::clicked, &d, [&, w] {
            model.pressSamples(w);
            refresh();
        });
    }
    for (size_t k = 0; k < durationButtons.size(); ++k) {
        const int index = static_cast<int>(k);
        QObject::connect(durationButtons[k], &QPushButton::clicked, &d, [&, index] {
            model.pressDuration(index);
            refresh();
        });
    }
    for (auto& [which, b] : sweepSteps) {
        const SweepButton w = which;
        QObject::connect(b, &QPushButton::clicked, &d, [&, w] {
            model.pressSweep(w);
            refresh();
        });
    }
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    // Closing the window counts as "Selection OK".
    d.exec();
    return true;
}

}  // namespace trindel::gui
