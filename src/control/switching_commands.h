// The bytes that select a valve device on each kind of A-D device: pure functions, no I/O.
// The switching engine sends what these build through a SwitchPort.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

// What the device answers to a selection command, so the port knows what to wait for.
enum class SwitchAnswer {
    None,      // dataTaker: written without reading an answer
    AnyBytes,  // Sable UI2: wait for at least one byte, read and discard every waiting byte
    Line,      // ADAM-4050: one answer line (up to 144 characters), discarded
    OneByte,   // RMS ADC-1: one byte, kept in `chx`
};

struct SwitchCommand {
    std::string bytes;  // empty: nothing is sent
    SwitchAnswer answer = SwitchAnswer::None;
    bool operator==(const SwitchCommand&) const = default;
};

// A-D device codes as External_AD holds them.
enum SwitchDeviceCode : int {
    kSwitchUI2 = 1,
    kSwitchDT500 = 2,
    kSwitchDT50 = 3,
    kSwitchDT800 = 4,
    kSwitchADAM = 5,
    kSwitchADC1 = 6,
};

// dataTaker DT500/DT50/DT800: "nDSO=1"/"nDSO=0" lines, each ended by CR. `word3` is PrefsArray
// 3 (0 one line per device); `d2` is the group-2 device or 0. DT500 and DT50 lines are inverted.
SwitchCommand dataTakerSwitchCommand(int code, int word3, int d, int d2);

// Sable UI2: letter, data byte, CR. `word3` 1 three-bit ("o"), 2 three-bit with "m", 0 one line
// per device (2^(d-1) + 2^(d2-1) when d2 > 0, low 8 bits).
SwitchCommand ui2SwitchCommand(int word3, int d, int d2);

// ADAM-4050 at address 02: "#0200", "0", the digit of 8 - d, CR.
SwitchCommand adam4050SwitchCommand(int d);

// RMS ADC-1: the single byte 64 + cs1 + 2 cs2 + ... + 32 cs6, no CR.
SwitchCommand adc1SwitchCommand(const std::array<int16_t, 17>& cs);

// Every output at rest, by device code (ADC-1: nothing is sent, the image is cleared apart).
SwitchCommand turnValvesOffCommand(int code);

}  // namespace trindel
