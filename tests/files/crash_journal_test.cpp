#include "files/crash_journal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "files/binary_recording_writer.h"
#include "files/byte_writer.h"
#include "files/recording_fixture.h"
#include "files/recording_from_program.h"
#include "files/temp_folder.h"

namespace trindel {
namespace {

using testing::TempFolder;

constexpr int kScans = 10;

// The fixture's run journaled scan by scan (a block after every scan but the first), with a marker
// and a note placed on the way. Returns the program as it stands at the end.
Program journaledRun(const std::string& path, int channels = 2) {
    Program p = testing::smallChartRun();
    p.session.nChan = static_cast<int16_t>(channels);
    p.session.ChartINTERVALinSECONDS = 1.0;
    p.session.Sample = 0;
    p.Markers.clear();
    JournalWriter journal;
    EXPECT_TRUE(journal.open(path, p, "/data/run.kstn", DataFormat::Text, {0.0, 3.0}))
        << journal.error();
    for (int i = 0; i < kScans; ++i) {
        for (int c = 1; c <= channels; ++c) {
            p.store.set(c, i, static_cast<float>(c * 100 + i) + 0.25f);
        }
        ++p.session.Sample;
        if (i == 4) {
            p.Markers.add(4, 201);
        }
        if (i == 6) {
            p.notes.addNote(FileNote{"6", "10:00:06", "sensor touched"});
        }
        journal.scanTaken(p, i);
    }
    EXPECT_TRUE(journal.flush(p));
    EXPECT_FALSE(journal.failed()) << journal.error();
    return p;
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    return readFileBytes(path, 1 << 20);
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Where the blocks start: after the 16-byte mark, the header's 20-byte frame and its payload.
size_t blocksStart(const std::vector<uint8_t>& bytes) {
    return 36 + getBE32(bytes.data() + 28);
}

std::vector<uint8_t> binaryOf(const Recording& r) {
    VectorSink sink;
    EXPECT_TRUE(writeBinaryRecording(r, sink));
    return sink.bytes;
}

TEST(CrashJournal, RebuildsTheRunAsTheSaveWouldWriteIt) {
    TempFolder dir;
    const std::string path = dir.file("run.kstn.journal");
    Program p = journaledRun(path);
    const JournalRecovery j = readJournal(path);
    ASSERT_TRUE(j.ok) << j.error;
    EXPECT_EQ(j.damage, "");
    EXPECT_EQ(j.outputPath, "/data/run.kstn");
    EXPECT_EQ(j.format, DataFormat::Text);
    EXPECT_EQ(j.file.recording.sampleCount, kScans);
    EXPECT_EQ(j.file.recording.notes.size(), 1u);
    // The recovered binary file is byte for byte the file saving the program would have written.
    EXPECT_EQ(binaryOf(j.file.recording), binaryOf(chartRecording(p)));
    EXPECT_EQ(journalSummary(j), "10 samples of 2 channels recorded 07/04/09 14:05:09");

    const std::string out = dir.file("out.kstn");
    ASSERT_TRUE(writeRecoveredRecording(j, DataFormat::Binary, out).ok);
    EXPECT_EQ(fileBytes(out), binaryOf(chartRecording(p)));
}

TEST(CrashJournal, ATornTailIsLeftOutAndWhatIsWholeIsRecovered) {
    TempFolder dir;
    const std::string path = dir.file("whole.journal");
    journaledRun(path);
    const std::vector<uint8_t> whole = fileBytes(path);
    // The ends of the records, walked through their length fields.
    std::vector<size_t> ends{blocksStart(whole)};
    while (ends.back() < whole.size()) {
        ends.push_back(ends.back() + 20 + getBE32(whole.data() + ends.back() + 12));
    }
    ASSERT_EQ(ends.back(), whole.size());
    // Every length the file had while it was being written: whole blocks are recovered, a cut
    // inside one is reported and nothing of it is misread.
    const std::string torn = dir.file("torn.journal");
    // Cuts near every record boundary (inside the frame, just past it) and inside each payload.
    std::vector<size_t> cuts{0, 15, 16, 35};
    for (size_t k = 0; k < ends.size(); ++k) {
        const size_t next = k + 1 < ends.size() ? ends[k + 1] : ends[k];
        for (const size_t at : {ends[k] - 1, ends[k], ends[k] + 1, ends[k] + 19, ends[k] + 20,
                                ends[k] + 21, (ends[k] + next) / 2, next - 4}) {
            if (at <= whole.size()) {
                cuts.push_back(at);
            }
        }
    }
    for (const size_t cut : cuts) {
        writeBytes(torn, {whole.begin(), whole.begin() + static_cast<ptrdiff_t>(cut)});
        const JournalRecovery j = readJournal(torn);
        if (cut < ends.front()) {
            EXPECT_FALSE(j.ok) << cut;
            continue;
        }
        ASSERT_TRUE(j.ok) << cut << ": " << j.error;
        const auto wholeBlocks = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin() - 1;
        EXPECT_EQ(j.blocks, wholeBlocks) << cut;
        const bool boundary = std::binary_search(ends.begin(), ends.end(), cut);
        EXPECT_EQ(j.damage.empty(), boundary) << cut << ": " << j.damage;
        const Recording& r = j.file.recording;
        for (int32_t i = 0; i < r.sampleCount; ++i) {
            ASSERT_EQ(r.data[1][static_cast<size_t>(i)], 200.25f + static_cast<float>(i)) << cut;
        }
    }
}

TEST(CrashJournal, DamageInTheMiddleKeepsWhatCameBefore) {
    TempFolder dir;
    const std::string path = dir.file("run.journal");
    journaledRun(path);
    std::vector<uint8_t> bytes = fileBytes(path);
    bytes[bytes.size() * 2 / 3] ^= 0x40;
    writeBytes(path, bytes);
    const JournalRecovery j = readJournal(path);
    ASSERT_TRUE(j.ok) << j.error;
    EXPECT_GT(j.file.recording.sampleCount, 0);
    EXPECT_LT(j.file.recording.sampleCount, kScans);
    EXPECT_NE(j.damage, "");
}

TEST(CrashJournal, BlocksOfAnotherRecordingOrNoJournalAreRefused) {
    TempFolder dir;
    journaledRun(dir.file("a.journal"));
    journaledRun(dir.file("b.journal"), 3);
    const std::vector<uint8_t> a = fileBytes(dir.file("a.journal"));
    const std::vector<uint8_t> b = fileBytes(dir.file("b.journal"));
    // A three-channel run's description followed by the blocks of a two-channel run.
    std::vector<uint8_t> spliced(b.begin(), b.begin() + static_cast<ptrdiff_t>(blocksStart(b)));
    spliced.insert(spliced.end(), a.begin() + static_cast<ptrdiff_t>(blocksStart(a)), a.end());
    struct Case {
        std::vector<uint8_t> bytes;
        const char* error;
    };
    const std::vector<Case> cases = {
        {spliced, "samples of a different recording"},
        {{}, "not a recording journal"},
        {testing::bytesOf("TRINDEL JOURNAL\rgarbage garbage garbage"), "description of the run"},
        {testing::bytesOf(std::string(4096, '\0')), "not a recording journal"},
    };
    const std::string path = dir.file("case.journal");
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        const JournalRecovery j = readJournal(path);
        EXPECT_FALSE(j.ok);
        EXPECT_NE(j.error.find(c.error), std::string::npos) << j.error;
    }
}

TEST(CrashJournal, LeftoversAreTheJournalsNoRunningProgramHolds) {
    TempFolder dir;
    journaledRun(dir.file("old.journal"));
    Program p = testing::smallChartRun();
    JournalWriter running;
    ASSERT_TRUE(running.open(dir.file("running.journal"), p, "x", DataFormat::Binary));
    EXPECT_EQ(leftoverJournals(dir.path()), std::vector<std::string>{dir.file("old.journal")});
    // A journal is never written over, and remove() deletes it.
    JournalWriter second;
    EXPECT_FALSE(second.open(dir.file("old.journal"), p, "x", DataFormat::Binary));
    running.remove();
    EXPECT_FALSE(std::filesystem::exists(dir.file("running.journal")));
}

}  // namespace
}  // namespace trindel
