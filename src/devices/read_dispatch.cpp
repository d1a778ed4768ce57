#include "devices/read_dispatch.h"

#include "devices/device_table.h"
#include "platform/platform.h"
#include "signal/spike_filter.h"
#include "state/program.h"

namespace trindel {

void ReadExternalADValue(Program& p, Platform& io, int channel, int interactive) {
    const DeviceReader reader = deviceInfo(p.device.External_AD).reader;
    if (reader != nullptr) {
        reader(p, io, channel, interactive);
    }
    if (channel == p.session.nChan) {
        p.device.serialWasRead = 0;
    }
}

void ReadExternalADdevice(Program& p, Platform& io, int channel, int interactive) {
    const auto c = static_cast<size_t>(channel);
    ReadExternalADValue(p, io, channel, interactive);
    const float ratio = p.conversion.SpikeFilterArray[c];
    p.conversion.SpikeFilterRatio = ratio;
    if (!spikeFilterApplies(ratio, p.device.External_AD, p.session.Sample)) {
        return;
    }
    p.device.volts = spikeFilteredReading(p.conversion, p.device, channel, p.device.volts,
                                          p.prefs[kPrefDoubleSpikeFilter] != 0, [&](int delayMs) {
                                              io.clock.delayMilliseconds(delayMs);
                                              ReadExternalADValue(p, io, channel, interactive);
                                              return p.device.volts;
                                          });
}

float readDeviceChannel(Program& p, Platform& io, int channel) {
    return readDeviceChannel(p, io, deviceInfo(p.device.External_AD), channel);
}

}  // namespace trindel
