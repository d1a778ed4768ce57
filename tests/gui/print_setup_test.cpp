// The set-up report through QPrinter: a PDF file is written without any printer, with every line
// of the report on its pages.
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include "display/setup_report.h"
#include "setup_windows.h"

using namespace trindel;
using namespace trindel::gui;

class PrintSetupTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void reportPrintsToPdf() {
        Program p;
        SetInitialVariableValues(p, ScreenSize{1280, 1024});
        p.session.RecordingMODE = 1;
        p.session.nChan = 3;
        const auto lines = setupReportLines(p, SetupReportOptions{}, "12/07/26");
        QVERIFY(lines.size() > 10);
        QTemporaryDir dir;
        const QString path = dir.filePath("setup.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(printSetupReport(printer, lines));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.contains("/Type /Page"));
    }

    void longReportTakesSeveralPages() {
        std::vector<std::string> lines(400, "\tchan.\tinput\tequation");
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("long.pdf"));
        QVERIFY(printSetupReport(printer, lines));
        QFile pdf(dir.filePath("long.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        const auto pages = bytes.count("/Type /Page") - bytes.count("/Type /Pages");
        QVERIFY2(pages >= 3, QByteArray::number(pages).constData());
    }

    void unwritablePdfIsReported() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/setup.pdf");
        QVERIFY(!printSetupReport(printer, {"line"}));
    }
};

QTEST_MAIN(PrintSetupTest)
#include "print_setup_test.moc"
