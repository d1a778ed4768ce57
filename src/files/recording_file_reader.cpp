#include "files/recording_file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

#include "files/binary_recording_reader.h"
#include "files/expedata_export.h"
#include "files/expedata_reader.h"
#include "files/text_recording_reader.h"

namespace trindel {

namespace {

// 16 channels of 2,000,000 samples as text with a time column stay well below this.
constexpr uintmax_t kLargestRecordingFile = uintmax_t{4} << 30;

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool looksLikeBinaryRecording(std::span<const uint8_t> bytes) {
    return startsWith(bytes, "-99") ||
           (bytes.size() >= 4 && getLE32(bytes.data()) == putIEEEbits(1003.0));
}

}  // namespace

ReadResult readRecordingBytes(std::span<const uint8_t> bytes) {
    if (startsWith(bytes, "-999\r") || startsWith(bytes, "-9999\r")) {
        return readBinaryRecording(bytes);
    }
    if (bytes.size() >= 4 && getLE32(bytes.data()) == putIEEEbits(1003.0)) {
        return readExpeData(bytes);
    }
    if (startsWith(bytes, "-99")) {
        return readBinaryRecording(bytes);
    }
    return readTextRecording(bytes);
}

ReadResult readRecordingFile(const std::string& path) {
    ReadResult r;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        r.error = ec || !std::filesystem::exists(path, ec)
                      ? "cannot open " + path + ": no such file"
                      : path + " is not a regular file";
        return r;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        r.error = "cannot read " + path + ": " + ec.message();
        return r;
    }
    if (size > kLargestRecordingFile) {
        r.error = path + " is too large for a recording";
        return r;
    }
    std::ifstream in(path, std::ios::binary);
    // The first bytes tell a file of no known format before the whole of it is read: neither
    // binary header and a NUL byte, which no text recording holds.
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uintmax_t>(size, 4096)));
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (!in) {
        r.error = "cannot read " + path + ": " + std::strerror(errno);
        return r;
    }
    if (!looksLikeBinaryRecording(head) && std::memchr(head.data(), 0, head.size()) != nullptr) {
        r.error = path + " is not a recording: binary data of no known format";
        return r;
    }
    try {
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        std::memcpy(bytes.data(), head.data(), head.size());
        in.read(reinterpret_cast<char*>(bytes.data() + head.size()),
                static_cast<std::streamsize>(bytes.size() - head.size()));
        if (!in && bytes.size() > head.size()) {
            r.error = "cannot read " + path + ": " + std::strerror(errno);
            return r;
        }
        return readRecordingBytes(bytes);
    } catch (const std::bad_alloc&) {
        r.error = "not enough memory to read " + path + " (" +
                  std::to_string(size / (1024 * 1024)) + " MB)";
        return r;
    }
}

}  // namespace trindel
