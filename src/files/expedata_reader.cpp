#include "files/expedata_reader.h"

#include "files/byte_reader.h"
#include "files/expedata_export.h"
#include "state/sample_store.h"

namespace trindel {

namespace {

std::string trimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

std::string twoDigits(int64_t value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

std::string readStamp(ByteReader& in, char separator, const char* what) {
    std::string out;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            out += separator;
        }
        out += twoDigits(wholeNumber(in.leFloat(what), 0, 99, what));
    }
    return out;
}

float typeFromTransform(const std::string& name) {
    for (int code = 1; code <= 9; ++code) {
        if (name == transformName(static_cast<float>(code))) {
            return static_cast<float>(code);
        }
    }
    return 0.0f;
}

RecordingFile parse(std::span<const uint8_t> bytes, ReadDepth depth) {
    RecordingFile file;
    file.format = RecordingFormat::ExpeData;
    Recording& r = file.recording;
    ByteReader in(bytes);
    if (in.le32("format mark") != putIEEEbits(1003.0)) {
        throw FileFormatError("not an ExpeData file (no format mark)");
    }
    if (in.le32("format version") != putIEEEbits(1.1)) {
        throw FileFormatError("unsupported ExpeData version");
    }
    file.version = 11;
    const auto written = static_cast<size_t>(
        wholeNumber(in.leFloat("channel count"), 0, kMaxChannels, "channel count"));
    const int64_t last = wholeNumber(in.leFloat("sample count"), -1,
                                     SampleStore::kMaxSamplesPerChannel - 1, "sample count");
    r.sampleCount = static_cast<int32_t>(last + 1);
    r.sampleInterval = in.leFloat("sample interval");
    const auto n = static_cast<size_t>(r.sampleCount);
    in.need(n * written * 4, "sample data");
    if (depth == ReadDepth::Everything) {
        file.storage.resize(n * written);
    }
    const uint8_t* src = in.take(n * written * 4, "sample data");
    for (size_t s = 0; s < n && !file.storage.empty(); ++s) {
        for (size_t c = 0; c < written; ++c) {
            file.storage[c * n + s] = floatFromBits(getLE32(src + 4 * (s * written + c)));
        }
    }
    file.attachRows(written, depth);
    in.take(written * 9 * 4, "channel fill");
    r.endDate = readStamp(in, '/', "end date");
    r.endTime = readStamp(in, ':', "end time");
    r.comment = trimRight(in.text(kExpeDataCommentBytes, "comment"));
    const auto markerCount = static_cast<int32_t>(in.le32("marker count"));
    if (markerCount < 0 || markerCount > kMaxMarkers) {
        throw FileFormatError("bad marker count " + std::to_string(markerCount));
    }
    in.need(static_cast<size_t>(markerCount) * 4, "markers");
    for (int32_t m = 0; m < markerCount; ++m) {
        const auto packed = static_cast<int32_t>(in.le32("markers"));
        r.markers.push_back({packed % 1000000, packed / 1000000});
    }
    in.take(8, "separator");
    if (in.remaining() % kExpeDataDescriptorBytes != 0) {
        throw FileFormatError("file is truncated (in channel descriptors)");
    }
    const size_t nChan = in.remaining() / kExpeDataDescriptorBytes;
    if (nChan > kMaxChannels || nChan < written ||
        (written != nChan && written + 1 != nChan && written != 1)) {
        throw FileFormatError("channel descriptors do not match the channel count");
    }
    for (size_t k = 0; k < nChan; ++k) {
        ChannelRecord c;
        c.label = trimRight(in.text(24, "channel descriptor"));
        in.take(48, "channel descriptor");
        c.type = typeFromTransform(trimRight(in.text(32, "channel descriptor")));
        in.take(32 + 8 + 4, "channel descriptor");
        c.a = in.leFloat("channel descriptor");
        c.b = in.leFloat("channel descriptor");
        in.take(28 * 4, "channel descriptor");
        r.channels.push_back(std::move(c));
    }
    // Scope-plus-chart files leave channel 1 out of the data; a scope sweep writes channel 1 only.
    r.firstWritten = written + 1 == nChan ? 1 : 0;
    r.kind = written == 1 && nChan > 2 ? RecordingKind::Scope : RecordingKind::Chart;
    return file;
}

}  // namespace

ReadResult readExpeData(std::span<const uint8_t> bytes, ReadDepth depth) {
    return readGuarded([bytes, depth] { return parse(bytes, depth); });
}

}  // namespace trindel
