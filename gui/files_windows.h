// The windows of channel editing, the XY plot set-up, backups and file series, and the menu hooks
// that open them.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/sounds.h"
#include "state/program.h"

class QWidget;

namespace trindel::gui {

class MainWindow;

// "Delete Channel(s)": one toggle per offered channel and "Done"; true when channels were cut.
bool runCutChannelsWindow(QWidget* parent, Program& p, Sounds& sounds);
// "Add a Channel…": the A-D input of the new channel, then its conversion window; true when added.
bool runAddChannelWindow(QWidget* parent, Program& p);
// "Re-arrange Channels": true when the new order was applied.
bool runRearrangeWindow(QWidget* parent, Program& p, Sounds& sounds);
// "2 Channel X-Y Plot": the axis channels and "Show an X-Y Plot?".
void runXYPlotSetupWindow(QWidget* parent, Program& p);
// "Backup Interval": the timed-backup window; stores on "Timing OK" or "OFF".
void runBackupIntervalWindow(QWidget* parent, Program& p, Sounds& sounds);

// Where the program writes by itself (quick saves, default backup): ~/Trindel, made on first use.
std::string programDataFolder();

// The File, Edit and A-D menu items of channel editing, XY plot, backups and file series.
void hookFilesMenus(MainWindow& window, Program& p, Platform& io);

}  // namespace trindel::gui
