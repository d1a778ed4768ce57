// "Sun Cycle Calculator" with its annual plot and spreadsheet export, and "Day of the Year".
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <ctime>

#include "calculator_windows.h"
#include "calculators/sun_cycle_window.h"
#include "calculators/sun_plot.h"
#include "files/atomic_file.h"
#include "qt_platform.h"
#include "text/date_stamp.h"
#include "world_map_dialog.h"

namespace trindel::gui {

namespace {

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

std::string today() {
    return localStamp(std::time(nullptr)).date;
}

// The annual plot: the frame from (70, 30) to (618, 270), night grey, day bars, the grid and the
// sunrise and sunset dots, with the scales' labels and the legend below.
class SunPlotView final : public QWidget {
  public:
    SunPlotView(const Program& p, QWidget* parent) : QWidget(parent), p_(p) {
        setFixedSize(660, 330);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), Qt::white);
        const Colours& c = p_.colours;
        const QRect frame(kSunPlotLeft, kSunPlotTop, kSunPlotRight - kSunPlotLeft,
                          kSunPlotBottom - kSunPlotTop);
        g.fillRect(frame, toQColor(c.mediumDarkGray));
        const SunPlotShapes shapes = SunCyclePlot(p_.calculators.SunCycleArray);
        const QColor day = toQColor(c.sunset);
        for (const SunPlotBar& b : shapes.bars) {
            const double top = std::min(b.yFrom, b.yTo);
            g.fillRect(QRectF(b.x, top, 2.0, std::fabs(b.yTo - b.yFrom)), day);
        }
        // Grid: every 2 hours and at the first day of each month.
        g.setPen(QPen(QColor(0, 0, 0, 70), 1, Qt::DotLine));
        for (int h = 2; h < 24; h += 2) {
            g.drawLine(QPointF(kSunPlotLeft, sunPlotY(h)), QPointF(kSunPlotRight, sunPlotY(h)));
        }
        static constexpr int kMonthStarts[] = {1,   32,  60,  91,  121, 152,
                                               182, 213, 244, 274, 305, 335};
        for (int m = 1; m < 12; ++m) {
            g.drawLine(QPointF(sunPlotX(kMonthStarts[m]), kSunPlotTop),
                       QPointF(sunPlotX(kMonthStarts[m]), kSunPlotBottom));
        }
        g.setPen(Qt::black);
        g.drawRect(frame);
        g.setRenderHint(QPainter::Antialiasing);
        for (const SunPlotDot& dot : shapes.dots) {
            const QColor colour = dot.sunrise ? QColor(230, 110, 0) : QColor(40, 60, 200);
            g.setPen(colour);
            g.setBrush(colour);
            g.drawEllipse(QPointF(dot.x + 1.0, dot.y), 1.0, 1.0);
        }
        g.setRenderHint(QPainter::Antialiasing, false);
        g.setPen(Qt::black);
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        g.setFont(small);
        for (int h = 0; h <= 24; h += 4) {
            g.drawText(QRectF(kSunPlotLeft - 30, sunPlotY(h) - 8, 24, 16),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(h));
        }
        for (int m = 0; m < 12; ++m) {
            g.drawText(QRectF(sunPlotX(kMonthStarts[m]), kSunPlotBottom + 2, 46, 16), Qt::AlignLeft,
                       QString(kMonths[m]).left(3));
        }
        g.drawText(QRectF(kSunPlotLeft, kSunPlotBottom + 18, 548, 16), Qt::AlignHCenter,
                   "Day of Year");
        g.drawText(QRectF(2, 120, 40, 48), Qt::AlignCenter, "Time\nof\nDay");
        // Legend.
        const int y = kSunPlotBottom + 40;
        g.fillRect(QRect(80, y, 14, 12), toQColor(c.mediumDarkGray));
        g.drawText(QPointF(96, y + 11), " = Night ");
        g.fillRect(QRect(170, y, 14, 12), day);
        g.drawText(QPointF(188, y + 11), "= Day");
        g.setBrush(QColor(230, 110, 0));
        g.setPen(QColor(230, 110, 0));
        g.drawEllipse(QPointF(262, y + 6), 3.0, 3.0);
        g.setPen(Qt::black);
        g.drawText(QPointF(270, y + 11), "Sunrise time        ");
        g.setBrush(QColor(40, 60, 200));
        g.setPen(QColor(40, 60, 200));
        g.drawEllipse(QPointF(392, y + 6), 3.0, 3.0);
        g.setPen(Qt::black);
        g.drawText(QPointF(400, y + 11), "Sunset time");
    }

