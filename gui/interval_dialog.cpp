#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

namespace {

const char* const kSampleButtons[] = {"|<<",
                                      "<<",
                                      "<",
                                      "-50",
                                      "-10",
                                      "-1",
                                      " + 1",
                                      " + 10",
                                      " + 50",
                                      ">",
                                      ">>",
                                      ">>|",
                                      "X2",
                                      "X10",
                                      "\xC3\xB7"
                                      "2",
                                      "\xC3\xB7"
                                      "10"};

}  // namespace

bool runIntervalDialog(QWidget* parent, Program& p, IntervalChoice& choice) {
    QDialog d(parent);
    d.setWindowTitle("Sample Rate");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel(QString::fromStdString(choice.title(p))));

    auto* rates = new QGroupBox("Sample interval");
    auto* rateGrid = new QGridLayout(rates);
    auto* rateGroup = new QButtonGroup(&d);
    int i = 0;
    for (const IntervalButton& b : choice.intervalButtons()) {
        auto* r = new QRadioButton(QString::fromUtf8(b.label).trimmed());
        rateGroup->addButton(r, b.number);
        rateGrid->addWidget(r, i % 8, i / 8);
        r->setChecked(b.number == choice.button());
        ++i;
    }
    auto* other = new QRadioButton("Use Other Interval");
    rateGroup->addButton(other, 13);
    other->setChecked(choice.button() == 13);
    rateGrid->addWidget(other, 8, 0);
    auto* typed = new QLineEdit(QString::number(choice.interval()));
    rateGrid->addWidget(new QLabel("interval in seconds:"), 8, 1);
    rateGrid->addWidget(typed, 8, 2);
    layout->addWidget(rates);

    auto* samples = new QGroupBox("Total samples:");
    auto* sampleGrid = new QGridLayout(samples);
    auto* count = new QLineEdit;
    count->setObjectName("totalSamples");
    sampleGrid->addWidget(count, 0, 0, 1, 4);
    std::vector<std::pair<std::string, QPushButton*>> steps;
    i = 0;
    for (const char* label : kSampleButtons) {
        auto* b = new QPushButton(QString::fromUtf8(label).trimmed());
        b->setAutoDefault(false);
        sampleGrid->addWidget(b, 1 + i / 8, i % 8);
        steps.emplace_back(label, b);
        ++i;
    }
    layout->addWidget(samples);

    auto* durations = new QGroupBox("Record for:");
    auto* durationRow = new QGridLayout(durations);
    std::vector<std::pair<int, QPushButton*>> durationButtons;
    i = 0;
    for (const DurationButton& b : IntervalChoice::durationButtons()) {
        auto* button = new QPushButton(b.label);
        button->setAutoDefault(false);
        durationRow->addWidget(button, i / 6, i % 6);
        durationButtons.emplace_back(b.number, button);
        ++i;
    }
    layout->addWidget(durations);
    auto* duration = new QLabel;
    auto* maximum = new QLabel;
    layout->addWidget(duration);
    layout->addWidget(maximum);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);

    const auto refresh = [&] {
        count->setText(QString::number(choice.maxSamples()));
        for (auto& [label, b] : steps) {
            b->setEnabled(choice.sampleButtonEnabled(label));
        }
        for (auto& [number, b] : durationButtons) {
            b->setEnabled(choice.durationOffered(number));
        }
        duration->setText(QString::fromStdString(choice.durationText()));
        maximum->setText(QString::fromStdString(choice.maximumTimeText()));
        if (choice.button() != 13) {
            typed->setText(QString::number(choice.interval()));
        }
    };
    QObject::connect(rateGroup, &QButtonGroup::idClicked, &d, [&](int id) {
        if (id == 13) {
            choice.typeInterval(typed->text().toStdString());
        } else {
            choice.chooseInterval(id);
        }
        refresh();
    });
    QObject::connect(typed, &QLineEdit::editingFinished, &d, [&] {
        other->setChecked(true);
        choice.typeInterval(typed->text().toStdString());
        refresh();
    });
    QObject::connect(count, &QLineEdit::editingFinished, &d, [&] {
        choice.typeSamples(count->text().toStdString());
        refresh();
    });
    for (auto& [label, b] : steps) {
        const std::string name = label;
        QObject::connect(b, &QPushButton::clicked, &d, [&, name] {
            choice.stepSamples(name);
            refresh();
        });
    }
    for (auto& [number, b] : durationButtons) {
        const int n = number;
        QObject::connect(b, &QPushButton::clicked, &d, [&, n] {
            choice.chooseDuration(n);
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
