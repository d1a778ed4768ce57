// Reading one channel from the selected device: the raw dispatch and the spike re-read.
#pragma once

namespace trindel {

struct Program;
struct Platform;

// Calls the reader of the selected device; volts keeps its value for a code without a reader.
// After the last channel of a scan the serial-instrument line is marked for a fresh read.
void ReadExternalADValue(Program& p, Platform& io, int channel, int interactive);

// Reads with the spike re-read: a reading that jumps by more than the channel's threshold from
// the previous one is read again (after 10 ms, and 6 ms more for a third read with double
// filtration), and the first reading is replaced by the previous value when the re-read lies
// nearer to it. The result is left in p.device.volts.
void ReadExternalADdevice(Program& p, Platform& io, int channel, int interactive);

}  // namespace trindel
