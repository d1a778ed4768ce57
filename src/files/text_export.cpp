#include "files/text_export.h"

#include <algorithm>

#include "files/recording_from_program.h"
#include "text/export_number.h"
#include "text/mac_roman_text.h"

namespace trindel {

namespace {

void writeHeader(ByteWriter& out, const Recording& r, bool timeColumn) {
    if (timeColumn) {
        out.bytes("Time (sec)\t", 11);
    }
    const size_t nChan = r.channels.size();
    for (size_t i = 0; i < r.writtenCount(); ++i) {
        const std::string label = macRomanToUtf8(r.written(i).label);
        out.bytes(label.data(), label.size());
        const size_t channelNumber = r.firstWritten + i + 1;
        out.byte(channelNumber == nChan ? '\r' : '\t');
    }
}

}  // namespace

bool writeTextExport(const Recording& r, ByteSink& sink, bool timeColumn,
                     const ExportProgress& progress) {
    const int64_t n = std::max(r.sampleCount, 0);
    const size_t channels = r.writtenCount();
    ByteWriter out(sink, ByteWriter::capacityFor(uint64_t(n) * (channels + 1) * 12 + 4096));
    writeHeader(out, r, timeColumn);
    const size_t lineRoom = (channels + 1) * (kExportNumberCapacity + 1) + 1;
    const int64_t step = std::max<int64_t>(n / 300, 2);
    for (int64_t i = 0; i < n; ++i) {
        char* const start = reinterpret_cast<char*>(out.reserve(lineRoom));
        char* p = start;
        if (timeColumn) {
            p = exportNumber(p, static_cast<float>(i + 1) * r.sampleInterval);
            *p++ = '\t';
        }
        for (size_t c = 0; c < channels; ++c) {
            const auto& row = r.data[c];
            const auto at = static_cast<size_t>(i);
            p = exportNumber(p, at < row.size() ? row[at] : 0.0f);
            *p++ = '\t';
        }
        *p++ = '\r';
        out.commit(static_cast<size_t>(p - start));
        if (progress && (i + 1) % step == 0 && !progress(i + 1, n)) {
            out.flush();
            return false;
        }
    }
    if (progress && !progress(n, n)) {
        return false;
    }
    return out.flush();
}

bool SaveASCII(Program& p, ByteSink& sink, const ExportProgress& progress) {
    return writeTextExport(chartRecording(p), sink, p.prefs[38] != 0, progress);
}

bool writeScopeSweepText(std::span<const float> sweep, float interval, ByteSink& sink) {
    ByteWriter out(sink);
    char buffer[kExportNumberCapacity + 1];
    out.bytes("Time (sec)", 10);
    char* end = exportNumber(buffer, interval);
    *end++ = '\r';
    out.bytes(buffer, static_cast<size_t>(end - buffer));
    for (float v : sweep) {
        end = exportNumber(buffer, v);
        *end++ = '\r';
        out.bytes(buffer, static_cast<size_t>(end - buffer));
    }
    return out.flush();
}

}  // namespace trindel