  private:
    const Program& p_;
};

void saveSpreadsheet(QWidget* parent, const Program& p) {
    const QString path =
        QFileDialog::getSaveFileName(parent, "File for sun cycle data:", "Sun cycle data.xls");
    if (path.isEmpty()) {
        return;
    }
    const std::string text = sunCycleSpreadsheet(p.calculators.SunCycleArray,
                                                 p.calculators.latitude, p.calculators.longitude);
    const std::string error = writeFileAtomically(path.toStdString(), text).error;
    if (!error.empty()) {
        QMessageBox::warning(parent, "Sun cycle data", utf8(error));
    }
}

QDialog* openPlotWindow(QWidget* parent, Program& p) {
    auto* w = new QDialog(parent);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(utf8(sunPlotTitle(p.calculators.latitude, p.calculators.longitude)));
    auto* layout = new QVBoxLayout(w);
    auto* title = new QLabel(w->windowTitle());
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    layout->addWidget(new SunPlotView(p, w));
    auto* print = new QPushButton("Print Data to Spreadsheet");
    QObject::connect(print, &QPushButton::clicked, w, [w, &p] { saveSpreadsheet(w, p); });
    layout->addWidget(print, 0, Qt::AlignLeft);
    w->show();
    return w;
}

}  // namespace

