#include "devices/adam/adam.h"

#include <chrono>
#include <memory>

#include "devices/device_table.h"
#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

namespace {

// The next reply line without the LF left over from a CR LF line end.
std::string nextLine(SerialPort& port) {
    std::string line = port.readLine();
    while (!line.empty() && static_cast<unsigned char>(line.front()) < 32) {
        line.erase(0, 1);
    }
    return line;
}

// Every line buffered or waiting in the system (a line cut short counts as one).
std::vector<std::string> bufferedLines(SerialPort& port) {
    std::vector<std::string> lines;
    // Bounded: a line that never stops sending cannot keep us here.
    for (int i = 0; i < 256 && port.available() > 0; ++i) {
        lines.push_back(nextLine(port));
    }
    return lines;
}

// Waits until a line that `fits` is buffered and returns it; lines that do not fit (late replies
// to earlier commands) are dropped on the way. "" when none came within `seconds`.
template <class Fits>
std::string awaitReply(SerialPort& port, double seconds, Fits fits) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (left <= 0.0 || !port.waitForLineEnd(left)) {
            return {};
        }
        std::string line = nextLine(port);
        if (fits(line)) {
            return line;
        }
    }
}

// Sends a module query ("$01M") and returns the reply of that module's address.
std::string query(SerialPort& port, const std::string& command, double seconds) {
    port.discardInput();
    port.command(command);
    const int address = (command[1] - '0') * 10 + (command[2] - '0');
    return awaitReply(port, seconds,
                      [address](const std::string& line) { return adamReplyFrom(line, address); });
}

}  // namespace

AdamSurvey contactADAM(DeviceLink& l) {
    AdamSurvey s;
    l.progress("\xA5   Contacting ADAM-4019...");
    l.play("upvip");
    const std::string name = query(l.port, "$01M", kAdamPrimaryTimeout);
    if (name.size() <= 4) {
        return s;  // the caller raises the connection alert
    }
    s.primary = true;
    s.id = adamReplyText(name, 3);
    l.progress("ADAM module ID:    " + s.id + " at address 01");
    s.firmware = adamReplyText(query(l.port, "$01F", kAdamReplyTimeout), 3);
    l.progress("Firmware version:   " + s.firmware);

    const std::string second = query(l.port, "$02M", kAdamModuleTimeout);
    if (!second.empty()) {
        s.adam4050 = true;
        l.progress("*** ADAM-" + adamReplyText(second, 3) + " located at address 02");
        query(l.port, "$02F", kAdamModuleTimeout);
    }

    l.p.prefs[kPrefAdamModule] = 0;
    const std::string third = query(l.port, "$03M", kAdamModuleTimeout);
    if (!third.empty()) {
        s.secondModule = adamSecondModuleCode(third);
        l.p.prefs[kPrefAdamModule] = s.secondModule;
        l.progress("*** ADAM-" + adamReplyText(third, 3).substr(0, 4) + " located at address 03");
        query(l.port, "$03F", kAdamModuleTimeout);
    }
    HowManyHardwareAD(l.p);
    // SetUpSerialPort adds its 500 ms.
    l.io.clock.delayMilliseconds(1500);
    return s;
}

int SetADAM(DeviceLink& l, bool showWindow, int channel) {
    Program& p = l.p;
    const int first = channel == 0 ? 1 : channel;
    const int last = channel == 0 ? p.session.nChan : channel;
    if (showWindow) {
        l.status("ADAM setup...", "Setting ADAM sensor types...");
    }
    int silent = 0;
    for (int c = first; c <= last && c <= kMaxChannels; ++c) {
        if (c < 1) {
            continue;
        }
        const auto i = static_cast<size_t>(c);
        const int input = static_cast<int>(p.channels.Nvar[i][kInputNumber]);
        const std::string command = adamRangeCommand(input, p.device.ADsensorType[i]);
        if (command.empty()) {
            continue;  // an input the modules do not have: the input warning tells the user
        }
        l.port.discardInput();
        l.port.command(command);
        l.io.clock.delayMilliseconds(60);
        // The limit runs from the command: 45 ticks less the pause.
        const int address = adamInput(input)->address;
        if (awaitReply(l.port, kAdamRangeTimeout - 0.06, [address](const std::string& line) {
                return adamReplyFrom(line, address);
            }).empty()) {
            ++silent;
        }
        l.port.discardInput();
    }
    if (showWindow) {
        l.io.clock.delayMilliseconds(100);
        l.status("", "");
    }
    if (silent > 0) {
        l.play("bubbles");
    }
    return silent;
}

