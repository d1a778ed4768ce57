#include "devices/adam/adam_protocol.h"

#include <charconv>

namespace trindel {

std::optional<AdamInput> adamInput(int input) {
    if (input >= 1 && input <= 8) {
        return AdamInput{1, input - 1};
    }
    if (input >= 9 && input <= 16) {
        return AdamInput{3, input - 9};
    }
    return std::nullopt;
}

const AdamSensorRow* adamSensorRow(int16_t type) {
    const int16_t t = type == 0 ? 5 : type;
    for (const AdamSensorRow& row : kAdamSensorRows) {
        if (row.type == t) {
            return &row;
        }
    }
    return nullptr;
}

std::string_view adamRangeCode(int16_t type) {
    const AdamSensorRow* row = adamSensorRow(type);
    return row != nullptr ? row->rangeCode : std::string_view("09");
}

bool adamThermocouple(int16_t type) {
    return type >= 100 && type <= 102;
}

namespace {

std::string addressed(char lead, const AdamInput& in) {
    std::string out(1, lead);
    out += '0';
    out += static_cast<char>('0' + in.address);
    return out;
}

}  // namespace

std::string adamRangeCommand(int input, int16_t sensorType) {
    const auto in = adamInput(input);
    if (!in) {
        return {};
    }
    return addressed('$', *in) + "7C" + static_cast<char>('0' + in->digit) + "R" +
           std::string(adamRangeCode(sensorType));
}

std::string adamReadCommand(int input) {
    const auto in = adamInput(input);
    if (!in) {
        return {};
    }
    return addressed('#', *in) + static_cast<char>('0' + in->digit);
}

std::string adamDigitalOutputCommand(int k) {
    int value = 8 - k;
    // The printed form of a negative value is its minus sign and digits; the minus becomes "0".
    value = value < 0 ? -value : value;
    value = value > 7 ? 7 : value;
    return "#02000" + std::to_string(value);
}

std::string adamReplyText(std::string_view reply, size_t drop) {
    if (reply.size() <= drop) {
        return {};
    }
    return std::string(reply.substr(drop));
}

std::optional<double> adamReplyValue(std::string_view reply) {
    // Noise before the marker (a stray LF) is not part of the reply.
    while (!reply.empty() && static_cast<unsigned char>(reply.front()) < 32) {
        reply.remove_prefix(1);
    }
    if (reply.empty() || reply.front() != '>') {
        return std::nullopt;
    }
    reply.remove_prefix(1);
    while (!reply.empty() && reply.front() == ' ') {
        reply.remove_prefix(1);
    }
    // Only the marker is dropped: the sign after it is part of the value.
    bool negative = false;
    if (!reply.empty() && (reply.front() == '+' || reply.front() == '-')) {
        negative = reply.front() == '-';
        reply.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(reply.data(), reply.data() + reply.size(), value);
    if (ec != std::errc() || end == reply.data()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool adamReplyFrom(std::string_view reply, int address) {
    if (address < 0 || address > 99 || reply.size() < 3 || reply[0] != '!') {
        return false;
    }
    return reply[1] == static_cast<char>('0' + address / 10) &&
           reply[2] == static_cast<char>('0' + address % 10);
}

bool adamValueReply(std::string_view reply) {
    return !reply.empty() && (reply.front() == '>' || reply.front() == '?');
}

int16_t adamSecondModuleCode(std::string_view nameReply) {
    const std::string name = adamReplyText(nameReply, 3).substr(0, 4);
    if (name == "4017") {
        return 10;
    }
    if (name == "4019") {
        return 11;
    }
    return 0;
}

std::optional<std::string> adamAddressCommand(std::string_view originalAddress,
                                              AdamModuleChoice module) {
    std::string_view configuration;
    switch (module) {
        case AdamModuleChoice::Adam4050:
            configuration = "020F0600";
            break;
        case AdamModuleChoice::SecondAnalogue:
            configuration = "03090600";
            break;
        case AdamModuleChoice::Primary:
            configuration = "01090600";
            break;
        case AdamModuleChoice::None:
            return std::nullopt;
    }
    while (!originalAddress.empty() && originalAddress.front() == ' ') {
        originalAddress.remove_prefix(1);
    }
    while (!originalAddress.empty() && originalAddress.back() == ' ') {
        originalAddress.remove_suffix(1);
    }
    if (originalAddress.empty() || originalAddress.size() > 2) {
        return std::nullopt;
    }
    for (const char c : originalAddress) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    std::string address(originalAddress);
    if (address.size() == 1) {
        address.insert(0, "0");
    }
    return "%" + address + std::string(configuration);
}

bool adamAddressAccepted(std::string_view reply) {
    return !reply.empty() && reply.front() == '!';
}

}  // namespace trindel
