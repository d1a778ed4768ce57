#include "run/open_document.h"

#include <algorithm>
#include <fstream>

#include "display/chart_screen.h"
#include "files/recording_file_reader.h"
#include "text/export_number.h"

namespace trindel {

namespace {

std::string firstLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    char c = 0;
    while (line.size() < 16 && in.get(c) && c != '\r') {
        line.push_back(c);
    }
    return c == '\r' ? line : std::string();
}

std::string plainNumber(float v) {
    std::string text = exportNumberText(v);
    return !text.empty() && text[0] == ' ' ? text.substr(1) : text;
}

}  // namespace

DocumentKind documentKind(const std::string& path) {
    std::string line = firstLine(path);
    line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
    // "-999" and "-9999" head binary recordings; the other "-99…" lines are set-up layouts.
    if (line == "-9997" || line == "-9998" || line == "-99") {
        return DocumentKind::Setup;
    }
    return readRecordingFile(path).ok ? DocumentKind::Recording : DocumentKind::Unreadable;
}

std::string recordingFacts(const std::string& path, const RecordingFile& file) {
    const Recording& r = file.recording;
    const size_t slash = path.find_last_of('/');
    std::string t = slash == std::string::npos ? path : path.substr(slash + 1);
    t.append(" \xE2\x80\x94 ").append(formatName(file.format));
    t.append(", ").append(std::to_string(r.sampleCount)).append(" samples at ");
    t.append(plainNumber(r.sampleInterval)).append(" s, ");
    t.append(std::to_string(r.channels.size())).append(" channels");
    if (!r.startDate.empty() || !r.startTime.empty()) {
        t.append(", started ").append(r.startDate).append(" ").append(r.startTime);
    }
    t.append(", ").append(std::to_string(r.markers.size())).append(" markers");
    return t;
}

bool recordingIntoProgram(const RecordingFile& file, Program& p) {
    const Recording& r = file.recording;
    if (r.kind != RecordingKind::Chart || r.channels.empty()) {
        return false;
    }
    Session& s = p.session;
    const int n = std::min<int>(static_cast<int>(r.channels.size()), kMaxChannels);
    const int32_t samples = static_cast<int32_t>(
        std::clamp<int64_t>(r.sampleCount, 0, SampleStore::kMaxSamplesPerChannel));
    s.RecordingMODE = 1;
    s.nChan = static_cast<int16_t>(n);
    s.Sample = samples;
    s.nSamples = samples + 1;
    s.MaxSamples = std::max<int32_t>(samples, 1);
    s.ChartINTERVALinSECONDS = r.sampleInterval;
    s.ChartSampleInterval = r.sampleInterval;
    s.SampleInterval = r.sampleInterval;
    p.channels.clearLabels();
    for (int c = 1; c <= n; ++c) {
        const ChannelRecord& rec = r.channels[static_cast<size_t>(c - 1)];
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        row[kInputNumber] = rec.inputNumber;
        row[kCoeffA] = rec.a;
        row[kCoeffA + 1] = rec.b;
        row[kCoeffA + 2] = rec.c;
        row[kSamplesToAverage] = rec.samplesAveraged;
        p.channels.conversionType(c) = rec.type;
        p.channels.setLabel(c, rec.label);
        row[kDisplayMin] = -1.0f;
        row[kDisplayMax] = 1.0f;
    }
    p.store.reserveSlots(SampleStore::slotOf(n, samples + 1));
    for (size_t w = 0; w < r.writtenCount(); ++w) {
        const int c = static_cast<int>(r.firstWritten + w) + 1;
        if (c > n) {
            break;
        }
        const std::span<const float> values = r.data[w];
        const auto count = std::min<size_t>(values.size(), static_cast<size_t>(samples));
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        float lo = 0.0f, hi = 0.0f;
        for (size_t i = 0; i < count; ++i) {
            p.store.set(c, static_cast<int64_t>(i), values[i]);
            lo = i == 0 ? values[i] : std::min(lo, values[i]);
            hi = i == 0 ? values[i] : std::max(hi, values[i]);
        }
        if (count > 0 && hi > lo) {
            row[kDisplayMin] = lo;
            row[kDisplayMax] = hi;
        }
    }
    p.Markers.clear();
    for (const Marker& m : r.markers) {
        if (m.slot >= 0 && m.slot <= samples) {
            p.Markers.add(m.slot, m.code);
        }
    }
    p.files.filestrings.startDate = r.startDate;
    p.files.filestrings.startTime = r.startTime;
    p.notes.CommentContainer = r.comment;
    SetChanParams(p, 0, 0);
    return true;
}

}  // namespace trindel
