#include "run/journal_recovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/crash_journal.h"
#include "files/recording_file_reader.h"
#include "files/recording_fixture.h"
#include "files/temp_folder.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

using testing::TempFolder;

// A left-over journal of the fixture's two-sample run, meant to become a text file.
std::string leaveJournal(const TempFolder& dir) {
    Program p = testing::smallChartRun();
    p.session.ChartINTERVALinSECONDS = 1.0;
    JournalWriter journal;
    const std::string path = newJournalPath(dir.path());
    EXPECT_TRUE(journal.open(path, p, "", DataFormat::Text));
    EXPECT_TRUE(journal.flush(p));
    return path;
}

TEST(JournalRecovery, EachAnswerToTheQuestion) {
    struct Case {
        const char* what;
        int answer;                       // Recover..., Later, Discard
        std::optional<std::string> name;  // the save dialog's answer
        bool journalKept;
        const char* savedAs;  // file expected in the folder, "" for none
    };
    const Case cases[] = {
        {"recovered under a name without extension", 0, "run", false, "run.txt"},
        {"recovered as binary by its extension", 0, "run.kstn", false, "run.kstn"},
        {"save dialog cancelled", 0, std::nullopt, true, ""},
        {"put off", 1, std::nullopt, true, ""},
        {"discarded", 2, std::nullopt, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        const std::string journal = leaveJournal(dir);
        VirtualHost host;
        host.alertAnswers = {c.answer};
        host.fileAnswers = {c.name ? std::optional(dir.file(*c.name)) : std::nullopt};
        EXPECT_EQ(offerLeftoverJournals(host, dir.path()), *c.savedAs ? 1 : 0);
        ASSERT_FALSE(host.shown.empty());
        EXPECT_EQ(host.shown[0],
                  "Unsaved recording: Recover unsaved recording from 07/04/09 14:05:09 (2 "
                  "samples)?");
        EXPECT_EQ(std::filesystem::exists(journal), c.journalKept);
        if (*c.savedAs) {
            const ReadResult read = readRecordingFile(dir.file(c.savedAs));
            ASSERT_TRUE(read.ok) << read.error;
            EXPECT_EQ(read.file.recording.sampleCount, 2);
            EXPECT_EQ(read.file.recording.data[1][1], 0.5f);
        }
    }
}

TEST(JournalRecovery, AnUnreadableJournalIsReportedAndDeletedOnlyWhenAsked) {
    for (const int answer : {0, 1}) {
        TempFolder dir;
        const std::string path = dir.file("broken.journal");
        std::ofstream(path) << "TRINDEL JOURNAL\r and then nothing of use";
        VirtualHost host;
        host.alertAnswers = {answer};
        EXPECT_EQ(offerLeftoverJournals(host, dir.path()), 0);
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_NE(host.shown[0].find("could not be read"), std::string::npos) << host.shown[0];
        EXPECT_EQ(std::filesystem::exists(path), answer == 0);
    }
}

}  // namespace
}  // namespace trindel
