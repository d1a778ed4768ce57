// An external logger's connection for recording: the machine's serial line and port, the
// start-up contact with its firmware check, the readers, and the steps before each run (the
// DT800's conversion mode and two discarded passes, the counter presets).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "devices/device_link.h"
#include "devices/serial/serial_port.h"
#include "platform/serial_line.h"

namespace trindel {

struct Program;

class DeviceConnection {
  public:
    // Uses the machine's serial line unless a line is given (tests).
    explicit DeviceConnection(std::unique_ptr<SerialLine> line = nullptr);
    // The loggers' readers read through this connection's port: they are removed with it.
    ~DeviceConnection();
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    struct Result {
        bool connected = false;
        bool quit = false;  // the user chose "Quit Trindel" in the connection alert
        std::string error;  // why it failed, in words
        std::string firmware;
    };
    using Progress = std::function<void(const std::string&)>;

    // Opens `path` for p.device.External_AD (a dataTaker) and contacts it. On failure the
    // connection alert has run and the program is in the demonstration mode (unless it quits).
    Result connect(Program& p, Platform& io, const std::string& path,
                   const Progress& progress = {});
    // Before each run: the DT800's conversion mode for the interval and its two discarded
    // passes over every channel; the counter presets of a DT500/DT50.
    void prepareRun(Program& p, Platform& io);
    void close() { port_.close(); }
    // Opens the last port again and repeats the contact (a port that came back after it
    // vanished). False with `error` in words.
    bool reconnect(Program& p, Platform& io, std::string& error);

    bool isOpen() const { return port_.isOpen(); }
    // The port vanished or the device hung up during the recording.
    bool lost() const { return port_.lost(); }
    // The status line while the device does not answer; "" while it does.
    std::string statusText(const Program& p) const;
    SerialPort& port() { return port_; }
    DeviceLink link(Program& p, Platform& io) { return DeviceLink{p, io, port_}; }

  private:
    // ADAM modules and the ADC-1 (module_connection.cpp): the contact, and the input ranges
    // before each run.
    Result connectModule(Program& p, Platform& io, const std::string& path,
                         const Progress& progress);
    void prepareModuleRun(Program& p, Platform& io);
    // The Sable UI2 and the streaming instrument (instrument_connection.cpp).
    Result connectInstruments(Program& p, Platform& io, const std::string& path,
                              const Progress& progress);
    void prepareInstrumentRun(Program& p, Platform& io);

    std::string path_;
    int16_t moduleReader_ = 0;  // the module device whose reader reads through this port
    bool readersInstalled_ = false;
    std::unique_ptr<SerialLine> line_;
    SerialPort port_;
};

// The device code of a device name given on a command line ("dt500", "dt50", "dt800", "adam",
// "adc1", "ui2", "stream"); 0 when the name is none of them.
int16_t loggerCode(const std::string& name);

// The ADAM modules (5) and the ADC-1 (6): their connection lives in module_connection.cpp.
bool isModuleDevice(int16_t External_AD);

}  // namespace trindel
