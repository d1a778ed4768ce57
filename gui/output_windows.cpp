// The output-script editor and the feedback window, bound to ScriptEditor and the feedback
// schedule rules, with their drawings.
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control/analog_output.h"
#include "control/feedback.h"
#include "control/output_diagrams.h"
#include "control/script_editor.h"
#include "control_windows.h"
#include "qt_platform.h"
#include "text/field_text.h"

namespace trindel::gui {

namespace {

// Paints an OutputDiagram with a margin for the labels.
class DiagramView : public QWidget {
  public:
    DiagramView(QWidget* parent, int left) : QWidget(parent), left_(left) {}
    void set(OutputDiagram d, QStringList axis) {
        d_ = std::move(d);
        axis_ = std::move(axis);
        setFixedSize(d_.width + left_ + 20, d_.height + 30);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), Qt::white);
        g.translate(left_, 8);
        g.setPen(QColor(210, 210, 210));
        g.drawRect(0, 0, d_.width, d_.height);
        g.setPen(Qt::black);
        if (axis_.size() == 3) {
            g.drawText(-left_, 8, axis_[0]);
            g.drawText(-left_, d_.height / 2 + 4, axis_[1]);
            g.drawText(-left_, d_.height, axis_[2]);
            g.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
            g.drawLine(0, d_.height / 2, d_.width, d_.height / 2);
        } else if (axis_.size() == 2) {
            g.drawText(-left_, 10, axis_[0]);
            g.drawText(-left_, d_.height, axis_[1]);
        }
        for (const DiagramLine& b : d_.boundaries) {
            g.setPen(b.dark ? QColor(60, 60, 60) : QColor(190, 190, 220));
            g.drawLine(b.x1, b.y1, b.x2, b.y2);
        }
        g.setPen(Qt::darkGray);
        for (const DiagramLabel& l : d_.stepNumbers) {
            g.drawText(l.x + 2, d_.height + 14, QString::fromStdString(l.text));
        }
        g.setPen(QPen(QColor(0, 0, 200), 2));
        for (const DiagramLine& t : d_.trace) {
            g.drawLine(t.x1, t.y1, t.x2, t.y2);
        }
        g.setPen(QPen(QColor(200, 0, 0), 1));
        if (d_.loop) {
            const DiagramLine& l = *d_.loop;
            g.drawLine(l.x1, l.y1, l.x2, l.y2);
            g.drawLine(l.x2, l.y2, l.x2 + 6, l.y2 - 4);
            g.drawLine(l.x2, l.y2, l.x2 + 6, l.y2 + 4);
        } else if (!d_.note.empty()) {
            g.drawText(d_.width - 60, d_.height - 4, QString::fromStdString(d_.note));
        }
    }

  private:
    int left_;
    OutputDiagram d_;
    QStringList axis_;
};

QPushButton* button(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

float number(const QLineEdit* e) {
    return static_cast<float>(fieldValue(e->text().toStdString()));
}
QString numberText(float v) {
    return QString::fromStdString(fieldText(v));
}

}  // namespace

