// Bounds-checked reading of a file's bytes for the recording readers: every read checks that the
// bytes are there and throws FileFormatError (with a one-line reason) when they are not.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "files/byte_order.h"

namespace trindel {

struct FileFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ByteCursor {
  public:
    explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return bytes_.size() - pos_; }
    std::span<const uint8_t> rest() const { return bytes_.subspan(pos_); }

    // Throws unless `count` more bytes exist; `what` names the field for the message.
    void need(size_t count, const char* what) const {
        if (count > remaining()) {
            throw FileFormatError(std::string("file is truncated (in ") + what + ")");
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
    float beFloat(const char* what) { return floatFromBits(be32(what)); }
    uint32_t le32(const char* what) { return getLE32(take(4, what)); }
    float leFloat(const char* what) { return floatFromBits(le32(what)); }
    std::string text(size_t count, const char* what) {
        const auto* p = reinterpret_cast<const char*>(take(count, what));
        return {p, count};
    }
    // Bytes up to the next carriage return (which is consumed), at most `limit` of them.
    std::string line(size_t limit, const char* what) {
        for (size_t i = 0; i < remaining() && i <= limit; ++i) {
            if (bytes_[pos_ + i] == '\r') {
                std::string out = text(i, what);
                ++pos_;
                return out;
            }
        }
        throw FileFormatError(std::string("missing line end (in ") + what + ")");
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// A whole number stored as a float, checked to lie in [low, high].
int64_t wholeNumber(float value, int64_t low, int64_t high, const char* what);

// A number line's text (" 3", "-2.5", " 1E+20", " NAN") as a float; throws when it is not one.
float numberFromText(std::string_view text, const char* what);

}  // namespace trindel
