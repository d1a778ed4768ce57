// The experiment-control items of the A-D and D-A menus.
#include "control_windows.h"
#include "files/ao_data_file.h"
#include "main_window.h"
#include "qt_platform.h"

namespace trindel::gui {

void hookControlMenus(MainWindow& window, Program& p, QtPlatform& io) {
    QWidget* parent = &window;
    window.setMenuHandler(5, 1, [parent, &p, &io] { runScriptWindow(parent, p, io.sounds, 1); });
    window.setMenuHandler(5, 4, [parent, &p, &io] { runScriptWindow(parent, p, io.sounds, 2); });
    for (int item : {2, 5}) {
        window.setMenuHandler(
            5, item, [parent, &p, &io] { runFeedbackWindow(parent, p, io.clock.TickCount()); });
    }
    window.setMenuHandler(5, 7, [&p, &io] {
        const AODataLoadResult r =
            GETAOscript(p.analogOutput, p.feedback, io.host, io.clock.TickCount());
        if (!r.ok && !r.error.empty()) {
            io.host.alert("Open AO Data", r.error, {"OK"});
        }
    });
    window.setMenuHandler(5, 8, [&p, &io] { SAVEAOscript(p.analogOutput, p.feedback, io.host); });
    window.setMenuHandler(
        4, 14, [parent, &p, &io] { runAudibleTimerWindow(parent, p, io.clock.TickCount()); });
    window.setMenuHandler(4, 16, [parent, &p, &io] { runAlarmSetupWindow(parent, p, io.sounds); });
    window.setMenuHandler(4, 18, [parent, &p] { runTriggerWindow(parent, p); });
}

}  // namespace trindel::gui
