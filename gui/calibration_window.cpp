// The direct-calibration window: calibration values typed by the user against averaged readings
// of the channel's input, the point table, the fit with its plot or residual plot, and "Equation
// OK" handing the fit to the conversion window.
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "qt_platform.h"
#include "run/calibration_reading.h"
#include "setup_windows.h"
#include "signal/conversion_window.h"
#include "text/field_text.h"
#include "windows.h"

namespace trindel::gui {

namespace {

QString number(double v) {
    return QString::fromStdString(fieldText(static_cast<float>(v)));
}

// Axis ends in four significant digits.
QString axisNumber(double v) {
    return QString::number(v, 'g', 4);
}

// The calibration plot (points, fitted curve, equation and "N, r-squared") or the residual plot.
class CalibrationPlot final : public QWidget {
  public:
    explicit CalibrationPlot(const DirectCalibrationModel& m) : m_(m) {
        setObjectName("calibrationPlot");
        setMinimumSize(420, 340);
    }
    bool residuals = false;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.setRenderHint(QPainter::Antialiasing);
        g.fillRect(rect(), Qt::white);
        const QRect area = rect().adjusted(76, 40, -34, -44);
        g.setPen(Qt::black);
        g.drawRect(area);
        g.drawText(QRect(area.left(), area.bottom() + 22, area.width(), 18), Qt::AlignCenter,
                   "measured voltage");
        g.save();
        g.translate(14, area.center().y());
        g.rotate(-90);
        g.drawText(QRect(-100, 0, 200, 18), Qt::AlignCenter,
                   residuals ? "residuals" : "calibration value");
        g.restore();
        const auto& pts = m_.points();
        if (pts.empty()) {
            g.drawText(area, Qt::AlignCenter, "no points yet");
            return;
        }
        double x0 = pts[0].x, x1 = pts[0].x, y0 = 0.0, y1 = 0.0;
        for (const auto& p : pts) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
        }
        const auto& res = m_.residuals();
        if (residuals) {
            y0 = *std::min_element(res.begin(), res.end());
            y1 = *std::max_element(res.begin(), res.end());
        } else {
            const DisplayRange r = m_.plotRange();
            y0 = r.min;
            y1 = r.max;
        }
        widen(x0, x1);
        widen(y0, y1);
        const auto px = [&](double x) { return area.left() + (x - x0) / (x1 - x0) * area.width(); };
        const auto py = [&](double y) {
            return area.bottom() - (y - y0) / (y1 - y0) * area.height();
        };
        g.drawText(QRect(area.left() - 74, area.top() - 8, 70, 16), Qt::AlignRight, axisNumber(y1));
        g.drawText(QRect(area.left() - 74, area.bottom() - 8, 70, 16), Qt::AlignRight,
                   axisNumber(y0));
        g.drawText(QRect(area.left() - 34, area.bottom() + 4, 68, 16), Qt::AlignCenter,
                   axisNumber(x0));
        g.drawText(QRect(area.right() - 34, area.bottom() + 4, 68, 16), Qt::AlignCenter,
                   axisNumber(x1));
        g.setClipRect(area.adjusted(-4, -4, 4, 4));
        if (residuals) {
            g.setPen(QPen(Qt::gray, 1, Qt::DashLine));
            if (y0 < 0.0 && y1 > 0.0) {
                g.drawLine(QPointF(area.left(), py(0.0)), QPointF(area.right(), py(0.0)));
            }
        } else if (m_.hasFit()) {
            QPainterPath curve;
            for (int i = 0; i <= 200; ++i) {
                const double x = x0 + (x1 - x0) * i / 200.0;
                const QPointF at(px(x), py(evaluateFit(m_.type(), m_.fit(), x)));
                i == 0 ? curve.moveTo(at) : curve.lineTo(at);
            }
            g.setPen(QPen(QColor(0, 90, 200), 2));
            g.drawPath(curve);
        }
        g.setPen(Qt::black);
        g.setBrush(QColor(200, 30, 30));
        for (size_t i = 0; i < pts.size(); ++i) {
            const double y = residuals ? res[i] : pts[i].y;
            g.drawRect(QRectF(px(pts[i].x) - 3, py(y) - 3, 6, 6));
        }
        g.setClipping(false);
        if (!residuals) {
            g.drawText(QRect(area.left(), 4, area.width(), 16), Qt::AlignLeft,
                       QString::fromStdString(m_.fitText()));
            g.drawText(QRect(area.left(), 20, area.width(), 16), Qt::AlignLeft,
                       QString::fromStdString(m_.statsText()));
        }
    }

  private:
    static void widen(double& lo, double& hi) {
        if (!(hi > lo)) {
            lo -= 1.0;
            hi += 1.0;
        }
        const double pad = (hi - lo) * 0.06;
        lo -= pad;
        hi += pad;
    }
    const DirectCalibrationModel& m_;
};

}  // namespace

