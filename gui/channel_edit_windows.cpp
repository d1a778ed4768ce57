// The channel-editing windows ("Delete Channel(s)", "Add a Channel…", "Re-arrange Channels") and
// the XY plot set-up, bound to the models of src/ui and src/display.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "control/switching_engine.h"
#include "display/chart_screen.h"
#include "display/xy_plot.h"
#include "files_windows.h"
#include "qt_platform.h"
#include "switching_window.h"
#include "ui/channel_editing.h"
#include "windows.h"

namespace trindel::gui {

namespace {

QString channelText(const Program& p, int c) {
    return QString("Ch. %1   ").arg(c) + fromMacRoman(p.channels.label(c)).trimmed();
}

void play(const Program& p, Sounds& sounds, const char* name) {
    if (soundsOn(p.menus)) {
        sounds.play(name);
    }
}

// What every edit that changed the channel list leaves to do: the band layout, and for a cut the
// valve choice and the switching set-up when no kept channel is on a device.
void finishEdit(QWidget* parent, Program& p, Sounds& sounds, const ChannelEditOutcome& out) {
    if (out.playRip) {
        play(p, sounds, "rip");
    }
    if (out.relayoutBands) {
        SetChanParams(p, 0, 0);
    }
    if (out.openSwitchingSetup) {
        SwitchEffects quiet;  // between runs nothing is sent to the valves
        runSwitchingSetupWindow(parent, p, quiet);
    }
    if (out.selectNextValve) {
        SELECTNEXTVALVE(p);
        p.switching.OldChan = p.switching.SampleValve;
        p.switching.OldChan2 = p.switching.SampleValve2;
    }
    p.events.Action = kEventRedraw;
}

}  // namespace

bool runCutChannelsWindow(QWidget* parent, Program& p, Sounds& sounds) {
    CutChannelsModel model(p);
    QDialog d(parent);
    d.setObjectName("cutChannels");
    d.setWindowTitle("Delete Channel(s)");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Click the channels to delete:"));
    for (int c : model.offered()) {
        auto* b = new QPushButton(channelText(p, c));
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setObjectName(QString("cut-%1").arg(c));
        b->setStyleSheet("QPushButton:checked { background: #d33; color: white; }");
        layout->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &d, [&model, b, c] {
            model.toggle(c);
            b->setChecked(model.marked(c));
        });
    }
    auto* done = new QPushButton("Done");
    done->setObjectName("cutDone");
    layout->addWidget(done);
    ChannelEditOutcome out;
    QObject::connect(done, &QPushButton::clicked, &d, [&] {
        out = model.done(p);
        if (out.playBzot) {
            play(p, sounds, "bzot");  // every channel marked: the window stays
            return;
        }
        d.accept();
    });
    d.exec();
    if (!out.changed) {
        return false;
    }
    finishEdit(parent, p, sounds, out);
    return true;
}

bool runAddChannelWindow(QWidget* parent, Program& p) {
    if (!addChannelEnabled(p)) {
        return false;
    }
    QDialog d(parent);
    d.setObjectName("addChannel");
    d.setWindowTitle("Add a Channel");
    auto* layout = new QVBoxLayout(&d);
    const int next = p.session.nChan + 1;
    layout->addWidget(new QLabel(QString("New channel %1: A-D input number").arg(next)));
    auto* input = new QSpinBox;
    input->setObjectName("addInput");
    input->setRange(0, 99);
    int highest = 0;
    for (int c = 1; c <= p.session.nChan; ++c) {
        highest = std::max(highest, static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][1]));
    }
    input->setValue(highest + 1);
    layout->addWidget(input);
    auto* row = new QHBoxLayout;
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("Add Channel");
    ok->setObjectName("addOK");
    ok->setDefault(true);
    row->addWidget(cancel);
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    const ChannelEditOutcome out = ADD_a_CHANNEL(p, input->value());
    if (!out.changed) {
        return false;
    }
    // The new channel's conversion is chosen at once; the bands then make room for it.
    runConversionWindow(parent, p, p.session.nChan);
    SetChanParams(p, 0, 0);
    p.events.Action = 99;
    return true;
}

