#include "devices/instruments/instrument_line.h"

#include <algorithm>

#include "text/field_text.h"

namespace trindel {

std::string collectFieldCharacters(std::string_view field) {
    std::string out;
    for (const char c : field) {
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
            out.push_back(c);
        }
    }
    return out;
}

float fieldReading(std::string_view field) {
    const std::string digits = collectFieldCharacters(field);
    if (digits.empty()) {
        return kEmptyField;
    }
    return static_cast<float>(fieldValue(digits));
}

InstrumentTag instrumentTag(std::string_view line) {
    InstrumentTag tag;
    if (line.substr(0, 3) != "!!!") {
        return tag;
    }
    const size_t start = line.substr(0, 4) == "!!!:" ? 4 : 3;
    // The name ends at the next colon, at most at the 25th character of the line.
    const size_t limit = std::min<size_t>(line.size(), 25);
    size_t colon = line.find(':', start);
    const size_t nameEnd = colon == std::string_view::npos || colon > limit ? limit : colon;
    tag.name = std::string(line.substr(start, std::min(nameEnd - start, kTagNameLimit)));
    tag.end = colon == std::string_view::npos || colon > limit ? nameEnd : colon + 1;
    return tag;
}

std::array<float, kInstrumentFields + 1> splitInstrumentLine(std::string_view line) {
    std::array<float, kInstrumentFields + 1> out{};
    out.fill(kEmptyField);
    out[0] = 0.0f;
    const std::string_view text = line.substr(0, kInstrumentLineLimit);
    const size_t tagEnd = instrumentTag(text).end;
    size_t pos = 0;
    for (int k = 1; k <= kInstrumentFields && pos < text.size(); ++k) {
        const size_t end = text.find_first_of(",:", pos);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (pos >= tagEnd) {
            out[static_cast<size_t>(k)] = fieldReading(text.substr(pos, stop - pos));
        }
        pos = end == std::string_view::npos ? text.size() : end + 1;
    }
    return out;
}

UI2InstrumentReply splitUI2InstrumentReply(std::string_view line) {
    UI2InstrumentReply r;
    const size_t comma = line.find(',');
    r.header = std::string(line.substr(0, comma));
    if (comma == std::string_view::npos) {
        return r;
    }
    size_t pos = comma + 1;
    while (pos < line.size() && static_cast<int>(r.fields.size()) < kUI2InstrumentFields) {
        const size_t end = line.find_first_of(",:", pos);
        const size_t stop = end == std::string_view::npos ? line.size() : end;
        r.fields.push_back(collectFieldCharacters(line.substr(pos, stop - pos)));
        pos = end == std::string_view::npos ? line.size() : end + 1;
    }
    return r;
}

std::string ui2DemoInstrumentLine(const std::array<int, kUI2InstrumentFields>& draws) {
    std::string line = "demo device,";
    for (int k = 1; k <= kUI2InstrumentFields; ++k) {
        const double v = draws[static_cast<size_t>(k - 1)] * 0.1 / k;
        line += fieldText(static_cast<float>(v));
        if (k < kUI2InstrumentFields) {
            line.push_back(',');
        }
    }
    return line;
}

std::array<float, kInstrumentFields + 1> demoStreamFields(const std::array<int, 10>& draws) {
    std::array<float, kInstrumentFields + 1> out{};
    out.fill(kEmptyField);
    out[0] = 0.0f;
    out[1] = 5.0f;
    out[2] = 2.0f;
    for (int k = 3; k <= 12; ++k) {
        const double r = draws[static_cast<size_t>(k - 3)];
        out[static_cast<size_t>(k)] = static_cast<float>(k % 2 == 0 ? r * 0.0001 : r);
    }
    return out;
}

std::string fieldShownText(float value) {
    return value == kEmptyField ? "--" : fieldText(value);
}

}  // namespace trindel
