// The one reader of file bytes for every format of this room: each read checks that the bytes are
// there and throws FileFormatError with a one-line reason when they are not, so a loader stops at
// the first fault and the caller keeps the state it had.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/byte_order.h"

namespace trindel {

// A file that cannot be read as the layout it claims: truncated, or holding an impossible value.
struct FileFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return bytes_.size() - pos_; }
    std::span<const uint8_t> rest() const { return bytes_.subspan(pos_); }

    // Throws unless `count` more bytes exist; `what` names the field for the message.
    void need(size_t count, const char* what) const {
        if (count > remaining()) {
            throw FileFormatError(std::string(what) + ": the file ends early");
        }
    }
    const uint8_t* take(size_t count, const char* what) {
        need(count, what);
        const uint8_t* p = bytes_.data() + pos_;
        pos_ += count;
        return p;
    }

    int16_t be16(const char* what) { return getBE16(take(2, what)); }
    uint32_t be32(const char* what) { return getBE32(take(4, what)); }
    int32_t beInt32(const char* what) { return static_cast<int32_t>(be32(what)); }
    float beFloat(const char* what) { return floatFromBits(be32(what)); }
    double beDouble(const char* what) { return doubleFromBits(getBE64(take(8, what))); }
    uint16_t le16(const char* what) { return getLE16(take(2, what)); }
    uint32_t le32(const char* what) { return getLE32(take(4, what)); }
    float leFloat(const char* what) { return floatFromBits(le32(what)); }

    // `count` bytes as they stand.
    std::string text(size_t count, const char* what) {
        const auto* p = reinterpret_cast<const char*>(take(count, what));
        return {p, count};
    }
    // A big-endian float length (a whole number 0 to 255) followed by that many bytes.
    std::string countedText(const char* what);
    // Bytes up to the next carriage return (which is consumed), at most `limit` of them.
    std::string line(size_t limit, const char* what);

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// A whole number stored as a float, checked to lie in [low, high].
int64_t wholeNumber(float value, int64_t low, int64_t high, const char* what);

// A number line's text (" 3", "-2.5", " 1E+20", " NAN") as a float; throws when it is not one.
float numberFromText(std::string_view text, const char* what);

// A whole file's bytes. Throws FileFormatError when it cannot be opened or read, or holds more
// than `maxBytes`.
std::vector<uint8_t> readFileBytes(const std::string& path, size_t maxBytes);

}  // namespace trindel
