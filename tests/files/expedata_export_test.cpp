#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "files/byte_order.h"
#include "files/expedata_export.h"
#include "files/expedata_reader.h"
#include "files/recording_fixture.h"

namespace trindel {
namespace {

using testing::hex;

std::vector<uint8_t> encoded(double x) {
    VectorSink sink;
    ByteWriter out(sink);
    putIEEE(out, x);
    out.flush();
    return sink.bytes;
}

TEST(ExpeDataEncoding, PutIEEEKnownAnswers) {
    EXPECT_EQ(encoded(1.1), hex({0xCC, 0xCC, 0x8C, 0x3F}));  // truncated, not rounded
    EXPECT_EQ(encoded(1003.0), hex({0x00, 0xC0, 0x7A, 0x44}));
    EXPECT_EQ(encoded(-2.5), hex({0x00, 0x00, 0x20, 0xC0}));
    EXPECT_EQ(encoded(0.0), hex({0, 0, 0, 0}));
    EXPECT_EQ(encoded(-0.0), hex({0, 0, 0, 0}));
    // Exact powers of two below 1 come out right through the mantissa's carry.
    EXPECT_EQ(putIEEEbits(0.5), 0x3F000000u);
    EXPECT_EQ(putIEEEbits(0x1p-126), 0x00800000u);
    // 0.1 rounds toward zero: one below the nearest single 3DCCCCCD.
    EXPECT_EQ(putIEEEbits(0.1), 0x3DCCCCCCu);
}

TEST(ExpeDataEncoding, CasesTheCountingCannotExpress) {
    EXPECT_EQ(putIEEEbits(1e-40), 0u);
    EXPECT_EQ(putIEEEbits(-1e300), 0xFF800000u);
    EXPECT_EQ(putIEEEbits(INFINITY), 0x7F800000u);
    EXPECT_EQ(putIEEEbits(NAN), 0x7FC00000u);
}

TEST(ExpeDataEncoding, FastPathAgreesWithPutIEEEForSingles) {
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const float f = floatFromBits(static_cast<uint32_t>(random()));
        ASSERT_EQ(expeDataBits(f), putIEEEbits(static_cast<double>(f))) << std::hex << floatBits(f);
    }
    for (float f : {0.0f, -0.0f, 1e-40f, -1e-45f, INFINITY, -INFINITY, 0x1p-126f}) {
        EXPECT_EQ(expeDataBits(f), putIEEEbits(static_cast<double>(f))) << f;
    }
}

TEST(ExpeDataEncoding, PutIEEElongIsLittleEndianTwosComplement) {
    VectorSink sink;
    ByteWriter out(sink);
    putIEEElong(out, 201040000);
    putIEEElong(out, -2);
    out.flush();
    EXPECT_EQ(sink.bytes, hex({0x80, 0xA0, 0xFB, 0x0B, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ExpeDataExport, LayoutOfAScopePlusChartRecording) {
    Program p = testing::smallChartRun();
    p.session.RecordingMODE = 3;
    p.Markers.clear();
    p.Markers.add(40000, 201);
    p.channels.conversionType(1) = 0;
    p.notes.CommentContainer = std::string(250, 'c');
    VectorSink sink;
    ASSERT_TRUE(SaveSABLE(p, sink));
    const auto& b = sink.bytes;
    const size_t C = 1, n = 2, nChan = 2, M = 1;
    ASSERT_EQ(b.size(), 20 + n * C * 4 + C * 36 + 24 + 240 + 4 + 4 * M + 8 + nChan * 268);
    EXPECT_EQ(getLE32(b.data() + 8), floatBits(1.0f));    // C = nChan - 1
    EXPECT_EQ(getLE32(b.data() + 12), floatBits(1.0f));   // n - 1
    EXPECT_EQ(getLE32(b.data() + 20), floatBits(-1.0f));  // channel 2, sample 1
    EXPECT_EQ(getLE32(b.data() + 28), floatBits(10.0f));  // channel fill
    size_t at = 28 + 36;
    EXPECT_EQ(getLE32(b.data() + at), floatBits(7.0f));        // month
    EXPECT_EQ(getLE32(b.data() + at + 12), floatBits(14.0f));  // hour
    EXPECT_EQ(getLE32(b.data() + at + 20), floatBits(11.0f));  // second
    at += 24;
    EXPECT_EQ(
        std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 240),
        std::string(240, 'c'));
    at += 240;
    EXPECT_EQ(getLE32(b.data() + at), 1u);
    EXPECT_EQ(getLE32(b.data() + at + 4), 201040000u);
    at += 8;
    EXPECT_EQ(std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 8),
              "        ");
    at += 8;
    // Channel 1 (type 0): label, then 80 blanks, no transform name, then 32 blanks.
    EXPECT_EQ(std::string(b.begin() + static_cast<long>(at),
                          b.begin() + static_cast<long>(at) + 24 + 112),
              testing::padded("O2", 24 + 112));
    const size_t second = at + 268;
    EXPECT_EQ(std::string(b.begin() + static_cast<long>(second) + 72,
                          b.begin() + static_cast<long>(second) + 104),
              testing::padded("Three-way Transform", 32));
    const size_t coefficients = second + 136 + 8;
    EXPECT_EQ(getLE32(b.data() + coefficients), 0u);
    EXPECT_EQ(getLE32(b.data() + coefficients + 4), floatBits(2.0f));
    for (size_t i = 2; i < 31; ++i) {
        EXPECT_EQ(getLE32(b.data() + coefficients + 4 * i), floatBits(0.5f));
    }
}

TEST(ExpeDataExport, RoundTripThroughTheReader) {
    Program p = testing::smallChartRun();
    VectorSink sink;
    ASSERT_TRUE(SaveSABLE(p, sink));
    auto read = readExpeData(sink.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    const Recording& r = read.file.recording;
    EXPECT_EQ(r.sampleCount, 2);
    EXPECT_EQ(r.sampleInterval, 1.0f);
    EXPECT_EQ(r.comment, "abc");
    EXPECT_EQ(r.endDate, "07/04/09");
    EXPECT_EQ(r.endTime, "14:05:11");
    ASSERT_EQ(r.markers.size(), 1u);
    EXPECT_EQ(r.markers[0].code, 201);
    EXPECT_EQ(r.markers[0].slot, 0);
    ASSERT_EQ(r.channels.size(), 2u);
    EXPECT_EQ(r.channels[1].label, "CO2");
    EXPECT_EQ(r.channels[1].type, 6.0f);
    EXPECT_EQ(r.channels[1].a, 2.0f);
    ASSERT_EQ(r.data.size(), 2u);
    EXPECT_EQ(r.data[0][1], 6.0f);
    EXPECT_EQ(r.data[1][0], -1.0f);

    for (size_t cut = 0; cut < sink.bytes.size(); cut += 7) {
        auto broken = readExpeData(std::span(sink.bytes).first(cut));
        EXPECT_FALSE(broken.ok) << cut;
    }
}

}  // namespace
}  // namespace trindel
