// "Flow System STP Converter", "Altitude and Pressure", "Altitude Simulation Calculator" and
// "Oxygen Partial Pressure": widgets bound to the models in src/calculators/.
#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "calculator_windows.h"
#include "calculators/gas_exchange_windows.h"

namespace trindel::gui {

namespace {

QLabel* bold(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    l->setFont(f);
    return l;
}

QRadioButton* radio(const QString& text, QButtonGroup* group, bool checked) {
    auto* b = new QRadioButton(text);
    b->setChecked(checked);
    group->addButton(b);
    return b;
}

}  // namespace

void runStpWindow(QWidget* parent, Program& p) {
    StpWindow m(p);
    QDialog d(parent);
    d.setWindowTitle("Flow System STP Converter");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(bold("Flow System STP Converter"));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    auto* mode = new QButtonGroup(&d);
    auto* indicated = radio("Indicated Flowrate, ml/min:", mode, true);
    auto* cumulative = radio(" Cumulative Volume,  in ml:", mode, false);
    grid->addWidget(indicated, 0, 0);
    grid->addWidget(f.edit(m.flow, 80, "flow"), 0, 1);
    grid->addWidget(cumulative, 1, 0);
    auto* volume = f.edit(m.volume);
    grid->addWidget(volume, 1, 1);
    auto* secondsLabel = new QLabel("Elapsed Time in Seconds:");
    grid->addWidget(secondsLabel, 1, 2);
    auto* seconds = f.edit(m.seconds);
    grid->addWidget(seconds, 1, 3);

    grid->addWidget(new QLabel("B.P."), 2, 0, Qt::AlignRight);
    grid->addWidget(f.edit(m.barometric), 2, 1);
    auto* internalLabel = new QLabel("torr,  meter internal pressure:");
    grid->addWidget(internalLabel, 2, 2);
    grid->addWidget(f.edit(m.internalPressure), 2, 3);
    auto* units = new QButtonGroup(&d);
    auto* unitRow = new QHBoxLayout;
    const char* unitNames[] = {"torr", "PSI", "KPa", "mm H2O"};
    for (int i = 0; i < 4; ++i) {
        auto* b = radio(unitNames[i], units, i == 0);
        units->setId(b, i);
        unitRow->addWidget(b);
    }
    grid->addLayout(unitRow, 3, 2, 1, 2);

    grid->addWidget(new QLabel("Meter temp."), 4, 0, Qt::AlignRight);
    grid->addWidget(f.edit(m.meterTemperature, 80, "meterTemperature"), 4, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(" \xC2\xB0"
                                                 "C;  calibrated for")),
                    4, 2);
    auto* calRow = new QHBoxLayout;
    calRow->addWidget(f.edit(m.calibrationTemperature));
    calRow->addWidget(
        new QLabel(QString::fromUtf8("\xC2\xB0"
                                     "C")));
    grid->addLayout(calRow, 4, 3);

    auto* output = new QButtonGroup(&d);
    auto* sccm = radio("SCCM", output, true);
    auto* slpm = radio("SLPM", output, false);
    auto* outRow = new QHBoxLayout;
    outRow->addWidget(sccm);
    outRow->addWidget(slpm);
    outRow->addStretch();
    layout->addLayout(outRow);

    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(new QLabel("STP flow:"));
    auto* result = new QLabel;
    result->setObjectName("result");
    QFont rf = result->font();
    rf.setBold(true);
    result->setFont(rf);
    result->setMinimumWidth(140);
    resultRow->addWidget(result);
    resultRow->addStretch();
    layout->addLayout(resultRow);
    auto* reason = reasonLabel();
    layout->addWidget(reason);

