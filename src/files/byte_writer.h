// The one writer of file bytes for every format of this room, and where it puts them: fields and
// sample blocks are encoded into one buffer that is handed to the sink in big pieces, never one
// call per value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "files/byte_order.h"

namespace trindel {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Writes all `size` bytes; false when they could not all be written.
    virtual bool write(const void* data, size_t size) = 0;
};

// Keeps everything in memory (tests, conversions to a buffer, fuzzing).
class VectorSink final : public ByteSink {
  public:
    bool write(const void* data, size_t size) override {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
        return true;
    }
    std::vector<uint8_t> bytes;
};

class ByteWriter {
  public:
    static constexpr size_t kDefaultCapacity = size_t{1} << 20;

    // A buffer no larger than the file needs (small files are written often in tests and fuzzing).
    static size_t capacityFor(uint64_t expectedBytes) {
        return expectedBytes < 4096               ? 4096
               : expectedBytes > kDefaultCapacity ? kDefaultCapacity
                                                  : expectedBytes;
    }

    explicit ByteWriter(ByteSink& sink, size_t capacity = kDefaultCapacity)
        : sink_(sink), buffer_(capacity) {}
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    // Room for `size` bytes at the end of the buffer (flushing first when needed); the caller
    // fills them and calls commit(size).
    uint8_t* reserve(size_t size) {
        if (used_ + size > buffer_.size()) {
            flush();
            if (size > buffer_.size()) {
                buffer_.resize(size);
            }
        }
        return buffer_.data() + used_;
    }
    void commit(size_t size) { used_ += size; }
    size_t capacity() const { return buffer_.size(); }

    void bytes(const void* data, size_t size);
    // The text's bytes as they stand, with no length and no terminator.
    void bytes(std::string_view text) { bytes(text.data(), text.size()); }
    void byte(uint8_t value) { *reserve(1) = value, commit(1); }
    void be16(int16_t value) { putBE16(reserve(2), value), commit(2); }
    void be32(uint32_t value) { putBE32(reserve(4), value), commit(4); }
    void beInt32(int32_t value) { be32(static_cast<uint32_t>(value)); }
    void beFloat(float value) { be32(floatBits(value)); }
    void beDouble(double value) { putBE64(reserve(8), doubleBits(value)), commit(8); }
    void le16(uint16_t value) { putLE16(reserve(2), value), commit(2); }
    void le32(uint32_t value) { putLE32(reserve(4), value), commit(4); }
    // Exactly `width` bytes: the text cut to the width or padded with blanks.
    void text(std::string_view text, size_t width);
    // A big-endian float length followed by that many bytes (at most 255; longer text is cut).
    void countedText(std::string_view text);
    // The text followed by one carriage return.
    void line(std::string_view text);

    // Hands the buffered bytes to the sink. False once any write has failed.
    bool flush();
    bool ok() const { return ok_; }

  private:
    ByteSink& sink_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    bool ok_ = true;
};

// The bytes `write` puts through a ByteWriter, kept in memory (the small settings files).
template <class Write>
std::vector<uint8_t> bytesWrittenBy(Write&& write) {
    VectorSink sink;
    ByteWriter out(sink, ByteWriter::capacityFor(0));
    write(out);
    out.flush();
    return std::move(sink.bytes);
}

}  // namespace trindel
