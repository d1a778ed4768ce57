#include "devices/ui2/ui2_windows.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "devices/serial/serial_port.h"
#include "state/program.h"
#include "text/field_text.h"

namespace trindel {

UI2TempMode ui2TempModeOf(const Program& p, int t) {
    return ui2TempMode(p.device.ADsensorType[static_cast<size_t>(std::clamp(t, 1, 4))]);
}

void setUI2TempMode(Program& p, int t, UI2TempMode mode) {
    if (t >= 1 && t <= 4) {
        p.device.ADsensorType[static_cast<size_t>(t)] = static_cast<int16_t>(mode);
    }
}

std::optional<int> ui2TempChannel(const Program& p, int channel) {
    if (p.device.External_AD != 1 || channel < 1 || channel > kMaxChannels) {
        return std::nullopt;
    }
    const int n = static_cast<int>(p.channels.Nvar[static_cast<size_t>(channel)][kInputNumber]);
    if (n < 9 || n > 12) {
        return std::nullopt;
    }
    return n - 8;
}

int SerialInstrumentsModel::rows() const {
    return std::clamp<int>(p_.session.nChan, 0, kMaxChannels);
}

std::string SerialInstrumentsModel::label(int c) const {
    return p_.channels.label(c);
}

bool SerialInstrumentsModel::serial(int c) const {
    return static_cast<int>(p_.channels.Nvar[static_cast<size_t>(c)][kInputNumber]) ==
           kUI2SerialInput;
}

void SerialInstrumentsModel::setSerial(int c, bool on) {
    if (c < 1 || c > rows()) {
        return;
    }
    p_.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = on ? kUI2SerialInput : 1.0f;
}

std::optional<UI2InstrumentReply> SerialStringUpdate(
    DeviceLink& l, const std::array<int, kUI2InstrumentFields>& draws, double timeoutSeconds) {
    if (l.p.device.DemonstrationMODE != 0 || !l.port.isOpen()) {
        if (l.p.device.DemonstrationMODE == 0) {
            return std::nullopt;
        }
        return splitUI2InstrumentReply(ui2DemoInstrumentLine(draws));
    }
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + std::chrono::duration<double>(timeoutSeconds);
    auto left = [&] { return std::chrono::duration<double>(deadline - Steady::now()).count(); };
    while (left() > 0.0 && !l.port.lost()) {
        l.port.discardInput();
        l.port.send(kUI2InstrumentQuery);
        if (l.port.waitForBytes(1, std::min(left(), 50.0 / 60.0))) {
            l.port.readBytes(1);
        }
        l.io.clock.delayMilliseconds(40);
        l.port.waitForLineEnd(std::max(0.0, std::min(left(), 0.5)));
        std::string line = l.port.readLine();
        while (!line.empty() && (line.front() == '\n' || line.front() == '\r')) {
            line.erase(0, 1);
        }
        if (line.size() >= 6) {
            return splitUI2InstrumentReply(line);
        }
    }
    return std::nullopt;
}

SerialFieldChoiceModel::SerialFieldChoiceModel(Program& p, int channel)
    : p_(p), channel_(std::clamp(channel, 1, kMaxChannels)) {
    const auto c = static_cast<size_t>(channel_);
    chosen_ = std::max<int>(p.device.ADsensorType[c], 1);
    upper_ = fieldText(p.channels.Nvar[c][kDisplayMax]);
    lower_ = fieldText(p.channels.Nvar[c][kDisplayMin]);
}

void SerialFieldChoiceModel::setFields(const UI2InstrumentReply& reply) {
    reply_ = reply;
}

std::string SerialFieldChoiceModel::fieldChoiceText(int k) const {
    if (k < 1 || k > fields()) {
        return {};
    }
    const std::string& t = reply_.fields[static_cast<size_t>(k - 1)];
    return std::to_string(k) + ":  " + (t.empty() ? "--" : t);
}

void SerialFieldChoiceModel::choose(int k) {
    if (k >= 1 && k <= kUI2InstrumentFields) {
        chosen_ = k;
    }
}

void SerialFieldChoiceModel::finish() {
    const auto c = static_cast<size_t>(channel_);
    p_.device.ADsensorType[c] = static_cast<int16_t>(chosen_);
    auto limit = [](const std::string& text, float& slot) {
        const std::string digits = collectFieldCharacters(text);
        if (!digits.empty() && std::isfinite(fieldValue(digits))) {
            slot = static_cast<float>(fieldValue(text));
        }
    };
    limit(upper_, p_.channels.Nvar[c][kDisplayMax]);
    limit(lower_, p_.channels.Nvar[c][kDisplayMin]);
}

}  // namespace trindel
