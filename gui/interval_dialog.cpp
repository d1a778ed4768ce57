#include <QButtonGroup>
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

const char* const kDurations[] = {"5 sec",  "10 sec", "30 sec", "1 min", "5 min", "10 min",
                                  "20 min", "30 min", "1 hr",   "6 hr",  "12 hr", "24 hr"};

}  // namespace

bool runIntervalDialog(QWidget* parent, Program& p, IntervalDialog& model) {
    QDialog d(parent);
    d.setWindowTitle("Sample Rate");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QString::fromStdString(model.windowTitle())));

    auto* rates = new QGroupBox("Sample interval");
    auto* rateGrid = new QGridLayout(rates);
    auto* rateGroup = new QButtonGroup(&d);
    int i = 0;
    for (const auto& [number, label] : kIntervalButtons) {
        if (!model.buttonOffered(number)) {
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
    auto* preview = new QLabel;
    layout->addWidget(preview);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);

    const auto refresh = [&] {
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
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    // Closing the window counts as "Selection OK".
    d.exec();
    (void)p;
    return true;
}

}  // namespace trindel::gui
