#include "files/byte_sink.h"

#include <algorithm>
#include <cstring>

namespace trindel {

void ChunkWriter::bytes(const void* data, size_t size) {
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

void ChunkWriter::text(std::string_view text, size_t width) {
    const size_t n = std::min(text.size(), width);
    bytes(text.data(), n);
    for (size_t i = n; i < width; ++i) {
        byte(' ');
    }
}

void ChunkWriter::line(std::string_view text) {
    bytes(text.data(), text.size());
    byte('\r');
}

bool ChunkWriter::flush() {
    if (used_ > 0) {
        if (ok_ && !sink_.write(buffer_.data(), used_)) {
            ok_ = false;
        }
        used_ = 0;
    }
    return ok_;
}

}  // namespace trindel
