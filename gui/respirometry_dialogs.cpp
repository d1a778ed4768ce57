// "Flow Rate Estimates for Open-circuit Respirometry", "Closed System Respirometry", "Dissolved
// Oxygen Content of Water" and "Q10 Adjustment": widgets bound to the models in src/calculators/.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "calculator_windows.h"
#include "calculators/allometry_window.h"
#include "calculators/closed_system_windows.h"

namespace trindel::gui {

namespace {

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    l->setFont(f);
    return l;
}

QLabel* boldLabel(QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void fillTaxonBox(QComboBox* box, int menu) {
    box->clear();
    for (const TaxonItem& item : taxonMenu(menu)) {
        if (item.kind == TaxonItemKind::Separator) {
            box->insertSeparator(box->count());
        } else {
            box->addItem(utf8(item.text));
        }
    }
}

}  // namespace

void runFlowRateWindow(QWidget* parent, Program& p, Sounds& sounds) {
    FlowRateWindow m;
    QDialog d(parent);
    d.setWindowTitle("Flow Rate Estimates for Open-circuit Respirometry");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading("Flow Rate Estimates for Open-circuit Respirometry"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Taxon"));
    auto* taxon = new QComboBox;
    fillTaxonBox(taxon, kTaxonMenu);
    taxon->setCurrentIndex(m.taxonItem() - 1);
    top->addWidget(taxon);
    top->addWidget(new QLabel("Activity"));
    auto* activity = new QComboBox;
    for (const std::string& a : activityItems()) {
        activity->addItem(utf8(a));
    }
    top->addWidget(activity);
    top->addStretch();
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLabel("coefficient ('a' value) *    mass (grams)"), 0, 0, 1, 2);
    grid->addWidget(f.edit(m.coefficient), 1, 0);
    grid->addWidget(f.edit(m.mass), 1, 1);
    grid->addWidget(new QLabel("exponent"), 0, 2);
    grid->addWidget(f.edit(m.exponent), 1, 2);
    grid->addWidget(new QLabel("base T"), 0, 3);
    grid->addWidget(f.edit(m.baseT), 1, 3);
    grid->addWidget(new QLabel("real T"), 0, 4);
    grid->addWidget(f.edit(m.realT), 1, 4);
    grid->addWidget(new QLabel("Q10"), 0, 5);
    grid->addWidget(f.edit(m.q10), 1, 5);

    auto* mrRow = new QHBoxLayout;
    mrRow->addWidget(new QLabel("MR = "));
    mrRow->addWidget(boldLabel(f.label(m.metabolicRateText)));
    mrRow->addWidget(new QLabel("ml oxygen/min"));
    mrRow->addStretch();
    layout->addLayout(mrRow);

    auto* waterRow = new QHBoxLayout;
    auto* waterLabel = new QLabel("water conditions:");
    auto* water = new QButtonGroup(&d);
    waterRow->addWidget(waterLabel);
    const std::pair<const char*, WaterKind> waters[] = {
        {"Fresh", WaterKind::Fresh}, {"Brackish", WaterKind::Brackish}, {"Salt", WaterKind::Salt}};
    std::vector<QRadioButton*> waterButtons;
    for (const auto& [name, kind] : waters) {
        auto* b = new QRadioButton(name);
        water->addButton(b, static_cast<int>(kind));
        waterButtons.push_back(b);
        waterRow->addWidget(b);
    }
    waterRow->addStretch();
    layout->addLayout(waterRow);

    auto* changeRow = new QHBoxLayout;
    changeRow->addWidget(new QLabel("maximum change in oxygen"));
    auto* changeLabel = new QLabel;
    changeRow->addWidget(changeLabel);
    changeRow->addWidget(f.edit(m.change, 60));
    changeRow->addWidget(new QLabel("%"));
    changeRow->addStretch();
    layout->addLayout(changeRow);

    auto* flowRow = new QHBoxLayout;
    flowRow->addWidget(new QLabel("Minimum flow rate is"));
    flowRow->addWidget(boldLabel(f.label(m.minimumFlowText)));
    auto* flowUnits = new QButtonGroup(&d);
    auto* ml = new QRadioButton("ml/min");
    ml->setChecked(true);
    auto* litres = new QRadioButton("L/min");
    flowUnits->addButton(ml);
    flowUnits->addButton(litres);
    flowRow->addWidget(ml);
    flowRow->addWidget(litres);
    flowRow->addStretch();
    layout->addLayout(flowRow);
    auto* reason = reasonLabel();
    layout->addWidget(reason);

    auto* calculate = new QPushButton("Calculate");
    calculate->setDefault(true);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(calculate);
    row->addStretch();
    row->addWidget(helpButton(&d, "Metabolic Allometry", FlowRateWindow::helpText()));
    row->addWidget(done);
    layout->addLayout(row);

    int shownMenu = kTaxonMenu;
    const auto show = [&] {
        f.push();
        if (m.taxonMenu() != shownMenu) {
            const QSignalBlocker block(taxon);
            fillTaxonBox(taxon, m.taxonMenu());
            shownMenu = m.taxonMenu();
        }
        {
            const QSignalBlocker block(taxon);
            // Combo rows count separators as items, as the pop-up's item numbers do.
            taxon->setCurrentIndex(m.taxonItem() - 1);
        }
        waterLabel->setVisible(m.aquatic());
        for (size_t i = 0; i < waterButtons.size(); ++i) {
            waterButtons[i]->setVisible(m.aquatic());
            waterButtons[i]->setChecked(static_cast<int>(waters[i].second) ==
                                        static_cast<int>(m.water()));
        }
        changeLabel->setText(utf8(m.changeLabel()));
        showReason(reason, m.reason);
    };
    QObject::connect(taxon, &QComboBox::activated, &d, [&](int index) {
        f.pull();
        m.chooseTaxon(index + 1);
        show();
    });
    QObject::connect(activity, &QComboBox::activated, &d, [&](int index) {
        f.pull();
        m.chooseActivity(index + 1);
        show();
    });
    QObject::connect(water, &QButtonGroup::idClicked, &d, [&](int id) {
        f.pull();
        m.chooseWater(static_cast<WaterKind>(id));
        show();
    });
    QObject::connect(flowUnits, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setLitres(litres->isChecked());
        show();
    });
    QObject::connect(calculate, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.calculate();
        show();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
    if (soundsOn(p.menus)) {
        sounds.play("piiing");
    }
}

void runClosedSystemWindow(QWidget* parent) {
    ClosedSystemWindow m;
    QDialog d(parent);
    d.setWindowTitle("Closed System Respirometry");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading("Closed System Respirometry"));
    layout->addWidget(new QLabel("Assumes chamber gas is dried before measurement"));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int r = 0;
    const auto field = [&](const QString& label, std::string& value, int col = 0) {
        grid->addWidget(new QLabel(label), r, col * 2, Qt::AlignRight);
        grid->addWidget(f.edit(value), r, col * 2 + 1);
    };
    field("system volume (ml):", m.volume);
    field(QString::fromUtf8("temperature (\xC2\xB0"
                            "C):"),
          m.temperature, 1);
    ++r;
    field("pressure (torr):", m.pressure);
    field("initial humidity (%):", m.humidity, 1);
    ++r;
    field("elapsed time     hours:", m.hours);
    field("minutes:", m.minutes, 1);
    ++r;
    field("Initial concentrations    FiO2: ", m.initialO2);
    field("FiCO2: ", m.initialCO2, 1);
    ++r;
    field("change in O2 concentration (%): ", m.deltaO2);
    ++r;
    field("change in CO2 concentration (%): ", m.deltaCO2);
    field("RQ:", m.rq, 1);
    ++r;

