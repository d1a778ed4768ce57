#include "devices/datataker/datataker.h"

#include <memory>

#include "devices/device_table.h"
#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

namespace {

void sendAll(SerialPort& port, const std::vector<std::string>& commands) {
    for (const auto& c : commands) {
        port.command(c);
    }
}

// Reads and discards items while any byte is waiting; returns how many were read.
int discardItems(SerialPort& port, int limit = 100000) {
    int count = 0;
    while (count < limit && (port.available() > 0 || port.buffer().lineHasItem())) {
        port.readItem();
        ++count;
    }
    return count;
}

}  // namespace

void DT500setup(SerialPort& port) {
    sendAll(port, dt500SetupCommands());
}

void contactDT500(DeviceLink& l) {
    l.progress("\xA5   attempting to contact DataTaker...");
    DT500setup(l.port);
    l.io.clock.delayMilliseconds(200);
    // The logger echoes every command until "/e" reaches it; those echoes must not be read as
    // the first readings.
    l.port.discardInput();
}

void DT800setup(SerialPort& port) {
    sendAll(port, dt800SetupCommands());
}

bool contactDT800(DeviceLink& l, std::string& error) {
    l.progress("\xA5   contacting DT800 at 57.6 Kb...");
    l.port.command("PH=115200");
    l.port.close();
    l.progress("\xA5   switching to 115.2 Kbaud\xC9");
    if (!l.port.reopen(115200, error)) {
        return false;
    }
    DT800setup(l.port);
    l.io.clock.delayMilliseconds(100);
    l.port.discardInput();
    return true;
}

void ReadDataTaker(Program& p, Platform& io, SerialPort& port, DataTakerMemory& memory, int channel,
                   int /*interactive*/) {
    const auto model = dataTakerModel(p.device.External_AD);
    if (!model || channel < 1 || channel > kMaxChannels) {
        return;
    }
    const auto c = static_cast<size_t>(channel);
    const int input = static_cast<int>(p.channels.Nvar[c][kInputNumber]);
    p.device.hardwareADchannel = static_cast<int16_t>(input);
    const DataTakerInput& fields = p.device.DataTakerChannels[c];
    const std::string spec =
        channelSpecification(fields, input, *model, p.device.DT800FastAcquisitionMode != 0);
    std::optional<double> value;
    if (port.isOpen() && !port.lost()) {
        // A reply that came too late for an earlier request must not pass for this one.
        port.discardInput();
        port.command(spec);
        // The whole line, not just its first bytes: a reading cut in two would read wrong.
        if (port.waitForReplyLine(kDataTakerReplyTimeout)) {
            value = parseReading(port.readItem());
        } else {
            port.noteUnansweredRequest(kDataTakerLateReply);
        }
    }
    if (value) {
        const double v = answersInMillivolts(fields) ? *value * 0.001 : *value;
        p.device.volts = static_cast<float>(v);
        memory.lastGood[c] = p.device.volts;
        memory.haveGood[c] = true;
    } else {
        setFailedReading(p, io, channel, memory.haveGood[c] ? memory.lastGood[c] : kBadReading);
    }
    if (*model != DataTakerModel::DT800) {
        p.device.lastvoltage[c] = p.device.volts;
    }
}

void installDataTakerReaders(SerialPort& port) {
    auto memory = std::make_shared<DataTakerMemory>();
    for (const int code : {2, 3, 4}) {
        setDeviceReader(code,
                        [&port, memory](Program& p, Platform& io, int channel, int interactive) {
                            ReadDataTaker(p, io, port, *memory, channel, interactive);
                        });
    }
}

void removeDataTakerReaders() {
    for (const int code : {2, 3, 4}) {
        setDeviceReader(code, nullptr);
    }
}