void runScriptWindow(QWidget* parent, Program& p, Sounds& sounds, int channel) {
    const int16_t device = p.device.External_AD;
    ScriptEditor ed(p.analogOutput, channel, device);
    QDialog d(parent);
    d.setObjectName("aoScript");
    d.setWindowTitle(QString::fromStdString(ed.title()));
    auto* layout = new QVBoxLayout(&d);
    auto* view = new DiagramView(&d, 56);
    layout->addWidget(view);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* steps = new QLabel(&d);
    auto* total = new QLabel(&d);
    grid->addWidget(steps, 0, 0);
    grid->addWidget(total, 0, 1, 1, 3);
    auto* volts = new QLineEdit("0", &d);
    auto* minutes = new QLineEdit("1", &d);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Output", &d));
    row->addWidget(volts);
    row->addWidget(new QLabel("volts for", &d));
    row->addWidget(minutes);
    row->addWidget(new QLabel("minute(s)", &d));
    grid->addLayout(row, 1, 0, 1, 4);
    auto* constant = new QRadioButton("Constant Voltage", &d);
    auto* ramp = new QRadioButton("Ramp to this Voltage", &d);
    constant->setChecked(true);
    grid->addWidget(constant, 2, 0);
    grid->addWidget(ramp, 2, 1);
    const QString lim = QString::number(static_cast<double>(ed.limit()));
    auto* zero = button("Zero V", &d);
    auto* top = button("+" + lim + "V", &d);
    auto* bottom = button("-" + lim + "V", &d);
    grid->addWidget(zero, 3, 0);
    grid->addWidget(top, 3, 1);
    grid->addWidget(bottom, 3, 2);
    auto* durations = new QHBoxLayout;
    const std::pair<const char*, const char*> presets[] = {{"Pulse (0.1 sec)", ".00167"},
                                                           {"1 min", "1"},
                                                           {"5 min", "5"},
                                                           {"10 min", "10"},
                                                           {"60 min", "60"}};
    for (const auto& [title, value] : presets) {
        auto* b = button(title, &d);
        durations->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &d,
                         [minutes, v = value] { minutes->setText(v); });
    }
    grid->addLayout(durations, 4, 0, 1, 4);
    auto* add = button("Add Step", &d);
    auto* front = button("Insert New Step in Front", &d);
    auto* back = button("Insert New Step in Back", &d);
    auto* del = button("Delete", &d);
    auto* stepField = new QLineEdit("1", &d);
    auto* go = button("Go to Step", &d);
    auto* update = button("Update", &d);
    grid->addWidget(add, 5, 0);
    grid->addWidget(front, 5, 1);
    grid->addWidget(back, 5, 2);
    grid->addWidget(del, 5, 3);
    grid->addWidget(go, 6, 0);
    grid->addWidget(stepField, 6, 1);
    grid->addWidget(update, 6, 2);
    auto* loopStart = button("Loop to Start", &d);
    auto* loopTo = button("Loop to Step:", &d);
    auto* loopField = new QLineEdit("1", &d);
    auto* noLoop = button("Delete Loop", &d);
    grid->addWidget(loopStart, 7, 0);
    grid->addWidget(loopTo, 7, 1);
    grid->addWidget(loopField, 7, 2);
    grid->addWidget(noLoop, 7, 3);
    auto* preRun = new QLineEdit(numberText(aoPreRunVolts(p.analogOutput, channel)), &d);
    auto* switchPre = button("Switch to Pre-run Value", &d);
    grid->addWidget(new QLabel("pre-run volts:", &d), 8, 0);
    grid->addWidget(preRun, 8, 1);
    grid->addWidget(switchPre, 8, 2);
    grid->addWidget(new QLabel("At end of script:", &d), 9, 0);
    auto* setEnd = new QRadioButton("Set Volts to:", &d);
    auto* keepEnd = new QRadioButton("Keep Existing Voltage", &d);
    auto* endGroup = new QButtonGroup(&d);
    endGroup->addButton(setEnd);
    endGroup->addButton(keepEnd);
    ((channel == 1 ? p.analogOutput.AO1endMode : p.analogOutput.AO2endMode) == 1 ? setEnd : keepEnd)
        ->setChecked(true);
    auto* endVolts = new QLineEdit(numberText(aoEndVolts(p.analogOutput, channel)), &d);
    grid->addWidget(setEnd, 9, 1);
    grid->addWidget(endVolts, 9, 2);
    grid->addWidget(keepEnd, 9, 3);
    auto* startAt = new QComboBox(&d);
    startAt->addItems({"start of recording", "first marker", "key 's'"});
    startAt->setCurrentIndex(std::clamp(aoStartMode(p.analogOutput, channel), 1, 3) - 1);
    auto* stopAt = new QComboBox(&d);
    stopAt->addItems({"end of script", "marker 'X'", "marker 'Q'"});
    stopAt->setCurrentIndex(std::clamp(aoStopMode(p.analogOutput, channel), 1, 3) - 1);
    grid->addWidget(new QLabel("start at:", &d), 10, 0);
    grid->addWidget(startAt, 10, 1);
    grid->addWidget(new QLabel("stop at:", &d), 10, 2);
    grid->addWidget(stopAt, 10, 3);
    auto* clear = button("Clear All", &d);
    auto* done = new QPushButton("Done", &d);
    done->setDefault(true);
    grid->addWidget(clear, 11, 0);
    grid->addWidget(done, 11, 3);

    const auto fields = [&] {
        return ScriptStepFields{number(volts), number(minutes), ramp->isChecked()};
    };
    const auto stepNumber = [&] {
        return static_cast<int>(fieldValue(stepField->text().toStdString()));
    };
    const auto refresh = [&] {
        steps->setText(QString("steps: %1").arg(ed.steps()));
        total->setText(QString("total time %1 minutes").arg(numberText(ed.totalMinutes())));
        add->setEnabled(ed.canAdd());
        front->setEnabled(ed.canAdd());
        back->setEnabled(ed.canAdd());
        del->setEnabled(ed.steps() > 0);
        view->set(aoDiagram(p.analogOutput, channel, device),
                  {QString::fromStdString(ed.topLabel()), "  0V -",
                   QString::fromStdString(ed.bottomLabel())});
    };
    QObject::connect(zero, &QPushButton::clicked, &d, [volts] { volts->setText("0"); });
    QObject::connect(top, &QPushButton::clicked, &d, [volts, lim] { volts->setText(lim); });
    QObject::connect(bottom, &QPushButton::clicked, &d,
                     [volts, lim] { volts->setText("-" + lim); });
    QObject::connect(add, &QPushButton::clicked, &d, [&] {
        ed.addStep(fields());
        refresh();
    });
    QObject::connect(front, &QPushButton::clicked, &d, [&] {
        ed.insertStep(stepNumber(), false, fields());
        refresh();
    });
    QObject::connect(back, &QPushButton::clicked, &d, [&] {
        ed.insertStep(stepNumber(), true, fields());
        refresh();
    });
    QObject::connect(del, &QPushButton::clicked, &d, [&] {
        ed.deleteStep(stepNumber());
        refresh();
    });
    QObject::connect(go, &QPushButton::clicked, &d, [&] {
        ScriptStepFields f;
        if (ed.goToStep(stepNumber(), f)) {
            volts->setText(numberText(f.volts));
            minutes->setText(numberText(f.minutes));
            (f.ramp ? ramp : constant)->setChecked(true);
        }
    });
    QObject::connect(update, &QPushButton::clicked, &d, [&] {
        ed.updateStep(stepNumber(), fields());
        refresh();
    });
    QObject::connect(loopStart, &QPushButton::clicked, &d, [&] {
        ed.loopTo(1);
        refresh();
    });
    QObject::connect(loopTo, &QPushButton::clicked, &d, [&] {
        ed.loopTo(static_cast<int>(fieldValue(loopField->text().toStdString())));
        refresh();
    });
    QObject::connect(noLoop, &QPushButton::clicked, &d, [&] {
        ed.deleteLoop();
        refresh();
    });
    QObject::connect(switchPre, &QPushButton::clicked, &d, [&] {
        // Outside a recording the value is given at once; the next recording sends it first.
        p.analogOutput.TimeForNextAOupdate = 0;
        SetAOvolts(p.analogOutput, device, 0, channel, ed.preRunOutput(number(preRun)));
    });
    QObject::connect(clear, &QPushButton::clicked, &d, [&] {
        ed.clearAll();
        preRun->setText("0");
        endVolts->setText("0");
        if (soundsOn(p.menus) && p.prefs[kPrefWeirdSounds] != 0) {
            sounds.play("rip");
        }
        refresh();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    d.exec();
    ed.close(number(preRun), number(endVolts), setEnd->isChecked() ? 1 : 0,
             startAt->currentIndex() + 1, stopAt->currentIndex() + 1);
}

void runFeedbackWindow(QWidget* parent, Program& p, int32_t nowTicks) {
    FeedbackState& fb = p.feedback;
    if (p.analogOutput.AO2on != 0) {
        QMessageBox warn(parent);
        warn.setWindowTitle("WARNING:   Channel In Use");
        warn.setText(
            "This output channel is currently programmed for use with a voltage output script.  "
            "It cannot be used simultaneously for an output script and for feedback control.\n"
            "          You can either:");
        auto* use = warn.addButton("Use it for Feedback Control (shut down the output script)",
                                   QMessageBox::AcceptRole);
        warn.addButton("Keep Using it for a Voltage Output Script", QMessageBox::RejectRole);
        warn.setDefaultButton(use);
        warn.exec();
        if (warn.clickedButton() != use) {
            return;
        }
        p.analogOutput.AO2on = 0;
    }
    QDialog d(parent);
    d.setObjectName("feedback");
    d.setWindowTitle("Proportional Feedback Control (Analog Output Channel 2)");
    auto* layout = new QHBoxLayout(&d);
    auto* left = new QVBoxLayout;
    layout->addLayout(left);
    left->addWidget(new QLabel("Select the channel to be regulated:", &d));
    auto* channels = new QButtonGroup(&d);
    const int nChan = std::max<int>(p.session.nChan, 1);
    const int chosen = fb.FeedbackChan >= 1 && fb.FeedbackChan <= nChan ? fb.FeedbackChan : 1;
    for (int c = 1; c <= nChan; ++c) {
        auto* r = new QRadioButton(QString("channel%1%2: ").arg(c < 10 ? "  " : "").arg(c) +
                                       fromMacRoman(p.channels.label(c)).trimmed(),
                                   &d);
        r->setChecked(c == chosen);
        channels->addButton(r, c);
        left->addWidget(r);
    }
    left->addStretch();
    auto* right = new QVBoxLayout;
    layout->addLayout(right);
    auto* grid = new QGridLayout;
    right->addLayout(grid);
    auto* setpoint = new QLineEdit("20", &d);
    auto* range = new QLineEdit("1", &d);
    auto* maxV = new QLineEdit("5", &d);
    auto* minV = new QLineEdit("0", &d);
    auto* minutes = new QLineEdit("10", &d);
    grid->addWidget(new QLabel("setpoint:", &d), 0, 0);
    grid->addWidget(setpoint, 0, 1);
    grid->addWidget(new QLabel("\xC2\xB1", &d), 0, 2);
    grid->addWidget(range, 0, 3);
    grid->addWidget(new QLabel("max control volts:", &d), 1, 0);
    grid->addWidget(maxV, 1, 1);
    grid->addWidget(new QLabel("(\xC2\xB1"
                               "5 V)",
                               &d),
                    1, 2);
    grid->addWidget(new QLabel("min control volts:", &d), 2, 0);
    grid->addWidget(minV, 2, 1);
    grid->addWidget(new QLabel("(\xC2\xB1"
                               "5 V)",
                               &d),
                    2, 2);
    grid->addWidget(new QLabel("setpoint duration:", &d), 3, 0);
    grid->addWidget(minutes, 3, 1);
    grid->addWidget(new QLabel("min", &d), 3, 2);
    auto* positive = new QRadioButton("'positive'", &d);
    auto* negative = new QRadioButton("negative", &d);
    (fb.NegativeFEEDBACK != 0 ? negative : positive)->setChecked(true);
    grid->addWidget(positive, 4, 0);
    grid->addWidget(negative, 4, 1);
    auto* every = new QComboBox(&d);
    for (int32_t ticks : kFeedbackIntervals) {
        every->addItem(ticks < 60 ? QString("%1 sec").arg(ticks / 60.0)
                                  : QString("%1 sec").arg(ticks / 60));
    }
    every->setCurrentIndex(feedbackIntervalItem(fb.FeedbackUpdateInterval) - 1);
    grid->addWidget(new QLabel("Update feedback conditions every:", &d), 5, 0);
    grid->addWidget(every, 5, 1);
    auto* haltAt = new QComboBox(&d);
    haltAt->addItems({"none", "marker 'X'", "marker 'Q'"});
    haltAt->setCurrentIndex(std::clamp<int>(fb.FeedbackEndMode, 1, 3) - 1);
    grid->addWidget(new QLabel("halt at:", &d), 6, 0);
    grid->addWidget(haltAt, 6, 1);
    auto* addStep = button("Enter These Values as a New Step", &d);
    auto* endState = button("Enter Values as the End State", &d);
    auto* show = button("Show", &d);
    grid->addWidget(addStep, 7, 0, 1, 2);
    grid->addWidget(endState, 8, 0, 1, 2);
    grid->addWidget(show, 8, 2);
    auto* edit = button("Edit Step:", &d);
    auto* editField = new QLineEdit("1", &d);
    auto* del = button("Delete", &d);
    auto* modify = button("Modify as Above", &d);
    grid->addWidget(edit, 9, 0);
    grid->addWidget(editField, 9, 1);
    grid->addWidget(del, 9, 2);
    grid->addWidget(modify, 9, 3);
    auto* loop = button("Loop to Step:", &d);
    auto* loopField = new QLineEdit("0", &d);
    grid->addWidget(loop, 10, 0);
    grid->addWidget(loopField, 10, 1);
    auto* view = new DiagramView(&d, 40);
    right->addWidget(view);
    auto* law = new QLabel(QString::fromUtf8(feedbackLawText().c_str()), &d);
    law->setWordWrap(true);
    law->setMaximumWidth(440);
    right->addWidget(law);
    auto* bottomRow = new QHBoxLayout;
    auto* clear = button("Clear", &d);
    auto* done = new QPushButton("Done", &d);
    done->setDefault(true);
    bottomRow->addWidget(clear);
    bottomRow->addStretch();
    bottomRow->addWidget(done);
    right->addLayout(bottomRow);
    del->setEnabled(false);
    modify->setEnabled(false);

    const auto fields = [&] {
        return FeedbackStepFields{number(setpoint), number(range), number(maxV), number(minV),
                                  number(minutes)};
    };
    const auto refresh = [&] {
        const OutputDiagram dg = feedbackDiagram(fb);
        view->set(dg, {QString::fromStdString(dg.high), QString::fromStdString(dg.low)});
    };
    QObject::connect(addStep, &QPushButton::clicked, &d, [&] {
        int next = 0;
        if (feedbackAddStep(fb, fields(), next)) {
            loopField->setText(QString::number(next));
        }
        refresh();
    });
    QObject::connect(endState, &QPushButton::clicked, &d,
                     [&] { feedbackEndStateFrom(fb, fields()); });
    QObject::connect(show, &QPushButton::clicked, &d, [&] {
        const FeedbackStepFields f = feedbackEndStateFields(fb);
        setpoint->setText(numberText(f.setpoint));
        range->setText(numberText(f.range));
        minV->setText(numberText(f.minV));
        maxV->setText(numberText(f.maxV));
    });
    QObject::connect(edit, &QPushButton::clicked, &d, [&] {
        const int k = static_cast<int>(number(editField));
        const bool ok = k >= 1 && k <= feedbackStepCount(fb);
        del->setEnabled(ok);
        modify->setEnabled(ok);
    });
    QObject::connect(del, &QPushButton::clicked, &d, [&] {
        feedbackDeleteStep(fb, static_cast<int>(number(editField)));
        del->setEnabled(false);
        modify->setEnabled(false);
        refresh();
    });
    QObject::connect(modify, &QPushButton::clicked, &d, [&] {
        feedbackModifyStep(fb, static_cast<int>(number(editField)), fields());
        refresh();
    });
    QObject::connect(loop, &QPushButton::clicked, &d, [&] {
        feedbackLoopTo(fb, static_cast<int>(number(loopField)));
        refresh();
    });
    QObject::connect(clear, &QPushButton::clicked, &d, [&] {
        feedbackClear(fb);
        loopField->setText("0");
        refresh();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    d.exec();
    fb.FeedbackChan = static_cast<int16_t>(channels->checkedId());
    fb.NegativeFEEDBACK = negative->isChecked() ? 1 : 0;
    fb.FeedbackUpdateInterval = kFeedbackIntervals[every->currentIndex()];
    fb.FeedbackEndMode = static_cast<int16_t>(haltAt->currentIndex() + 1);
    feedbackClose(fb, nowTicks);
}

}  // namespace trindel::gui
