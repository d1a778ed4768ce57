// The receive buffer of an open port and the reads the device protocols make from it: fixed
// byte counts, whole lines and the items of a reply line. Tests feed it bytes directly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trindel {

class LineBuffer {
  public:
    static constexpr size_t kCapacity = 4096;
    static constexpr size_t kMaxLine = 255;

    // Appends as many bytes as there is room for; returns how many were taken.
    size_t feed(std::string_view bytes);
    size_t size() const { return bytes_.size() - head_; }
    size_t room() const { return kCapacity - size(); }
    // True when a carriage return is buffered (a whole reply line has arrived).
    bool hasLineEnd() const;
    // Drops every buffered byte and the item reader's current line.
    void clear();

    // When at least `n` bytes are buffered, removes and returns them; otherwise returns "" and
    // leaves the buffer alone. n = 0 reads one byte when any is buffered.
    std::string readBytes(size_t n);
    // Bytes up to a carriage return (dropped), 255 bytes or the end of the buffer; line feeds
    // are ordinary characters. Independent of the item reader's current line.
    std::string readLine();
    // The next item of the current line, taking a new line when the current one is used up.
    // Leading blanks, tabs and control characters (the LF of a CR LF line end) are skipped; a
    // quoted item runs to its closing quote, any other to the next comma or tab.
    std::string readItem();
    // The item by the leading-number rule (0 when it does not start with a number).
    double readNumericItem();
    // True while the current line still holds unread text.
    bool lineHasItem() const { return pos_ < line_.size(); }

  private:
    void compact();

    std::string bytes_;
    size_t head_ = 0;
    std::string line_;
    size_t pos_ = 0;
};

}  // namespace trindel
