#include "files/binary_recording_writer.h"

#include <algorithm>
#include <cstring>

#include "files/recording_from_program.h"
#include "text/export_number.h"

namespace trindel {

std::string binaryDateField(const std::string& date) {
    std::string out = date;
    std::replace(out.begin(), out.end(), '/', '-');
    if (out.size() == 8 && out[2] == '-' && out[5] == '-') {
        const int year = (out[6] - '0') * 10 + (out[7] - '0');
        out.insert(6, year >= 70 ? "19" : "20");
    }
    return out;
}

void appendBigEndianFloats(ByteWriter& out, std::span<const float> values) {
    const size_t perChunk = out.capacity() / 4;
    size_t i = 0;
    while (i < values.size()) {
        const size_t n = std::min(perChunk, values.size() - i);
        uint8_t* dest = out.reserve(n * 4);
        const float* src = values.data() + i;
        for (size_t j = 0; j < n; ++j) {
            uint32_t bits;
            std::memcpy(&bits, src + j, 4);
            bits = SwapSingleBigToHost(bits);
            std::memcpy(dest + 4 * j, &bits, 4);
        }
        out.commit(n * 4);
        i += n;
    }
}

namespace {

void numberLine(ByteWriter& out, float value) {
    char buffer[kExportNumberCapacity + 1];
    char* end = exportNumber(buffer, value);
    *end++ = '\r';
    out.bytes(buffer, static_cast<size_t>(end - buffer));
}

void channelRecord(ByteWriter& out, const ChannelRecord& c) {
    out.beFloat(c.a);
    out.beFloat(c.b);
    out.beFloat(c.c);
    out.beFloat(c.type);
    out.beFloat(c.samplesAveraged);
    out.text(c.label, 30);
}

// Fields 1 to 13; `count` is the samples per channel.
void writeHead(ByteWriter& out, const Recording& r) {
    const int32_t n = r.sampleCount;
    const bool longHeader = n >= kLongHeaderFrom;
    const bool scope = r.kind == RecordingKind::Scope;
    out.line(longHeader ? "-9999" : "-999");
    if (longHeader) {
        out.be32(static_cast<uint32_t>(n - 1));
    } else {
        out.be16(static_cast<int16_t>(n - 1));
    }
    out.beFloat(r.sampleInterval);
    out.be16(static_cast<int16_t>(r.writtenCount()));
    out.text(binaryDateField(r.startDate), 10);
    out.text(r.startTime, 8);
    const std::string_view comment(r.comment.data(), std::min<size_t>(r.comment.size(), 255));
    out.beFloat(static_cast<float>(comment.size()));
    out.bytes(comment.data(), comment.size());
    for (size_t i = 0; i < r.writtenCount(); ++i) {
        channelRecord(out, r.written(i));
    }
    for (float v : r.runConstants) {
        out.beFloat(v);
    }
    const auto markerCount = scope ? size_t{0} : r.markers.size();
    out.be16(static_cast<int16_t>(markerCount));
    for (size_t m = 0; m < markerCount; ++m) {
        const Marker& mk = r.markers[m];
        if (longHeader) {
            out.be32(static_cast<uint32_t>(mk.slot + 1));
            out.be32(static_cast<uint32_t>(mk.code));
        } else {
            out.be16(static_cast<int16_t>(mk.slot + 1));
            out.be16(static_cast<int16_t>(mk.code));
        }
    }
    for (const auto& row : r.data) {
        appendBigEndianFloats(out, row.first(std::min(row.size(), static_cast<size_t>(n))));
    }
}

void writeTail(ByteWriter& out, const Recording& r) {
    out.be16(r.deviceCode);
    for (float v : r.polynomial) {
        out.beFloat(v);
    }
    out.bytes(r.comment.data(), r.comment.size());
    if (r.kind == RecordingKind::Scope) {
        out.byte('\r');
        return;
    }
    if (r.pauseLog.size() > 1) {
        out.byte('\r');
        out.bytes(r.pauseLog.data(), r.pauseLog.size());
    }
    out.byte('\r');
    if (!r.notes.empty()) {
        out.line(std::string(1, static_cast<char>(kNotesMark)));
        numberLine(out, static_cast<float>(r.notes.size()));
        for (const FileNote& note : r.notes) {
            out.line(note.sample);
            out.line(note.time);
            out.line(std::string_view(note.text).substr(0, kMaxNoteText));
        }
    }
    out.line(std::string(1, static_cast<char>(kEndMark)));
    for (const ChannelRecord& c : r.channels) {
        numberLine(out, c.inputNumber);
    }
}

}  // namespace

bool writeBinaryRecording(const Recording& recording, ByteSink& sink) {
    const uint64_t samples =
        uint64_t(std::max(recording.sampleCount, 0)) * recording.writtenCount();
    ByteWriter out(sink, ByteWriter::capacityFor(4 * samples + recording.comment.size() + 4096));
    writeHead(out, recording);
    writeTail(out, recording);
    return out.flush();
}

std::string spikeLines(const Program& p) {
    std::string lines;
    for (int k = 1; k <= p.session.nChan && k <= kMaxChannels; ++k) {
        const float ratio = p.conversion.SpikeFilterArray[static_cast<size_t>(k)];
        if (ratio > 1.0f) {
            lines += "chan" + exportNumberText(int64_t{k}) + ":  " +
                     exportNumberText(int64_t{p.conversion.voltagespikes[static_cast<size_t>(k)]}) +
                     " spikes removed; filter factor:" + exportNumberText(ratio) + "\r";
        }
    }
    return lines;
}

bool SAVEBINARY(Program& p, ByteSink& sink) {
    const Recording recording = chartRecording(p);
    const bool ok = writeBinaryRecording(recording, sink);
    if (p.prefs[kPrefAutorepeat] != 0 && p.prefs[kPrefSpikeFilter] != 0) {
        p.notes.CommentContainer += spikeLines(p);
    }
    return ok;
}

}  // namespace trindel