void ReadADAM(Program& p, Platform& io, SerialPort& port, AdamMemory& memory, int channel,
              int /*interactive*/) {
    if (channel < 1 || channel > kMaxChannels) {
        return;
    }
    const auto c = static_cast<size_t>(channel);
    const int input = static_cast<int>(p.channels.Nvar[c][kInputNumber]);
    const std::string command = adamReadCommand(input);
    std::optional<double> value;
    if (!command.empty() && port.isOpen() && !port.lost()) {
        p.device.hardwareADchannel = static_cast<int16_t>(adamInput(input)->digit);
        using Steady = std::chrono::steady_clock;
        auto& late = memory.lateUntil;
        const auto forget = [&late] {
            while (!late.empty() && late.front() < Steady::now()) {
                late.pop_front();
            }
        };
        // A reading reply still waiting is the late answer of an earlier reading.
        for (const std::string& line : bufferedLines(port)) {
            forget();
            if (adamValueReply(line) && !late.empty()) {
                late.pop_front();
            }
        }
        port.command(command);
        // Only a reading reply answers: a late acknowledgement ("!01") is skipped, and late
        // readings of earlier requests are counted off.
        const auto deadline = Steady::now() + std::chrono::duration<double>(kAdamReplyTimeout);
        std::string reply;
        while (reply.empty()) {
            const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
            if (left <= 0.0 || !port.waitForLineEnd(left)) {
                break;
            }
            const std::string line = nextLine(port);
            forget();
            if (!adamValueReply(line)) {
                continue;
            }
            if (!late.empty()) {
                late.pop_front();
                continue;
            }
            reply = line;
        }
        value = adamReplyValue(reply);
        if (reply.empty()) {
            late.push_back(Steady::now() + std::chrono::duration_cast<Steady::duration>(
                                               std::chrono::duration<double>(kAdamLateReply)));
            if (late.size() > 64) {
                late.pop_front();  // a module that never answers leaves no growing list
            }
        }
    }
    if (value) {
        p.device.volts = static_cast<float>(*value);
        p.device.lastvoltage[c] = p.device.volts;
        memory.lastGood[c] = p.device.volts;
        memory.haveGood[c] = true;
    } else {
        setFailedReading(p, io, channel, memory.haveGood[c] ? memory.lastGood[c] : kBadReading);
    }
}

void installAdamReader(SerialPort& port) {
    auto memory = std::make_shared<AdamMemory>();
    setDeviceReader(5, [&port, memory](Program& p, Platform& io, int channel, int interactive) {
        ReadADAM(p, io, port, *memory, channel, interactive);
    });
}

void removeAdamReader() {
    setDeviceReader(5, nullptr);
}

bool SwitchADAM4050(DeviceLink& l, int k) {
    l.port.discardInput();
    l.port.command(adamDigitalOutputCommand(k));
    l.io.clock.delayMilliseconds(2);
    const bool answered = l.port.waitForLineEnd(kAdamReplyTimeout);
    l.port.discardInput();
    return answered;
}

std::vector<std::string> adamFirmwareLines(DeviceLink& l) {
    std::vector<std::string> lines;
    const char* absent[] = {"", "", " ** no ADAM 4050 found **",
                            " ** 3rd ADAM module not found **"};
    for (int address = 1; address <= 3; ++address) {
        const std::string a = "$0" + std::to_string(address);
        const std::string name = query(l.port, a + "M", kAdamModuleTimeout);
        if (name.empty() && address > 1) {
            lines.emplace_back(absent[address]);
            continue;
        }
        lines.push_back(std::to_string(address) +
                        ":  ADAM module ID:    " + adamReplyText(name, 3));
        lines.push_back("Firmware version:   " +
                        adamReplyText(query(l.port, a + "F", kAdamModuleTimeout), 3));
    }
    return lines;
}

std::optional<double> readADAMcjc(DeviceLink& l) {
    l.port.discardInput();
    l.port.command("$013");
    return adamReplyValue(awaitReply(l.port, kAdamReplyTimeout,
                                     [](const std::string& line) { return adamValueReply(line); }));
}

AddressCheck SendNewAddressCheck(DeviceLink& l, const std::string& command) {
    AddressCheck r;
    l.port.discardInput();
    l.port.command(command);
    l.io.clock.delayMilliseconds(10);
    if (l.port.waitForLineEnd(kAdamRangeTimeout)) {
        r.reply = l.port.readLine();
    } else {
        r.reply = l.port.readBytes(l.port.available());
    }
    r.accepted = adamAddressAccepted(r.reply);
    if (!r.accepted) {
        l.play("bzot");
    }
    return r;
}

}  // namespace trindel
