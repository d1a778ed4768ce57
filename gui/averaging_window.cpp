// The averaging window of one channel: readings averaged per sample, the two continuous-averaging
// switches and "Absolute value", bound to their model.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup_windows.h"
#include "signal/averaging_window.h"

namespace trindel::gui {

std::optional<int> runAveragingWindow(QWidget* parent, Program& p, int channel) {
    AveragingWindow m(p, channel);
    QDialog d(parent);
    d.setObjectName("averagingWindow");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("<b>Averaging</b>"));
    layout->addWidget(new QLabel("The number of readings averaged per sample"));
    layout->addWidget(new QLabel("(initial value is estimated MAXIMUM possible)"));
    auto* field = new QLineEdit;
    field->setObjectName("readingsPerSample");
    layout->addWidget(field);
    auto* all = new QCheckBox("Continous Averaging\n(all channels)");
    auto* last = new QCheckBox("Continuous Averaging\n(last channel only)");
    auto* absolute = new QCheckBox("Absolute value");
    layout->addWidget(all);
    layout->addWidget(last);
    layout->addWidget(absolute);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    layout->addWidget(ok);
    const auto refresh = [&] {
        field->setText(QString::fromStdString(m.field()));
        const bool continuous = m.field() == kContinuousFieldText;
        field->setReadOnly(continuous);
        all->setChecked(p.prefs[kPrefContinuousScanning] != 0);
        last->setChecked(p.prefs[kPrefLastChannelContinuous] != 0);
        last->setVisible(m.lastChannelButtonShown());
        absolute->setEnabled(m.absoluteValueEnabled());
        absolute->setChecked(p.conversion.AbsVal != 0);
    };
    QObject::connect(field, &QLineEdit::textEdited, &d,
                     [&](const QString& t) { m.setField(t.toStdString()); });
    QObject::connect(all, &QCheckBox::clicked, &d, [&] {
        m.toggleAllChannels();
        refresh();
    });
    QObject::connect(last, &QCheckBox::clicked, &d, [&] {
        m.toggleLastChannel();
        refresh();
    });
    QObject::connect(absolute, &QCheckBox::clicked, &d, [&] {
        m.toggleAbsoluteValue();
        refresh();
    });
    bool chosen = false;
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        chosen = true;
        d.accept();
    });
    refresh();
    d.exec();
    if (!chosen) {
        return std::nullopt;
    }
    return m.selectionOK();
}

}  // namespace trindel::gui
