#include "run/device_startup.h"

#include "devices/device_table.h"
#include "devices/serial/port_dialog.h"
#include "devices/serial/port_list.h"
#include "run/run_driver.h"

namespace trindel {

DeviceStartup startExternalDevice(Program& p, Platform& io, RunWindows& windows,
                                  DeviceConnection& connection, int device) {
    DeviceState& d = p.device;
    d.External_AD = static_cast<int16_t>(device);
    d.DemonstrationMODE = 0;
    d.baudrate = deviceInfo(device).baudrate;
    p.prefs[kPrefDefaultDevice] = static_cast<int16_t>(device);
    connection.close();
    // The dialog's "Selection OK" asks the next start to go straight to the device; in this
    // session the mode and channel choice still follow.
    const int16_t skipBefore = p.prefs[kPrefSkipDeviceChooser];
    PortDialogModel model(p, listSerialPorts());
    if (!model.skipsDialog() && !windows.portDialog(p, model)) {
        model.quit();
    }
    p.prefs[kPrefSkipDeviceChooser] = skipBefore;
    if (model.outcome() == PortDialogModel::Outcome::Quit) {
        return DeviceStartup::Quit;
    }
    const std::string path = model.chosenPath();
    if (model.outcome() == PortDialogModel::Outcome::Demonstration || path.empty() ||
        d.External_AD == 0) {
        d.External_AD = 0;
        d.DemonstrationMODE = 1;
        return DeviceStartup::Demonstration;
    }
    const auto result = connection.connect(
        p, io, path, [&windows](const std::string& line) { windows.startupLine(line); });
    windows.startupLine({});
    if (result.connected) {
        return DeviceStartup::Connected;
    }
    return result.quit ? DeviceStartup::Quit : DeviceStartup::Demonstration;
}

}  // namespace trindel
