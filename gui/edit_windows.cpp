// The Edit menu's small windows: "Data File Info" and "Sample Rate Precision".
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "menu_hooks_views.h"
#include "ui/view_choices.h"
#include "windows.h"

namespace trindel::gui {

void runDataFileInfoWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Data File Info");
    auto* layout = new QVBoxLayout(&d);
    auto* facts = new QPlainTextEdit(&d);
    facts->setObjectName("dataFileFacts");
    facts->setReadOnly(true);
    QString text;
    for (const std::string& line : dataFileFacts(p)) {
        text += fromMacRoman(line) + "\n";
    }
    facts->setPlainText(text);
    facts->setMinimumSize(460, 260);
    layout->addWidget(facts);
    auto* buttons = new QHBoxLayout;
    auto* comments = new QPushButton("Edit file comments...", &d);
    auto* ok = new QPushButton("OK", &d);
    ok->setDefault(true);
    buttons->addWidget(comments);
    buttons->addStretch();
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(comments, &QPushButton::clicked, &d, [&] {
        // The comment written with the next binary or ExpeData file.
        p.files.ScopeFileComments = 0;
        runCommentWindow(&d, p, p.prefs[kPrefFormatExpeData] != 0);
    });
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
}

void runRatePrecisionWindow(QWidget* parent, Program& p) {
    QDialog d(parent);
    d.setWindowTitle("Sample Rate Precision");
    auto* layout = new QVBoxLayout(&d);
    auto* box = new QGroupBox("Sample rate error tolerance", &d);
    auto* column = new QVBoxLayout(box);
    auto* group = new QButtonGroup(&d);
    const auto& choices = precisionChoices();
    for (size_t k = 0; k < choices.size(); ++k) {
        auto* b = new QRadioButton(QString::fromUtf8(choices[k].text), box);
        b->setChecked(static_cast<int>(k) == precisionChoice(p));
        group->addButton(b, static_cast<int>(k));
        column->addWidget(b);
    }
    layout->addWidget(box);
    layout->addWidget(
        new QLabel("A recording whose measured rate differs by more\n"
                   "is reported when it stops.",
                   &d));
    auto* ok = new QPushButton("OK", &d);
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    if (d.exec() == QDialog::Accepted) {
        choosePrecision(p, group->checkedId());
    }
}

}  // namespace trindel::gui
