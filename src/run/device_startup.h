// Starting an external device from the device choice: the port dialog, then the contact and the
// firmware check through the device connection; a failure leaves the demonstration mode (or
// the user quits).
#pragma once

#include "platform/platform.h"
#include "run/device_connection.h"
#include "state/program.h"

namespace trindel {

class RunWindows;

enum class DeviceStartup { Connected, Demonstration, Quit };

// Selects `device`, runs the port dialog through `windows` and contacts the device.
DeviceStartup startExternalDevice(Program& p, Platform& io, RunWindows& windows,
                                  DeviceConnection& connection, int device);

}  // namespace trindel
