#include "devices/read_dispatch.h"

#include <cmath>

#include "core/program.h"
#include "devices/device_table.h"
#include "platform/platform.h"

namespace trindel {

void ReadExternalADValue(Program& p, Platform& io, int channel, int interactive) {
    const int code = p.device.External_AD;
    if (code > 0 && code < kDeviceCodeCount) {
        const auto& slot = p.readers.slots[static_cast<size_t>(code)];
        const DeviceInfo& info = deviceInfo(code);
        if (slot) {
            slot(p, io, channel, interactive);
        } else if (info.reader != nullptr) {
            info.reader(p, io, channel, interactive);
        }
    }
    if (channel == p.session.nChan) {
        p.device.serialWasRead = 0;
    }
}

void ReadExternalADdevice(Program& p, Platform& io, int channel, int interactive) {
    const auto c = static_cast<size_t>(channel);
    ReadExternalADValue(p, io, channel, interactive);
    const float t = p.conversion.SpikeFilterArray[c];
    p.conversion.SpikeFilterRatio = t;
    if (p.session.Sample <= 1 || t <= 1.0f) {
        return;
    }
    auto& history = p.device.lastvoltageX;
    const float r = p.device.volts;
    const float previous = history[1][c];
    if (std::fabs(r - previous) > t) {
        io.clock.delayMilliseconds(10);
        ReadExternalADValue(p, io, channel, interactive);
        if (p.prefs[kPrefDoubleSpikeFilter] != 0) {
            io.clock.delayMilliseconds(6);
            ReadExternalADValue(p, io, channel, interactive);
        }
        const float q = p.device.volts;
        if (std::fabs(q - r) > std::fabs(q - previous)) {
            p.device.volts = previous;
            ++p.conversion.voltagespikes[c];
        } else {
            p.device.volts = q;
        }
    }
    history[2][c] = previous;
    history[1][c] = r;
}

}  // namespace trindel
