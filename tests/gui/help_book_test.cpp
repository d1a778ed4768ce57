// The help book in the program's resources: every page the book lists is there, every link of
// every page leads to a page that is there, no page is left out of the book, and the help window
// shows the page of a window (the contents for a page it does not have).
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>
#include <set>

#include "menu_hooks_views.h"
#include "ui/view_choices.h"

using namespace trindel;
using namespace trindel::gui;

class HelpBookTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void pagesAndLinks();
    void windowShowsPages();
};

void HelpBookTest::pagesAndLinks() {
    std::set<QString> listed;
    for (const HelpPage& page : helpPages()) {
        listed.insert(QString::fromUtf8(page.file));
    }
    const QStringList files = QDir(":/help").entryList(QDir::Files);
    QVERIFY(files.size() >= 25);
    for (const QString& f : files) {
        QVERIFY2(listed.count(f) == 1, qPrintable("page not in the book's list: " + f));
    }
    const QRegularExpression href("href=\"([^\"]+)\"");
    for (const QString& name : listed) {
        QFile f(":/help/" + name);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable("missing page " + name));
        const QString html = QString::fromUtf8(f.readAll());
        QVERIFY2(html.contains("<h2>"), qPrintable(name));
        QVERIFY2(html.size() > 300, qPrintable("page too short: " + name));
        for (auto m = href.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            QVERIFY2(QFile::exists(":/help/" + target),
                     qPrintable(name + " links to a missing page " + target));
        }
    }
    // Every window page names the window it explains.
    for (const HelpPage& page : helpPages()) {
        for (const char* w : page.windows) {
            QCOMPARE(QString::fromStdString(helpPageFor(w)).isEmpty(), false);
        }
    }
}

void HelpBookTest::windowShowsPages() {
    QWidget parent;
    showHelpPage(&parent, "chart_view.html");
    auto* browser = parent.findChild<QTextBrowser*>("helpText");
    QVERIFY(browser != nullptr);
    QVERIFY(browser->toPlainText().contains("Chart views and time tics"));
    showHelpPage(&parent, "no such page.html");
    QVERIFY(browser->toPlainText().contains("Trindel Help"));
    // A link with a blank in its name (the contents page) is followed.
    showHelpPage(&parent, "about.html");
    browser->setSource(QUrl("Trindel help book.html"));
    QVERIFY(browser->toPlainText().contains("Experiment control"));
}

QTEST_MAIN(HelpBookTest)
#include "help_book_test.moc"
