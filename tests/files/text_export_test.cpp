#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "files/export_number.h"
#include "files/recording_fixture.h"
#include "files/text_export.h"
#include "files/text_recording_reader.h"

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

// The shortest form by another road: the fewest %e digits that read back as the same single.
std::string referenceNumber(float v) {
    char buffer[64];
    int digits = 1;
    for (; digits < 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(v));
        if (std::strtof(buffer, nullptr) == v) {
            break;
        }
    }
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(std::fabs(v)));
    std::string mantissa;
    for (const char* p = buffer; *p != 'e'; ++p) {
        if (*p != '.') {
            mantissa += *p;
        }
    }
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    std::string out = v < 0 ? "-" : " ";
    const double magnitude = std::fabs(static_cast<double>(v));
    if (magnitude >= 1e-5 && magnitude < 1e15) {
        if (exponent >= 0) {
            mantissa.resize(std::max<size_t>(mantissa.size(), static_cast<size_t>(exponent) + 1),
                            '0');
            out += mantissa.substr(0, static_cast<size_t>(exponent) + 1);
            if (mantissa.size() > static_cast<size_t>(exponent) + 1) {
                out += "." + mantissa.substr(static_cast<size_t>(exponent) + 1);
            }
        } else {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
        }
        return out;
    }
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 1) {
        out += "." + mantissa.substr(1);
    }
    std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + buffer;
}

TEST(ExportNumber, AgreesWithTheShortestPrintfFormOverManyValues) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> scale(-12, 20);
    for (int i = 0; i < 200000; ++i) {
        const float v = unit(random) * std::pow(10.0f, static_cast<float>(scale(random)));
        ASSERT_EQ(exportNumberText(v), referenceNumber(v)) << v;
        const float whole = std::round(v);
        if (whole != 0.0f) {
            ASSERT_EQ(exportNumberText(whole), referenceNumber(whole)) << whole;
        }
    }
}

}  // namespace
}  // namespace trindel
