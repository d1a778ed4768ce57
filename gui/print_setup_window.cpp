// "Setup Information": the set-up report to a text file, or through the print dialog to a
// printer or a PDF file.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <ctime>

#include "display/setup_report.h"
#include "run/print_setup.h"
#include "setup_windows.h"

namespace trindel::gui {

namespace {

// Tabs to the next multiple of eight columns, as a fixed-width font shows the text file.
QString expandTabs(const std::string& line) {
    QString out;
    for (const QChar ch : QString::fromStdString(line)) {
        if (ch == '\t') {
            out.append(QString(8 - out.size() % 8, ' '));
        } else {
            out.append(ch);
        }
    }
    return out;
}

}  // namespace

bool printSetupReport(QPrinter& printer, const std::vector<std::string>& lines) {
    QPainter g;
    if (!g.begin(&printer)) {
        return false;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(8.5);
    g.setFont(font);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int height = g.fontMetrics().lineSpacing();
    int y = height;
    for (const std::string& line : lines) {
        if (y + height > page.height()) {
            printer.newPage();
            y = height;
        }
        g.drawText(0, y, expandTabs(line));
        y += height;
    }
    return g.end();
}

void runPrintSetupWindow(QWidget* parent, Program& p, Platform& io) {
    QDialog d(parent);
    d.setObjectName("setupData");
    d.setWindowTitle("Setup Data");
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("<b>Setup Information</b>"));
    auto* toPrinter = new QRadioButton("Send to Printer or pdf");
    auto* toFile = new QRadioButton("Send to Text File");
    toPrinter->setObjectName("sendToPrinter");
    toFile->setChecked(true);
    auto* destination = new QButtonGroup(&d);
    destination->addButton(toPrinter);
    destination->addButton(toFile);
    layout->addWidget(toPrinter);
    layout->addWidget(toFile);
    auto* options = new QGroupBox("Options...");
    auto* ol = new QVBoxLayout(options);
    SetupReportOptions chosen;
    const std::pair<bool*, const char*> boxes[] = {
        {&chosen.showTrigger, "Show Trigger Settings"},
        {&chosen.showSwitching, "Show Switching Settings"},
        {&chosen.showDisplay, "Show Display Settings"},
        {&chosen.showAlarms, "Show Alarm Settings"}};
    for (auto [flag, text] : boxes) {
        auto* box = new QCheckBox(text);
        box->setChecked(*flag);
        QObject::connect(box, &QCheckBox::toggled, &d, [flag](bool on) { *flag = on; });
        ol->addWidget(box);
    }
    layout->addWidget(options);
    auto* status = new QLabel;
    layout->addWidget(status);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("OK");
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        if (toFile->isChecked()) {
            PRINTSETUPToFile(p, io.host, chosen);
            d.accept();
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName("Setup Data");
        QPrintDialog ask(&printer, &d);
        ask.setObjectName("printDialog");
        if (ask.exec() != QDialog::Accepted) {
            d.reject();
            return;
        }
        status->setText("sending data to printer....");
        QApplication::processEvents();
        if (p.session.RecordingMODE != 1) {
            takeReportVmax(p);
        }
        const auto lines = setupReportLines(p, chosen, reportDate(std::time(nullptr)));
        if (!printSetupReport(printer, lines)) {
            io.host.alert("Printing failed", "The printer could not be started.", {"OK"});
        }
        d.accept();
    });
    d.exec();
}

}  // namespace trindel::gui
