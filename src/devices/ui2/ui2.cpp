#include "devices/ui2/ui2.h"

#include <algorithm>
#include <chrono>

#include "devices/device_table.h"
#include "devices/serial/serial_port.h"
#include "devices/ui2/ui2_protocol.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

std::optional<std::pair<uint8_t, uint8_t>> UI2Line::exchange(uint8_t command,
                                                             double timeoutSeconds) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(timeoutSeconds);
    text_.add(port_.readBytes(port_.available()));
    port_.send(std::string(1, static_cast<char>(command)));
    std::string got;
    for (;;) {
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        const bool enough = port_.waitForBytes(2 - std::min<size_t>(got.size(), 1), left);
        got += port_.readBytes(port_.available());
        // Text the instrument sent meanwhile goes with the text, not into the reply.
        for (size_t t = ui2LeadingText(got, text_.endsWithCR()); t > 0;
             t = ui2LeadingText(got, text_.endsWithCR())) {
            text_.add(got.substr(0, t));
            got.erase(0, t);
        }
        if (got.size() >= 2) {
            const auto reply =
                std::make_pair(static_cast<uint8_t>(got[0]), static_cast<uint8_t>(got[1]));
            text_.forgetLineEnd();
            text_.add(got.substr(2));
            return reply;
        }
        if (!enough || left <= 0.0) {
            text_.add(got);  // a lone byte is no reply
            return std::nullopt;
        }
    }
}

std::string UI2Line::instrumentText(double timeoutSeconds) {
    return waitForInstrumentLine(port_, text_, timeoutSeconds, kUI2SerialQuiet);
}

namespace {

// The version text with its line end: a CR LF still on its way would otherwise be taken as the
// first reading's two bytes.
std::string wholeVersionReply(SerialPort& port) {
    port.waitForLineEnd(0.1);
    port.waitForBytes(port.available() + 1, 0.02);
    return port.readBytes(port.available());
}

}  // namespace

UI2Contact contactUI2(DeviceLink& l) {
    UI2Contact r;
    std::string error;
    l.port.send(kUI2Wake);
    l.port.close();
    l.io.clock.delayMilliseconds(20);
    l.progress("\xA5   attempting to contact UI2...");
    l.progress("\xA5   switching to 115.2 Kbaud\xC9");
    if (!l.port.reopen(115200, error)) {
        return r;
    }
    l.play("big click");
    l.port.send(kUI2Version);
    l.io.clock.delayMilliseconds(5);
    if (!l.port.waitForBytes(3, kUI2ReplyTimeout)) {
        return r;  // the caller raises the connection alert
    }
    r.answered = true;
    const std::string reply = wholeVersionReply(l.port);
    if (!ui2ContactAnswered(reply)) {
        l.io.clock.delayMilliseconds(500);
        return r;
    }
    r.accepted = true;
    r.version = ui2StartupVersion(reply);
    l.progress("connection seems OK");
    l.progress("\xA5   UI2 firmware version " + r.version);
    if (ui2NewFirmware(r.version)) {
        l.p.prefs[kPrefUI2NewFirmware] = 1;
    }
    l.io.clock.delayMilliseconds(1000);
    return r;
}

namespace {

void failed(Program& p, Platform& io, int channel) {
    const auto c = static_cast<size_t>(channel);
    setFailedReading(p, io, channel, p.device.lastvoltage[c]);
}

void accept(Program& p, int channel, float value) {
    p.device.volts = value;
    p.device.lastvoltage[static_cast<size_t>(channel)] = value;
}

}  // namespace

void ReadSABLE(Program& p, Platform& io, UI2Line& line, int channel, int /*interactive*/) {
    if (channel < 1 || channel > kMaxChannels) {
        return;
    }
    const auto c = static_cast<size_t>(channel);
    const int n = static_cast<int>(p.channels.Nvar[c][kInputNumber]);
    p.device.hardwareADchannel = static_cast<int16_t>(n);
    DeviceState& d = p.device;
    if (n == kUI2SerialInput) {
        if (d.serialWasRead == 0 || d.lastSample != p.session.Sample) {
            d.lastserialstring = line.instrumentText(kUI2SerialTextTimeout);
            d.lastSample = p.session.Sample;
            d.serialWasRead = 1;
        }
        const auto v = ui2SerialField(d.lastserialstring, d.ADsensorType[c]);
        if (v) {
            accept(p, channel, *v);
        } else {
            failed(p, io, channel);
        }
        return;
    }
    const UI2TempMode mode = n >= 9 && n <= 12
                                 ? ui2TempMode(d.ADsensorType[static_cast<size_t>(n - 8)])
                                 : UI2TempMode::Celsius;
    const auto command = ui2CommandByte(n, mode);
    if (!command) {
        return;  // no such input: volts keeps its value
    }
    const auto reply = line.port().isOpen() && !line.port().lost()
                           ? line.exchange(*command, kUI2ReplyTimeout)
                           : std::nullopt;
    if (!reply) {
        failed(p, io, channel);
        return;
    }
    accept(p, channel,
           *ui2ReplyValue(n, mode, reply->first, reply->second, p.prefs[kPrefUI2NewFirmware] != 0));
}

void installUI2Reader(SerialPort& port) {
    auto line = std::make_shared<UI2Line>(port);
    setDeviceReader(1, [line](Program& p, Platform& io, int channel, int interactive) {
        ReadSABLE(p, io, *line, channel, interactive);
    });
}

void removeUI2Reader() {
    setDeviceReader(1, nullptr);
}

void ui2PrepareRun(Platform& io, SerialPort& port) {
    port.send(std::string(1, static_cast<char>(kUI2RunStart)));
    io.clock.delayMilliseconds(4);
    // The answer is one text line; wait briefly for it so it is not read as a reading.
    port.waitForLineEnd(0.25);
    port.readItem();
    port.discardInput();
}

UI2Firmware ui2GetFirmware(DeviceLink& l) {
    UI2Firmware r;
    l.port.discardInput();
    l.port.send(kUI2Version);
    l.io.clock.delayMilliseconds(5);
    if (!l.port.waitForBytes(3, kUI2ReplyTimeout)) {
        return r;
    }
    r.answered = true;
    r.version = ui2FirmwareVersion(wholeVersionReply(l.port));
    // The window shows the version without its line end.
    while (!r.version.empty() && (r.version.back() == '\r' || r.version.back() == '\n')) {
        r.version.pop_back();
    }
    r.lines = ui2FirmwareLines(r.version);
    return r;
}

}  // namespace trindel
