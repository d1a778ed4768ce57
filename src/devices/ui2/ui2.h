// The Sable UI2 exchanges over the serial port: the start-up contact, ReadSABLE (binary replies
// of inputs 1..14 and the instrument text of input 15), the firmware query, and the byte sent
// before each run.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devices/device_link.h"
#include "devices/instruments/instrument_text.h"

namespace trindel {

struct Program;
struct Platform;
class SerialPort;

// How long a reading may take (60 ticks).
inline constexpr double kUI2ReplyTimeout = 1.0;
// How long input 15 waits for the instrument to finish a line (90 ticks): instruments send about
// once a second, and a silent one must not hold the recording up.
inline constexpr double kUI2SerialTextTimeout = 1.5;
// A line without a line end counts as finished once the instrument is quiet this long (3 ticks).
inline constexpr double kUI2SerialQuiet = 0.05;

// The two streams a UI2 port carries: two-byte binary replies to command bytes, and text the
// attached instrument sends unprompted. Text that arrives between readings is set aside here
// before a command is sent, so it is never read as a binary reply (nor its line feed as the low
// byte of the next one).
class UI2Line {
  public:
    explicit UI2Line(SerialPort& port) : port_(port) {}

    // Sends the command byte and takes its two-byte reply (low byte first); nothing when fewer
    // than two bytes arrive in time. Instrument text before the reply and bytes after it are kept
    // as instrument text.
    std::optional<std::pair<uint8_t, uint8_t>> exchange(uint8_t command, double timeoutSeconds);
    // The freshest complete instrument line, waiting up to `timeoutSeconds` for one; "" when
    // none arrives. Older lines are dropped.
    std::string instrumentText(double timeoutSeconds);
    const std::string& pendingText() const { return text_.pending(); }
    SerialPort& port() { return port_; }

  private:
    SerialPort& port_;
    InstrumentText text_;  // instrument text not yet used
};

// Start-up contact (the port is open at 115200): "f", reopen, "e", and the version reply. Sets
// PrefsArray 34 for firmware above 199. A silent UI2 is reported by the caller (the connection
// alert); one whose version is 105 or less ends the contact silently with the port open.
struct UI2Contact {
    bool answered = false;  // bytes came back to "e"
    bool accepted = false;  // and the version is above 105
    std::string version;
};
UI2Contact contactUI2(DeviceLink& l);

// ReadSABLE: one reading of the channel into p.device.volts (and lastvoltage).
void ReadSABLE(Program& p, Platform& io, UI2Line& line, int channel, int interactive);

// Makes the UI2's reader (code 1) read through `port` until removed.
void installUI2Reader(SerialPort& port);
void removeUI2Reader();

// Before each run: byte 208, 4 ms, and one text item read and discarded.
void ui2PrepareRun(Platform& io, SerialPort& port);

// GetFirmware(0) for the UI2: "e" and the version; the window's lines, or none when the UI2
// did not answer.
struct UI2Firmware {
    bool answered = false;
    std::string version;
    std::vector<std::string> lines;
};
UI2Firmware ui2GetFirmware(DeviceLink& l);

}  // namespace trindel
