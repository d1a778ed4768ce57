#include "devices/instruments/serial_stream.h"

#include <memory>

#include "devices/device_table.h"
#include "devices/instruments/instrument_line.h"
#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

bool ReadSerialStream(Program& p, Platform& io, SerialPort& port, InstrumentText& text,
                      int /*interactive*/) {
    const std::string line =
        port.isOpen() && !port.lost()
            ? waitForInstrumentLine(port, text, kStreamLineTimeout, kStreamQuiet)
            : std::string();
    const auto fields = splitInstrumentLine(line);
    auto& table = p.device.serialArray;
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        table[k][1] = fields[k];
    }
    p.device.volts = table[kInstrumentFields][1];
    if (line.empty() && p.device.SerialWarningBuzz != 0) {
        io.sounds.play("ALARMbuzz");
    }
    return !line.empty();
}

void readStreamNotConnected(Program& p, Platform& io, int /*channel*/, int /*interactive*/) {
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        p.device.serialArray[k][1] = kEmptyField;
    }
    p.device.volts = kEmptyField;
    if (p.device.SerialWarningBuzz != 0) {
        io.sounds.play("ALARMbuzz");
    }
}

void installStreamReader(SerialPort& port) {
    auto text = std::make_shared<InstrumentText>();
    setDeviceReader(8, [&port, text](Program& p, Platform& io, int, int interactive) {
        ReadSerialStream(p, io, port, *text, interactive);
    });
}

void removeStreamReader() {
    setDeviceReader(8, nullptr);
}

float streamChannelValue(const DeviceState& d, int channel) {
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        if (static_cast<int>(d.serialArray[k][2]) == channel) {
            return d.serialArray[k][1];
        }
    }
    return d.serialArray[kInstrumentFields][1];
}

float readStreamChannel(Program& p, Platform& io, const DeviceInfo& device, int channel) {
    const int first = p.session.RecordingMODE == 3 ? 2 : 1;
    if (channel == first && device.reader != nullptr) {
        device.reader(p, io, channel, 0);
    }
    return streamChannelValue(p.device, channel);
}

void mapStreamFields(Program& p) {
    auto& table = p.device.serialArray;
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        table[k][2] = 0.0f;
    }
    // Channels in order: the first channel on a field keeps it.
    for (int c = 1; c <= p.session.nChan && c <= kMaxChannels; ++c) {
        const int k = static_cast<int>(p.channels.Nvar[static_cast<size_t>(c)][kInputNumber]);
        if (k >= 1 && k <= kInstrumentFields && table[static_cast<size_t>(k)][2] == 0.0f) {
            table[static_cast<size_t>(k)][2] = static_cast<float>(c);
        }
    }
}

std::string GetInstrumentName(SerialPort& port, InstrumentText& text) {
    return instrumentTag(waitForInstrumentLine(port, text, kStreamLineTimeout, kStreamQuiet)).name;
}

}  // namespace trindel