    auto* buttons = new QHBoxLayout;
    auto* compute = new QPushButton("Compute");
    compute->setDefault(true);
    auto* add = new QPushButton(QString::fromUtf8("Add to \xE2\x88\x91"));
    auto* average = new QPushButton("show Average");
    auto* store = new QPushButton("Store");
    auto* done = new QPushButton("Done");
    for (QPushButton* b : {compute, add, average, store}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(helpButton(&d, "STP Adjustment", StpWindow::helpText()));
    buttons->addWidget(done);
    done->setAutoDefault(false);
    layout->addLayout(buttons);

    const auto show = [&] {
        f.push();
        result->setText(utf8(m.result().text));
        showReason(reason, m.result().reason);
        const bool vol = m.cumulativeVolume;
        volume->setEnabled(vol);
        seconds->setEnabled(vol);
        secondsLabel->setEnabled(vol);
        internalLabel->setText(vol ? "internal pressure:" : "torr,  meter internal pressure:");
        average->setText(m.averageShown() ? "show Flow" : "show Average");
    };
    const auto recompute = [&] {
        f.pull();
        m.cumulativeVolume = cumulative->isChecked();
        m.unit = static_cast<MeterPressureUnit>(units->checkedId());
        m.slpm = slpm->isChecked();
        m.compute();
        show();
    };
    QObject::connect(compute, &QPushButton::clicked, &d, recompute);
    QObject::connect(mode, &QButtonGroup::buttonClicked, &d, recompute);
    QObject::connect(units, &QButtonGroup::buttonClicked, &d, recompute);
    QObject::connect(output, &QButtonGroup::buttonClicked, &d, recompute);
    QObject::connect(add, &QPushButton::clicked, &d, [&] {
        m.addToSum(p);
        show();
    });
    QObject::connect(average, &QPushButton::clicked, &d, [&] {
        m.toggleAverage(p);
        show();
    });
    QObject::connect(store, &QPushButton::clicked, &d, [&] { m.store(p); });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
}

void runAltitudeWindow(QWidget* parent, Program& p, Sounds& sounds) {
    AltitudeWindow m(p);
    QDialog d(parent);
    d.setWindowTitle("Altitude and Pressure");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(bold("Altitude and Pressure"));
    auto* text = new QLabel(
        "Computes relationships between altitude (above sea level) and mean barometric "
        "pressure (not corrected for local weather-related fluctuations).");
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* pUnits = new QButtonGroup(&d);
    auto* torr = radio("torr", pUnits, true);
    auto* kpa = radio("kPa:", pUnits, false);
    grid->addWidget(new QLabel("Pressure in"), 0, 0);
    grid->addWidget(torr, 0, 1);
    grid->addWidget(kpa, 0, 2);
    grid->addWidget(f.edit(m.pressure, 100), 0, 3);
    auto* hUnits = new QButtonGroup(&d);
    auto* metres = radio("Meters", hUnits, true);
    auto* feet = radio("Feet:", hUnits, false);
    grid->addWidget(new QLabel("Altitude in"), 1, 0);
    grid->addWidget(metres, 1, 1);
    grid->addWidget(feet, 1, 2);
    grid->addWidget(f.edit(m.altitude, 100), 1, 3);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* fromP = new QPushButton("Compute Altitude from Pressure");
    auto* fromH = new QPushButton("Compute Pressure from Altitude");
    fromH->setDefault(true);
    fromP->setAutoDefault(false);
    auto* store = new QPushButton("Store Pressure");
    store->setAutoDefault(false);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(fromP);
    row->addWidget(fromH);
    layout->addLayout(row);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(store);
    row2->addStretch();
    row2->addWidget(helpButton(&d, "Altitude and Pressure", AltitudeWindow::helpText()));
    row2->addWidget(done);
    layout->addLayout(row2);
    const auto show = [&] {
        f.push();
        showReason(reason, m.reason);
    };
    QObject::connect(fromP, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computeAltitude(sounds, p);
        show();
    });
    QObject::connect(fromH, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computePressure(sounds, p);
        show();
    });
    QObject::connect(pUnits, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setKPa(kpa->isChecked());
        show();
    });
    QObject::connect(hUnits, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setFeet(feet->isChecked());
        show();
    });
    QObject::connect(store, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.storePressure(p, sounds);
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runAltitudeSimulationWindow(QWidget* parent) {
    AltitudeSimulationWindow m;
    QDialog d(parent);
    d.setWindowTitle("Altitude Simulation Calculator");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(bold("Altitude Simulation Calculator"));
    auto* text = new QLabel(
        "Computes gas concentrations needed to simulate concentrations at a different altitude "
        "or ambient pressure.  Assumes computed pressures are standard Barometric Pressure (i.e., "
        "no compensation for humidity or weather-related or other BP fluctuations).");
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLabel("To replicate a gas concentration of"), 0, 0);
    grid->addWidget(f.edit(m.concentration), 0, 1);
    grid->addWidget(new QLabel("%"), 0, 2);
    grid->addWidget(new QLabel("at a simulated altitude of"), 1, 0);
    grid->addWidget(f.edit(m.simulatedAltitude), 1, 1);
    grid->addWidget(new QLabel("meters; = "), 1, 2);
    grid->addWidget(f.edit(m.simulatedPressure), 1, 3);
    grid->addWidget(new QLabel("torr"), 1, 4);
    grid->addWidget(new QLabel("if the measurement altitude is"), 2, 0);
    grid->addWidget(f.edit(m.measuredAltitude), 2, 1);
    grid->addWidget(new QLabel("meters; = "), 2, 2);
    grid->addWidget(f.edit(m.measuredPressure), 2, 3);
    grid->addWidget(new QLabel("torr"), 2, 4);
    grid->addWidget(new QLabel("use a gas mixture with a concentration of"), 3, 0);
    grid->addWidget(f.label(m.result), 3, 1);
    grid->addWidget(new QLabel("%"), 3, 2);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* fromH = new QPushButton("Compute from Altitude");
    fromH->setDefault(true);
    auto* fromP = new QPushButton("Compute from Pressure");
    fromP->setAutoDefault(false);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(fromH);
    row->addWidget(fromP);
    row->addStretch();
    row->addWidget(helpButton(&d, "Altitude Simulation", AltitudeSimulationWindow::helpText()));
    row->addWidget(done);
    layout->addLayout(row);
    QObject::connect(fromH, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computeFromAltitude();
        f.push();
        showReason(reason, m.reason);
    });
    QObject::connect(fromP, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.computeFromPressure();
        f.push();
        showReason(reason, m.reason);
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runPo2Window(QWidget* parent, Program& p) {
    Po2Window m(p);
    QDialog d(parent);
    d.setWindowTitle("Oxygen Partial Pressure");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(bold("pO<sub>2</sub> estimation"));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* units = new QButtonGroup(&d);
    auto* torr = radio("torr", units, true);
    auto* kpa = radio("kPa", units, false);
    grid->addWidget(new QLabel("ambient pressure:"), 0, 0);
    grid->addWidget(f.edit(m.pressure), 0, 1);
    grid->addWidget(torr, 0, 2);
    grid->addWidget(kpa, 0, 3);
    grid->addWidget(new QLabel(QString::fromUtf8("ambient temperature (\xC2\xB0"
                                                 "C):")),
                    1, 0);
    grid->addWidget(f.edit(m.temperature), 1, 1);
    grid->addWidget(new QLabel("H<sub>2</sub>O saturation:"), 2, 0);
    grid->addWidget(f.edit(m.saturation), 2, 1);
    grid->addWidget(new QLabel("vapor phase H<sub>2</sub>O %; = "), 3, 0);
    grid->addWidget(f.label(m.vapourPressure), 3, 1);
    grid->addWidget(new QLabel("gas phase %O<sub>2</sub> (dry gas):"), 4, 0);
    grid->addWidget(f.edit(m.oxygen), 4, 1);
    grid->addWidget(new QLabel("ambient pO<sub>2</sub> = "), 5, 0);
    auto* po2 = f.label(m.po2);
    QFont bf = po2->font();
    bf.setBold(true);
    po2->setFont(bf);
    grid->addWidget(po2, 5, 1);
    auto* reason = reasonLabel();
    layout->addWidget(reason);
    auto* compute = new QPushButton("Compute pO2");
    compute->setDefault(true);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(compute);
    row->addStretch();
    row->addWidget(helpButton(&d, "pO2 Estimation", Po2Window::helpText()));
    row->addWidget(done);
    layout->addLayout(row);
    const auto show = [&] {
        f.push();
        showReason(reason, m.reason);
    };
    QObject::connect(compute, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.compute();
        show();
    });
    QObject::connect(units, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setKPa(kpa->isChecked());
        show();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
}

}  // namespace trindel::gui
