// Documents the program is started with: set-up files told from recordings by their first line,
// and a recording laid into a program of its own for the replay.
#include <gtest/gtest.h>

#include <fstream>

#include "../files/temp_folder.h"
#include "files/recording_file_reader.h"
#include "files/save_files.h"
#include "files/setup_file.h"
#include "run/open_document.h"

namespace trindel {
namespace {

Program recordedProgram(int channels, int32_t samples) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.RecordingMODE = 1;
    p.session.nChan = static_cast<int16_t>(channels);
    p.session.Sample = samples;
    p.session.ChartINTERVALinSECONDS = 0.5;
    p.session.SampleInterval = 0.5f;
    p.files.filestrings.startDate = "05/06/09";
    p.files.filestrings.startTime = "14:05:09";
    for (int c = 1; c <= channels; ++c) {
        p.channels.setLabel(c, "label " + std::to_string(c));
        p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c + 2);
        p.channels.conversionType(c) = 1.0f;
        for (int32_t k = 0; k < samples; ++k) {
            p.store.set(c, k, static_cast<float>(c * 100 + k % 7));
        }
    }
    p.store.set(2, 17, 5000.0f);  // a single-sample spike
    p.Markers.add(10, 'A');
    p.Markers.add(30, 203);
    return p;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(OpenDocument, KindsFollowTheFirstLine) {
    testing::TempFolder folder;
    Program setup;
    SetInitialVariableValues(setup, ScreenSize{1280, 1024});
    setup.session.nChan = 2;
    ASSERT_EQ(writeSetupFile(setup, folder.file("setup")), "");
    Program rec = recordedProgram(2, 40);
    ASSERT_TRUE(writeChartFile(rec, DataFormat::Binary, folder.file("run.kstn")).ok);
    ASSERT_TRUE(writeChartFile(rec, DataFormat::Text, folder.file("run.txt")).ok);
    writeBytes(folder.file("old setup"), "-9998\rrest");
    writeBytes(folder.file("junk"), std::string("\x01\x02garbage", 9));
    writeBytes(folder.file("empty"), "");
    const struct {
        const char* name;
        DocumentKind kind;
    } cases[] = {
        {"setup", DocumentKind::Setup},
        {"old setup", DocumentKind::Setup},
        {"run.kstn", DocumentKind::Recording},
        {"run.txt", DocumentKind::Recording},
        {"junk", DocumentKind::Unreadable},
        {"empty", DocumentKind::Unreadable},
        {"no such file", DocumentKind::Unreadable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(documentKind(folder.file(c.name)), c.kind) << c.name;
    }
}

TEST(OpenDocument, ARecordingComesBackWithItsSamplesLabelsAndMarkers) {
    testing::TempFolder folder;
    Program rec = recordedProgram(3, 200);
    ASSERT_TRUE(writeChartFile(rec, DataFormat::Binary, folder.file("run.kstn")).ok);
    const ReadResult read = readRecordingFile(folder.file("run.kstn"));
    ASSERT_TRUE(read.ok) << read.error;

    Program doc;
    SetInitialVariableValues(doc, ScreenSize{1280, 1024});
    ASSERT_TRUE(recordingIntoProgram(read.file, doc));
    EXPECT_EQ(doc.session.nChan, 3);
    EXPECT_EQ(doc.session.Sample, 200);
    EXPECT_FLOAT_EQ(static_cast<float>(doc.session.ChartINTERVALinSECONDS), 0.5f);
    EXPECT_EQ(doc.files.filestrings.startTime, "14:05:09");
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(doc.channels.label(c), rec.channels.label(c)) << c;
        for (int32_t k = 0; k < 200; ++k) {
            ASSERT_EQ(doc.store.get(c, k), rec.store.get(c, k)) << c << " " << k;
        }
    }
    // The display range is the range of the values, the spike included.
    EXPECT_EQ(doc.channels.Nvar[2][kDisplayMax], 5000.0f);
    EXPECT_EQ(doc.channels.Nvar[2][kDisplayMin], 200.0f);
    ASSERT_EQ(doc.Markers.Nmarkers, 2);
    EXPECT_EQ(doc.Markers[1].slot, 10);
    EXPECT_EQ(doc.Markers[2].code, 203);
    // The bands are laid out for the window.
    for (int c = 1; c <= 3; ++c) {
        EXPECT_GT(doc.channels.Nvar[static_cast<size_t>(c)][kBandHeight], 0.0f) << c;
    }

    const std::string facts = recordingFacts("/some/where/run.kstn", read.file);
    EXPECT_NE(facts.find("run.kstn"), std::string::npos) << facts;
    EXPECT_EQ(facts.find("/some/where"), std::string::npos) << facts;
    EXPECT_NE(facts.find("200 samples at 0.5 s"), std::string::npos) << facts;
    EXPECT_NE(facts.find("3 channels"), std::string::npos) << facts;
    EXPECT_NE(facts.find("started "), std::string::npos) << facts;
    EXPECT_NE(facts.find("14:05:09"), std::string::npos) << facts;
    EXPECT_NE(facts.find("2 markers"), std::string::npos) << facts;
}

TEST(OpenDocument, AScopeRecordingHasNoReplay) {
    RecordingFile file;
    file.format = RecordingFormat::ScopeBinary;
    file.recording.kind = RecordingKind::Scope;
    file.recording.channels.resize(1);
    Program doc;
    SetInitialVariableValues(doc, ScreenSize{1280, 1024});
    const Program before = doc;
    EXPECT_FALSE(recordingIntoProgram(file, doc));
    EXPECT_EQ(doc.session.nChan, before.session.nChan);
}

}  // namespace
}  // namespace trindel
