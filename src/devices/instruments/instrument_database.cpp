#include "devices/instruments/instrument_database.h"

#include <fstream>
#include <sstream>

#include "text/field_text.h"
#include "text/mac_roman_text.h"

namespace trindel {

namespace {

std::string trimmed(std::string_view s) {
    size_t a = 0;
    size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\n')) {
        ++a;
    }
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\n')) {
        --b;
    }
    return std::string(s.substr(a, b - a));
}

std::vector<std::string> items(std::string_view line) {
    std::vector<std::string> out;
    size_t pos = 0;
    for (;;) {
        const size_t comma = line.find(',', pos);
        out.push_back(
            trimmed(line.substr(pos, comma == std::string_view::npos ? comma : comma - pos)));
        if (comma == std::string_view::npos) {
            return out;
        }
        pos = comma + 1;
    }
}

}  // namespace

std::optional<InstrumentRecord> findInstrument(std::string_view text, std::string_view name) {
    std::optional<InstrumentRecord> found;
    if (name.empty()) {
        return found;
    }
    size_t pos = 0;
    while (pos <= text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        const std::string_view line =
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() + 1 : end + 1;
        const std::vector<std::string> it = items(line);
        if (it.size() < 3 || it[0] != name) {
            continue;
        }
        InstrumentRecord r;
        r.name = it[0];
        r.displayName = it[2];
        const double count = fieldValue(it[1]);
        const size_t n = count > 0 && count < 64 ? static_cast<size_t>(count) : 0;
        for (size_t i = 0; i < n && 3 + i < it.size(); ++i) {
            r.labels.push_back(it[3 + i]);
        }
        found = r;
    }
    return found;
}

std::string instrumentRecordText(const InstrumentRecord& r) {
    std::string out = "\r" + r.name + ", " +
                      wholeNumberText(static_cast<long long>(r.labels.size())) + ", " +
                      r.displayName + ", ";
    for (size_t i = 0; i < r.labels.size(); ++i) {
        // A comma inside a label would shift every later row.
        std::string label = r.labels[i];
        for (char& c : label) {
            c = (c == ',' || c == '\r' || c == '\n') ? ' ' : c;
        }
        out += trimmed(label);
        out += i + 1 < r.labels.size() ? "," : "";
    }
    return out + "\r";
}

std::optional<InstrumentRecord> SerialDeviceName(const std::string& path, std::string_view name) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream all;
    all << in.rdbuf();
    auto r = findInstrument(all.str(), name);
    if (r) {
        r->displayName = utf8ToMacRoman(r->displayName);
        for (auto& l : r->labels) {
            l = utf8ToMacRoman(l);
        }
    }
    return r;
}

bool UpdateSerialInstrumentList(const std::string& path, const InstrumentRecord& record,
                                std::string& error) {
    InstrumentRecord utf8 = record;
    utf8.displayName = macRomanToUtf8(record.displayName);
    for (auto& l : utf8.labels) {
        l = macRomanToUtf8(l);
    }
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << instrumentRecordText(utf8);
    out.flush();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace trindel
