// Big-endian field writer and reader for the program's own settings files (set-up, preferences,
// AO data). The reader works on bytes already in memory and throws FileFormatError on a short or
// impossible field, so a loader can stop at the first fault and keep the state it had.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trindel {

// A file that cannot be read as the layout it claims: truncated, or holding an impossible value.
class FileFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class FieldWriter {
  public:
    void i16(int16_t v);
    void i32(int32_t v);
    void f32(float v);
    void f64(double v);
    // Bytes as they stand, with no length and no terminator.
    void bytes(std::string_view text);
    // Space-padded (or cut) to exactly `width` bytes.
    void fixedText(std::string_view text, size_t width);
    // An f32 length followed by that many bytes (at most 255; longer text is cut).
    void countedString(std::string_view text);
    // Three 16-bit components in little-endian order (the preferences file's colours).
    void u16le(uint16_t v);

    const std::vector<uint8_t>& data() const { return data_; }

  private:
    std::vector<uint8_t> data_;
};

class FieldReader {
  public:
    explicit FieldReader(const std::vector<uint8_t>& data) : data_(data) {}

    int16_t i16(const char* what);
    int32_t i32(const char* what);
    float f32(const char* what);
    double f64(const char* what);
    uint16_t u16le(const char* what);
    std::string bytes(size_t count, const char* what);
    // An f32 length (a whole number 0 to 255) followed by that many bytes.
    std::string countedString(const char* what);
    // Reads up to and including the first carriage return; the line without it.
    std::string line(size_t maxLength, const char* what);

    size_t remaining() const { return data_.size() - pos_; }
    size_t position() const { return pos_; }

  private:
    const uint8_t* take(size_t count, const char* what);

    const std::vector<uint8_t>& data_;
    size_t pos_ = 0;
};

// Whole-file helpers. readFileBytes throws FileFormatError when the file cannot be opened or is
// larger than `maxBytes`; writeFileReplacing writes to a temporary file in the same folder and
// renames it over the target, so a failed write never leaves a half-written file behind. It
// returns an error text, empty on success.
std::vector<uint8_t> readFileBytes(const std::string& path, size_t maxBytes);
std::string writeFileReplacing(const std::string& path, const std::vector<uint8_t>& data);

}  // namespace trindel
