#include "files/text_recording_reader.h"

#include <algorithm>
#include <string_view>

#include "files/byte_reader.h"
#include "state/channel_table.h"
#include "state/sample_store.h"
#include "text/mac_roman_text.h"

namespace trindel {

namespace {

constexpr std::string_view kTimeTitle = "Time (sec)";

std::vector<std::string_view> splitLines(std::string_view text) {
    if (text.find('\r') == std::string_view::npos) {
        throw FileFormatError("not a recording file (unknown format)");
    }
    if (text.back() != '\r') {
        throw FileFormatError("file is truncated (last line has no line end)");
    }
    // Refused before any line is collected: a file of line ends alone would cost 16 bytes a line.
    if (text.front() == '\r') {
        throw FileFormatError("the header line is empty");
    }
    const auto lineCount = static_cast<size_t>(std::count(text.begin(), text.end(), '\r'));
    if (lineCount > static_cast<size_t>(SampleStore::kMaxSamplesPerChannel) + 1) {
        throw FileFormatError("too many samples");
    }
    std::vector<std::string_view> lines;
    lines.reserve(lineCount);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return lines;
}

std::string slotLabel(std::string_view utf8) {
    std::string label = utf8ToMacRoman(utf8);
    label.resize(kLabelWidth, ' ');
    return label;
}

RecordingFile parseSweep(const std::vector<std::string_view>& lines) {
    RecordingFile file;
    file.format = RecordingFormat::ScopeText;
    Recording& r = file.recording;
    r.kind = RecordingKind::Scope;
    r.sampleInterval = numberFromText(lines[0].substr(kTimeTitle.size()), "interval");
    const size_t n = lines.size() - 1;
    if (n > static_cast<size_t>(SampleStore::kMaxSamplesPerChannel)) {
        throw FileFormatError("too many samples");
    }
    r.sampleCount = static_cast<int32_t>(n);
    file.storage.reserve(n);
    for (size_t i = 1; i < lines.size(); ++i) {
        file.storage.push_back(numberFromText(lines[i], "sweep value"));
    }
    r.channels.resize(1);
    file.attachRows(1);
    return file;
}

RecordingFile parseChart(const std::vector<std::string_view>& lines) {
    RecordingFile file;
    file.format = RecordingFormat::Text;
    Recording& r = file.recording;
    std::string_view header = lines[0];
    if (header.substr(0, kTimeTitle.size() + 1) == "Time (sec)\t") {
        file.hasTimeColumn = true;
        header.remove_prefix(kTimeTitle.size() + 1);
    }
    while (!header.empty()) {
        const size_t tab = header.find('\t');
        ChannelRecord c;
        c.label = slotLabel(header.substr(0, tab));
        r.channels.push_back(std::move(c));
        if (r.channels.size() > kMaxChannels) {
            throw FileFormatError("too many channels in the header line");
        }
        header = tab == std::string_view::npos ? std::string_view{} : header.substr(tab + 1);
    }
    const size_t channels = r.channels.size();
    const size_t fields = channels + (file.hasTimeColumn ? 1 : 0);
    const size_t n = lines.size() - 1;
    if (n > static_cast<size_t>(SampleStore::kMaxSamplesPerChannel)) {
        throw FileFormatError("too many samples");
    }
    r.sampleCount = static_cast<int32_t>(n);
    size_t dataBytes = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        dataBytes += lines[i].size();
    }
    if (dataBytes < n * fields * 2) {
        throw FileFormatError("data lines are too short for the header's channels");
    }
    file.storage.resize(n * channels);
    for (size_t i = 0; i < n; ++i) {
        std::string_view line = lines[i + 1];
        for (size_t f = 0; f < fields; ++f) {
            const size_t tab = line.find('\t');
            if (tab == std::string_view::npos) {
                throw FileFormatError("line " + std::to_string(i + 2) + " has too few values");
            }
            const float value = numberFromText(line.substr(0, tab), "data line");
            line.remove_prefix(tab + 1);
            if (file.hasTimeColumn && f == 0) {
                if (i == 0) {
                    r.sampleInterval = value;
                }
            } else {
                file.storage[(f - (file.hasTimeColumn ? 1 : 0)) * n + i] = value;
            }
        }
        if (!line.empty()) {
            throw FileFormatError("line " + std::to_string(i + 2) + " has too many values");
        }
    }
    file.attachRows(channels);
    return file;
}

}  // namespace

ReadResult readTextRecording(std::span<const uint8_t> bytes) {
    return readGuarded([bytes] {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const auto lines = splitLines(text);
        const std::string_view first = lines[0];
        const bool sweep = first.substr(0, kTimeTitle.size()) == kTimeTitle &&
                           first.size() > kTimeTitle.size() && first[kTimeTitle.size()] != '\t';
        return sweep ? parseSweep(lines) : parseChart(lines);
    });
}

}  // namespace trindel
