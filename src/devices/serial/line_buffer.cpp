#include "devices/serial/line_buffer.h"

#include <algorithm>

#include "text/field_text.h"

namespace trindel {

size_t LineBuffer::feed(std::string_view bytes) {
    compact();
    const size_t take = std::min(bytes.size(), room());
    bytes_.append(bytes.substr(0, take));
    return take;
}

bool LineBuffer::hasLineEnd() const {
    return bytes_.find('\r', head_) != std::string::npos;
}

void LineBuffer::clear() {
    bytes_.clear();
    head_ = 0;
    line_.clear();
    pos_ = 0;
}

void LineBuffer::compact() {
    if (head_ > 0) {
        bytes_.erase(0, head_);
        head_ = 0;
    }
}

std::string LineBuffer::readBytes(size_t n) {
    const size_t want = n == 0 ? 1 : n;
    if (size() < want) {
        return {};
    }
    std::string out = bytes_.substr(head_, want);
    head_ += want;
    return out;
}

std::string LineBuffer::readLine() {
    std::string out;
    while (head_ < bytes_.size() && out.size() < kMaxLine) {
        const char c = bytes_[head_++];
        if (c == '\r') {
            break;
        }
        out.push_back(c);
    }
    if (head_ == bytes_.size()) {
        bytes_.clear();
        head_ = 0;
    }
    return out;
}

std::string LineBuffer::readItem() {
    if (!lineHasItem()) {
        line_ = readLine();
        pos_ = 0;
    }
    auto skippable = [](unsigned char c) { return c == ' ' || c == '\t' || c < 32 || c == 127; };
    while (pos_ < line_.size() && skippable(static_cast<unsigned char>(line_[pos_]))) {
        ++pos_;
    }
    std::string item;
    if (pos_ < line_.size() && line_[pos_] == '"') {
        const size_t close = line_.find('"', pos_ + 1);
        const size_t end = close == std::string::npos ? line_.size() : close;
        item = line_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        // A delimiter straight after the closing quote belongs to this item.
        if (pos_ < line_.size() && (line_[pos_] == ',' || line_[pos_] == '\t')) {
            ++pos_;
        }
        return item;
    }
    const size_t end = line_.find_first_of(",\t", pos_);
    if (end == std::string::npos) {
        item = line_.substr(pos_);
        pos_ = line_.size();
    } else {
        item = line_.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    return item;
}

double LineBuffer::readNumericItem() {
    return fieldValue(readItem());
}

}  // namespace trindel
