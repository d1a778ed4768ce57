// The dataTaker exchanges over the serial port: contact and set-up, reading one channel,
// counter presets, conversion modes, reset, buffer flush, firmware check and self-tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "devices/datataker/datataker_protocol.h"
#include "devices/device_link.h"

namespace trindel {

struct Program;
struct Platform;
class SerialPort;

// How long a reading may take (30 ticks).
inline constexpr double kDataTakerReplyTimeout = 0.5;
// How long a reply that missed its time-out may still turn up.
inline constexpr double kDataTakerLateReply = 2.0;

// Start-up contact of a DT500 or DT50 (the port is open): the set-up commands, then the echoes
// the logger sent before echo was switched off are dropped.
void contactDT500(DeviceLink& l);
void DT500setup(SerialPort& port);
// Start-up contact of a DT800 (the port is open at the first speed): switches the logger's host
// port to 115200, reopens and runs DT800setup. False when the port cannot be reopened.
bool contactDT800(DeviceLink& l, std::string& error);
void DT800setup(SerialPort& port);

// The last good reading of each channel from the logger: a failed reading stores it (with
// "Last Sample Value" chosen) only when there is one, never a value the logger did not send.
struct DataTakerMemory {
    std::array<float, 17> lastGood{};
    std::array<bool, 17> haveGood{};
};

// ReadDataTaker500 / ReadDataTaker800: one reading of the channel into p.device.volts.
void ReadDataTaker(Program& p, Platform& io, SerialPort& port, DataTakerMemory& memory, int channel,
                   int interactive);

// Makes the loggers' readers (codes 2, 3 and 4) read through `port` until removed.
void installDataTakerReaders(SerialPort& port);
// Gives codes 2, 3 and 4 back their built-in readers (a silent device) once the port is gone.
void removeDataTakerReaders();

// Presets every counter channel of a DT500/DT50 to counterstart.
void presetCounters(Program& p, SerialPort& port);

void SwitchDT800ToHIGHSpeed(Program& p, Platform& io, SerialPort& port);
void SwitchDT800ToLOWSpeed(Program& p, Platform& io, SerialPort& port);

// "    Reset DataTaker". False when a DT800's port cannot be reopened.
bool ResetDataTaker(DeviceLink& l, std::string& error);

// Empties the DT800's output buffer; returns the number of items discarded.
int FlushDT800Buffer(DeviceLink& l, bool wait);

// GetFirmware: with `atStartup` the lines go to the start-up window and a logger that does not
// answer raises the connection alert. `answered` tells whether a firmware text came back.
struct FirmwareResult {
    bool answered = false;
    std::string firmware;            // the firmware text as the logger sent it
    std::vector<std::string> lines;  // lines of the firmware window
    bool quit = false;               // the user chose "Quit Trindel" in the connection alert
};
FirmwareResult GetFirmware(DeviceLink& l, bool atStartup);

// DataTakerDiagnostics: the self-test lines shown in the firmware window.
struct DiagnosticsLine {
    std::string text;
    bool bold = false;
};
std::vector<DiagnosticsLine> DataTakerDiagnostics(DeviceLink& l);

// DATATAKERBUTTON: conversion preset 6 becomes the logger's own degrees C.
void DATATAKERBUTTON(Program& p);

}  // namespace trindel
