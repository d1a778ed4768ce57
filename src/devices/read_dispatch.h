// Reading one channel from the selected device: the raw dispatch through the device table's
// reader, the spike re-read, and the one reading a scan takes.
#pragma once

namespace trindel {

struct Program;
struct Platform;

// Calls the table's reader of the selected device; volts keeps its value for a code without a
// reader. After the last channel of a scan the serial-instrument line is marked for a fresh read.
void ReadExternalADValue(Program& p, Platform& io, int channel, int interactive);

// Reads with the spike re-read: a reading that jumps by more than the channel's threshold from
// the previous one is read again (after 10 ms, and 6 ms more for a third read with double
// filtration), and the first reading is replaced by the previous value when the re-read lies
// nearer to it. The result is left in p.device.volts.
void ReadExternalADdevice(Program& p, Platform& io, int channel, int interactive);

// One reading of `channel` as a scan takes it from the device in use: through the spike re-read
// for a device whose row asks for it, else straight from the row's reader (the demonstration
// source simulates its own spikes). Returns p.device.volts.
float readDeviceChannel(Program& p, Platform& io, int channel);

}  // namespace trindel
