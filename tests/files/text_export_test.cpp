#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "files/recording_fixture.h"
#include "files/text_export.h"
#include "files/text_recording_reader.h"
#include "text/export_number.h"

namespace trindel {
namespace {

std::string saveText(Program& p, const ExportProgress& progress = {}) {
    VectorSink sink;
    SaveASCII(p, sink, progress);
    return {sink.bytes.begin(), sink.bytes.end()};
}

TEST(ExportNumber, ShortestExactFormWithLeadingBlank) {
    EXPECT_EQ(exportNumberText(5.0f), " 5");
    EXPECT_EQ(exportNumberText(-999.0f), "-999");
    EXPECT_EQ(exportNumberText(-0.0f), " 0");
    EXPECT_EQ(exportNumberText(3e9f), " 3000000000");
    EXPECT_EQ(exportNumberText(0.00001f), " 0.00001");
    EXPECT_EQ(exportNumberText(1e-6f), " 1E-06");
    EXPECT_EQ(exportNumberText(-1.5e20f), "-1.5E+20");
    EXPECT_EQ(exportNumberText(int64_t{-3}), "-3");
    EXPECT_EQ(exportNumberText(int64_t{12}), " 12");
}

TEST(TextExport, LayoutWithTimeColumn) {
    Program p = testing::smallChartRun();
    p.session.SampleInterval = 0.5f;
    p.prefs[38] = 1;
    p.channels.setLabel(1, "O\xA5");  // Mac Roman bullet
    const std::string want = "Time (sec)\t" + testing::padded("O\xE2\x80\xA2", 32) + "\t" +
                             testing::padded("CO2", 30) + "\r" +
                             " 0.5\t 5\t-1\t\r"
                             " 1\t 6\t 0.5\t\r";
    EXPECT_EQ(saveText(p), want);
}

TEST(TextExport, ControlCharactersInLabelsAreWrittenAsBlanksAndReadBack) {
    Program p = testing::smallChartRun();
    p.channels.setLabel(1, "O2\r%");
    p.channels.setLabel(2, "C\tO\n2");
    VectorSink sink;
    ASSERT_TRUE(SaveASCII(p, sink));
    const std::string text(sink.bytes.begin(), sink.bytes.end());
    EXPECT_EQ(text.substr(0, text.find('\r')),
              testing::padded("O2 %", 30) + "\t" + testing::padded("C O 2", 30));
    auto read = readTextRecording(sink.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.recording.sampleCount, 2);
}

TEST(TextExport, ScopePlusChartLeavesChannelOneOut) {
    Program p = testing::smallChartRun();
    p.session.RecordingMODE = 3;
    EXPECT_EQ(saveText(p), testing::padded("CO2", 30) + "\r-1\t\r 0.5\t\r");
}

TEST(TextExport, ProgressIsReportedAndCanCancel) {
    Program p = testing::smallChartRun();
    p.session.Sample = 1000;
    std::vector<int64_t> seen;
    saveText(p, [&](int64_t done, int64_t total) {
        EXPECT_EQ(total, 1000);
        seen.push_back(done);
        return true;
    });
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 3);  // every max(n / 300, 2) samples
    EXPECT_EQ(seen.back(), 1000);

