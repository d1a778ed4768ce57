// The set-up windows in the menu bar: "Load Preferences...", "Print Setup Data...", "Custom
// Conversions..." and "Preferences...".
#include "files/preferences_file.h"
#include "main_window.h"
#include "setup_windows.h"

namespace trindel::gui {

void hookSetupWindows(MainWindow& window, Program& p, Platform io) {
    window.setMenuHandler(1, 10, [&window, &p, io]() mutable {
        // A damaged file is reported by GETSettings and changes nothing.
        GETSettings(p, io.host, true);
        window.refreshMenus();
    });
    window.setMenuHandler(1, 13,
                          [&window, &p, io]() mutable { runPrintSetupWindow(&window, p, io); });
    window.setMenuHandler(
        2, 1, [&window, &p, io]() mutable { runStoredConversionsWindow(&window, p, io); });
    window.setMenuHandler(2, 21, [&window, &p, io]() mutable {
        if (runPreferencesWindow(&window, p, io)) {
            window.refreshMenus();
        }
    });
}

}  // namespace trindel::gui
