#include <gtest/gtest.h>

#include "files/binary_recording_reader.h"
#include "files/recording_file_reader.h"
#include "files/recording_fixture.h"
#include "files/recording_from_program.h"
#include "files/save_files.h"
#include "files/temp_folder.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

using testing::TempFolder;

TEST(SaveFiles, FormatChoiceAndExtension) {
    PrefsArray prefs;
    EXPECT_EQ(chosenFormat(prefs), DataFormat::Binary);
    prefs[kPrefFormatExpeData] = 1;
    EXPECT_EQ(chosenFormat(prefs), DataFormat::ExpeData);
    prefs[kPrefFormatText] = 1;
    EXPECT_EQ(chosenFormat(prefs), DataFormat::Text);
    EXPECT_EQ(withExtension("run", DataFormat::Text, prefs), "run");
    prefs[kPrefAddExtension] = 1;
    EXPECT_EQ(withExtension("run", DataFormat::Text, prefs), "run.txt");
    EXPECT_EQ(withExtension("run", DataFormat::ExpeData, prefs), "run.sabl");
    EXPECT_EQ(withExtension("run", DataFormat::Binary, prefs), "run.kstn");
    EXPECT_EQ(withExtension("run.kstn", DataFormat::Binary, prefs), "run.kstn");
}

TEST(SaveFiles, SavesBinaryAfterTheCommentWindow) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.prefs[kPrefAddExtension] = 1;
    VirtualHost host;
    host.fileAnswers.push_back(folder.file("my run"));
    std::string commentFor;
    SaveHooks hooks;
    hooks.fileComments = [&](const std::string& name) {
        commentFor = name;
        p.notes.CommentContainer = "typed in the comment window";
    };
    EXPECT_EQ(SAVEFILES(p, host, hooks), SaveOutcome::Saved);
    EXPECT_EQ(host.shown.front(), "Save DATA File As...: chart data");
    EXPECT_EQ(commentFor, "my run");
    EXPECT_EQ(p.prefs[kPrefDataSaved], 1);
    EXPECT_EQ(p.files.filestrings.dataFileName, "my run.kstn");
    auto read = readRecordingFile(folder.file("my run.kstn"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.recording.comment, "typed in the comment window");
}

TEST(SaveFiles, CancelWritesNothingAndLeavesTheDataUnsaved) {
    Program p = testing::smallChartRun();
    p.prefs[kPrefDataSaved] = 1;
    VirtualHost host;
    bool commentsShown = false;
    SaveHooks hooks;
    hooks.fileComments = [&](const std::string&) { commentsShown = true; };
    EXPECT_EQ(SAVEFILES(p, host, hooks), SaveOutcome::Cancelled);
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
    EXPECT_FALSE(commentsShown);
}

TEST(SaveFiles, AFailedWriteIsReportedAndNotMarkedSaved) {
    Program p = testing::smallChartRun();
    VirtualHost host;
    host.fileAnswers.push_back("/nonexistent-folder/run");
    EXPECT_EQ(SAVEFILES(p, host), SaveOutcome::Failed);
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[1].rfind("File error: Could not save \"run\"", 0), 0u) << host.shown[1];
    EXPECT_TRUE(p.files.filestrings.dataFileName.empty());
}

TEST(SaveFiles, TextShowsTheCautionReportsProgressAndCanBeCancelled) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.prefs[kPrefFormatText] = 1;
    p.session.Sample = 600;
    testing::writeAll(folder.file("run"), "previous");
    VirtualHost host;
    host.fileAnswers.push_back(folder.file("run"));
    int cautions = 0;
    std::vector<std::string> sounds;
    SaveHooks hooks;
    hooks.textCaution = [&] { ++cautions, p.prefs[38] = 1; };
    hooks.progress = [](int64_t done, int64_t) { return done < 300; };
    hooks.playSound = [&](std::string_view s) { sounds.emplace_back(s); };
    EXPECT_EQ(SAVEFILES(p, host, hooks), SaveOutcome::Cancelled);
    EXPECT_EQ(cautions, 1);
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
    EXPECT_EQ(testing::readAll(folder.file("run")).size(), 8u);  // the old file is untouched
    EXPECT_EQ(folder.names(), std::vector<std::string>{"run"});

    host.fileAnswers.push_back(folder.file("run"));
    hooks.progress = [](int64_t, int64_t) { return true; };
    EXPECT_EQ(SAVEFILES(p, host, hooks), SaveOutcome::Saved);
    EXPECT_EQ(sounds, std::vector<std::string>{"wsst"});
    auto read = readRecordingFile(folder.file("run"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.file.hasTimeColumn);  // the caution window's check box took effect
    EXPECT_EQ(read.file.recording.sampleCount, 600);
}

TEST(ScopeSweepFiles, RingIsWrittenOldestFirstInEachFormat) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.session.nChan = 3;
    for (int i = 1; i <= 4; ++i) {
        p.scope.scope(1, i) = static_cast<float>(i);
    }
    const auto sweep = sweepOldestFirst(p.scope, 3, 4);
    EXPECT_EQ(sweep, (std::vector<float>{3, 4, 1, 2}));
    EXPECT_EQ(sweepOldestFirst(p.scope, 1, 4), (std::vector<float>{1, 2, 3, 4}));

    for (DataFormat format : {DataFormat::Binary, DataFormat::ExpeData, DataFormat::Text}) {
        const std::string path = folder.file("sweep" + std::string(extensionOf(format)));
        ASSERT_TRUE(writeScopeSweepFile(p, format, path, sweep, 0.01f, "09:30:00").ok);
        auto read = readRecordingFile(path);
        ASSERT_TRUE(read.ok) << read.error;
        const Recording& r = read.file.recording;
        EXPECT_EQ(r.kind, RecordingKind::Scope) << path;
        EXPECT_EQ(r.sampleInterval, 0.01f);
        ASSERT_EQ(r.data.size(), 1u);
        EXPECT_EQ(std::vector<float>(r.data[0].begin(), r.data[0].end()), sweep);
    }
}

}  // namespace
}  // namespace trindel
