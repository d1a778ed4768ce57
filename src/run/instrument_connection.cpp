// DeviceConnection for the Sable UI2 (contact, reader, the byte before each run) and the
// streaming instrument (no contact; each channel takes the field of its input number).
#include "run/instrument_connection.h"

#include "devices/connection_alert.h"
#include "devices/device_setup.h"
#include "devices/device_table.h"
#include "devices/instruments/serial_stream.h"
#include "devices/ui2/ui2.h"
#include "run/device_connection.h"
#include "state/program.h"

namespace trindel {

void removeInstrumentReaders() {
    removeUI2Reader();
    removeStreamReader();
}

DeviceConnection::Result DeviceConnection::connectInstruments(Program& p, Platform& io,
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
    if (code == 1) {
        // The UI2 speaks at 115200 only; the port dialog forces it.
        p.device.baudrate = 115200;
    }
    if (code == 8) {
        l.progress("opening serial port\xC9");  // the streaming instrument needs no contact
    }
    if (!SetUpSerialPort(l, path, r.error)) {
        port_.close();
        r.quit = ConnectionERROR(p, io, connectionName(code), r.error);
        return r;
    }
    if (code == 1) {
        installUI2Reader(port_);
    } else {
        installStreamReader(port_);
    }
    readersInstalled_ = true;
    r.connected = true;
    return r;
}

void DeviceConnection::prepareInstrumentRun(Program& p, Platform& io) {
    const int16_t code = p.device.External_AD;
    if ((code != 1 && code != 8) || p.device.DemonstrationMODE != 0 || !port_.isOpen()) {
        return;
    }
    if (code == 1) {
        ui2PrepareRun(io, port_);
        return;
    }
    mapStreamFields(p);
}

}  // namespace trindel
