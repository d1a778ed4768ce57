// The breakpoint window of a channel, bound to BreakpointWindow.
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "signal/breakpoint_window.h"
#include "signal/conversion_defaults.h"
#include "text/field_text.h"
#include "windows.h"

namespace trindel::gui {

namespace {

const char* typeName(int type) {
    for (const BreakpointButton& b : kBreakpointButtons) {
        if (b.type == type) {
            return b.title;
        }
    }
    return "none";
}

QString partText(const BreakpointRecord& r, int on, int typeAt, const char* name) {
    const auto at = static_cast<size_t>(typeAt);
    if (r[static_cast<size_t>(on)] == 0.0f) {
        return QString("%1: off").arg(name);
    }
    return QString("%1: %2   a %3   b %4   c %5")
        .arg(name, typeName(static_cast<int>(r[at])))
        .arg(QString::fromStdString(fieldText(r[at + 1])))
        .arg(QString::fromStdString(fieldText(r[at + 2])))
        .arg(QString::fromStdString(fieldText(r[at + 3])));
}

}  // namespace

bool runBreakpointWindow(QWidget* parent, Program& p, int channel) {
    BreakpointWindow w(p, channel);
    QDialog d(parent);
    d.setObjectName("breakpointWindow");
    d.setWindowTitle(QString("Breakpoint Conversion, channel %1").arg(channel));
    auto* layout = new QVBoxLayout(&d);
    auto* bpField = new QLineEdit(QString::fromStdString(w.breakpointField()));
    auto* top = new QFormLayout;
    top->addRow("Breakpoint (volts):", bpField);
    layout->addLayout(top);

    // The shown equation: a type button and its a, b, c.
    auto* eq = new QHBoxLayout;
    auto* types = new QButtonGroup(&d);
    int shownType = kConvLinear;
    for (const BreakpointButton& b : kBreakpointButtons) {
        auto* button = new QPushButton(b.title);
        button->setCheckable(true);
        button->setAutoDefault(false);
        types->addButton(button, b.type);
        eq->addWidget(button);
    }
    types->button(kConvLinear)->setChecked(true);
    layout->addLayout(eq);
    auto* coeffs = new QFormLayout;
    auto* fa = new QLineEdit("0");
    auto* fb = new QLineEdit("1");
    auto* fc = new QLineEdit("1");
    coeffs->addRow("value of 'a':", fa);
    coeffs->addRow("value of 'b':", fb);
    coeffs->addRow("value of 'c':", fc);
    layout->addLayout(coeffs);
    QObject::connect(types, &QButtonGroup::idClicked, &d, [&](int type) {
        shownType = type;
        for (const BreakpointButton& b : kBreakpointButtons) {
            if (b.type == type) {
                fa->setText(QString::fromStdString(fieldText(b.k.a)));
                fb->setText(QString::fromStdString(fieldText(b.k.b)));
                fc->setText(QString::fromStdString(fieldText(b.k.c)));
            }
        }
    });

    const BreakpointPart parts[] = {BreakpointPart::Initial, BreakpointPart::Lower,
                                    BreakpointPart::Upper};
    const char* useTexts[] = {"Use Initial Conversion", "Convert Data < Breakpoint",
                              "Convert Data \xE2\x89\xA5 Breakpoint"};
    const char* setTexts[] = {"Set Initial Conversion (All Data)", "Set for Volts < Breakpoint",
                              "Set for Volts \xE2\x89\xA5 Breakpoint"};
    auto* grid = new QGridLayout;
    std::vector<QPushButton*> uses, sets;
    for (int i = 0; i < 3; ++i) {
        auto* use = new QPushButton(QString::fromUtf8(useTexts[i]));
        auto* set = new QPushButton(QString::fromUtf8(setTexts[i]));
        use->setCheckable(true);
        use->setAutoDefault(false);
        set->setAutoDefault(false);
        grid->addWidget(use, i, 0);
        grid->addWidget(set, i, 1);
        uses.push_back(use);
        sets.push_back(set);
    }
    // Operators and inputs of the lower (row 1) and upper (row 2) ranges.
    std::vector<QPushButton*> plus, times, volts, initial;
    for (int i = 1; i <= 2; ++i) {
        auto* row = new QHBoxLayout;
        for (auto [list, text] : {std::pair{&plus, " + "}, std::pair{&times, "*"},
                                  std::pair{&volts, "Volts"}, std::pair{&initial, "Initial"}}) {
            auto* b = new QPushButton(text);
            b->setCheckable(true);
            b->setAutoDefault(false);
            list->push_back(b);
            row->addWidget(b);
        }
        grid->addLayout(row, i, 2);
    }
    layout->addLayout(grid);
    auto* show = new QLabel;
    layout->addWidget(show);
    auto* stored = new QGridLayout;
    stored->addWidget(new QLabel("stored conversions"), 0, 0, 1, 6);
    for (int slot = 1; slot <= 6; ++slot) {
        auto* store = new QPushButton(QString("Store As %1").arg(slot));
        auto* get = new QPushButton(QString("Get %1").arg(slot));
        store->setAutoDefault(false);
        get->setAutoDefault(false);
        stored->addWidget(store, 1, slot - 1);
        stored->addWidget(get, 2, slot - 1);
        QObject::connect(store, &QPushButton::clicked, &d, [&w, slot] { w.storeAs(slot); });
        QObject::connect(get, &QPushButton::clicked, &d, [&, slot] { w.get(slot); });
    }
    layout->addLayout(stored);
    auto* done = new QPushButton("Done");
    done->setDefault(true);
    layout->addWidget(done);

    const auto refresh = [&] {
        const BreakpointRecord& r = w.record();
        for (int i = 0; i < 3; ++i) {
            const bool on = w.inForce(parts[i]);
            uses[static_cast<size_t>(i)]->setChecked(on);
            sets[static_cast<size_t>(i)]->setEnabled(on);
        }
        for (int i = 0; i < 2; ++i) {
            const auto mul = static_cast<size_t>(kBpLowerMultiplies + i);
            const auto onV = static_cast<size_t>(kBpLowerOnVolts + i);
            const auto k = static_cast<size_t>(i);
            plus[k]->setChecked(r[mul] == 0.0f);
            times[k]->setChecked(r[mul] != 0.0f);
            volts[k]->setChecked(r[onV] != 0.0f);
            initial[k]->setChecked(r[onV] == 0.0f);
        }
        show->setText(partText(r, kBpInitialOn, kBpInitialType, "initial") + "\n" +
                      partText(r, kBpLowerOn, kBpLowerType, "< breakpoint") + "\n" +
                      partText(r, kBpUpperOn, kBpUpperType, "\xE2\x89\xA5 breakpoint"));
    };
    for (int i = 0; i < 3; ++i) {
        QObject::connect(uses[static_cast<size_t>(i)], &QPushButton::clicked, &d, [&, i] {
            w.toggle(parts[i]);
            refresh();
        });
        QObject::connect(sets[static_cast<size_t>(i)], &QPushButton::clicked, &d, [&, i] {
            const Coefficients k{static_cast<float>(fieldValue(fa->text().toStdString())),
                                 static_cast<float>(fieldValue(fb->text().toStdString())),
                                 static_cast<float>(fieldValue(fc->text().toStdString()))};
            w.setEquation(parts[i], shownType, k);
            refresh();
        });
    }
    for (int i = 0; i < 2; ++i) {
        const BreakpointPart range = i == 0 ? BreakpointPart::Lower : BreakpointPart::Upper;
        const auto k = static_cast<size_t>(i);
        const auto bind = [&](QPushButton* b, auto action) {
            QObject::connect(b, &QPushButton::clicked, &d, [&, action] {
                action();
                refresh();
            });
        };
        bind(plus[k], [&w, range] { w.setMultiplies(range, false); });
        bind(times[k], [&w, range] { w.setMultiplies(range, true); });
        bind(volts[k], [&w, range] { w.setOnVolts(range, true); });
        bind(initial[k], [&w, range] { w.setOnVolts(range, false); });
    }
    bool isDone = false;
    QObject::connect(done, &QPushButton::clicked, &d, [&] {
        isDone = true;
        d.accept();
    });
    refresh();
    d.exec();
    w.setBreakpointField(bpField->text().toStdString());
    if (isDone) {
        w.done();
    } else {
        w.closeBox();
    }
    return isDone;
}

}  // namespace trindel::gui
