// The "Data Spike Filter" window, bound to SpikeFilterWindow.
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "signal/spike_filter_window.h"
#include "windows.h"

namespace trindel::gui {

void runSpikeFilterWindow(QWidget* parent, Program& p, Sounds& sounds) {
    SpikeFilterWindow w(p.conversion, p.prefs, p.session.nChan);
    QDialog d(parent);
    d.setObjectName("spikeFilter");
    d.setWindowTitle(kSpikeFilterTitle);
    auto* layout = new QVBoxLayout(&d);
    auto* grid = new QGridLayout;
    std::vector<QCheckBox*> boxes;
    std::vector<QLineEdit*> fields;
    for (int c = 1; c <= w.channels(); ++c) {
        auto* box =
            new QCheckBox(QString("ch. %1  ").arg(c) + fromMacRoman(p.channels.label(c)).trimmed());
        auto* field = new QLineEdit;
        field->setMaximumWidth(80);
        grid->addWidget(box, c - 1, 0);
        grid->addWidget(field, c - 1, 1);
        boxes.push_back(box);
        fields.push_back(field);
    }
    layout->addWidget(
        new QLabel("Reject a reading that differs from the last one by more than "
                   "this ratio:"));
    layout->addLayout(grid);
    const auto play = [&](const char* cue) {
        if (soundsOn(p.menus)) {
            sounds.play(cue);
        }
    };
    const auto refresh = [&] {
        for (int c = 1; c <= w.channels(); ++c) {
            const auto i = static_cast<size_t>(c - 1);
            boxes[i]->setChecked(w.checked(c));
            fields[i]->setText(QString::fromStdString(w.field(c)));
        }
    };
    for (int c = 1; c <= w.channels(); ++c) {
        const auto i = static_cast<size_t>(c - 1);
        QObject::connect(boxes[i], &QCheckBox::clicked, &d, [&, c] {
            play(w.clickChannel(c));
            refresh();
        });
        QObject::connect(fields[i], &QLineEdit::textEdited, &d,
                         [&w, c](const QString& t) { w.setField(c, t.toStdString()); });
    }
    auto* presets = new QHBoxLayout;
    presets->addWidget(new QLabel("set filters to:"));
    for (float ratio : kSpikeFilterPresets) {
        auto* b = new QPushButton(QString::number(static_cast<double>(ratio)));
        b->setAutoDefault(false);
        presets->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &d, [&, ratio] {
            play(w.setAllFilters(ratio));
            refresh();
        });
    }
    layout->addLayout(presets);
    auto* off = new QPushButton("all filters off");
    off->setAutoDefault(false);
    QObject::connect(off, &QPushButton::clicked, &d, [&] {
        play(w.allFiltersOff());
        refresh();
    });
    layout->addWidget(off);
    auto* twice = new QCheckBox(kDoubleFiltrationText);
    twice->setChecked(w.doubleFiltration());
    QObject::connect(twice, &QCheckBox::clicked, &d, [&] { w.toggleDoubleFiltration(); });
    layout->addWidget(twice);
    auto* done = new QPushButton("Done");
    done->setDefault(true);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addWidget(done);
    refresh();
    d.exec();
    // "Done" and the close box both store.
    w.done(p.conversion, p.prefs);
}

}  // namespace trindel::gui
