// JSON string quoting shared by the commands that print --json.
#pragma once

#include <string>

namespace trindel::cli {

// The text as a quoted JSON string (the text must already be UTF-8).
inline std::string jsonString(const std::string& utf8) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : utf8) {
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
                if (c < 0x20) {
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
