#include "files/byte_reader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>

namespace trindel {

std::string ByteReader::countedText(const char* what) {
    const float length = beFloat(what);
    if (!std::isfinite(length) || length < 0.0f || length > 255.0f ||
        length != std::floor(length)) {
        throw FileFormatError(std::string(what) + ": impossible text length");
    }
    return text(static_cast<size_t>(length), what);
}

std::string ByteReader::line(size_t limit, const char* what) {
    for (size_t i = 0; i < remaining() && i <= limit; ++i) {
        if (bytes_[pos_ + i] == '\r') {
            std::string out = text(i, what);
            ++pos_;
            return out;
        }
    }
    throw FileFormatError(std::string(what) + ": no line end where one is expected");
}

int64_t wholeNumber(float value, int64_t low, int64_t high, const char* what) {
    if (!std::isfinite(value) || value != std::trunc(value) || value < static_cast<float>(low) ||
        value > static_cast<float>(high)) {
        throw FileFormatError(std::string("bad ") + what);
    }
    return static_cast<int64_t>(value);
}

float numberFromText(std::string_view text, const char* what) {
    size_t start = 0;
    if (!text.empty() && text[0] == ' ') {
        start = 1;
    }
    const std::string_view body = text.substr(start);
    if (body == "NAN") {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (body == "INF") {
        return std::numeric_limits<float>::infinity();
    }
    if (body == "-INF") {
        return -std::numeric_limits<float>::infinity();
    }
    float value = 0.0f;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || end != body.data() + body.size() || body.empty() || body[0] == '+' ||
        (start == 1 && body[0] == '-')) {
        throw FileFormatError(std::string("bad number in ") + what);
    }
    return value;
}

std::vector<uint8_t> readFileBytes(const std::string& path, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw FileFormatError("cannot open \"" + path + "\"");
    }
    std::vector<uint8_t> data;
    char buffer[4096];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<size_t>(in.gcount());
        if (data.size() + got > maxBytes) {
            throw FileFormatError("\"" + path + "\" is too large for this kind of file");
        }
        data.insert(data.end(), buffer, buffer + got);
    }
    if (in.bad()) {
        throw FileFormatError("cannot read \"" + path + "\"");
    }
    return data;
}

}  // namespace trindel
