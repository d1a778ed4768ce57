#include "files/recording_file_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "files/binary_recording_reader.h"
#include "files/expedata_export.h"
#include "files/expedata_reader.h"
#include "files/text_recording_reader.h"

namespace trindel {

namespace {

bool startsWith(std::span<const uint8_t> bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ReadResult r;
        r.error = "cannot open " + path + ": " + std::strerror(errno);
        return r;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) {
        ReadResult r;
        r.error = "cannot read " + path;
        return r;
    }
    return readRecordingBytes(bytes);
}

}  // namespace trindel
