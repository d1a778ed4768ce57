// The experiment-control windows: output scripts, feedback, alarms, alarm log, trigger and
// audible timer, and the menu hooks that open them.
#pragma once

#include "platform/platform.h"
#include "state/program.h"

class QWidget;

namespace trindel::gui {

class MainWindow;
struct QtPlatform;

// "Voltage output script, AO channel" 1 or 2.
void runScriptWindow(QWidget* parent, Program& p, Sounds& sounds, int channel);
// "Proportional Feedback Control (Analog Output Channel 2)", after the channel-in-use warning.
void runFeedbackWindow(QWidget* parent, Program& p, int32_t nowTicks);
// "Alarms" set-up and the "Alarm Log" (with "Save Log…").
void runAlarmSetupWindow(QWidget* parent, Program& p, Sounds& sounds);
void runAlarmLogWindow(QWidget* parent, const Program& p, Host& host);
// "Set Trigger Conditions".
void runTriggerWindow(QWidget* parent, Program& p);
// "Audible Timer Sounds Setup".
void runAudibleTimerWindow(QWidget* parent, Program& p, int32_t nowTicks);

// D-A menu items 1, 2, 4, 5, 7, 8 and A-D items 14, 16, 18.
void hookControlMenus(MainWindow& window, Program& p, QtPlatform& io);

}  // namespace trindel::gui
