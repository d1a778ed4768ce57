// "Digitial Control of External Devices": the switching set-up window on SwitchingSetupModel.
#pragma once

#include "control/switching_engine.h"
#include "state/program.h"

class QWidget;

namespace trindel::gui {

// Runs the window until it closes with an accepted set-up (true) or is cancelled (false, the
// state as the window left it: each click already applied, as in the program's other set-ups).
bool runSwitchingSetupWindow(QWidget* parent, Program& p, SwitchEffects& fx);

}  // namespace trindel::gui
