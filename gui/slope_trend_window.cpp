// The slope-indicator window ("Slope Trends..."), bound to SlopeTrendWindow.
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "signal/slope_trend_window.h"
#include "windows.h"

namespace trindel::gui {

void runSlopeTrendWindow(QWidget* parent, Program& p) {
    SlopeTrendWindow w(p.alarm, p.session.nChan);
    QDialog d(parent);
    d.setObjectName("slopeTrends");
    d.setWindowTitle("Slope Trends");
    auto* layout = new QVBoxLayout(&d);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("channel"), 0, 0);
    grid->addWidget(new QLabel("number of points"), 0, 1);
    std::vector<QCheckBox*> boxes;
    std::vector<QLineEdit*> fields;
    for (int c = 1; c <= w.channels(); ++c) {
        auto* box = new QCheckBox(QString("Show Slope  ch. %1  ").arg(c) +
                                  fromMacRoman(p.channels.label(c)).trimmed());
        auto* field = new QLineEdit;
        field->setMaximumWidth(80);
        grid->addWidget(box, c, 0);
        grid->addWidget(field, c, 1);
        boxes.push_back(box);
        fields.push_back(field);
        QObject::connect(box, &QCheckBox::clicked, &d, [&w, c] { w.toggleShowSlope(c); });
        QObject::connect(field, &QLineEdit::textEdited, &d,
                         [&w, c](const QString& t) { w.setPoints(c, t.toStdString()); });
    }
    layout->addLayout(grid);
    const auto refresh = [&] {
        for (int c = 1; c <= w.channels(); ++c) {
            const auto i = static_cast<size_t>(c - 1);
            boxes[i]->setChecked(w.showSlope(c));
            fields[i]->setText(QString::fromStdString(w.points(c)));
        }
    };
    auto* row = new QHBoxLayout;
    auto* clear = new QPushButton("Clear All");
    auto* set = new QPushButton("Set All");
    auto* ok = new QPushButton("Slope Setup OK");
    clear->setAutoDefault(false);
    set->setAutoDefault(false);
    ok->setDefault(true);
    row->addWidget(clear);
    row->addWidget(set);
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(clear, &QPushButton::clicked, &d, [&] {
        w.clearAll();
        refresh();
    });
    QObject::connect(set, &QPushButton::clicked, &d, [&] {
        w.setAll();
        refresh();
    });
    bool stored = false;
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        stored = true;
        d.accept();
    });
    refresh();
    d.exec();
    if (stored) {
        w.slopeSetupOK(p.alarm);
    }
}

}  // namespace trindel::gui
