#include "files/field_stream.h"

#include <unistd.h>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace trindel {

namespace {

void putBigEndian(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

uint64_t getBigEndian(const uint8_t* p, int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v = (v << 8) | p[i];
    }
    return v;
}

std::string fieldError(const char* what, const std::string& problem) {
    return std::string(what) + ": " + problem;
}

}  // namespace

void FieldWriter::i16(int16_t v) {
    putBigEndian(data_, static_cast<uint16_t>(v), 2);
}
void FieldWriter::i32(int32_t v) {
    putBigEndian(data_, static_cast<uint32_t>(v), 4);
}
void FieldWriter::f32(float v) {
    putBigEndian(data_, std::bit_cast<uint32_t>(v), 4);
}
void FieldWriter::f64(double v) {
    putBigEndian(data_, std::bit_cast<uint64_t>(v), 8);
}
void FieldWriter::u16le(uint16_t v) {
    data_.push_back(static_cast<uint8_t>(v & 0xFF));
    data_.push_back(static_cast<uint8_t>(v >> 8));
}
void FieldWriter::bytes(std::string_view text) {
    data_.insert(data_.end(), text.begin(), text.end());
}
void FieldWriter::fixedText(std::string_view text, size_t width) {
    std::string padded(text.substr(0, width));
    padded.resize(width, ' ');
    bytes(padded);
}
void FieldWriter::countedString(std::string_view text) {
    const std::string_view cut = text.substr(0, 255);
    f32(static_cast<float>(cut.size()));
    bytes(cut);
}

const uint8_t* FieldReader::take(size_t count, const char* what) {
    if (remaining() < count) {
        throw FileFormatError(fieldError(what, "the file ends early"));
    }
    const uint8_t* p = data_.data() + pos_;
    pos_ += count;
    return p;
}

int16_t FieldReader::i16(const char* what) {
    return static_cast<int16_t>(static_cast<uint16_t>(getBigEndian(take(2, what), 2)));
}
int32_t FieldReader::i32(const char* what) {
    return static_cast<int32_t>(static_cast<uint32_t>(getBigEndian(take(4, what), 4)));
}
float FieldReader::f32(const char* what) {
    return std::bit_cast<float>(static_cast<uint32_t>(getBigEndian(take(4, what), 4)));
}
double FieldReader::f64(const char* what) {
    return std::bit_cast<double>(getBigEndian(take(8, what), 8));
}
uint16_t FieldReader::u16le(const char* what) {
    const uint8_t* p = take(2, what);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
std::string FieldReader::bytes(size_t count, const char* what) {
    const uint8_t* p = take(count, what);
    return std::string(reinterpret_cast<const char*>(p), count);
}
std::string FieldReader::countedString(const char* what) {
    const float length = f32(what);
    if (!std::isfinite(length) || length < 0.0f || length > 255.0f ||
        length != std::floor(length)) {
        throw FileFormatError(fieldError(what, "impossible text length"));
    }
    return bytes(static_cast<size_t>(length), what);
}
std::string FieldReader::line(size_t maxLength, const char* what) {
    std::string text;
    while (true) {
        if (remaining() == 0 || text.size() > maxLength) {
            throw FileFormatError(fieldError(what, "no line end where one is expected"));
        }
        const char c = static_cast<char>(*take(1, what));
        if (c == '\r') {
            return text;
        }
        text.push_back(c);
    }
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

std::string writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data) {
    const std::string temp = path + ".tmp-" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        return "cannot create \"" + path + "\": " + std::strerror(errno);
    }
    const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
        const std::string reason = std::strerror(errno);
        std::remove(temp.c_str());
        return "cannot write \"" + path + "\": " + reason;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temp.c_str());
        return "cannot replace \"" + path + "\": " + reason;
    }
    return {};
}

}  // namespace trindel
