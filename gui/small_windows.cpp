// "Possible Data Loss", the sample-rate check, the pause window and the note window.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "key_dialog.h"
#include "qt_platform.h"
#include "ui/make_sure.h"
#include "windows.h"

namespace trindel::gui {

bool runDataLossWindow(QWidget* parent, const std::string& unsavedText) {
    KeyDialog d(parent);
    d.setWindowTitle("Possible Data Loss");
    auto* layout = new QVBoxLayout(&d);
    auto* warning = new QLabel("WARNING...");
    QFont f = warning->font();
    f.setBold(true);
    warning->setFont(f);
    layout->addWidget(warning);
    layout->addWidget(new QLabel(QString::fromStdString(unsavedText)));
    layout->addWidget(new QLabel("   Proceed anyway?"));
    layout->addWidget(new QLabel("(if you do, these data will be lost)"));
    auto* row = new QHBoxLayout;
    auto* yes = new QPushButton("Y");
    auto* no = new QPushButton("N");
    no->setDefault(true);
    row->addWidget(yes);
    row->addWidget(no);
    layout->addLayout(row);
    bool answer = false;
    QObject::connect(yes, &QPushButton::clicked, &d, [&] {
        answer = true;
        d.accept();
    });
    QObject::connect(no, &QPushButton::clicked, &d, &QDialog::reject);
    d.onKey = [&](QKeyEvent* e) {
        const QString t = e->text();
        if (t.isEmpty()) {
            return e->key() != Qt::Key_Escape;  // only y, Y, n, N answer
        }
        const auto a = makeSureKeyAnswer(t[0].unicode());
        if (a) {
            answer = *a;
            d.accept();
        }
        return true;
    };
    d.exec();
    return answer;
}

void runSampleRateWindow(QWidget* parent, const SampleRateReport& report) {
    QDialog d(parent);
    d.setWindowTitle("recording check");
    auto* layout = new QVBoxLayout(&d);
    for (const std::string& line : sampleRateLines(report)) {
        layout->addWidget(new QLabel(QString::fromStdString(line)));
    }
    if (report.display.barEnd > 0) {
        // The bar runs from column 14 (0 %) to 232 (100 %).
        auto* bar = new QProgressBar;
        bar->setRange(0, 218);
        bar->setValue(std::clamp(report.display.barEnd - 14, 0, 218));
        bar->setFormat("%p% of requested");
        layout->addWidget(bar);
    }
    auto* ok = new QPushButton("OK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addWidget(ok);
    d.exec();
}

PauseOutcome runPauseWindow(QWidget* parent, Program& p, const std::function<void()>& refresh) {
    static const char* const kRates[] = {"0.002",    "0.004", "0.008", "0.016667", "0.033333",
                                         "0.066667", "0.1",   "0.25",  "0.5",      "1",
                                         "2",        "5",     "10"};
    PauseOutcome out;
    KeyDialog d(parent);
    d.setWindowTitle(" Acquisition Pause\xE2\x80\xA6 ");
    auto* layout = new QVBoxLayout(&d);
    auto* elapsed = new QLabel;
    layout->addWidget(elapsed);
    layout->addWidget(
        new QLabel("Enter a short note if you wish (< 255 characters; text doesn't wrap):"));
    auto* note = new QLineEdit;
    note->setObjectName("noteText");
    note->setMaxLength(254);
    layout->addWidget(note);
    auto* rate = new QComboBox;
    rate->addItem("Sample Rate");
    for (const char* r : kRates) {
        rate->addItem(QString(r) + " sec");
    }
    layout->addWidget(rate);
    auto* scales = new QGridLayout;
    std::vector<std::pair<QDoubleSpinBox*, QDoubleSpinBox*>> fields;
    for (int c = 1; c <= p.session.nChan; ++c) {
        auto* lo = new QDoubleSpinBox;
        auto* hi = new QDoubleSpinBox;
        for (QDoubleSpinBox* box : {lo, hi}) {
            box->setRange(-1e9, 1e9);
            box->setDecimals(4);
            box->setVisible(false);
        }
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        lo->setValue(row[kDisplayMin]);
        hi->setValue(row[kDisplayMax]);
        auto* label = new QLabel(QString("Channel %1").arg(c));
        label->setVisible(false);
        scales->addWidget(label, c, 0);
        scales->addWidget(lo, c, 1);
        scales->addWidget(hi, c, 2);
        fields.emplace_back(lo, hi);
    }
    layout->addLayout(scales);
    auto* row = new QHBoxLayout;
    auto* resume = new QPushButton("Resume");
    auto* scale = new QPushButton("\xE2\x88\x86 Display Scale\xE2\x80\xA6");
    auto* refreshButton = new QPushButton("Refresh");
    refreshButton->setCheckable(true);
    resume->setDefault(true);
    scale->setAutoDefault(false);
    refreshButton->setAutoDefault(false);
    row->addWidget(scale);
    row->addWidget(refreshButton);
    row->addWidget(resume);
    layout->addLayout(row);
    QObject::connect(scale, &QPushButton::clicked, &d, [&] {
        out.scalesEdited = true;
        for (int i = 0; i < scales->count(); ++i) {
            scales->itemAt(i)->widget()->setVisible(true);
        }
    });
    QObject::connect(resume, &QPushButton::clicked, &d, &QDialog::accept);
    QTimer refreshTimer;
    const int ticks = p.device.External_AD == 8 ? 60 : 30;
    QObject::connect(&refreshTimer, &QTimer::timeout, &d, [&] { refresh(); });
    QObject::connect(refreshButton, &QPushButton::toggled, &d, [&](bool on) {
        if (on) {
            refresh();
            refreshTimer.start(ticks * 1000 / 60);
        } else {
            refreshTimer.stop();
        }
    });
    QElapsedTimer since;
    since.start();
    QTimer tick;
    const auto showElapsed = [&] {
        elapsed->setText(QString("paused for %1 seconds").arg(since.elapsed() / 1000));
    };
    QObject::connect(&tick, &QTimer::timeout, &d, showElapsed);
    tick.start(500);
    showElapsed();
    d.onKey = [&](QKeyEvent* e) {
        // Any key resumes, unless it is typed into the note or a scale field.
        if (d.focusWidget() == note || dynamic_cast<QDoubleSpinBox*>(d.focusWidget()) ||
            e->text().isEmpty()) {
            return false;
        }
        d.accept();
        return true;
    };
    note->setFocus();
    d.exec();
    out.note = toMacRoman(note->text());
    if (rate->currentIndex() > 0) {
        out.sampleRateItem = rate->currentIndex();
    }
    for (size_t c = 1; c <= fields.size(); ++c) {
        out.displayMin[c] = static_cast<float>(fields[c - 1].first->value());
        out.displayMax[c] = static_cast<float>(fields[c - 1].second->value());
    }
    return out;
}

std::optional<std::string> runNoteWindow(QWidget* parent) {
    QDialog d(parent);
    d.setWindowTitle("Note");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Enter a note for this moment of the recording:"));
    auto* text = new QLineEdit;
    text->setMaxLength(254);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("OK");
    ok->setDefault(true);
    row->addWidget(cancel);
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    if (d.exec() != QDialog::Accepted || text->text().isEmpty()) {
        return std::nullopt;
    }
    return toMacRoman(text->text());
}

}  // namespace trindel::gui
