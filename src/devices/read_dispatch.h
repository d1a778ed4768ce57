// Reading one channel from the selected device: the raw dispatch through the device table's
// reader, the spike re-read, and the one reading a scan takes.
#pragma once

#include "devices/device_table.h"
#include "state/program.h"

namespace trindel {

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
// source simulates its own spikes). Returns p.device.volts. The second form takes the row of the
// device in use, looked up once for a whole scan.
float readDeviceChannel(Program& p, Platform& io, int channel);
inline float readDeviceChannel(Program& p, Platform& io, const DeviceInfo& device, int channel) {
    if (device.spikeReread) {
        ReadExternalADdevice(p, io, channel, 1);
    } else if (device.reader != nullptr) {
        device.reader(p, io, channel, 1);
    }
    return p.device.volts;
}

}  // namespace trindel
