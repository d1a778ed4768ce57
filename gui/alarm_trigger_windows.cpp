// The "Alarms" set-up, the "Alarm Log", "Set Trigger Conditions" and "Audible Timer Sounds
// Setup" windows, bound to their models in control/.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control/alarm_check.h"
#include "control/alarm_log.h"
#include "control/alarm_setup.h"
#include "control/audible_timer.h"
#include "control/trigger.h"
#include "control_windows.h"
#include "files/atomic_file.h"
#include "qt_platform.h"

namespace trindel::gui {

namespace {

QPushButton* plainButton(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void runAlarmSetupWindow(QWidget* parent, Program& p, Sounds& sounds) {
    AlarmSetupModel m = openAlarmSetup(p);
    if (p.session.RecordingMODE == 2) {
        return;  // no alarms on oscilloscope recordings
    }
    QDialog d(parent);
    d.setObjectName("alarms");
    d.setWindowTitle("Alarms");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Set alarm conditions for chart channels", &d));
    if (m.oscilloscopeNote) {
        layout->addWidget(new QLabel(fromMacRoman(kOscilloscopeAlarmNote), &d));
    }
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLabel("channel and units", &d), 0, 0);
    grid->addWidget(new QLabel("lower limits", &d), 0, 1, 1, 2);
    grid->addWidget(new QLabel("upper limits", &d), 0, 3, 1, 2);
    grid->addWidget(new QLabel("A-D input limits", &d), 0, 5);
    struct Widgets {
        QCheckBox *low, *high, *over;
        QLineEdit *lowField, *highField;
    };
    std::vector<Widgets> w;
    for (size_t i = 0; i < m.rows.size(); ++i) {
        AlarmSetupRow& row = m.rows[i];
        const int r = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(fromMacRoman(row.title).trimmed(), &d), r, 0);
        Widgets x{new QCheckBox(&d), new QCheckBox(&d), new QCheckBox("Overrange", &d),
                  new QLineEdit(QString::fromStdString(row.low), &d),
                  new QLineEdit(QString::fromStdString(row.high), &d)};
        x.lowField->setMaximumWidth(90);
        x.highField->setMaximumWidth(90);
        grid->addWidget(x.low, r, 1);
        grid->addWidget(x.lowField, r, 2);
        grid->addWidget(x.high, r, 3);
        grid->addWidget(x.highField, r, 4);
        grid->addWidget(x.over, r, 5);
        auto* clear = plainButton("Clear", &d);
        grid->addWidget(clear, r, 6);
        w.push_back(x);
        QObject::connect(clear, &QPushButton::clicked, &d, [&m, &w, i] {
            clearAlarmRow(m.rows[i]);
            w[i].low->setChecked(false);
            w[i].high->setChecked(false);
            w[i].over->setChecked(false);
        });
    }
    const auto refresh = [&] {
        for (size_t i = 0; i < m.rows.size(); ++i) {
            w[i].low->setChecked(m.rows[i].lowOn);
            w[i].high->setChecked(m.rows[i].highOn);
            w[i].over->setChecked(m.rows[i].overRangeOn);
        }
    };
    refresh();
    auto* buttons = new QHBoxLayout;
    auto* clearAll = plainButton("Clear All Alarms", &d);
    auto* audible = new QCheckBox("Use Audible Alarms", &d);
    audible->setChecked(m.audible);
    auto* ok = new QPushButton("Alarm Setup OK", &d);
    ok->setDefault(true);
    buttons->addWidget(clearAll);
    buttons->addWidget(audible);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(clearAll, &QPushButton::clicked, &d, [&] {
        clearAllAlarms(m);
        refresh();
    });
    QObject::connect(audible, &QCheckBox::toggled, &d, [&](bool on) {
        if (on) {
            sounds.play(kAlarmSound);
        }
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
    for (size_t i = 0; i < m.rows.size(); ++i) {
        m.rows[i].lowOn = w[i].low->isChecked();
        m.rows[i].highOn = w[i].high->isChecked();
        m.rows[i].overRangeOn = w[i].over->isChecked();
        m.rows[i].low = w[i].lowField->text().toStdString();
        m.rows[i].high = w[i].highField->text().toStdString();
    }
    m.audible = audible->isChecked();
    applyAlarmSetup(m, p);
}

void runAlarmLogWindow(QWidget* parent, const Program& p, Host& host) {
    const std::vector<std::string> lines = alarmLogLines(SHOWALARMS(p));
    QString text;
    for (const std::string& l : lines) {
        text += fromMacRoman(l) + "\n";
    }
    QDialog d(parent);
    d.setObjectName("alarmLog");
    d.setWindowTitle(kAlarmLogTitle);
    auto* layout = new QVBoxLayout(&d);
    auto* view = new QPlainTextEdit(text, &d);
    view->setReadOnly(true);
    view->setFont(QFont("Monospace", 9));
    view->setMinimumSize(720, 260);
    layout->addWidget(view);
    auto* row = new QHBoxLayout;
    auto* save = plainButton("Save Log\xE2\x80\xA6", &d);
    auto* ok = new QPushButton("OK", &d);
    ok->setDefault(true);
    row->addWidget(save);
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(save, &QPushButton::clicked, &d, [&] {
        const auto path = host.askSaveFile("save the alarm log as\xE2\x80\xA6", "Alarm Log.txt");
        if (!path) {
            return;
        }
        AtomicFile f;
        const std::string bytes = text.toStdString();
        if (!f.open(*path) || !f.write(bytes.data(), bytes.size()) || !f.commit()) {
            host.alert("Alarm Log", "The log was not saved: " + f.error(), {"OK"});
        }
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runTriggerWindow(QWidget* parent, Program& p) {
    const int nChan = p.session.nChan;
    TriggerSetupModel m = openTriggerSetup(p.trigger, nChan, p.channels);
    QDialog d(parent);
    d.setObjectName("trigger");
    d.setWindowTitle("Set Trigger Conditions");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("<b>Triggers</b>", &d));
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    left->addWidget(new QLabel("Trigger  Channel", &d));
    auto* group = new QButtonGroup(&d);
    for (int c = 1; c <= nChan; ++c) {
        auto* r = new QRadioButton(QString("%1.  ").arg(c) + fromMacRoman(p.channels.label(c)), &d);
        group->addButton(r, c);
        left->addWidget(r);
    }
    auto* rawRow = new QHBoxLayout;
    auto* raw = new QRadioButton("Volts only; A-D INPUT #", &d);
    group->addButton(raw, kRawTriggerRow);
    auto* input = new QLineEdit(QString::number(m.rawInput), &d);
    input->setMaximumWidth(50);
    rawRow->addWidget(raw);
    rawRow->addWidget(input);
    left->addLayout(rawRow);
    left->addWidget(new QLabel("Available A-D inputs are 1-16", &d));
    if (auto* b = group->button(m.channel)) {
        b->setChecked(true);
    }
    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    right->addWidget(new QLabel("Trigger Condition", &d));
    right->addWidget(new QLabel("Sampling begins when data in\nthe selected trigger channel:", &d));
    auto* exceed = new QRadioButton("     Exceed:", &d);
    auto* below = new QRadioButton(" Fall Below:", &d);
    (m.mode == 1 ? below : exceed)->setChecked(true);
    right->addWidget(exceed);
    right->addWidget(below);
    auto* level = new QLineEdit(QString::fromStdString(m.level), &d);
    right->addWidget(level);
    auto* status = new QLabel(&d);
    auto* activate = plainButton("", &d);
    right->addWidget(status);
    right->addWidget(activate);
    right->addStretch();
    const auto refresh = [&] {
        status->setText(QString::fromStdString(triggerStatusTitle(m.on)));
        activate->setText(QString::fromStdString(triggerActivateTitle(m.on)));
        for (QAbstractButton* b : group->buttons()) {
            b->setEnabled(m.on != 0);
        }
    };
    QObject::connect(activate, &QPushButton::clicked, &d, [&] {
        m.on = m.on != 0 ? 0 : 1;
        refresh();
    });
    refresh();
    auto* ok = new QPushButton("Triggering OK", &d);
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
    m.channel = static_cast<int16_t>(group->checkedId() > 0 ? group->checkedId() : m.channel);
    m.rawInput = input->text().toInt();
    m.mode = below->isChecked() ? 1 : 0;
    m.level = level->text().toStdString();
    applyTriggerSetup(m, p.trigger, p.channels);
}

void runAudibleTimerWindow(QWidget* parent, Program& p, int32_t nowTicks) {
    const float interval = static_cast<float>(p.session.ChartINTERVALinSECONDS);
    AudibleTimerModel m = openAudibleTimer(p.audibleTimer, p.alarm, interval, p.session.MaxSamples);
    QDialog d(parent);
    d.setObjectName("audibleTimer");
    d.setWindowTitle("Audible Timer Sounds Setup");
    auto* grid = new QGridLayout(&d);
    const QStringList soundItems{"1 start / now / stop",
                                 "2 begin / next / end",
                                 "3 go / halt",
                                 "4 now / step / quit",
                                 "-",
                                 "6 boop",
                                 "7 big Click",
                                 "8 tick",
                                 "9 switch",
                                 "10 setup"};
    const auto soundBox = [&](int16_t value) {
        auto* c = new QComboBox(&d);
        c->addItems(soundItems);
        c->setCurrentIndex(std::clamp<int>(value, 1, 10) - 1);
        return c;
    };
    const auto field = [&](const std::string& t) {
        auto* e = new QLineEdit(QString::fromStdString(t), &d);
        e->setMaximumWidth(80);
        return e;
    };
    auto* start = new QCheckBox("play 'start' alert sound:", &d);
    start->setChecked(m.StartALERT != 0);
    auto* startAfter = new QRadioButton("After", &d);
    auto* startSample = new QRadioButton("At Sample", &d);
    auto* startMarker = new QRadioButton("At First Marker", &d);
    auto* startModes = new QButtonGroup(&d);
    startModes->addButton(startAfter, 1);
    startModes->addButton(startSample, 2);
    startModes->addButton(startMarker, 3);
    startModes->button(std::clamp<int>(m.StartAlertMODE, 1, 3))->setChecked(true);
    auto* startMin = field(m.startMinutes);
    auto* startN = field(m.startSamples);
    auto* startSound = soundBox(m.StartAlertSound);
    grid->addWidget(start, 0, 0);
    grid->addWidget(startAfter, 0, 1);
    grid->addWidget(startMin, 0, 2);
    grid->addWidget(new QLabel("minutes", &d), 0, 3);
    grid->addWidget(startSample, 1, 1);
    grid->addWidget(startN, 1, 2);
    grid->addWidget(startMarker, 2, 1);
    grid->addWidget(new QLabel("sound:", &d), 0, 4);
    grid->addWidget(startSound, 0, 5);

    auto* cont = new QCheckBox("Contine to Play Alert Sounds:", &d);
    cont->setChecked(m.ContinueALERT != 0);
    auto* contMin = new QRadioButton("Every (minutes)", &d);
    auto* contSamples = new QRadioButton("Every (samples)", &d);
    (m.ContAlertMODE == 1 ? contSamples : contMin)->setChecked(true);
    auto* contMinField = field(m.continueMinutes);
    auto* contNField = field(m.continueSamples);
    auto* contEnd = new QComboBox(&d);
    contEnd->addItems({"To a Total of", "Until Marker 'x'", "Continuous Alerting"});
    contEnd->setCurrentIndex(std::clamp<int>(m.ContAlertEnd, 0, 2));
    auto* maxAlerts = field(m.maxAlerts);
    auto* contSound = soundBox(m.ContAlertSound);
    grid->addWidget(cont, 3, 0);
    grid->addWidget(contMin, 3, 1);
    grid->addWidget(contMinField, 3, 2);
    grid->addWidget(contSamples, 4, 1);
    grid->addWidget(contNField, 4, 2);
    grid->addWidget(contEnd, 5, 1);
    grid->addWidget(maxAlerts, 5, 2);
    grid->addWidget(new QLabel("alerts ('stop' sound is played last)", &d), 5, 3);
    grid->addWidget(new QLabel("sound:", &d), 3, 4);
    grid->addWidget(contSound, 3, 5);

    auto* stop = new QCheckBox("Play 'stop' Alert Sound:", &d);
    stop->setChecked(m.StopALERTx != 0);
    auto* stopMin = new QRadioButton("After (minutes)", &d);
    auto* stopSamples = new QRadioButton("After (samples)", &d);
    auto* stopMarker = new QRadioButton("At Marker 'x'", &d);
    auto* stopModes = new QButtonGroup(&d);
    stopModes->addButton(stopMin, 0);
    stopModes->addButton(stopSamples, 1);
    stopModes->addButton(stopMarker, 2);
    stopModes->button(std::clamp<int>(m.StopAlertMODE, 0, 2))->setChecked(true);
    auto* stopMinField = field(m.stopMinutes);
    auto* stopNField = field(m.stopSamples);
    auto* stopCase = new QComboBox(&d);
    stopCase->addItems({"From Start of File", "From 'start' Alert"});
    stopCase->setCurrentIndex(m.StopAlertCASE == 1 ? 1 : 0);
    auto* stopSound = soundBox(m.StopAlertSound);
    grid->addWidget(stop, 6, 0);
    grid->addWidget(stopMin, 6, 1);
    grid->addWidget(stopMinField, 6, 2);
    grid->addWidget(stopSamples, 7, 1);
    grid->addWidget(stopNField, 7, 2);
    grid->addWidget(stopMarker, 8, 1);
    grid->addWidget(stopCase, 6, 3);
    grid->addWidget(new QLabel("sound:", &d), 6, 4);
    grid->addWidget(stopSound, 6, 5);
    auto* done = new QPushButton("Done", &d);
    done->setDefault(true);
    grid->addWidget(done, 9, 5);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
    m.StartALERT = start->isChecked() ? 1 : 0;
    m.StartAlertMODE = static_cast<int16_t>(startModes->checkedId());
    m.StartAlertSound = static_cast<int16_t>(startSound->currentIndex() + 1);
    m.startMinutes = startMin->text().toStdString();
    m.startSamples = startN->text().toStdString();
    m.ContinueALERT = cont->isChecked() ? 1 : 0;
    m.ContAlertMODE = contSamples->isChecked() ? 1 : 0;
    m.ContAlertEnd = static_cast<int16_t>(contEnd->currentIndex());
    m.ContAlertSound = static_cast<int16_t>(contSound->currentIndex() + 1);
    m.continueMinutes = contMinField->text().toStdString();
    m.continueSamples = contNField->text().toStdString();
    m.maxAlerts = maxAlerts->text().toStdString();
    m.StopALERTx = stop->isChecked() ? 1 : 0;
    m.StopAlertMODE = static_cast<int16_t>(stopModes->checkedId());
    m.StopAlertCASE = static_cast<int16_t>(stopCase->currentIndex());
    m.StopAlertSound = static_cast<int16_t>(stopSound->currentIndex() + 1);
    m.stopMinutes = stopMinField->text().toStdString();
    m.stopSamples = stopNField->text().toStdString();
    audibleTimerDone(m, p.audibleTimer, p.alarm, interval, nowTicks);
}

}  // namespace trindel::gui
