// "Data Display for Oscilloscope": which samples of a sweep are drawn and the scope's tick unit,
// bound to ScopeViewModel, with a test plot of typical data.
#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include "display/scope_view.h"
#include "windows.h"

namespace trindel::gui {

namespace {

// The test plot: the model's number of random points joined across the plot.
QPixmap testPlot(const ScopeViewModel& m, const Program& p) {
    QPixmap pix(400, 120);
    pix.fill(QColor(0, 0, 54));
    QPainter painter(&pix);
    painter.setPen(QColor(252, 243, 5));
    const int n = std::max(2, std::min(m.testPoints(), 4000));
    QRandomGenerator random(static_cast<quint32>(p.session.ScopeMax + m.step()));
    QPointF last(0, 60);
    for (int k = 1; k < n; ++k) {
        const QPointF next(400.0 * k / (n - 1),
                           60 + 40 * std::sin(k * 12.0 / n) + random.bounded(20) - 10);
        painter.drawLine(last, next);
        last = next;
    }
    return pix;
}

}  // namespace

void runScopeViewDialog(QWidget* parent, Program& p) {
    ScopeViewModel m(p);
    QDialog d(parent);
    d.setWindowTitle("Data Display for Oscilloscope");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Scope View:"));
    layout->addWidget(
        new QLabel("Select the fraction of samples shown.  The\ntest plot shows how 'typical' data "
                   "will look."));
    auto* grid = new QGridLayout;
    auto* group = new QButtonGroup(&d);
    int i = 0;
    for (const ScopeViewChoice& c : scopeViewChoices()) {
        auto* r =
            new QRadioButton(QString::fromUtf8(c.label.data(), static_cast<int>(c.label.size())));
        group->addButton(r, c.step);
        r->setChecked(c.step == m.step());
        grid->addWidget(r, i % 5, i / 5);
        ++i;
    }
    layout->addLayout(grid);
    auto* plot = new QLabel;
    plot->setPixmap(testPlot(m, p));
    layout->addWidget(plot);
    auto* tics = new QGridLayout;
    auto* defaultTic = new QRadioButton("Use Default Tic Unit:");
    auto* customTic = new QRadioButton("Use Custom Tic Unit:");
    auto* ticGroup = new QButtonGroup(&d);
    ticGroup->addButton(defaultTic);
    ticGroup->addButton(customTic);
    auto* value = new QLineEdit;
    defaultTic->setChecked(m.customTic() == 0.0);
    customTic->setChecked(m.customTic() != 0.0);
    tics->addWidget(defaultTic, 0, 0);
    tics->addWidget(customTic, 1, 0);
    tics->addWidget(value, 1, 1);
    tics->addWidget(new QLabel(m.minutes() ? "minutes" : "seconds"), 1, 2);
    layout->addLayout(tics);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);
    QObject::connect(group, &QButtonGroup::idClicked, &d, [&](int step) {
        m.chooseStep(static_cast<int16_t>(step));
        plot->setPixmap(testPlot(m, p));
    });
    QObject::connect(defaultTic, &QRadioButton::clicked, &d, [&] { m.useDefaultTic(); });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        if (customTic->isChecked() && !m.useCustomTic(value->text().toStdString())) {
            value->setFocus();
            value->selectAll();
            return;  // a tick that is not a positive number is not taken
        }
        d.accept();
    });
    d.exec();
    m.apply(p);
}

}  // namespace trindel::gui