    VectorSink sink;
    int calls = 0;
    EXPECT_FALSE(SaveASCII(p, sink, [&](int64_t, int64_t) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

TEST(TextExport, RoundTripThroughTheReader) {
    Program p = testing::smallChartRun();
    p.prefs[38] = 1;
    p.session.SampleInterval = 0.25f;
    p.store.set(2, 1, 1.0f / 3.0f);
    p.channels.setLabel(2, "CO\xA5 %");
    VectorSink sink;
    ASSERT_TRUE(SaveASCII(p, sink));
    auto read = readTextRecording(sink.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    const Recording& r = read.file.recording;
    EXPECT_TRUE(read.file.hasTimeColumn);
    EXPECT_EQ(r.sampleInterval, 0.25f);
    ASSERT_EQ(r.channels.size(), 2u);
    EXPECT_EQ(r.channels[1].label, testing::padded("CO\xA5 %", 30));
    EXPECT_EQ(r.data[1][1], 1.0f / 3.0f);  // shortest form reads back exactly
    EXPECT_EQ(r.data[0][0], 5.0f);

    const std::string text(sink.bytes.begin(), sink.bytes.end());
    for (size_t cut = 1; cut < text.size(); ++cut) {
        if (text[cut - 1] == '\r') {
            continue;  // a file cut after a whole line is a shorter recording
        }
        EXPECT_FALSE(readTextRecording(std::span(sink.bytes).first(cut)).ok) << cut;
    }
}

TEST(TextRecordingReader, LineEndsWithoutAHeaderAreRefused) {
    for (const std::string text : {"\r", "\r\r\r", "\r1\t2\r"}) {
        const ReadResult read = readTextRecording(testing::bytesOf(text));
        EXPECT_FALSE(read.ok) << text.size();
        EXPECT_NE(read.error.find("header line is empty"), std::string::npos) << read.error;
    }
}

TEST(TextExport, ScopeSweep) {
    VectorSink sink;
    const std::vector<float> sweep = {1.5f, -2.0f};
    ASSERT_TRUE(writeScopeSweepText(sweep, 0.01f, sink));
    EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), "Time (sec) 0.01\r 1.5\r-2\r");
    auto read = readTextRecording(sink.bytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.format, RecordingFormat::ScopeText);
    EXPECT_EQ(read.file.recording.sampleInterval, 0.01f);
    EXPECT_EQ(read.file.recording.data[0][1], -2.0f);
}

// Three channels (the last one shorter than the run) over enough rows for several blocks, so the
// export formats them on two threads.
struct LongRun {
    std::vector<std::vector<float>> rows;
    Recording recording;
    LongRun() {
        rows = {{}, {}, {}};
        for (int i = 0; i < 30011; ++i) {
            rows[0].push_back(static_cast<float>(i) * 0.37f);
            rows[1].push_back(-1e-7f * static_cast<float>(i % 977));
            if (i < 29000) {
                rows[2].push_back(static_cast<float>(i));
            }
        }
        recording.sampleCount = 30011;
        recording.sampleInterval = 0.01f;
        for (const auto& row : rows) {
            recording.channels.push_back(ChannelRecord{});
            recording.channels.back().label = "c";
            recording.data.emplace_back(row);
        }
    }
};

TEST(TextExport, LongExportsMatchLineByLineFormatting) {
    const LongRun run;
    std::string want = "Time (sec)\tc\tc\tc\r";
    for (int i = 0; i < 30011; ++i) {
        want += exportNumberText(static_cast<float>(i + 1) * 0.01f) + "\t";
        for (const auto& row : run.rows) {
            want += exportNumberText(i < static_cast<int>(row.size()) ? row[i] : 0.0f) + "\t";
        }
        want += "\r";
    }
    VectorSink sink;
    std::vector<int64_t> seen;
    ASSERT_TRUE(writeTextExport(run.recording, sink, true, [&](int64_t done, int64_t) {
        seen.push_back(done);
        return true;
    }));
    EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.end()), want);
    ASSERT_EQ(seen.size(), 301u);  // every 100 rows, then the end
    for (size_t k = 0; k < 300; ++k) {
        EXPECT_EQ(seen[k], static_cast<int64_t>(100 * (k + 1)));
    }
    EXPECT_EQ(seen.back(), 30011);
}

TEST(TextExport, ALongExportStopsAtTheFirstRefusal) {
    const LongRun run;
    VectorSink sink;
    int calls = 0;
    EXPECT_FALSE(writeTextExport(run.recording, sink, false, [&](int64_t done, int64_t) {
        EXPECT_EQ(done, 100 * ++calls);
        return calls < 5;
    }));
    EXPECT_EQ(calls, 5);

    class FailingSink final : public ByteSink {
      public:
        bool write(const void*, size_t) override { return ++writes < 3; }
        int writes = 0;
    } failing;
    calls = 0;
    EXPECT_FALSE(writeTextExport(run.recording, failing, false, [&](int64_t, int64_t) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(failing.writes, 3);
    EXPECT_LT(calls, 300);
}

// Checks `v`'s text: a blank or minus, E form only outside 1e-5 .. 1e15, reads back exactly, and
// one significant digit fewer would not.
void expectShortestExact(float v) {
    const std::string text = exportNumberText(v);
    ASSERT_EQ(text[0], v < 0 ? '-' : ' ') << text;
    const double magnitude = std::fabs(static_cast<double>(v));
    ASSERT_EQ(text.find('E') != std::string::npos, magnitude < 1e-5 || magnitude >= 1e15) << text;
    ASSERT_EQ(std::strtof(text.c_str(), nullptr), v) << text;
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            digits += c;
        }
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.size() > 1) {
        char shorter[64];
        std::snprintf(shorter, sizeof shorter, "%.*e", static_cast<int>(digits.size()) - 2,
                      static_cast<double>(v));
        ASSERT_NE(std::strtof(shorter, nullptr), v) << text << " is not the shortest";
    }
}

TEST(ExportNumber, ShortestExactFormOverManyValues) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> scale(-12, 20);
    for (int i = 0; i < 200000; ++i) {
        const float v = unit(random) * std::pow(10.0f, static_cast<float>(scale(random)));
        expectShortestExact(v);
        if (std::round(v) != 0.0f) {
            expectShortestExact(std::round(v));
        }
    }
}

}  // namespace
}  // namespace trindel
