// GetFirmware, DT800check and DataTakerDiagnostics.
#include <chrono>

#include "devices/connection_alert.h"
#include "devices/datataker/datataker.h"
#include "devices/serial/serial_port.h"
#include "state/program.h"

namespace trindel {

namespace {

using Steady = std::chrono::steady_clock;

// A reply line without the LF left over from the previous CR LF line end.
std::string trimmedLine(SerialPort& port) {
    std::string line = port.readLine();
    size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) < 32) {
        ++i;
    }
    return line.substr(i);
}

// Reads lines until one is longer than 9 characters or `seconds` pass; returns the last.
std::string readStatusLine(SerialPort& port, double seconds) {
    const auto deadline = Steady::now() + std::chrono::duration<double>(seconds);
    std::string line;
    for (;;) {
        const double left = std::chrono::duration<double>(deadline - Steady::now()).count();
        if (left <= 0.0 || !port.waitForLineEnd(left)) {
            if (port.available() > 0) {
                line = trimmedLine(port);
            }
            return line;
        }
        line = trimmedLine(port);
        if (line.size() > 9) {
            return line;
        }
    }
}

std::string dt800Status(DeviceLink& l) {
    std::string line;
    for (int pass = 0; pass < 2; ++pass) {
        l.port.command("/U");
        l.port.command("STATUS1");
        l.io.clock.delayMilliseconds(3);
        line = readStatusLine(l.port, kDataTakerReplyTimeout);
        l.io.clock.delayMilliseconds(5);
    }
    l.port.command("/u");
    return line;
}

void DT800check(DeviceLink& l, bool atStartup, const std::string& reply, FirmwareResult& r) {
    l.play("piiing");
    r.answered = true;
    r.firmware = dt800FirmwareText(reply);
    if (atStartup) {
        l.progress("Connection seems OK at 115.2 Kbaud");
        l.progress("firmware:  d" + r.firmware);
        r.lines.push_back("firmware:  d" + r.firmware);
    } else {
        r.lines.push_back(dt800FirmwareWindowText(r.firmware));
    }
}

FirmwareResult dt800Firmware(DeviceLink& l, bool atStartup) {
    FirmwareResult r;
    std::string line = dt800Status(l);
    if (line.size() >= 11) {
        DT800check(l, atStartup, line, r);
        return r;
    }
    if (!atStartup) {
        return r;
    }
    l.io.sounds.play("AlarmBUZZ");
    l.progress("* Connecting at 57.6 Kb failed, retry at 115.2 Kb...");
    l.port.close();
    l.p.device.baudrate = 115200;
    l.progress("opening serial port\xC9");
    std::string error;
    if (l.port.reopen(115200, error) && contactDT800(l, error)) {
        line = dt800Status(l);
    } else {
        line.clear();
    }
    if (line.size() < 11) {
        r.quit = ConnectionERROR(l.p, l.io, "DT800", error);
        return r;
    }
    l.play("upvip");
    DT800check(l, atStartup, line, r);
    return r;
}

FirmwareResult dt500Firmware(DeviceLink& l, bool atStartup) {
    FirmwareResult r;
    if (!atStartup) {
        r.lines.push_back("   Checking firmware...");
    }
    l.port.discardInput();
    l.port.command("/U");
    l.port.command("TEST0");
    l.io.clock.delayMilliseconds(300);
    l.port.waitForBytes(17, 2.0);
    // Take the whole reply line when its end is on the way.
    if (!l.port.buffer().hasLineEnd() && l.port.available() > 0) {
        l.port.waitForLineEnd(0.5);
    }
    const std::string reply = l.port.readBytes(l.port.available());
    if (reply.size() >= 11) {
        l.play("piiing");
    }
    l.port.command("/u");
    std::string text = dt500FirmwareText(reply);
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 32) {
        text.erase(0, 1);
    }
    r.firmware = text;
    r.answered = text.size() > 10;
    if (!atStartup) {
        r.lines.push_back("\xA5 " + text);
        return r;
    }
    if (!r.answered) {
        l.port.close();
        r.quit = ConnectionERROR(l.p, l.io, "DataTaker");
        return r;
    }
    l.progress("Connection seems OK");
    l.progress("firmware: " + text);
    r.lines.push_back("firmware: " + text);
    return r;
}

}  // namespace

FirmwareResult GetFirmware(DeviceLink& l, bool atStartup) {
    const auto model = dataTakerModel(l.p.device.External_AD);
    FirmwareResult r;
    if (!model) {
        return r;
    }
    r = *model == DataTakerModel::DT800 ? dt800Firmware(l, atStartup) : dt500Firmware(l, atStartup);
    if (atStartup && r.answered) {
        l.io.clock.delayMilliseconds(2000);
    }
    l.port.discardInput();
    return r;
}

std::vector<DiagnosticsLine> DataTakerDiagnostics(DeviceLink& l) {
    std::vector<DiagnosticsLine> out;
    const auto model = dataTakerModel(l.p.device.External_AD);
    if (!model) {
        return out;
    }
    l.port.discardInput();
    if (*model != DataTakerModel::DT800) {
        l.port.command("/U");
        for (const char* text :
             {"Testing 17 functions...", "Please be patient; this", "takes some time."}) {
            out.push_back({text, false});
            l.progress(text);
        }
        for (int k = 1; k <= 17; ++k) {
            l.port.command("TEST" + std::to_string(k));
            l.io.clock.delayMilliseconds(300);
            l.port.waitForLineEnd(1.5);
            const std::string line = l.port.readLine();
            DiagnosticsLine shown{std::to_string(k) + " " + diagnosticsLine(line),
                                  diagnosticsFailed(line)};
            l.progress(shown.text);
            out.push_back(shown);
        }
        l.port.command("/u");
        out.push_back({"Tests complete", false});
        l.progress("Tests complete");
    } else {
        for (int pass = 0; pass < 2; ++pass) {
            for (int k = 1; k <= 14; ++k) {
                l.port.command("TEST" + std::to_string(k));
                l.io.clock.delayMilliseconds(pass == 0 ? 10 : 40);
                const std::string line = readStatusLine(l.port, 1.0 / 6);
                if (pass == 1) {
                    DiagnosticsLine shown{diagnosticsLine(line), diagnosticsFailed(line)};
                    l.progress(shown.text);
                    out.push_back(shown);
                }
            }
        }
    }
    l.port.discardInput();
    return out;
}

}  // namespace trindel