void runSunCycleWindow(QWidget* parent, Program& p) {
    SunCycleWindow m(p, today());
    QDialog d(parent);
    d.setWindowTitle("Sun Cycle Calculator");
    FieldBinder f;
    auto* layout = new QVBoxLayout(&d);
    auto* head = new QLabel("Sunrise, Sunset, and Day Length");
    QFont hf = head->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.2);
    head->setFont(hf);
    layout->addWidget(head);
    layout->addWidget(new QLabel("Enter location and date and click 'Calculate':"));
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    auto* ns = new QButtonGroup(&d);
    auto* north = new QRadioButton("North");
    auto* south = new QRadioButton("South");
    ns->addButton(north);
    ns->addButton(south);
    auto* we = new QButtonGroup(&d);
    auto* west = new QRadioButton("West");
    auto* east = new QRadioButton("East");
    we->addButton(west);
    we->addButton(east);
    grid->addWidget(new QLabel("Latitude in degrees (0 - 90) "), 0, 0);
    grid->addWidget(f.edit(m.latitude, 80, "latitude"), 0, 1);
    grid->addWidget(north, 0, 2);
    grid->addWidget(south, 0, 3);
    grid->addWidget(new QLabel("Longitude in degrees (0 - 180) "), 1, 0);
    grid->addWidget(f.edit(m.longitude), 1, 1);
    grid->addWidget(west, 1, 2);
    grid->addWidget(east, 1, 3);
    auto* map = new QPushButton("Get Latitude and Longitude From World Map");
    map->setAutoDefault(false);
    grid->addWidget(map, 2, 0, 1, 4, Qt::AlignLeft);

    layout->addWidget(new QLabel("Enter either the day of the year OR the date:"));
    auto* dateRow = new QHBoxLayout;
    auto* month = new QComboBox;
    for (const char* name : kMonths) {
        month->addItem(name);
    }
    auto* dayEdit = f.edit(m.date.day, 40);
    auto* yearEdit = f.edit(m.date.year, 60);
    auto* todayButton = new QPushButton("Use Today's Date");
    todayButton->setAutoDefault(false);
    dateRow->addWidget(month);
    dateRow->addWidget(new QLabel("Day"));
    dateRow->addWidget(dayEdit);
    dateRow->addWidget(new QLabel("Year"));
    dateRow->addWidget(yearEdit);
    dateRow->addWidget(todayButton);
    dateRow->addSpacing(16);
    dateRow->addWidget(new QLabel("Day of the year:"));
    dateRow->addWidget(f.edit(m.date.dayOfYear, 50, "dayOfYear"));
    dateRow->addStretch();
    layout->addLayout(dateRow);

    auto* dst = new QCheckBox("Daylight Savings Time");
    layout->addWidget(dst);
    auto* results = new QVBoxLayout;
    for (std::string* text :
         {&m.results.sunrise, &m.results.sunset, &m.results.dayLength, &m.results.solarNoon}) {
        auto* l = f.label(*text);
        l->setMinimumHeight(18);
        results->addWidget(l);
    }
    layout->addLayout(results);
    auto* reason = reasonLabel();
    layout->addWidget(reason);

    auto* calculate = new QPushButton("Calculate");
    calculate->setDefault(true);
    auto* plot = new QPushButton("Annual Plot");
    auto* usno = new QPushButton(QString::fromUtf8("US Naval Observatory Website\xE2\x80\xA6"));
    auto* done = new QPushButton("Done");
    for (QPushButton* b : {plot, usno, done}) {
        b->setAutoDefault(false);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(calculate);
    row->addWidget(plot);
    row->addWidget(usno);
    row->addStretch();
    row->addWidget(helpButton(&d, "Sun Cycle Calculator", SunCycleWindow::helpText()));
    row->addWidget(done);
    layout->addLayout(row);

    QPointer<QDialog> plotWindow;
    const auto show = [&] {
        f.push();
        north->setChecked(m.north);
        south->setChecked(!m.north);
        west->setChecked(m.west());
        east->setChecked(!m.west());
        const QSignalBlocker block(month);
        month->setCurrentIndex(std::clamp(m.date.month, 1, 12) - 1);
        showReason(reason, m.reason);
    };
    QObject::connect(ns, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setNorth(north->isChecked());
        show();
    });
    QObject::connect(we, &QButtonGroup::buttonClicked, &d, [&] {
        f.pull();
        m.setWest(west->isChecked());
        show();
    });
    QObject::connect(month, &QComboBox::activated, &d, [&](int index) {
        f.pull();
        m.chooseMonth(index + 1);
        show();
    });
    for (QLineEdit* e : {dayEdit, yearEdit}) {
        QObject::connect(e, &QLineEdit::editingFinished, &d, [&] {
            f.pull();
            m.dateEdited();
            show();
        });
    }
    QObject::connect(todayButton, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.useToday(today());
        show();
    });
    QObject::connect(calculate, &QPushButton::clicked, &d, [&] {
        f.pull();
        m.calculate();
        show();
    });
    QObject::connect(dst, &QCheckBox::toggled, &d, [&] {
        f.pull();
        m.toggleDaylightSaving();
        show();
    });
    QObject::connect(plot, &QPushButton::clicked, &d, [&] {
        f.pull();
        if (m.annualPlot()) {
            if (plotWindow) {
                plotWindow->close();
            }
            plotWindow = openPlotWindow(&d, p);
        }
        show();
    });
    QObject::connect(usno, &QPushButton::clicked, &d,
                     [] { QDesktopServices::openUrl(QUrl(SunCycleWindow::observatoryAddress())); });
    QObject::connect(map, &QPushButton::clicked, &d, [&] {
        f.pull();
        if (const auto picked = runWorldMapWindow(&d)) {
            m.takeMapPosition(*picked);
        }
        show();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    show();
    d.exec();
    if (plotWindow) {
        plotWindow->close();
    }
}

void runDayOfYearWindow(QWidget* parent) {
    DateFields m;
    m.setDate(today());
    QDialog d(parent);
    d.setWindowTitle("Day of the Year");
    FieldBinder f;
    auto* grid = new QGridLayout(&d);
    auto* month = new QComboBox;
    for (const char* name : kMonths) {
        month->addItem(name);
    }
    month->setCurrentIndex(std::clamp(m.month, 1, 12) - 1);
    auto* dayEdit = f.edit(m.day, 50);
    auto* yearEdit = f.edit(m.year, 60);
    grid->addWidget(new QLabel("Month:"), 0, 0);
    grid->addWidget(month, 0, 1);
    grid->addWidget(new QLabel("Day:"), 1, 0);
    grid->addWidget(dayEdit, 1, 1);
    grid->addWidget(new QLabel("Year:"), 2, 0);
    grid->addWidget(yearEdit, 2, 1);
    grid->addWidget(new QLabel("Day of year:"), 3, 0);
    auto* result = f.label(m.dayOfYear);
    QFont bf = result->font();
    bf.setBold(true);
    result->setFont(bf);
    grid->addWidget(result, 3, 1);
    auto* compute = new QPushButton("Compute");
    compute->setDefault(true);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    grid->addWidget(compute, 4, 0);
    grid->addWidget(done, 4, 1);
    const auto recompute = [&] {
        f.pull();
        m.month = month->currentIndex() + 1;
        m.computeDayOfYear();
        f.push();
    };
    QObject::connect(month, &QComboBox::activated, &d, recompute);
    QObject::connect(compute, &QPushButton::clicked, &d, recompute);
    QObject::connect(dayEdit, &QLineEdit::editingFinished, &d, recompute);
    QObject::connect(yearEdit, &QLineEdit::editingFinished, &d, recompute);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

}  // namespace trindel::gui
