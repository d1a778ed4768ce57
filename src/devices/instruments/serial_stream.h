// The streaming serial instrument (device code 8): ReadSerialStream fills the field table
// (serialArray) from the freshest instrument line, a scan takes each chart channel's field, and
// GetInstrumentName reads a line's tag.
#pragma once

#include <string>

#include "devices/instruments/instrument_text.h"

namespace trindel {

struct Program;
struct Platform;
struct DeviceState;
struct DeviceInfo;
class SerialPort;

// How long a read waits for the instrument to finish a line (120 ticks); then every field is
// empty (-99999).
inline constexpr double kStreamLineTimeout = 2.0;
// A line without a line end counts once the instrument has been quiet this long.
inline constexpr double kStreamQuiet = 0.05;

// ReadSerialStream: fields 1..16 of the freshest line into serialArray; volts is left holding
// field 16's value. Returns false (all fields empty) when no line arrived in time.
bool ReadSerialStream(Program& p, Platform& io, SerialPort& port, InstrumentText& text,
                      int interactive);

// The streaming device's reader while no port is open: every field is empty.
void readStreamNotConnected(Program& p, Platform& io, int channel, int interactive);

// Makes the streaming device's reader (code 8) read through `port` until removed.
void installStreamReader(SerialPort& port);
void removeStreamReader();

// The value of chart channel c: the first field whose channel is c, field 16's when none is.
float streamChannelValue(const DeviceState& d, int channel);

// A scan's reading of chart channel c from the streaming device: the first channel of the scan
// reads a fresh line through the device's reader, every channel takes its field.
float readStreamChannel(Program& p, Platform& io, const DeviceInfo& device, int channel);

// The field each chart channel takes follows its A-D input number (field k on input k), as the
// channel window numbers them and set-up files keep them: rebuilds serialArray's channels.
void mapStreamFields(Program& p);

// GetInstrumentName: the tag name of the next line ("" when it has none or none arrives).
std::string GetInstrumentName(SerialPort& port, InstrumentText& text);

}  // namespace trindel
