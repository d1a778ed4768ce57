// The menu items of channel editing, the XY plot set-up, timed backups and the backup name.
#include "files/backups.h"
#include "files_windows.h"
#include "main_window.h"

namespace trindel::gui {

void hookFilesMenus(MainWindow& window, Program& p, Platform& io) {
    QWidget* parent = &window;
    Platform platform = io;
    window.setMenuHandler(
        1, 7, [parent, &p, platform] { runBackupIntervalWindow(parent, p, platform.sounds); });
    window.setMenuHandler(
        1, 8, [&p, platform] { BACKUPFILENAME(p, platform.host, programDataFolder()); });
    window.setMenuHandler(
        2, 2, [parent, &p, platform] { runRearrangeWindow(parent, p, platform.sounds); });
    window.setMenuHandler(
        4, 20, [parent, &p, platform] { runCutChannelsWindow(parent, p, platform.sounds); });
    window.setMenuHandler(4, 21, [parent, &p] { runAddChannelWindow(parent, p); });
    window.setMenuHandler(4, 23, [parent, &p] { runXYPlotSetupWindow(parent, p); });
}

}  // namespace trindel::gui
