#include "devices/adc1/adc1.h"

#include <memory>
#include <string>

#include "devices/adc1/adc1_protocol.h"
#include "devices/device_table.h"
#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

void GetADCReply(SerialPort& port, Adc1Exchange& x) {
    x.SerialError = 0;
    if (!port.waitForBytes(1, kAdc1ReplyTimeout)) {
        x.SerialError = 1;
        return;
    }
    x.chx = static_cast<int16_t>(static_cast<unsigned char>(port.readBytes(1)[0]));
}

std::optional<int32_t> Get_ADC_Volts(SerialPort& port, Adc1Exchange& x, int code) {
    if (!port.isOpen() || port.lost()) {
        x.SerialError = 1;
        return std::nullopt;
    }
    // A byte that came after its time-out must not be taken for a reply of this conversion.
    port.discardInput();
    port.send(std::string(1, static_cast<char>(adc1SelectByte(code))));
    GetADCReply(port, x);
    if (x.SerialError != 0) {
        return std::nullopt;
    }
    for (int poll = 0;; ++poll) {
        if (poll == kAdc1MaxStatusPolls) {
            x.SerialError = 1;
            return std::nullopt;
        }
        port.send(std::string(1, static_cast<char>(kAdc1StatusByte)));
        GetADCReply(port, x);
        if (x.SerialError != 0) {
            return std::nullopt;
        }
        x.hb = x.chx;
        if ((x.hb & kAdc1Busy) == 0) {
            break;
        }
    }
    port.send(std::string(1, static_cast<char>(kAdc1LowByte)));
    GetADCReply(port, x);
    if (x.SerialError != 0) {
        return std::nullopt;
    }
    return adc1Result(x.hb, x.chx);
}

void ReadADC1(Program& p, Platform& io, SerialPort& port, Adc1Exchange& x, int channel) {
    if (channel < 1 || channel > kMaxChannels) {
        return;
    }
    const auto c = static_cast<size_t>(channel);
    const int input = static_cast<int>(p.channels.Nvar[c][kInputNumber]);
    p.device.hardwareADchannel = static_cast<int16_t>(input);
    const Adc1Reading r = adc1Reading(p.device.GainSet, input,
                                      [&](int code) { return Get_ADC_Volts(port, x, code); });
    x.SerialError = r.serialError ? 1 : 0;
    if (r.badValueOnly) {
        p.device.volts = kBadReading;
        if (p.device.SerialWarningBuzz != 0) {
            io.sounds.play("ALARMbuzz");
        }
        return;
    }
    if (r.failed) {
        setFailedReading(p, io, channel, p.device.lastvoltage[c]);
        return;
    }
    p.device.volts = r.volts;
    p.device.lastvoltage[c] = r.volts;
    if (r.serialError && p.device.SerialWarningBuzz != 0) {
        io.sounds.play("ALARMbuzz");
    }
}

void installAdc1Reader(SerialPort& port) {
    auto x = std::make_shared<Adc1Exchange>();
    setDeviceReader(6, [&port, x](Program& p, Platform& io, int channel, int /*interactive*/) {
        ReadADC1(p, io, port, *x, channel);
    });
}

void removeAdc1Reader() {
    setDeviceReader(6, nullptr);
}

}  // namespace trindel
