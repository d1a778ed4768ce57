#include "run/device_connection.h"

#include "devices/connection_alert.h"
#include "devices/datataker/datataker.h"
#include "devices/device_setup.h"
#include "devices/device_table.h"
#include "devices/read_dispatch.h"
#include "devices/serial/libserialport_line.h"
#include "run/instrument_connection.h"
#include "state/program.h"

namespace trindel {

namespace {

std::unique_ptr<SerialLine> machineLine(std::unique_ptr<SerialLine> line) {
    if (line) {
        return line;
    }
    return std::make_unique<LibSerialPortLine>();
}

}  // namespace

DeviceConnection::DeviceConnection(std::unique_ptr<SerialLine> line)
    : line_(machineLine(std::move(line))), port_(*line_) {}

DeviceConnection::Result DeviceConnection::connect(Program& p, Platform& io,
                                                   const std::string& path,
                                                   const Progress& progress) {
    Result r;
    const int16_t code = p.device.External_AD;
    if (isModuleDevice(code)) {
        return connectModule(p, io, path, progress);
    }
    if (code == 1 || code == 8) {
        return connectInstruments(p, io, path, progress);
    }
    const auto model = dataTakerModel(code);
    if (!model) {
        r.error = "this device is not supported yet";
        r.quit = ConnectionERROR(p, io, connectionName(code), r.error);
        return r;
    }
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
    DATATAKERBUTTON(p);
    if (*model != DataTakerModel::DT50) {
        const FirmwareResult f = GetFirmware(l, true);
        if (!f.answered) {
            port_.close();
            r.quit = f.quit;
            r.error = "no answer from the " + std::string(modelName(*model)) + " on " + path;
            return r;
        }
        r.firmware = f.firmware;
    }
    installDataTakerReaders(port_);
    readersInstalled_ = true;
    r.connected = true;
    return r;
}

DeviceConnection::~DeviceConnection() {
    if (readersInstalled_) {
        removeDataTakerReaders();
        removeInstrumentReaders();
    }
    if (moduleReader_ != 0) {
        setDeviceReader(moduleReader_, nullptr);
    }
}

bool DeviceConnection::reconnect(Program& p, Platform& io, std::string& error) {
    if (path_.empty() ||
        (!dataTakerModel(p.device.External_AD) && !isModuleDevice(p.device.External_AD) &&
         p.device.External_AD != 1 && p.device.External_AD != 8)) {
        error = "no logger was connected";
        return false;
    }
    DeviceLink l{p, io, port_};
    return SetUpSerialPort(l, path_, error);
}

void DeviceConnection::prepareRun(Program& p, Platform& io) {
    if (isModuleDevice(p.device.External_AD)) {
        prepareModuleRun(p, io);
        return;
    }
    prepareInstrumentRun(p, io);
    const auto model = dataTakerModel(p.device.External_AD);
    if (!model || p.device.DemonstrationMODE != 0 || !port_.isOpen()) {
        return;
    }
    if (*model != DataTakerModel::DT800) {
        presetCounters(p, port_);
        return;
    }
    const bool fast = p.session.RecordingMODE == 1 && p.session.ChartINTERVALinSECONDS < 0.1;
    p.device.DT800FastAcquisitionMode = fast ? 1 : 0;
    if (fast) {
        SwitchDT800ToHIGHSpeed(p, io, port_);
    } else {
        SwitchDT800ToLOWSpeed(p, io, port_);
    }
    port_.discardInput();
    for (int pass = 0; pass < 2; ++pass) {
        for (int c = 1; c <= p.session.nChan; ++c) {
            ReadExternalADdevice(p, io, c, 0);
        }
    }
}

std::string DeviceConnection::statusText(const Program& p) const {
    const auto model = dataTakerModel(p.device.External_AD);
    if (lost() && (isModuleDevice(p.device.External_AD) || p.device.External_AD == 1 ||
                   p.device.External_AD == 8)) {
        return notAnsweringText(connectionName(p.device.External_AD));
    }
    if (!model || !lost()) {
        return {};
    }
    return notAnsweringText(std::string(modelName(*model)));
}

int16_t loggerCode(const std::string& name) {
    if (name == "dt500") {
        return 2;
    }
    if (name == "dt50") {
        return 3;
    }
    if (name == "dt800") {
        return 4;
    }
    if (name == "adam") {
        return 5;
    }
    if (name == "adc1") {
        return 6;
    }
    if (name == "ui2") {
        return 1;
    }
    if (name == "stream") {
        return 8;
    }
    return 0;
}

}  // namespace trindel
