#include "files/expedata_export.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "files/recording_from_program.h"

namespace trindel {

uint32_t putIEEEbits(double x) {
    if (x == 0.0) {
        return 0;
    }
    if (std::isnan(x)) {
        return 0x7FC00000u;
    }
    const uint32_t sign = x < 0 ? 0x80000000u : 0u;
    const double a = std::fabs(x);
    if (a >= 0x1p128) {
        return sign | 0x7F800000u;
    }
    if (a < 0x1p-126) {
        return 0;
    }
    int e = 0;
    if (a >= 1.0) {
        while (std::ldexp(1.0, e + 1) <= a) {
            ++e;
        }
    } else {
        // Counting down stops at the first e with a > 2^e: one below the true exponent for an
        // exact power of two, which the mantissa's carry puts right.
        e = -1;
        while (!(a > std::ldexp(1.0, e))) {
            --e;
        }
    }
    const double mantissa = std::trunc((a - std::ldexp(1.0, e)) / std::ldexp(1.0, e - 23));
    const uint64_t bits = (static_cast<uint64_t>(e + 127) << 23) + static_cast<uint64_t>(mantissa);
    return sign | static_cast<uint32_t>(bits);
}

uint32_t expeDataBits(float value) {
    const uint32_t bits = floatBits(value);
    const uint32_t exponent = (bits >> 23) & 0xFFu;
    if (exponent != 0 && exponent != 0xFFu) {
        return bits;
    }
    return putIEEEbits(static_cast<double>(value));
}

void putIEEE(ByteWriter& out, double x) {
    out.le32(putIEEEbits(x));
}

void putIEEElong(ByteWriter& out, int32_t k) {
    out.le32(static_cast<uint32_t>(k));
}

std::string transformName(float type) {
    static const char* const kNames[] = {
        "Linear Transform",      "Polynomial Transform",  "Power Transform",
        "Exponential Transform", "Breakpoint Transform",  "Three-way Transform",
        "Keyboard input",        "Logarithmic Transform", "Reciprocal Transform"};
    for (int code = 1; code <= 9; ++code) {
        if (type == static_cast<float>(code)) {
            return kNames[code - 1];
        }
    }
    return {};
}

namespace {

// Characters from..from+1 of a stamp read as a number (as many leading digits as there are).
double stampField(const std::string& stamp, size_t from) {
    double value = 0;
    for (size_t i = from; i < from + 2 && i < stamp.size(); ++i) {
        if (stamp[i] < '0' || stamp[i] > '9') {
            break;
        }
        value = value * 10 + (stamp[i] - '0');
    }
    return value;
}

// One channel's values into every `stride`-th little-endian word of `dest`.
void convertColumn(const float* src, size_t count, uint8_t* dest, size_t stride) {
    for (size_t k = 0; k < count; ++k) {
        uint32_t bits;
        std::memcpy(&bits, src + k, 4);
        const uint32_t exponent = (bits >> 23) & 0xFFu;
        if (exponent == 0 || exponent == 0xFFu) [[unlikely]] {
            bits = putIEEEbits(static_cast<double>(src[k]));
        }
        putLE32(dest + k * stride, bits);
    }
}

void writeSamples(ByteWriter& out, const Recording& r) {
    const size_t channels = r.writtenCount();
    const auto n = static_cast<size_t>(std::max(r.sampleCount, 0));
    if (channels == 0 || n == 0) {
        return;
    }
    // Rows shorter than the sample count are read as zeros.
    std::vector<std::vector<float>> padded;
    std::vector<const float*> rows;
    for (const auto& row : r.data) {
        if (row.size() >= n) {
            rows.push_back(row.data());
        } else {
            padded.emplace_back(row.begin(), row.end()).resize(n, 0.0f);
            rows.push_back(padded.back().data());
        }
    }
    constexpr size_t kBlockBytes = 256 * 1024;
    // Blocks small enough to stay in the cache while the channels are interleaved.
    const size_t perBlock =
        std::max<size_t>(1, std::min<size_t>(out.capacity(), kBlockBytes) / (4 * channels));
    for (size_t i = 0; i < n;) {
        const size_t count = std::min(perBlock, n - i);
        uint8_t* dest = out.reserve(count * channels * 4);
        for (size_t c = 0; c < channels; ++c) {
            convertColumn(rows[c] + i, count, dest + 4 * c, 4 * channels);
        }
        out.commit(count * channels * 4);
        i += count;
    }
}

void writeDescriptor(ByteWriter& out, const ChannelRecord& c) {
    out.text(std::string_view(c.label).substr(0, std::min<size_t>(c.label.size(), 24)), 24);
    out.text("", 16);
    out.text("", 32);
    out.text(transformName(c.type), 32);
    out.text("", 32);
    putIEEElong(out, 0);
    putIEEElong(out, 0);
    putIEEE(out, 0.0);
    putIEEE(out, c.a);
    for (int i = 0; i < 29; ++i) {
        putIEEE(out, c.b);
    }
}

}  // namespace

bool writeExpeData(const Recording& r, ByteSink& sink) {
    const size_t channels = r.writtenCount();
    ByteWriter out(sink,
                   ByteWriter::capacityFor(uint64_t(std::max(r.sampleCount, 0)) * channels * 4 +
                                           r.channels.size() * kExpeDataDescriptorBytes + 4096));
    putIEEE(out, 1003.0);
    putIEEE(out, 1.1);
    putIEEE(out, static_cast<double>(channels));
    putIEEE(out, static_cast<double>(r.sampleCount) - 1.0);
    putIEEE(out, r.sampleInterval);
    writeSamples(out, r);
    for (size_t i = 0; i < channels * 9; ++i) {
        putIEEE(out, 10.0);
    }
    for (const std::string* stamp : {&r.endDate, &r.endTime}) {
        for (size_t from : {0, 3, 6}) {
            putIEEE(out, stampField(*stamp, from));
        }
    }
    out.text(r.comment, kExpeDataCommentBytes);
    putIEEElong(out, static_cast<int32_t>(r.markers.size()));
    for (const Marker& m : r.markers) {
        const int64_t packed = int64_t{m.slot} + int64_t{1000000} * m.code;
        putIEEElong(out, static_cast<int32_t>(static_cast<uint32_t>(packed)));
    }
    out.text("", 8);
    for (const ChannelRecord& c : r.channels) {
        writeDescriptor(out, c);
    }
    return out.flush();
}

bool SaveSABLE(Program& p, ByteSink& sink) {
    return writeExpeData(chartRecording(p), sink);
}

}  // namespace trindel