    auto* absorbed = new QCheckBox("For VO2, CO2 is Absorbed");
    absorbed->setChecked(true);
    auto* choice = new QButtonGroup(&d);
    auto* useCo2 = new QRadioButton("Use [CO2]");
    auto* useRq = new QRadioButton("Use RQ");
    choice->addButton(useCo2);
    choice->addButton(useRq);
    useCo2->setChecked(true);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(absorbed);
    choiceRow->addWidget(useCo2);
    choiceRow->addWidget(useRq);
    choiceRow->addStretch();
    layout->addLayout(choiceRow);

    const auto resultRow = [&](const QString& name, ResultField& volume, ResultField& rate) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(name + " = "));
        auto* v = boldLabel(new QLabel);
        auto* t = boldLabel(new QLabel);
        row->addWidget(v);
        row->addWidget(new QLabel(" ml, or "));
        row->addWidget(t);
        row->addWidget(new QLabel(" ml/min"));
        row->addStretch();
        layout->addLayout(row);
        return std::function<void()>([v, t, &volume, &rate] {
            v->setText(utf8(volume.text));
            t->setText(utf8(rate.text));
        });
    };
    const auto showVo2 = resultRow("VO<sub>2</sub>", m.vo2, m.vo2Rate);
    const auto showVco2 = resultRow("VCO<sub>2</sub>", m.vco2, m.vco2Rate);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* calculate = new QPushButton("Calculate");
    calculate->setDefault(true);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(calculate);
    row->addStretch();
    row->addWidget(helpButton(&d, "Closed System Respirometry", ClosedSystemWindow::helpText()));
    row->addWidget(done);
    layout->addLayout(row);

    const auto show = [&] {
        f.push();
        const Co2Choices c = m.choices();
        absorbed->setEnabled(c.absorbedEnabled);
        useCo2->setEnabled(c.useCo2Enabled);
        (m.useRq ? useRq : useCo2)->setChecked(true);
        showVo2();
        showVco2();
        std::string why;
        for (const ResultField* r2 : {&m.vo2, &m.vo2Rate, &m.vco2, &m.vco2Rate}) {
            if (why.empty()) {
                why = r2->reason;
            }
        }
        showReason(reason, why);
    };
    const auto pullChoices = [&] {
        f.pull();
        m.co2Absorbed = absorbed->isChecked();
        m.useRq = useRq->isChecked();
    };
    QObject::connect(calculate, &QPushButton::clicked, &d, [&] {
        pullChoices();
        m.calculate();
        show();
    });
    QObject::connect(choice, &QButtonGroup::buttonClicked, &d, [&] {
        pullChoices();
        show();
    });
    QObject::connect(absorbed, &QCheckBox::toggled, &d, [&] {
        pullChoices();
        show();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
}

void runDissolvedOxygenWindow(QWidget* parent, Program& p) {
    DissolvedOxygenWindow m(p);
    QDialog d(parent);
    d.setWindowTitle("Dissolved Oxygen Content of Water");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading("Dissolved Oxygen Content of Water"));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const std::pair<QString, std::string*> fields[] = {
        {QString::fromUtf8("temp. (\xC2\xB0"
                           "C):"),
         &m.temperature},
        {"volume (ml):", &m.volume},
        {"B.P. (torr):", &m.barometric},
        {"gas phase %O<sub>2</sub>:", &m.oxygen},
        {"dissolved solutes (parts/thousand):", &m.solutes},
        {"% oxygen saturation:", &m.saturation},
    };
    int r = 0;
    for (const auto& [label, value] : fields) {
        grid->addWidget(new QLabel(label), r, 0, Qt::AlignRight);
        grid->addWidget(f.edit(*value), r++, 1);
    }
    auto* perLitre = boldLabel(new QLabel);
    auto* content = boldLabel(new QLabel);
    grid->addWidget(perLitre, r, 0, Qt::AlignRight);
    grid->addWidget(new QLabel("ml/L (STP)"), r++, 1);
    grid->addWidget(content, r, 0, Qt::AlignRight);
    grid->addWidget(new QLabel("ml (STP)"), r++, 1);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* o2 = new QPushButton("O2 Content");
    o2->setDefault(true);
    auto* net = new QPushButton("Net O2 Only");
    net->setAutoDefault(false);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(o2);
    row->addWidget(net);
    row->addStretch();
    row->addWidget(helpButton(&d, "Dissolved Oxygen", DissolvedOxygenWindow::helpText()));
    row->addWidget(done);
    layout->addLayout(row);
    const auto show = [&] {
        perLitre->setText(utf8(m.perLitre.text));
        content->setText(utf8(m.content.text));
        showReason(reason, m.perLitre.reason.empty() ? m.content.reason : m.perLitre.reason);
    };
    const auto compute = [&] {
        f.pull();
        m.compute();
        show();
    };
    QObject::connect(o2, &QPushButton::clicked, &d, compute);
    QObject::connect(net, &QPushButton::clicked, &d, compute);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
}

