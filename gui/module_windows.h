// The windows of the ADAM modules and the RMS ADC-1: the External A-D Device submenu's ADAM
// items and the input selection of a chart channel for both devices.
#pragma once

#include "platform/platform.h"
#include "run/device_connection.h"
#include "state/program.h"
#include "ui/menu_table.h"

class QWidget;

namespace trindel::gui {

// An ADAM item of the External A-D Device submenu: "    ADAM-4019 Inputs..." (DeviceInputs),
// "    ADAM Firmware and CJC…" (item 3) and "    Set ADAM Module Address…" (item 5).
void runAdamCommand(QWidget* parent, Program& p, Platform& io, DeviceConnection& connection,
                    MenuCommand command);

// True when the device in use has its own input selection window here (ADAM, ADC-1).
bool hasModuleInputSelection(const Program& p);
// The input selection of a chart channel; true when "Selection OK" stored it.
bool runModuleInputSelection(QWidget* parent, Program& p, int channel);

}  // namespace trindel::gui
