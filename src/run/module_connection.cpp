// The connection of the ADAM modules and the ADC-1: contact, readers and the steps before a run.
#include "devices/adam/adam.h"
#include "devices/adc1/adc1.h"
#include "devices/connection_alert.h"
#include "devices/device_setup.h"
#include "devices/device_table.h"
#include "run/device_connection.h"
#include "state/program.h"

namespace trindel {

bool isModuleDevice(int16_t External_AD) {
    return External_AD == 5 || External_AD == 6;
}

DeviceConnection::Result DeviceConnection::connectModule(Program& p, Platform& io,
                                                         const std::string& path,
                                                         const Progress& progress) {
    Result r;
    const int16_t code = p.device.External_AD;
    p.device.DemonstrationMODE = 0;
    HowManyHardwareAD(p);
    DeviceLink l{p, io, port_};
    if (progress) {
        l.progress = progress;
    }
    path_ = path;
    if (!SetUpSerialPort(l, path, r.error)) {
        port_.close();
        r.quit = ConnectionERROR(p, io, connectionName(code), r.error);
        return r;
    }
    if (moduleReader_ != 0) {
        setDeviceReader(moduleReader_, nullptr);
    }
    if (code == 5) {
        installAdamReader(port_);
    } else {
        installAdc1Reader(port_);
    }
    moduleReader_ = code;
    r.connected = true;
    return r;
}

void DeviceConnection::prepareModuleRun(Program& p, Platform& io) {
    if (p.device.DemonstrationMODE != 0 || !port_.isOpen() || p.device.External_AD != 5) {
        return;
    }
    DeviceLink l{p, io, port_};
    SetADAM(l, false, 0);
}

}  // namespace trindel