void presetCounters(Program& p, SerialPort& port) {
    const auto model = dataTakerModel(p.device.External_AD);
    if (!model || *model == DataTakerModel::DT800) {
        return;
    }
    for (int c = 1; c <= p.session.nChan && c <= kMaxChannels; ++c) {
        const auto i = static_cast<size_t>(c);
        if (p.device.DataTakerChannels[i][4] != 0) {
            port.command(counterPresetCommand(static_cast<int>(p.channels.Nvar[i][kInputNumber]),
                                              p.device.counterstart));
        }
    }
}

namespace {

void switchSpeed(Program& p, Platform& io, SerialPort& port, bool high) {
    const auto commands =
        dt800SpeedCommands(high, p.prefs[kPrefNoMainsFiltration] != 0, p.session.mainsfrequency);
    for (int pass = 0; pass < 2; ++pass) {
        sendAll(port, commands);
        io.clock.delayMilliseconds(5);
    }
}

}  // namespace

void SwitchDT800ToHIGHSpeed(Program& p, Platform& io, SerialPort& port) {
    switchSpeed(p, io, port, true);
}

void SwitchDT800ToLOWSpeed(Program& p, Platform& io, SerialPort& port) {
    switchSpeed(p, io, port, false);
}

bool ResetDataTaker(DeviceLink& l, std::string& error) {
    const auto model = dataTakerModel(l.p.device.External_AD);
    if (!model) {
        return true;
    }
    const bool dt800 = *model == DataTakerModel::DT800;
    discardItems(l.port);
    l.port.command(dt800 ? "SINGLEPUSH" : "RESET");
    for (int left = 5; left >= 0; --left) {
        l.status("Resetting Datataker...",
                 "Reset process takes ~ 5 seconds...\r" + std::string(" ") + std::to_string(left));
        if (left > 0) {
            l.io.clock.delayMilliseconds(1000);
        }
    }
    l.status("", "");
    bool ok = true;
    if (dt800) {
        ok = l.port.reopen(57600, error);
        if (ok) {
            l.port.command("PH=115200");
            ok = l.port.reopen(115200, error);
        }
        if (ok) {
            DT800setup(l.port);
        }
    } else {
        if (l.port.available() > 0) {
            l.port.readItem();
        }
        DT500setup(l.port);
    }
    // After a reset the logger echoes again until the set-up switches echo off.
    l.io.clock.delayMilliseconds(100);
    l.port.discardInput();
    return ok;
}

int FlushDT800Buffer(DeviceLink& l, bool wait) {
    if (wait) {
        l.status("Check buffer", "Flushing the DT800 buffer\rWaiting for buffer to respond...");
        l.port.waitForBytes(2, 10.0);
    }
    int items = 0;
    if (l.port.available() >= 2) {
        l.status("Empty buffer", "Flushing the DT800 buffer\rThis may take several seconds...");
        l.play("bubbles");
        // Bounded, so a logger that never stops sending cannot keep us here.
        while (items < 1000000 && l.port.available() > 0) {
            l.port.readItem();
            ++items;
            if (items % 10 == 0) {
                l.status("Empty buffer", "Flushing the DT800 buffer\r" + std::to_string(items));
            }
        }
        l.port.readItem();
    }
    l.status("", "");
    return items;
}

void DATATAKERBUTTON(Program& p) {
    ConversionTables& t = p.conversion;
    constexpr size_t kPreset = 5;  // preset 6
    const size_t row = (kPreset + 3) * 9;
    t.convert[row + 1] = 0.0f;
    t.convert[row + 2] = 1.0f;
    t.convert[row + 3] = 0.0f;
    t.convert[row + 4] = 0.0f;
    t.convert[row + 5] = 45.0f;
    std::string label =
        "\xA1"
        "C (Cu-Cn thermocouple)  ";
    label.resize(25, ' ');
    t.buttonlbls.replace(kPreset * 25, 25, label);
    std::string comment =
        "\xA1"
        "C";
    comment.resize(30, ' ');
    t.butcomments.replace(kPreset * 30, 30, comment);
}

}  // namespace trindel
