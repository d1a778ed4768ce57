// The View, Edit and Help menu items that open this program's windows: the help book, About,
// colours, plot heights, chart view, window size, status displays, data file information, rate
// precision, chart sample rate and the switching set-up.
#pragma once

#include <string>

#include "qt_platform.h"
#include "state/program.h"

class QWidget;

namespace trindel::gui {

class MainWindow;

// Hooks the items into the menu bar and, while "Always Show Help Data" is on, opens the help
// page of each window of the program as it appears.
void hookViewWindows(MainWindow& window, Program& p, QtPlatform& io);

// The help book window at `page` (a file of the book; the contents page when empty or unknown).
// One help window serves the program; a modal window being shown becomes its parent so the help
// can be read and scrolled beside it.
void showHelpPage(QWidget* parent, const std::string& page);
// Shows each dialog's help page beside it while "Always Show Help Data" (PrefsArray 10) is on.
void installHelpWithWindows(Program& p);

// The windows themselves (each runs modally and stores into the program on its OK button).
void runAboutWindow(QWidget* parent);
void runColoursWindow(QWidget* parent, Program& p);
void runPlotHeightWindow(QWidget* parent, Program& p);
void runChartViewWindow(QWidget* parent, Program& p);
void runWindowSizeWindow(QWidget* parent, Program& p);
void runStatusDisplaysWindow(QWidget* parent, Program& p);
void runDataFileInfoWindow(QWidget* parent, Program& p);
void runRatePrecisionWindow(QWidget* parent, Program& p);

}  // namespace trindel::gui
