#include "files/byte_writer.h"

#include <algorithm>
#include <cstring>

namespace trindel {

void ByteWriter::bytes(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        if (used_ == buffer_.size()) {
            flush();
        }
        const size_t n = std::min(size, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, p, n);
        used_ += n;
        p += n;
        size -= n;
    }
}

void ByteWriter::text(std::string_view text, size_t width) {
    const size_t n = std::min(text.size(), width);
    bytes(text.data(), n);
    for (size_t i = n; i < width; ++i) {
        byte(' ');
    }
}

void ByteWriter::countedText(std::string_view text) {
    const std::string_view cut = text.substr(0, 255);
    beFloat(static_cast<float>(cut.size()));
    bytes(cut);
}

void ByteWriter::line(std::string_view text) {
    bytes(text.data(), text.size());
    byte('\r');
}

bool ByteWriter::flush() {
    if (used_ > 0) {
        if (ok_ && !sink_.write(buffer_.data(), used_)) {
            ok_ = false;
        }
        used_ = 0;
    }
    return ok_;
}

}  // namespace trindel
