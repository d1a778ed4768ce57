#include "files/recording_file_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

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

// A read-only mapping of a whole file: pages are read when a reader touches them, so bytes a
// reader skips cost no memory.
class MappedFile {
  public:
    MappedFile(const std::string& path, size_t size) : size_(size) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || size == 0) {
            if (fd >= 0) {
                ::close(fd);
            }
            ok_ = fd >= 0;
            return;
        }
        void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        ::close(fd);
        if (at != MAP_FAILED) {
            data_ = static_cast<const uint8_t*>(at);
            ::madvise(at, size, MADV_SEQUENTIAL);
            ok_ = true;
        }
    }
    ~MappedFile() {
        if (data_ != nullptr) {
            ::munmap(const_cast<uint8_t*>(data_), size_);
        }
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    bool ok() const { return ok_; }
    std::span<const uint8_t> bytes() const { return {data_, data_ != nullptr ? size_ : 0}; }

  private:
    const uint8_t* data_ = nullptr;
    size_t size_;
    bool ok_ = false;
};

}  // namespace

ReadResult readRecordingBytes(std::span<const uint8_t> bytes, ReadDepth depth) {
    if (startsWith(bytes, "-999\r") || startsWith(bytes, "-9999\r")) {
        return readBinaryRecording(bytes, depth);
    }
    if (bytes.size() >= 4 && getLE32(bytes.data()) == putIEEEbits(1003.0)) {
        return readExpeData(bytes, depth);
    }
    if (startsWith(bytes, "-99")) {
        return readBinaryRecording(bytes, depth);
    }
    return readTextRecording(bytes);
}

ReadResult readRecordingFile(const std::string& path, ReadDepth depth) {
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
    if (!head.empty() && !looksLikeBinaryRecording(head) &&
        std::memchr(head.data(), 0, head.size()) != nullptr) {
        r.error = path + " is not a recording: binary data of no known format";
        return r;
    }
    try {
        const MappedFile mapped(path, static_cast<size_t>(size));
        if (!mapped.ok()) {
            r.error = "cannot read " + path + ": " + std::strerror(errno);
            return r;
        }
        return readRecordingBytes(mapped.bytes(), depth);
    } catch (const std::bad_alloc&) {
        r.error = "not enough memory to read " + path + " (" +
                  std::to_string(size / (1024 * 1024)) + " MB)";
        return r;
    }
}

}  // namespace trindel