void runQ10Window(QWidget* parent, Program& p, Sounds& sounds) {
    Q10Window m;
    QDialog d(parent);
    d.setWindowTitle("Q10 Adjustment");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(heading("Q10 Adjustment"));
    auto* text = new QLabel(QString::fromUtf8(
        "Adjusts rate functions for effects of temperature using the Q10 rule, or calculates Q10 "
        "from a rate change.    Q10 is the factorial rate change over a temperature difference "
        "(\xE2\x88\x86t) of 10 \xC2\xB0"
        "C;  the \xE2\x88\x86t can be positive or negative."));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* q10 = f.edit(m.q10);
    auto* baseT = f.edit(m.baseT);
    grid->addWidget(new QLabel("Q<sub>10</sub>: "), 0, 0, Qt::AlignRight);
    grid->addWidget(q10, 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("     base temp  \xC2\xB0"
                                                 "C :")),
                    1, 0, Qt::AlignRight);
    grid->addWidget(baseT, 1, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("adjusted temp  \xC2\xB0"
                                                 "C :")),
                    2, 0, Qt::AlignRight);
    grid->addWidget(f.edit(m.adjustedT), 2, 1);
    grid->addWidget(new QLabel("   base value:"), 1, 2, Qt::AlignRight);
    grid->addWidget(f.edit(m.baseValue), 1, 3);
    grid->addWidget(new QLabel("adjusted value:"), 2, 2, Qt::AlignRight);
    grid->addWidget(f.edit(m.adjustedValue, 100), 2, 3);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* adjusted = new QPushButton("Compute Adjusted Value");
    adjusted->setDefault(true);
    auto* computeQ10 = new QPushButton("Compute Q10");
    computeQ10->setAutoDefault(false);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(adjusted);
    row->addWidget(computeQ10);
    row->addStretch();
    row->addWidget(helpButton(&d, "Q10 Adjustment", Q10Window::helpText()));
    row->addWidget(done);
    layout->addLayout(row);
    QObject::connect(adjusted, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computeAdjusted(sounds, p);
        f.push();
        showReason(reason, m.reason);
    });
    QObject::connect(computeQ10, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computeQ10(sounds, p);
        f.push();
        showReason(reason, m.reason);
    });
    // Tab goes from the Q10 field to the base temperature and back; a line edit reached by Tab
    // has its text selected.
    QWidget::setTabOrder(q10, baseT);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

}  // namespace trindel::gui