bool runRearrangeWindow(QWidget* parent, Program& p, Sounds& sounds) {
    RearrangeModel model(p);
    QDialog d(parent);
    d.setObjectName("rearrange");
    d.setWindowTitle("Re-arrange Channels");
    auto* layout = new QVBoxLayout(&d);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("<b>Original order</b>"), 0, 0);
    grid->addWidget(new QLabel("<b>New order</b>"), 0, 1);
    std::vector<QPushButton*> buttons;
    std::vector<QLabel*> placed;
    const int n = std::clamp<int>(p.session.nChan, 0, kMaxChannels);
    for (int c = 1; c <= n; ++c) {
        auto* b = new QPushButton(channelText(p, c));
        b->setAutoDefault(false);
        b->setObjectName(QString("arrange-%1").arg(c));
        grid->addWidget(b, c, 0);
        buttons.push_back(b);
        auto* l = new QLabel;
        l->setMinimumWidth(200);
        grid->addWidget(l, c, 1);
        placed.push_back(l);
    }
    layout->addLayout(grid);
    auto* caution = new QLabel("Caution:  Undo not possible");
    caution->setStyleSheet("color: #b00;");
    layout->addWidget(caution);
    const auto refresh = [&] {
        for (int c = 1; c <= n; ++c) {
            buttons[static_cast<size_t>(c - 1)]->setEnabled(model.buttonEnabled(c));
        }
        for (size_t k = 0; k < placed.size(); ++k) {
            placed[k]->setText(k < model.order().size()
                                   ? QString("%1:  ").arg(k + 1) + channelText(p, model.order()[k])
                                   : QString());
        }
    };
    for (int c = 1; c <= n; ++c) {
        QObject::connect(buttons[static_cast<size_t>(c - 1)], &QPushButton::clicked, &d, [&, c] {
            model.place(c);
            refresh();
        });
    }
    auto* row = new QHBoxLayout;
    auto* again = new QPushButton("Arrange Again");
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("Re-arrangement OK");
    again->setAutoDefault(false);
    ok->setAutoDefault(false);
    ok->setObjectName("arrangeOK");
    cancel->setDefault(true);  // Return leaves everything as it was
    row->addWidget(again);
    row->addWidget(cancel);
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(again, &QPushButton::clicked, &d, [&] {
        model.arrangeAgain();
        play(p, sounds, "rip");
        refresh();
    });
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    return model.apply(p).changed;
}

void runXYPlotSetupWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setObjectName("xySetup");
    d.setWindowTitle("2 Channel X-Y Plot");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("<b>Show relationship of 2 channels</b>"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("X-axis channel"), 0, 0);
    grid->addWidget(new QLabel("Y-axis channel"), 0, 1);
    std::vector<QPushButton*> xs, ys;
    const int n = std::clamp<int>(p.session.nChan, 0, kMaxChannels);
    for (int c = 1; c <= n; ++c) {
        for (int axis = 0; axis < 2; ++axis) {
            auto* b = new QPushButton(channelText(p, c));
            b->setCheckable(true);
            b->setAutoDefault(false);
            b->setObjectName(QString(axis == 0 ? "xyX-%1" : "xyY-%1").arg(c));
            grid->addWidget(b, c, axis);
            (axis == 0 ? xs : ys).push_back(b);
        }
    }
    layout->addLayout(grid);
    auto* show = new QCheckBox("Show an X-Y Plot?");
    show->setObjectName("xyShow");
    layout->addWidget(show);
    const auto refresh = [&] {
        for (int c = 1; c <= n; ++c) {
            const auto i = static_cast<size_t>(c - 1);
            xs[i]->setChecked(static_cast<int>(p.view.XY[kXYChannelX]) == c);
            ys[i]->setChecked(static_cast<int>(p.view.XY[kXYChannelY]) == c);
        }
        show->setChecked(p.view.ShowXYPlot != 0);
    };
    for (int c = 1; c <= n; ++c) {
        const auto i = static_cast<size_t>(c - 1);
        QObject::connect(xs[i], &QPushButton::clicked, &d, [&, c] {
            chooseXYChannel(p, true, c);
            refresh();
        });
        QObject::connect(ys[i], &QPushButton::clicked, &d, [&, c] {
            chooseXYChannel(p, false, c);
            refresh();
        });
    }
    QObject::connect(show, &QCheckBox::clicked, &d, [&] {
        toggleShowXYPlot(p);
        refresh();
    });
    auto* done = new QPushButton("Done");
    done->setObjectName("xyDone");
    done->setDefault(true);
    layout->addWidget(done);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    refresh();
    d.exec();
    p.events.Action = kEventRedraw;
}

}  // namespace trindel::gui
