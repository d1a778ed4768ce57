// The program's modal windows. Each runs a model from src/ to completion and returns the result.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sounds.h"
#include "run/chart_hooks.h"
#include "run/device_connection.h"
#include "run/run_driver.h"
#include "signal/special_ops.h"
#include "state/program.h"
#include "ui/menu_table.h"

class QWidget;

namespace trindel::gui {

// "Startup Routines..." with the device dialog behind "Select A-D".
// A short animation runs while it is up (at most 800 ticks, ended by a mouse press), with random
// "buzz" cues when sounds are on.
RunWindows::StartChoice runStartWindow(QWidget* parent, Program& p, Sounds& sounds, int& device);
// "External A/D Device": the chosen code, or 0 for the demonstration mode.
int runDeviceDialog(QWidget* parent, Program& p);
// "Serial Port Selection:  " on its model; false when the user quits the program.
bool runPortDialog(QWidget* parent, Program& p, PortDialogModel& model, Sounds& sounds);
// A choice in the External A-D Device submenu: the loggers' windows and commands.
void runDeviceCommand(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection,
                      MenuCommand command);
// "Modes and Channels"; false when closed without a choice (Quit). `loadSetup` runs "Use Setup
// File" and says whether a set-up was loaded.
bool runModesWindow(QWidget* parent, ModesChannelsModel& model,
                    const std::function<bool()>& loadSetup);
// The chart "Sample Rate" dialog; false when the user quits.
bool runIntervalDialog(QWidget* parent, Program& p, IntervalDialog& model);
// "Data Display for Oscilloscope" (Scope View...): the samples drawn and the scope tick unit.
void runScopeViewDialog(QWidget* parent, Program& p);
// The after-run options window; returns the button chosen. `savedNotice` is shown when the data
// are saved. The window leaves the menu bar usable.
int runOptionsWindow(QWidget* parent, const std::string& title,
                     const std::vector<OptionsButtonInfo>& buttons, const SampleRateReport& rate,
                     const std::vector<std::string>& savedNotice);
// "Possible Data Loss"; true for yes.
bool runDataLossWindow(QWidget* parent, const std::string& unsavedText);
// "recording check" with the measured rate and the scan lateness.
void runSampleRateWindow(QWidget* parent, const SampleRateReport& report);
// " Acquisition Pause… "; `refresh` shows fresh readings in the read-outs ("Refresh", every
// 30 ticks while on).
PauseOutcome runPauseWindow(QWidget* parent, Program& p, const std::function<void()>& refresh);
// The comment window before a binary (comment and gas-exchange constants) or ExpeData file.
void runCommentWindow(QWidget* parent, Program& p, bool expeData);
// The note window: the note text, or nothing when cancelled.
std::optional<std::string> runNoteWindow(QWidget* parent);

// The conversion window of one channel ("Selection OK" stores into the program): true when stored.
bool runConversionWindow(QWidget* parent, Program& p, Platform& io, int channel);
// The same without the machine's services: "Direct Calibration…" (which reads the input) is not
// offered.
bool runConversionWindow(QWidget* parent, Program& p, int channel);
// "Additional Options…": the special operations of a channel; true when "Done" stored them.
bool runConversionOptionsWindow(QWidget* parent, SpecialOpsRecord& record, int channel,
                                const std::string& label);
// The window a menu item opens, or an empty function while the item has none.
using MenuWindowLookup = std::function<std::function<void()>(int menu, int item)>;
// "Acquisition Parameters": the channel rows with their conversion windows, and buttons that open
// the windows of the matching menu items (offered when `menuWindow` has one); closed by its
// close box it leaves the program as it was (Skipped).
RunWindows::SetupOutcome runAcquisitionWindow(QWidget* parent, Program& p, Platform& io,
                                              AcquisitionParametersModel& model,
                                              const MenuWindowLookup& menuWindow = {});
// "Data Spike Filter": the per-channel ratios and double filtration; stored on closing.
void runSpikeFilterWindow(QWidget* parent, Program& p, Sounds& sounds);
// "Slope Trends...": per-channel slope indicator; stored on "Slope Setup OK".
void runSlopeTrendWindow(QWidget* parent, Program& p);
// The breakpoint window: true on "Done" (the channel's type is then the breakpoint composite).
bool runBreakpointWindow(QWidget* parent, Program& p, int channel);

}  // namespace trindel::gui
