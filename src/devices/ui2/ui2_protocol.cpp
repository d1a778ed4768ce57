#include "devices/ui2/ui2_protocol.h"

#include <algorithm>

#include "devices/instruments/instrument_line.h"
#include "text/field_text.h"

namespace trindel {

UI2TempMode ui2TempMode(int16_t stored) {
    switch (stored) {
        case 1:
            return UI2TempMode::Volts;
        case 2:
            return UI2TempMode::Ohms;
        default:
            return UI2TempMode::Celsius;
    }
}

std::optional<uint8_t> ui2CommandByte(int input, UI2TempMode mode) {
    if (input >= 1 && input <= 8) {
        return static_cast<uint8_t>(143 + input);
    }
    if (input >= 9 && input <= 12) {
        // Temperature on 176..179; volts and ohms on 180..183 (the same raw reading).
        const int base = mode == UI2TempMode::Celsius ? input - 9 : input - 5;
        return static_cast<uint8_t>(176 + base);
    }
    if (input == 13) {
        return 99;
    }
    if (input == 14) {
        return 193;
    }
    return std::nullopt;
}

std::optional<float> ui2ReplyValue(int input, UI2TempMode mode, uint8_t low, uint8_t high,
                                   bool newFirmware) {
    const int32_t raw = low + 256 * high;
    if (input >= 1 && input <= 8) {
        const double centred = raw - 32768;
        return static_cast<float>(centred / (newFirmware ? 6399.9 : 6553.5));
    }
    if (input >= 9 && input <= 12) {
        if (mode == UI2TempMode::Celsius) {
            return static_cast<float>((raw - 5000) * 0.001);
        }
        const double v = raw * 7.6295e-5;
        if (mode == UI2TempMode::Volts) {
            return static_cast<float>(v);
        }
        // A divider against 100 kohm from 5 V; at the top of the range the resistance is open.
        if (v >= 5.0) {
            return 1.0e30f;
        }
        return static_cast<float>(v * 100000.0 / (5.0 - v));
    }
    if (input == 13) {
        return static_cast<float>(raw);
    }
    if (input == 14) {
        return static_cast<float>(raw * (newFirmware ? 7.812608e-5 : 7.6295e-5));
    }
    return std::nullopt;
}

bool ui2ContactAnswered(std::string_view reply) {
    return fieldValue(reply) > 105.0;
}

std::string ui2StartupVersion(std::string_view reply) {
    return std::string(reply.substr(0, 3));
}

std::string ui2FirmwareVersion(std::string_view reply) {
    return std::string(reply.substr(0, 4));
}

bool ui2NewFirmware(std::string_view version) {
    return fieldValue(version) > 199.0;
}

std::vector<std::string> ui2FirmwareLines(std::string_view version) {
    const bool wide = ui2NewFirmware(version);
    return {"The UI2 firmware version is " + std::string(version),
            wide ? "\xA5  channels 1-8:  \xB1 5.12 V" : "\xA5  channels 1-8:  \xB1 5.00 V",
            wide ? "\xA5  channels T1-T4:  degrees C, or zero to 5.12 V"
                 : "\xA5  channels T1-T4:  degrees C, or zero to 5.00 V"};
}

std::optional<float> ui2SerialField(std::string_view text, int field) {
    // The header before the first comma names the instrument; field 0 (never chosen) reads as 1.
    const int k = std::max(field, 1);
    size_t pos = 0;
    for (int comma = 0; comma < k; ++comma) {
        const size_t next = text.find(',', pos);
        if (next == std::string_view::npos) {
            return std::nullopt;
        }
        pos = next + 1;
    }
    const size_t end = text.find_first_of(",:", pos);
    const std::string digits =
        collectFieldCharacters(text.substr(pos, end == std::string_view::npos ? end : end - pos));
    if (digits.empty()) {
        return std::nullopt;
    }
    return static_cast<float>(fieldValue(digits));
}

size_t ui2LeadingText(std::string_view bytes, bool afterCR) {
    auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    if (afterCR && !bytes.empty() && bytes[0] == '\n') {
        return 1;
    }
    size_t i = 0;
    while (i < bytes.size() && bytes[i] >= 0x20 && bytes[i] <= 0x7E) {
        ++i;
    }
    if (i == 0 || i >= bytes.size() || !lineEnd(bytes[i])) {
        return 0;
    }
    while (i < bytes.size() && lineEnd(bytes[i])) {
        ++i;
    }
    return i;
}

std::string ui2AnalogOutCommand(float ao1Volts, float ao2Volts) {
    // The outputs span 0 to 5 V (4095): below is sent as 0, above as 4095, never wrapped.
    auto counts = [](float v) {
        const double clamped = v > 0.0f ? std::min(static_cast<double>(v), 5.0) : 0.0;
        return static_cast<int32_t>(819.0 * clamped);
    };
    const int32_t c1 = counts(ao1Volts);
    const int32_t c2 = counts(ao2Volts);
    std::string out = "D";
    for (const int32_t c : {c1, c2}) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>((c / 256) & 0xFF));
    }
    out.push_back('\r');
    return out;
}

}  // namespace trindel