bool runCalibrationWindow(QWidget* parent, Program& p, Platform& io, ConversionWindowModel& conv) {
    const int channel = conv.channel();
    const int input = static_cast<int>(p.channels.Nvar[static_cast<size_t>(channel)][kInputNumber]);
    DirectCalibrationModel m(channel, input, conv.label(), conv.type());
    QDialog d(parent);
    d.setObjectName("directCalibration");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* outer = new QHBoxLayout(&d);
    auto* left = new QVBoxLayout;

    auto* instructions = new QLabel(
        "Enter each new calibration value, then 'get voltage' or hit 'return'.   The  "
        "conversion equation and data plot will update as new data are entered.  When done, "
        "edit the channel label as desired and click 'Equation OK'.");
    instructions->setWordWrap(true);
    instructions->setMaximumWidth(330);
    left->addWidget(instructions);

    auto* form = new QFormLayout;
    auto* value = new QLineEdit;
    value->setObjectName("calibrationValue");
    auto* readings = new QComboBox;
    readings->setObjectName("readingsAveraged");
    for (int n : kCalibrationReadings) {
        readings->addItem(QString::number(n), n);
    }
    readings->setCurrentIndex(readings->findData(m.readings()));
    auto* volts = new QLineEdit;
    volts->setReadOnly(true);
    volts->setObjectName("measuredVolts");
    auto* equation = new QLineEdit;
    equation->setReadOnly(true);
    auto* label = new QLineEdit(fromMacRoman(m.label()));
    label->setObjectName("calibrationLabel");
    label->setMaxLength(kLabelWidth);
    form->addRow("calibration:", value);
    form->addRow("readings averaged:", readings);
    form->addRow("measured volts:", volts);
    form->addRow("equation:", equation);
    form->addRow("channel label:", label);
    left->addLayout(form);

    auto* get = new QPushButton("Get Voltage");
    get->setObjectName("getVoltage");
    // Return in the value field takes the point itself: no default button, or it would take two.
    get->setAutoDefault(false);
    left->addWidget(get);
    auto* count = new QLabel;
    left->addWidget(count);

    auto* types = new QButtonGroup(&d);
    auto* typeRow = new QHBoxLayout;
    const std::pair<int, const char*> typeButtons[] = {
        {kCalLinear, "Linear"}, {kCalPower, "Power"}, {kCalQuadratic, "2-order Poly"}};
    for (auto [type, text] : typeButtons) {
        auto* b = new QRadioButton(text);
        b->setChecked(type == m.type());
        types->addButton(b, type);
        typeRow->addWidget(b);
    }
    left->addLayout(typeRow);
    auto* powerNote =
        new QLabel("NOTE:  negative inputs are ignored\nfor power function calculations.");
    left->addWidget(powerNote);
    auto* problem = new QLabel;
    problem->setWordWrap(true);
    problem->setStyleSheet("color: #a00000");
    left->addWidget(problem);

    auto* table = new QTableWidget(0, 3);
    table->setObjectName("calibrationPoints");
    table->setHorizontalHeaderLabels({"calibration", "volts", "residual"});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setMinimumHeight(140);
    left->addWidget(table, 1);

    auto* buttons = new QHBoxLayout;
    auto* clear = new QPushButton("Clear");
    auto* showResiduals = new QPushButton("Show Residuals");
    auto* ok = new QPushButton("Equation OK");
    ok->setObjectName("equationOK");
    for (QPushButton* b : {clear, showResiduals, ok}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    left->addLayout(buttons);
    outer->addLayout(left);
    auto* plot = new CalibrationPlot(m);
    outer->addWidget(plot, 1);

    const auto refresh = [&] {
        count->setText(QString::fromStdString(m.countText()));
        equation->setText(QString::fromStdString(m.equationText()));
        powerNote->setVisible(m.powerNoteShown());
        problem->setText(QString::fromStdString(m.problemText()));
        const auto& pts = m.points();
        const auto& res = m.residuals();
        table->setRowCount(static_cast<int>(pts.size()));
        for (size_t i = 0; i < pts.size(); ++i) {
            const int row = static_cast<int>(i);
            table->setItem(row, 0, new QTableWidgetItem(number(pts[i].y)));
            table->setItem(row, 1, new QTableWidgetItem(number(pts[i].x)));
            table->setItem(row, 2, new QTableWidgetItem(m.hasFit() ? number(res[i]) : QString()));
        }
        if (!pts.empty()) {
            table->scrollToBottom();
        }
        showResiduals->setText(plot->residuals ? "Show Calibration" : "Show Residuals");
        plot->update();
    };
    bool accepted = false;
    const auto takePoint = [&] {
        const QString text = value->text().trimmed();
        bool isNumber = false;
        const double y = text.toDouble(&isNumber);
        if (!isNumber || !std::isfinite(y)) {
            io.sounds.play("bzot");
            value->selectAll();
            return;
        }
        const double x = DCALgetVOLTS(p, io, channel, m.readings(), y);
        volts->setText(number(x));
        m.addPoint(y, x);
        refresh();
        value->selectAll();
        value->setFocus();
        if (m.full()) {
            accepted = true;
            d.accept();
        }
    };
    QObject::connect(get, &QPushButton::clicked, &d, takePoint);
    QObject::connect(value, &QLineEdit::returnPressed, &d, takePoint);
    QObject::connect(readings, &QComboBox::currentIndexChanged, &d,
                     [&](int i) { m.setReadings(readings->itemData(i).toInt()); });
    QObject::connect(types, &QButtonGroup::idClicked, &d, [&](int type) {
        m.setType(type);
        refresh();
    });
    QObject::connect(label, &QLineEdit::textChanged, &d,
                     [&](const QString& t) { m.setLabel(toMacRoman(t)); });
    QObject::connect(clear, &QPushButton::clicked, &d, [&] {
        io.sounds.play("rip");
        m.clear();
        volts->clear();
        refresh();
    });
    QObject::connect(showResiduals, &QPushButton::clicked, &d, [&] {
        plot->residuals = !plot->residuals;
        refresh();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        accepted = true;
        d.accept();
    });
    refresh();
    value->setFocus();
    d.exec();
    if (accepted) {
        conv.takeCalibration(m.equationOK());
    } else {
        // The close box discards the points ("rip").
        io.sounds.play("rip");
        conv.takeCalibration(m.closeBox());
    }
    return accepted;
}

}  // namespace trindel::gui
