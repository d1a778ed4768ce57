// Numbers as the recording files write them, exactly as floatText of text/number_text.h but about
// five times faster (the text export writes tens of millions): a 32-bit value in its shortest
// exact decimal form (at most 9 significant digits), whole numbers without a point, a leading
// blank before a number that is not negative. Plain decimal for 1e-5 <= |value| < 1e15, else
// "d.dddE+XX". Buffer variants need kExportNumberCapacity bytes of room (they may fill bytes past
// the text), write no terminating NUL and return the end of the text.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace trindel {

inline constexpr size_t kExportNumberCapacity = 32;

char* exportNumber(char* out, float value);
char* exportNumber(char* out, int64_t value);
std::string exportNumberText(float value);
std::string exportNumberText(int64_t value);

// exportNumber with a memory of the values it wrote last. A recording's readings come from a
// limited set of converter steps and repeat often; copying a remembered text is several times
// faster than forming it again. The text is the same either way. One cache per thread.
class ExportNumberCache {
  public:
    char* write(char* out, float value) {
        const auto bits = std::bit_cast<uint32_t>(value);
        Entry& e = entries_[(bits * 0x9E3779B1u) >> (32 - kEntryBits)];
        if (e.bits == bits) {
            std::memcpy(out, e.text, sizeof e.text);
            return out + e.length;
        }
        char* const end = exportNumber(out, value);
        e.bits = bits;
        e.length = static_cast<uint8_t>(end - out);
        std::memcpy(e.text, out, sizeof e.text);
        return end;
    }

  private:
    static constexpr int kEntryBits = 12;
    // Every entry holds a valid pair from the start: +0 and its text.
    struct Entry {
        uint32_t bits = 0;
        uint8_t length = 2;
        char text[16] = {' ', '0'};  // the longest text, "-1.17549435E-38", has 15 characters
    };
    std::vector<Entry> entries_ = std::vector<Entry>(size_t{1} << kEntryBits);
};

}  // namespace trindel
