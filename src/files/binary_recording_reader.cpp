#include "files/binary_recording_reader.h"

#include <algorithm>
#include <optional>

#include "files/binary_recording_writer.h"
#include "files/byte_reader.h"
#include "state/sample_store.h"

namespace trindel {

std::string dateFromBinaryField(const std::string& field) {
    if (field.size() == 10 && field[2] == '-' && field[5] == '-') {
        return field.substr(0, 2) + "/" + field.substr(3, 2) + "/" + field.substr(8, 2);
    }
    return field;
}

namespace {

using Bytes = std::span<const uint8_t>;

std::string asText(Bytes bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Splits `bytes` into CR-terminated lines; nothing when the last byte is not a CR.
std::optional<std::vector<std::string>> crLines(Bytes bytes) {
    std::vector<std::string> lines;
    if (bytes.empty()) {
        return lines;
    }
    if (bytes.back() != '\r') {
        return std::nullopt;
    }
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            lines.push_back(asText(bytes.subspan(start, i - start)));
            start = i + 1;
        }
    }
    return lines;
}

bool isNumberLine(const std::string& line) {
    try {
        numberFromText(line, "number line");
        return true;
    } catch (const FileFormatError&) {
        return false;
    }
}

// The notes block starting at `bytes` (just after the 240 line), running exactly to its end.
std::optional<std::vector<FileNote>> parseNotes(Bytes bytes) {
    auto lines = crLines(bytes);
    if (!lines || lines->empty() || !isNumberLine((*lines)[0])) {
        return std::nullopt;
    }
    const float count = numberFromText((*lines)[0], "note count");
    if (!(count >= 1 && count <= kMaxNotes) ||
        lines->size() != 1 + 3 * static_cast<size_t>(count)) {
        return std::nullopt;
    }
    std::vector<FileNote> notes;
    for (size_t k = 0; k < static_cast<size_t>(count); ++k) {
        notes.push_back({(*lines)[1 + 3 * k], (*lines)[2 + 3 * k], (*lines)[3 + 3 * k]});
    }
    return notes;
}

struct Tail {
    std::string fileText;
    std::vector<FileNote> notes;
    std::vector<float> inputNumbers;
};

// The chart tail: file text, optional notes block, end mark, input numbers.
std::optional<Tail> parseChartTail(Bytes tail) {
    // The end mark is the last 255 byte: only number lines follow it.
    size_t mark = tail.size();
    for (size_t i = tail.size(); i-- > 0;) {
        if (tail[i] == kEndMark) {
            mark = i;
            break;
        }
    }
    if (mark == tail.size() || mark == 0 || tail[mark - 1] != '\r' || mark + 1 >= tail.size() ||
        tail[mark + 1] != '\r') {
        return std::nullopt;
    }
    auto numbers = crLines(tail.subspan(mark + 2));
    if (!numbers || numbers->empty() || numbers->size() > kMaxChannels) {
        return std::nullopt;
    }
    Tail out;
    for (const auto& line : *numbers) {
        if (!isNumberLine(line)) {
            return std::nullopt;
        }
        out.inputNumbers.push_back(numberFromText(line, "input number"));
    }
    const Bytes before = tail.first(mark);  // file text and notes, ending with a CR
    for (size_t j = 1; j + 1 < before.size(); ++j) {
        if (before[j] == kNotesMark && before[j + 1] == '\r' && before[j - 1] == '\r') {
            if (auto notes = parseNotes(before.subspan(j + 2))) {
                out.notes = std::move(*notes);
                out.fileText = asText(before.first(j - 1));
                return out;
            }
            // A notes mark and a count whose notes are not all there: damaged, not comment text.
            const auto lines = crLines(before.subspan(j + 2));
            if (lines && !lines->empty() && isNumberLine((*lines)[0])) {
                throw FileFormatError("note count: " + (*lines)[0] + " does not match the " +
                                      std::to_string(lines->size() - 1) +
                                      " note lines that follow");
            }
        }
    }
    out.fileText = asText(before.first(before.size() - 1));
    return out;
}

ChannelRecord readChannelRecord(ByteReader& in) {
    ChannelRecord c;
    c.a = in.beFloat("channel record");
    c.b = in.beFloat("channel record");
    c.c = in.beFloat("channel record");
    c.type = in.beFloat("channel record");
    c.samplesAveraged = in.beFloat("channel record");
    c.label = in.text(30, "channel label");
    return c;
}

// Separates the comment and the pause log written after it in the file text.
void splitFileText(const std::string& shortComment, const std::string& fileText, Recording& r) {
    if (shortComment.size() >= 255) {
        r.comment = fileText;
    } else if (fileText.compare(0, shortComment.size() + 1, shortComment + "\r") == 0) {
        r.comment = shortComment;
        r.pauseLog = fileText.substr(shortComment.size() + 1);
    } else {
        r.comment = shortComment;
    }
}

RecordingFile parse(Bytes bytes, ReadDepth depth) {
    RecordingFile file;
    Recording& r = file.recording;
    ByteReader in(bytes);
    const std::string version = in.line(6, "version line");
    if (version != "-999" && version != "-9999") {
        throw FileFormatError("not a binary recording (unknown version line)");
    }
    const bool longHeader = version == "-9999";
    file.version = longHeader ? -9999 : -999;
    const int64_t last =
        longHeader ? static_cast<int32_t>(in.be32("sample count")) : in.be16("sample count");
    if (last < -1 || last + 1 > SampleStore::kMaxSamplesPerChannel) {
        throw FileFormatError("bad sample count " + std::to_string(last + 1));
    }
    r.sampleCount = static_cast<int32_t>(last + 1);
    r.sampleInterval = in.beFloat("sample interval");
    const int16_t written = in.be16("channel count");
    if (written < 0 || written > kMaxChannels) {
        throw FileFormatError("bad channel count " + std::to_string(written));
    }
    r.startDate = dateFromBinaryField(in.text(10, "date"));
    r.startTime = in.text(8, "time");
    const auto commentLength =
        static_cast<size_t>(wholeNumber(in.beFloat("comment length"), 0, 255, "comment length"));
    const std::string shortComment = in.text(commentLength, "comment");
    std::vector<ChannelRecord> records;
    for (int k = 0; k < written; ++k) {
        records.push_back(readChannelRecord(in));
    }
    for (float& v : r.runConstants) {
        v = in.beFloat("run constants");
    }
    const int16_t markerCount = in.be16("marker count");
    if (markerCount < 0 || markerCount > kMaxMarkers) {
        throw FileFormatError("bad marker count " + std::to_string(markerCount));
    }
    in.need(static_cast<size_t>(markerCount) * (longHeader ? 8 : 4), "markers");
    for (int m = 0; m < markerCount; ++m) {
        Marker mk;
        if (longHeader) {
            mk.slot = static_cast<int32_t>(in.be32("markers")) - 1;
            mk.code = static_cast<int32_t>(in.be32("markers"));
        } else {
            mk.slot = in.be16("markers") - 1;
            mk.code = in.be16("markers");
        }
        r.markers.push_back(mk);
    }
    const size_t values = static_cast<size_t>(written) * static_cast<size_t>(r.sampleCount);
    in.need(values * 4, "sample data");
    if (depth == ReadDepth::Everything) {
        file.storage.resize(values);
    }
    const uint8_t* src = in.take(values * 4, "sample data");
    for (size_t i = 0; i < file.storage.size(); ++i) {
        file.storage[i] = floatFromBits(getBE32(src + 4 * i));
    }
    file.attachRows(static_cast<size_t>(written), depth);
    r.deviceCode = in.be16("device code");
    for (float& v : r.polynomial) {
        v = in.beFloat("polynomial");
    }

    if (auto tail = parseChartTail(in.rest())) {
        const size_t nChan = tail->inputNumbers.size();
        if (nChan != records.size() && nChan != records.size() + 1) {
            throw FileFormatError("input numbers do not match the channel count");
        }
        file.format = RecordingFormat::ChartBinary;
        r.kind = RecordingKind::Chart;
        r.firstWritten = nChan - records.size();
        r.channels.resize(r.firstWritten);
        r.channels.insert(r.channels.end(), records.begin(), records.end());
        for (size_t k = 0; k < nChan; ++k) {
            r.channels[k].inputNumber = tail->inputNumbers[k];
        }
        r.notes = std::move(tail->notes);
        file.fileText = tail->fileText;
        splitFileText(shortComment, file.fileText, r);
        return file;
    }
    const Bytes rest = in.rest();
    if (written != 1 || markerCount != 0 || rest.empty() || rest.back() != '\r') {
        throw FileFormatError("file is truncated or damaged (no end mark)");
    }
    file.format = RecordingFormat::ScopeBinary;
    r.kind = RecordingKind::Scope;
    r.channels = records;
    file.fileText = asText(rest.first(rest.size() - 1));
    r.comment = file.fileText;
    return file;
}

}  // namespace

ReadResult readBinaryRecording(std::span<const uint8_t> bytes, ReadDepth depth) {
    return readGuarded([bytes, depth] { return parse(bytes, depth); });
}

}  // namespace trindel
