// The View menu's windows: screen colours, plot heights, chart view and tics, the recording
// window size and the status displays. Their rules are in display/view_windows and
// ui/view_choices.
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <memory>

#include "display/chart_axis.h"
#include "display/view_windows.h"
#include "files/preferences_file.h"
#include "menu_hooks_views.h"
#include "ui/view_choices.h"

namespace trindel::gui {

namespace {

QString utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

RGBColor fromQColor(const QColor& c) {
    return RGBColor{static_cast<uint16_t>(c.red() * 257), static_cast<uint16_t>(c.green() * 257),
                    static_cast<uint16_t>(c.blue() * 257)};
}

// The sample plot of the colour window: a chart band and a scope band in the chosen colours.
class ColourPlot final : public QWidget {
  public:
    ColourPlot(const Colours& c, const bool& highSpeed, QWidget* parent)
        : QWidget(parent), c_(c), highSpeed_(highSpeed) {
        setMinimumSize(260, 200);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        const QRect chart(0, 0, width() - 1, height() / 2 - 4);
        const QRect scope(0, height() / 2 + 4, width() - 1, height() / 2 - 5);
        g.fillRect(chart, toQColor(c_.ChartBackgroundColor));
        g.setPen(toQColor(c_.ChartFrameColor));
        g.drawRect(chart);
        g.drawText(chart.adjusted(6, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop, "Channel 1  12.5");
        g.setPen(QPen(toQColor(c_.ChartDataColor), 1.5));
        QPointF last(chart.left(), chart.center().y());
        for (int x = 0; x < chart.width(); x += 4) {
            const QPointF next(chart.left() + x, chart.center().y() + 25 * std::sin(x / 18.0) +
                                                     8 * std::sin(x / 5.0));
            g.drawLine(last, next);
            last = next;
        }
        g.setPen(QPen(toQColor(c_.Markwhite), 1, Qt::DashLine));
        g.drawLine(chart.left() + chart.width() * 2 / 3, chart.top() + 2,
                   chart.left() + chart.width() * 2 / 3, chart.bottom() - 2);
        g.fillRect(scope, toQColor(highSpeed_ ? c_.FastScopeBackground : c_.ScopeBackgroundColor));
        g.setPen(toQColor(c_.ScFrame));
        g.drawRect(scope);
        g.setPen(QPen(toQColor(c_.ScopeDataColor), 1.5));
        last = QPointF(scope.left(), scope.center().y());
        for (int x = 0; x < scope.width(); x += 3) {
            const QPointF next(scope.left() + x, scope.center().y() - 30 * std::sin(x / 12.0));
            g.drawLine(last, next);
            last = next;
        }
    }

  private:
    const Colours& c_;
    const bool& highSpeed_;
};

// The bands of "Adjust Chart Height", with the guide line that follows the mouse.
class HeightCanvas final : public QWidget {
  public:
    HeightCanvas(Program& p, PlotHeightModel& m, QWidget* parent) : QWidget(parent), p_(p), m_(m) {
        setMouseTracking(true);
        setObjectName("heightCanvas");
        scale_ = std::min(1.0, 520.0 / std::max<int>(100, p_.prefs[kPrefWindowHeight]));
        setFixedSize(420, static_cast<int>(p_.prefs[kPrefWindowHeight] * scale_));
    }
    std::function<void()> changed;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), Qt::white);
        for (int c = 1; c <= p_.session.nChan; ++c) {
            const auto [top, bottom] = m_.band(c);
            const QRect r(0, static_cast<int>(top * scale_), width() - 1,
                          static_cast<int>((bottom - top) * scale_));
            g.fillRect(r, toQColor(p_.colours.ChartBackgroundColor));
            g.setPen(toQColor(p_.colours.ChartFrameColor));
            g.drawRect(r);
            const QString text =
                QString("Channel %1  Input #%2   %3")
                    .arg(c)
                    .arg(static_cast<int>(p_.channels.Nvar[static_cast<size_t>(c)][kInputNumber]))
                    .arg(fromMacRoman(p_.channels.label(c)).trimmed());
            g.drawText(r.adjusted(6, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
            if (p_.channels.Nvar[static_cast<size_t>(c)][kCoeffA] == -9999.0f) {
                g.drawText(r.adjusted(6, 16, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                           "Arrow keys: up = +1; down = -1; home = 0");
            }
        }
        if (!m_.finished() && guide_ >= 0) {
            g.setPen(QPen(Qt::red, 2));
            g.drawLine(0, static_cast<int>(guide_ * scale_), width(),
                       static_cast<int>(guide_ * scale_));
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (m_.finished()) {
            return;
        }
        const auto [lo, hi] = m_.allowedRows();
        guide_ = std::clamp(static_cast<int>(e->position().y() / scale_), lo, hi);
        update();
    }
    void mousePressEvent(QMouseEvent* e) override {
        mouseMoveEvent(e);
        if (!m_.finished() && guide_ >= 0) {
            m_.place(guide_);
            guide_ = -1;
            update();
            if (changed) {
                changed();
            }
        }
    }

  private:
    Program& p_;
    PlotHeightModel& m_;
    double scale_ = 1.0;
    int guide_ = -1;
};

}  // namespace

void runColoursWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Select Chart and Scope Colors");
    Colours working = p.colours;
    bool highSpeed = false;
    auto* layout = new QHBoxLayout(&d);
    auto* buttons = new QVBoxLayout;
    auto* plot = new ColourPlot(working, highSpeed, &d);
    for (const ColourButtonInfo& info : colourButtons()) {
        auto* b = new QPushButton(info.text, &d);
        buttons->addWidget(b);
        const ColourButton which = info.button;
        const QString prompt = info.prompt;
        QObject::connect(b, &QPushButton::clicked, &d, [&, which, prompt] {
            RGBColor& target = colourOf(working, which, highSpeed);
            const QColor chosen = QColorDialog::getColor(toQColor(target), &d, prompt);
            if (chosen.isValid()) {
                target = fromQColor(chosen);
                plot->update();
            }
        });
    }
    auto* continuous = new QRadioButton("Continuous Scope Colors", &d);
    auto* fast = new QRadioButton("High-Speed Scope Colors", &d);
    continuous->setChecked(true);
    buttons->addWidget(continuous);
    buttons->addWidget(fast);
    QObject::connect(fast, &QRadioButton::toggled, &d, [&](bool on) {
        highSpeed = on;
        plot->update();
    });
    auto* defaults = new QPushButton("Use Default Colors", &d);
    auto* stored = new QPushButton("Use Stored Preferences", &d);
    auto* ok = new QPushButton("Selection OK", &d);
    ok->setDefault(true);
    buttons->addSpacing(8);
    buttons->addWidget(defaults);
    buttons->addWidget(stored);
    buttons->addWidget(ok);
    QObject::connect(defaults, &QPushButton::clicked, &d, [&] {
        Colours fresh;
        DEFAULTCOLORS(fresh);
        copyChartColours(working, fresh);
        plot->update();
    });
    QObject::connect(stored, &QPushButton::clicked, &d, [&] {
        // Only the colours of the saved preferences: the rest of the program stays as it is.
        auto scratch = std::make_unique<Program>();
        DEFAULTCOLORS(scratch->colours);
        loadPreferencesFile(*scratch, defaultPreferencesPath(), 32000, 32000);
        copyChartColours(working, scratch->colours);
        plot->update();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addLayout(buttons);
    layout->addWidget(plot, 1);
    d.exec();
    copyChartColours(p.colours, working);
}

void runPlotHeightWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Adjust Chart Height");
    PlotHeightModel model(p);
    auto* layout = new QHBoxLayout(&d);
    auto* canvas = new HeightCanvas(p, model, &d);
    layout->addWidget(canvas);
    auto* side = new QVBoxLayout;
    auto* hint = new QLabel(&d);
    hint->setWordWrap(true);
    hint->setMinimumWidth(180);
    side->addWidget(new QLabel("<b>Channel size adjust</b>", &d));
    side->addWidget(hint);
    side->addStretch();
    auto* again = new QPushButton("Do Again", &d);
    auto* normal = new QPushButton("Use Normal Values", &d);
    auto* ok = new QPushButton("Plot Heights OK; Done", &d);
    auto* cancel = new QPushButton("Cancel", &d);
    for (QPushButton* b : {again, normal, ok, cancel}) {
        side->addWidget(b);
    }
    layout->addLayout(side);
    const auto refresh = [&] {
        hint->setText(model.finished()
                          ? "All boundaries placed."
                          : QString("Move the line to the bottom of channel %1 and click.")
                                .arg(model.placing()));
        canvas->update();
    };
    canvas->changed = refresh;
    QObject::connect(again, &QPushButton::clicked, &d, [&] {
        model.doAgain();
        refresh();
    });
    QObject::connect(normal, &QPushButton::clicked, &d, [&] {
        model.normalValues();
        refresh();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    refresh();
    if (d.exec() != QDialog::Accepted) {
        model.cancel();
    }
}

void runChartViewWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Chart Display Conditions");
    ChartViewModel model(p);
    const float oldView = p.session.ChartView;
    const int oldScroll = p.prefs[kPrefChartViewStyle];
    auto* layout = new QVBoxLayout(&d);
    auto* views = new QGroupBox("Samples per screen", &d);
    auto* viewRow = new QHBoxLayout(views);
    auto* viewGroup = new QButtonGroup(&d);
    const int w = p.prefs[kPrefWindowWidth];
    for (size_t i = 0; i < kChartViews.size(); ++i) {
        const float v = kChartViews[i];
        auto* b = new QRadioButton(QString::number(static_cast<double>(w * v)), views);
        b->setEnabled(model.viewOffered(v));
        b->setChecked(v == model.view());
        viewGroup->addButton(b, static_cast<int>(i));
        viewRow->addWidget(b);
    }
    layout->addWidget(views);
    auto* scroll = new QGroupBox("New screen replaces", &d);
    auto* scrollRow = new QHBoxLayout(scroll);
    auto* scrollGroup = new QButtonGroup(&d);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(kScrollChoices[static_cast<size_t>(i)], scroll);
        b->setChecked(i == model.scrolling());
        scrollGroup->addButton(b, i);
        scrollRow->addWidget(b);
    }
    scroll->setVisible(model.scrollingOffered());
    layout->addWidget(scroll);
    auto* info = new QGridLayout;
    auto* ratio = new QLabel(&d);
    auto* duration = new QLabel(&d);
    auto* screens = new QLabel(&d);
    info->addWidget(new QLabel("compression ratio:", &d), 0, 0);
    info->addWidget(ratio, 0, 1);
    info->addWidget(new QLabel("screen duration:", &d), 1, 0);
    info->addWidget(duration, 1, 1);
    info->addWidget(new QLabel("total screens:", &d), 2, 0);
    info->addWidget(screens, 2, 1);
    auto* ticCaption = new QLabel(&d);
    auto* tic = new QLineEdit(&d);
    tic->setObjectName("ticValue");
    auto* ticUnit = new QLabel(&d);
    info->addWidget(ticCaption, 3, 0);
    auto* ticRow = new QHBoxLayout;
    ticRow->addWidget(tic);
    ticRow->addWidget(ticUnit);
    info->addLayout(ticRow, 3, 1);
    layout->addLayout(info);
    auto* plot = new QLabel(&d);
    plot->setFixedSize(202, 102);
    layout->addWidget(plot, 0, Qt::AlignHCenter);
    auto* problem = new QLabel(&d);
    layout->addWidget(problem);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton("Cancel", &d);
    auto* done = new QPushButton("Done", &d);
    done->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    unsigned seed = 1;
    const auto refresh = [&] {
        ratio->setText(utf8(model.compressionText()));
        duration->setText(utf8(model.screenDurationText()));
        screens->setText(utf8(model.totalScreensText()));
        ticCaption->setText(utf8(model.ticCaption()));
        ticUnit->setText(utf8(model.ticUnit()));
        tic->setText(QString::number(model.ticValue(), 'g', 6));
        scroll->setVisible(model.scrollingOffered());
        QPixmap pix(202, 102);
        pix.fill(toQColor(p.colours.ChartBackgroundColor));
        QPainter g(&pix);
        g.setPen(toQColor(p.colours.ChartFrameColor));
        g.drawRect(0, 0, 201, 101);
        g.setPen(toQColor(p.colours.ChartDataColor));
        QPointF last(-1, -1);
        for (const auto& [x, row] : model.testPlot(++seed)) {
            const QPointF next(1 + x, row - 54);  // rows 80..129 in the middle of the box
            if (last.x() >= 0) {
                g.drawLine(last, next);
            }
            last = next;
        }
        plot->setPixmap(pix);
    };
    QObject::connect(viewGroup, &QButtonGroup::idClicked, &d, [&](int i) {
        model.chooseView(kChartViews[static_cast<size_t>(i)]);
        refresh();
    });
    QObject::connect(scrollGroup, &QButtonGroup::idClicked, &d,
                     [&](int i) { model.chooseScrolling(i); });
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(done, &QPushButton::clicked, &d, [&] {
        if (model.done(tic->text().toStdString())) {
            d.accept();
        } else {
            problem->setText("The tic unit must be a number above 0.");
        }
    });
    refresh();
    if (d.exec() != QDialog::Accepted) {
        p.session.ChartView = oldView;
        p.prefs[kPrefChartViewStyle] = static_cast<int16_t>(oldScroll);
        COMPUTETICS(p);
    }
}

void runWindowSizeWindow(QWidget* parent, Program& p) {
    class SizeWindow final : public QDialog {
      public:
        SizeWindow(QWidget* parent, Program& p) : QDialog(parent), drag_(p) {
            setWindowTitle(" Acquisition Window Example ");
            setMinimumSize(640 - 14, 400 - 14);
            resize(p.prefs[kPrefWindowWidth] - 14, p.prefs[kPrefWindowHeight] - 14);
        }
        WindowSizeDrag drag_;

      protected:
        void resizeEvent(QResizeEvent* e) override {
            drag_.dragTo(width(), height());
            QDialog::resizeEvent(e);
            update();
        }
        void paintEvent(QPaintEvent*) override {
            QPainter g(this);
            g.fillRect(rect(), QColor(235, 240, 250));
            g.setPen(QPen(QColor(120, 120, 160), 1, Qt::DashLine));
            for (const auto& [w, h] : WindowSizeDrag::outlines()) {
                g.drawRect(0, 0, w - 14, h - 14);
                const QString name =
                    w == 640 ? "640 X 400 (minimum)" : QString("%1 X %2").arg(w).arg(h);
                g.drawText(w - 14 - 130, h - 14 - 6, name);
            }
            g.setPen(Qt::black);
            g.drawText(20, 30,
                       QString("Screen width: %1    Screen height: %2")
                           .arg(drag_.width())
                           .arg(drag_.height()));
            g.drawText(20, 50,
                       "Drag the window's corner to the size wanted, then click or press a key.");
        }
        void mousePressEvent(QMouseEvent*) override { accept(); }
        void keyPressEvent(QKeyEvent*) override { accept(); }
    };
    const int oldWidth = p.prefs[kPrefWindowWidth];
    const int oldHeight = p.prefs[kPrefWindowHeight];
    SizeWindow d(parent, p);
    if (d.exec() == QDialog::Accepted) {
        d.drag_.finish();
    } else {
        p.prefs[kPrefWindowWidth] = static_cast<int16_t>(oldWidth);
        p.prefs[kPrefWindowHeight] = static_cast<int16_t>(oldHeight);
    }
}

void runStatusDisplaysWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Status Displays");
    auto* layout = new QVBoxLayout(&d);
    auto* speed = new QGroupBox("Channel read-outs follow each scan when the interval is", &d);
    auto* speedBox = new QVBoxLayout(speed);
    auto* speedGroup = new QButtonGroup(&d);
    const auto& choices = displaySpeedChoices();
    for (size_t i = 0; i < choices.size(); ++i) {
        auto* b = new QRadioButton(choices[i].text, speed);
        b->setChecked(static_cast<int>(i) == displaySpeedChoice(p.session));
        speedGroup->addButton(b, static_cast<int>(i));
        speedBox->addWidget(b);
    }
    auto* note = new QLabel(utf8(displaySpeedNote(p.session)), speed);
    note->setWordWrap(true);
    speedBox->addWidget(note);
    layout->addWidget(speed);
    auto* large = new QCheckBox("Large Readouts", &d);
    large->setChecked(p.prefs[kPrefLargeReadouts] != 0);
    auto* switching = new QCheckBox("Show Switch Status", &d);
    switching->setChecked(p.prefs[kPrefSwitchingStatusInPlots] != 0);
    layout->addWidget(large);
    layout->addWidget(switching);
    auto* digits = new QGroupBox("Significant Digits", &d);
    auto* digitRow = new QHBoxLayout(digits);
    auto* digitGroup = new QButtonGroup(&d);
    for (int n : {4, 5, 6}) {
        auto* b = new QRadioButton(n == 4 ? "Four" : n == 5 ? "Five" : "Six", digits);
        b->setChecked(p.session.SigFigs == n);
        digitGroup->addButton(b, n);
        digitRow->addWidget(b);
    }
    layout->addWidget(digits);
    auto* ok = new QPushButton("Displays OK", &d);
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    Session preview = p.session;
    QObject::connect(speedGroup, &QButtonGroup::idClicked, &d, [&](int i) {
        chooseDisplaySpeed(preview, i);
        note->setText(utf8(displaySpeedNote(preview)));
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    if (d.exec() == QDialog::Accepted) {
        chooseDisplaySpeed(p.session, speedGroup->checkedId());
        chooseSigFigs(p.session, digitGroup->checkedId());
        p.prefs[kPrefLargeReadouts] = large->isChecked() ? 1 : 0;
        p.prefs[kPrefSwitchingStatusInPlots] = switching->isChecked() ? 1 : 0;
    }
}

}  // namespace trindel::gui
