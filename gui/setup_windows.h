// Windows of the set-up menus: direct calibration, stored conversions, averaging, preferences
// and the printed set-up report, with the menu hooks that reach them.
#pragma once

#include "platform/platform.h"
#include "state/program.h"

#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace trindel {
class ConversionWindowModel;
}

namespace trindel::gui {

class MainWindow;

// "Direct Calibration…" of the conversion window: "Equation OK" (or the close box) hands its
// result to the conversion window's model; true for "Equation OK".
bool runCalibrationWindow(QWidget* parent, Program& p, Platform& io, ConversionWindowModel& conv);

// "Modify Voltage Conversions": the stored conversions and the transfer page; "Save
// Conversions..." also writes the preferences file.
void runStoredConversionsWindow(QWidget* parent, Program& p, Platform& io);

// "User Preferences": true when "OK" or "Save Preferences..." stored the choices.
bool runPreferencesWindow(QWidget* parent, Program& p, Platform& io);

// "Setup Information" ("Setup Data"): the report to a text file or through the print dialog.
void runPrintSetupWindow(QWidget* parent, Program& p, Platform& io);
// Prints the report's lines on `printer` (a PDF file when its output format says so); false when
// the printer could not be started.
bool printSetupReport(QPrinter& printer, const std::vector<std::string>& lines);

// The averaging window of one channel; the samples to average, or nothing when closed by its
// close box.
std::optional<int> runAveragingWindow(QWidget* parent, Program& p, int channel);

// Hooks these windows into the menu bar.
void hookSetupWindows(MainWindow& window, Program& p, Platform io);

}  // namespace trindel::gui
