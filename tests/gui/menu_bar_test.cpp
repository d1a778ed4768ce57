// The menu bar on the main window: every item of the table is there with its key, items without
// a window are disabled (never hidden), hooked items are enabled, check marks follow the flags.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <set>
#include <string>

#include "main_window.h"
#include "qt_platform.h"
#include "ui/menu_table.h"

using namespace trindel;
using namespace trindel::gui;

// The items of backups, the XY plot set-up and channel editing.
static bool filesHook(int menu, int item) {
    return (menu == 1 && (item == 7 || item == 8)) || (menu == 2 && item == 2) ||
           (menu == 4 && (item == 20 || item == 21 || item == 23));
}

class MenuBarTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void itemsKeysAndEnabling();
};

namespace {

// The View, Edit and Help items whose windows are hooked in (menu_hooks_views).
bool viewsHooked(int menu, int item) {
    static const std::set<int> kItems = {701,   703, 704,   706,   301,   308,   309,
                                         312,   318, 10101, 10103, 10104, 10105, 10106,
                                         10107, 213, 214,   216,   217,   219};
    return kItems.count(menu * 100 + item) != 0;
}

}  // namespace

void MenuBarTest::itemsKeysAndEnabling() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.nChan = 2;
    p.session.RecordingMODE = 1;
    p.channels.setLabel(1, "flow");
    QtPlatform io(800, 600);
    MainWindow w(p, io);
    w.refreshMenus();
    for (const MenuDef& m : menuBar()) {
        for (const MenuItemDef& i : m.items) {
            if (i.text.empty() || i.submenu != 0) {
                continue;
            }
            QAction* a = w.menuAction(m.menu, i.item);
            QVERIFY2(a != nullptr, i.text.c_str());
            if (i.key != 0) {
                QCOMPARE(a->shortcut(), QKeySequence(Qt::CTRL | static_cast<Qt::Key>(i.key)));
            }
            const bool hooked =
                menuItemActsInCore(m.menu, i.item) || m.menu == 100 || m.menu == 120 ||
                m.menu == 6 || (m.menu == 4 && i.item == 12) ||
                (m.menu == 3 && (i.item == 15 || i.item == 10)) || filesHook(m.menu, i.item) ||
                m.menu == 5 || (m.menu == 4 && (i.item == 14 || i.item == 16 || i.item == 18)) ||
                viewsHooked(m.menu, i.item) || (m.menu == 1 && (i.item == 10 || i.item == 13)) ||
                (m.menu == 2 && (i.item == 1 || i.item == 21));
            if (!hooked) {
                QVERIFY2(!a->isEnabled(), i.text.c_str());
            }
        }
    }
    QCOMPARE(w.menuAction(100, 1)->text(), QString("Ch.1   flow"));
    // The view windows are reached, and the scope view; the scope sample rate only in the scope
    // modes and the chart sample rate not in scope mode.
    for (int key : {701, 703, 704, 706, 301, 308, 309, 312, 318, 10101, 213, 214, 216, 219}) {
        QVERIFY2(w.menuAction(key / 100, key % 100)->isEnabled(), std::to_string(key).c_str());
    }
    QVERIFY(!w.menuAction(2, 17)->isEnabled());
    p.session.RecordingMODE = 2;
    w.refreshMenus();
    QVERIFY(w.menuAction(2, 17)->isEnabled());
    QVERIFY(!w.menuAction(2, 16)->isEnabled());
    p.session.RecordingMODE = 1;
    w.refreshMenus();
    QVERIFY(w.menuAction(3, 10)->isEnabled());
    // The conditioning windows are hooked in.
    QVERIFY(w.menuAction(4, 12)->isEnabled());
    QVERIFY(w.menuAction(3, 15)->isEnabled());
    // The experiment-control windows are hooked in (the demonstration source has both outputs).
    for (const auto& [menu, item] :
         {std::pair{5, 1}, {5, 2}, {5, 4}, {5, 5}, {5, 7}, {5, 8}, {4, 14}, {4, 16}, {4, 18}}) {
        QVERIFY(w.menuAction(menu, item)->isEnabled());
    }
    // The set-up windows are hooked in.
    QVERIFY(w.menuAction(1, 10)->isEnabled());
    QVERIFY(w.menuAction(2, 1)->isEnabled());
    QVERIFY(w.menuAction(2, 21)->isEnabled());
    QVERIFY(w.menuAction(100, 2)->isEnabled());
    QVERIFY(!w.menuAction(100, 3)->isEnabled());
    QVERIFY(w.menuAction(100, 3)->isVisible());
    // Backups, the XY plot set-up and channel editing are hooked in (cutting needs two channels).
    QVERIFY(w.menuAction(1, 7)->isEnabled());
    QVERIFY(w.menuAction(1, 8)->isEnabled());
    QVERIFY(w.menuAction(4, 23)->isEnabled());
    QVERIFY(w.menuAction(4, 21)->isEnabled());
    QCOMPARE(w.menuAction(4, 20)->isEnabled(), p.session.nChan > 1);
    // A hooked item is enabled and reached; a flag item shows its flag.
    bool reached = false;
    w.setMenuHandler(3, 12, [&] { reached = true; });
    QVERIFY(w.menuAction(3, 12)->isEnabled());
    w.menuAction(3, 12)->trigger();
    QVERIFY(reached);
    const bool large = p.prefs[kPrefLargeReadouts] != 0;
    w.menuAction(3, 14)->trigger();
    QCOMPARE(w.menuAction(3, 14)->isChecked(), !large);
    if (qgetenv("TRINDEL_MENU_SHOTS") == "1") {
        // For looking at the menus on a real X server: each menu is popped up in turn.
        w.show();
        for (QMenu* menu : w.menuBar()->findChildren<QMenu*>()) {
            menu->popup(w.mapToGlobal(QPoint(20, 40)));
            QTest::qWait(1500);
            menu->hide();
        }
    }
}

QTEST_MAIN(MenuBarTest)
#include "menu_bar_test.moc"
