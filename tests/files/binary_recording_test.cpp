#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "files/binary_recording_reader.h"
#include "files/binary_recording_writer.h"
#include "files/byte_order.h"
#include "files/recording_fixture.h"
#include "files/recording_from_program.h"

namespace trindel {
namespace {

using testing::append;
using testing::bytesOf;
using testing::hex;
using testing::padded;
using namespace std::string_literals;

std::vector<uint8_t> saveBinary(Program& p) {
    VectorSink sink;
    EXPECT_TRUE(SAVEBINARY(p, sink));
    return sink.bytes;
}

TEST(BinaryRecordingWriter, BigEndianFieldsAndTextWidths) {
    VectorSink sink;
    ByteWriter out(sink);
    out.beFloat(1.0f);
    out.be16(5);
    out.be16(-2);
    out.be32(201040000);
    out.text("abc", 5);
    out.text("abcdef", 4);
    out.line("-999");
    ASSERT_TRUE(out.flush());
    std::vector<uint8_t> want =
        hex({0x3F, 0x80, 0x00, 0x00, 0x00, 0x05, 0xFF, 0xFE, 0x0B, 0xFB, 0xA0, 0x80});
    append(want, bytesOf("abc  abcd-999\r"));
    EXPECT_EQ(sink.bytes, want);
}

TEST(BinaryRecordingWriter, ChartFileIsByteExact) {
    Program p = testing::smallChartRun();
    std::vector<uint8_t> want = bytesOf("-999\r");
    append(want, hex({0x00, 0x01}));              // n - 1
    append(want, hex({0x3F, 0x80, 0x00, 0x00}));  // interval 1.0
    append(want, hex({0x00, 0x02}));              // channels
    append(want, bytesOf("07-04-200914:05:09"));
    append(want, hex({0x40, 0x40, 0x00, 0x00}));  // comment length 3.0
    append(want, bytesOf("abc"));
    // channel 1: a 0, b 1, c 0, type 1, averaged 1, label
    append(want,
           hex({0, 0, 0, 0, 0x3F, 0x80, 0, 0, 0, 0, 0, 0, 0x3F, 0x80, 0, 0, 0x3F, 0x80, 0, 0}));
    append(want, bytesOf(padded("O2", 30)));
    // channel 2: a 2, b 0.5, c 0, type 6, averaged 4
    append(want,
           hex({0x40, 0, 0, 0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xC0, 0, 0, 0x40, 0x80, 0, 0}));
    append(want, bytesOf(padded("CO2", 30)));
    // flowrate 100, mass 0, pressure 760, flowtemp 0, volume 0
    append(want, hex({0x42, 0xC8, 0, 0, 0, 0, 0, 0, 0x44, 0x3E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    append(want, hex({0x00, 0x01, 0x00, 0x01, 0x00, 0xC9}));  // one marker: slot 0 + 1, code 201
    append(want, hex({0x40, 0xA0, 0, 0, 0x40, 0xC0, 0, 0}));  // 5, 6
    append(want, hex({0xBF, 0x80, 0, 0, 0x3F, 0, 0, 0}));     // -1, 0.5
    append(want, hex({0x00, 0x06}));                          // demonstration device
    append(want, std::vector<uint8_t>(24, 0));                // polynomial
    append(want, bytesOf("abc\r"));                           // file text
    append(want, hex({0xFF, 0x0D}));                          // end mark
    append(want, bytesOf(" 3\r 4\r"));                        // input numbers
    EXPECT_EQ(saveBinary(p), want);
}

TEST(BinaryRecordingWriter, HeaderSwitchesToLongFormAt32761Samples) {
    for (int32_t n : {32760, 32761}) {
        Program p = testing::smallChartRun();
        p.session.Sample = n;
        p.Markers.clear();
        p.Markers.add(40000, 201);
        const auto bytes = saveBinary(p);
        const bool longHeader = n == 32761;
        const std::string version = longHeader ? "-9999\r" : "-999\r";
        ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<long>(version.size())),
                  version);
        const uint8_t* field2 = bytes.data() + version.size();
        if (longHeader) {
            EXPECT_EQ(getBE32(field2), 32760u);
        } else {
            EXPECT_EQ(getBE16(field2), 32759);
        }
        auto read = readBinaryRecording(bytes);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.file.version, longHeader ? -9999 : -999);
        EXPECT_EQ(read.file.recording.sampleCount, n);
        ASSERT_EQ(read.file.recording.markers.size(), 1u);
        // The short header keeps 16 bits of the slot; the long one all of it.
        EXPECT_EQ(read.file.recording.markers[0].slot, longHeader ? 40000 : int16_t(40001) - 1);
    }
}

TEST(BinaryRecordingWriter, ScopePlusChartLeavesChannelOneOutButListsEveryInput) {
    Program p = testing::smallChartRun();
    p.session.RecordingMODE = 3;
    const auto bytes = saveBinary(p);
    EXPECT_EQ(getBE16(bytes.data() + 5 + 2 + 4), 1);  // channel count nChan - 1
    auto read = readBinaryRecording(bytes);
    ASSERT_TRUE(read.ok) << read.error;
    const Recording& r = read.file.recording;
    EXPECT_EQ(r.firstWritten, 1u);
    ASSERT_EQ(r.channels.size(), 2u);
    EXPECT_EQ(r.channels[0].inputNumber, 3);
    EXPECT_EQ(r.channels[1].label, padded("CO2", 30));
    ASSERT_EQ(r.data.size(), 1u);
    EXPECT_EQ(r.data[0][0], -1.0f);
}

TEST(BinaryRecordingWriter, EmptyCommentNotesAndPauseLog) {
    Program p = testing::smallChartRun();
    p.notes.CommentContainer.clear();
    auto bytes = saveBinary(p);
    // Comment length 0.0 straight after the time, and a lone CR as file text before the end mark.
    const size_t lengthAt = 5 + 2 + 4 + 2 + 18;
    EXPECT_EQ(getBE32(bytes.data() + lengthAt), 0u);
    const std::string wantTail = "\x00\r\xFF\r 3\r 4\r"s;  // polynomial, CR, end mark
    EXPECT_EQ(std::string(bytes.end() - static_cast<long>(wantTail.size()), bytes.end()), wantTail);

    p.notes.CommentContainer = "abc";
    p.notes.CumulativePauseContainer = "paused";
    p.notes.addNote({" 12", "10:00:00", "note one"});
    bytes = saveBinary(p);
    const std::string wantEnd = "abc\rpaused\r\xF0\r 1\r 12\r10:00:00\rnote one\r\xFF\r 3\r 4\r"s;
    EXPECT_EQ(std::string(bytes.end() - static_cast<long>(wantEnd.size()), bytes.end()), wantEnd);
    EXPECT_EQ(readBinaryRecording(bytes).file.recording.pauseLog, "paused");
}

TEST(BinaryRecordingReader, ANoteCountThatDoesNotMatchItsNotesIsRefused) {
    Program p = testing::smallChartRun();
    p.notes.addNote({" 12", "10:00:00", "note one"});
    p.notes.addNote({" 13", "10:00:01", "note two"});
    const auto bytes = saveBinary(p);
    ASSERT_EQ(readBinaryRecording(bytes).file.recording.notes.size(), 2u);
    const std::vector<uint8_t> count = bytesOf("\xF0\r 2\r"s);
    const auto at = std::search(bytes.begin(), bytes.end(), count.begin(), count.end());
    ASSERT_NE(at, bytes.end());
    for (const char* wrong : {" 1", " 3", " 0"}) {
        auto damaged = bytes;
        damaged[static_cast<size_t>(at - bytes.begin()) + 3] = static_cast<uint8_t>(wrong[1]);
        const ReadResult read = readBinaryRecording(damaged);
        EXPECT_FALSE(read.ok) << wrong;
        EXPECT_NE(read.error.find("note count"), std::string::npos) << read.error;
    }
}

TEST(BinaryRecordingWriter, RoundTripRewritesTheSameBytes) {
    Program p = testing::smallChartRun();
    p.notes.CommentContainer = std::string(300, 'x');  // longer than the header's 255
    p.notes.addNote({" 1", "10:00:00", "n"});
    p.session.RecordingMODE = 3;
    const auto bytes = saveBinary(p);
    auto read = readBinaryRecording(bytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.recording.comment.size(), 300u);
    EXPECT_EQ(read.file.recording.startDate, "07/04/09");
    VectorSink again;
    ASSERT_TRUE(writeBinaryRecording(read.file.recording, again));
    EXPECT_EQ(again.bytes, bytes);
}

TEST(BinaryRecordingWriter, SignallingNaNPatternSurvives) {
    Program p = testing::smallChartRun();
    // 7F A0 00 01 is a signalling NaN; its byte-reversed form 01 00 A0 7F is a tiny number, and
    // 01 00 A0 FF reversed is FF A0 00 01, another signalling NaN.
    for (uint32_t bits : {0x7FA00001u, 0xFFA00001u, 0x0100A07Fu, 0x0100A0FFu}) {
        p.store.at(SampleStore::slotOf(1, 0)) = floatFromBits(bits);
        const auto bytes = saveBinary(p);
        auto read = readBinaryRecording(bytes);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(floatBits(read.file.recording.data[0][0]), bits);
    }
}

TEST(BinaryRecordingWriter, DateFieldWidensTheYear) {
    EXPECT_EQ(binaryDateField("07/04/09"), "07-04-2009");
    EXPECT_EQ(binaryDateField("12/31/99"), "12-31-1999");
    EXPECT_EQ(binaryDateField("01/01/70"), "01-01-1970");
    EXPECT_EQ(binaryDateField("01/01/69"), "01-01-2069");
}

TEST(BinaryRecordingWriter, ContinuousAveragingWritesScansPerSample) {
    Program p = testing::smallChartRun();
    p.prefs[kPrefContinuousScanning] = 1;
    p.session.Sample = 5;
    p.session.TotalScans = 10;
    const Recording r = chartRecording(p);
    EXPECT_EQ(r.channels[0].samplesAveraged, 2.5f);
}

TEST(BinaryRecordingWriter, SpikeLinesAppendedOnlyWithAutorepeatAndFilter) {
    Program p = testing::smallChartRun();
    p.conversion.SpikeFilterArray[1] = 2.0f;
    p.conversion.SpikeFilterArray[2] = 1.0f;
    p.conversion.voltagespikes[1] = 7;
    saveBinary(p);
    EXPECT_EQ(p.notes.CommentContainer, "abc");
    p.prefs[kPrefAutorepeat] = 1;
    p.prefs[kPrefSpikeFilter] = 1;
    const auto bytes = saveBinary(p);
    EXPECT_EQ(p.notes.CommentContainer, "abcchan 1:   7 spikes removed; filter factor: 2\r");
    // The file just written still carries the comment as it was.
    auto read = readBinaryRecording(bytes);
    EXPECT_EQ(read.file.recording.comment, "abc");
}

TEST(BinaryRecordingWriter, ScopeFileLayout) {
    Program p = testing::smallChartRun();
    p.device.DemonstrationMODE = 1;
    p.device.External_AD = 4;
    const std::vector<float> sweep = {1.0f, 2.0f, 3.0f};
    VectorSink sink;
    ASSERT_TRUE(writeBinaryRecording(scopeRecording(p, sweep, -0.01f, "15:00:00"), sink));
    const auto& b = sink.bytes;
    EXPECT_EQ(getBE16(b.data() + 5), 2);          // ScopeMax - 1
    EXPECT_EQ(getBE16(b.data() + 5 + 2 + 4), 1);  // one channel
    // Device code, polynomial, then the comment alone: no notes, end mark or input numbers.
    EXPECT_EQ(std::string(b.end() - 30, b.end()), "\x00\x06"s + std::string(24, '\0') + "abc\r");
    auto read = readBinaryRecording(b);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.format, RecordingFormat::ScopeBinary);
    EXPECT_EQ(read.file.recording.sampleInterval, 0.01f);
    EXPECT_EQ(read.file.recording.startTime, "15:00:00");
    const auto& data = read.file.recording.data[0];
    EXPECT_EQ(std::vector<float>(data.begin(), data.end()), sweep);
}

TEST(BinaryRecordingReader, EveryTruncationIsAnError) {
    Program p = testing::smallChartRun();
    p.notes.addNote({" 1", "10:00:00", "n"});
    const auto bytes = saveBinary(p);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        auto read = readBinaryRecording(std::span(bytes).first(cut));
        EXPECT_FALSE(read.ok) << "cut at " << cut;
        EXPECT_FALSE(read.error.empty());
        EXPECT_EQ(read.error.find('\n'), std::string::npos);
    }
}

TEST(BinaryRecordingReader, HugeCountsAreRefusedBeforeAllocating) {
    std::vector<uint8_t> bytes = bytesOf("-9999\r");
    append(bytes, hex({0x7F, 0xFF, 0xFF, 0xFE}));
    append(bytes, std::vector<uint8_t>(40, 0));
    auto read = readBinaryRecording(bytes);
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find("sample count"), std::string::npos);
}

}  // namespace
}  // namespace trindel
