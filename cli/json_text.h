// JSON string quoting shared by the commands that print --json.
#pragma once

#include <cstddef>
#include <string>

namespace trindel::cli {

// The length of the well-formed UTF-8 sequence at `s[i]` (2 to 4 bytes), or 0 when there is none:
// overlong forms, surrogates and code points past U+10FFFF are not well formed.
inline size_t utf8SequenceAt(const std::string& s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + n > s.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (size_t k = 2; k < n; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return n;
}

// The text as a quoted JSON string. Well-formed UTF-8 is copied; every byte that is not part of
// it (a raw Mac Roman byte, a file name in another encoding) is escaped as the code point of the
// same number, so the output is always valid JSON.
inline std::string jsonString(const std::string& text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const size_t n = utf8SequenceAt(text, i)) {
                out.append(text, i, n);
                i += n - 1;
            } else {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

}  // namespace trindel::cli
