#include <gtest/gtest.h>

#include <fstream>

#include "files/file_series.h"
#include "files/recording_file_reader.h"
#include "files/recording_fixture.h"
#include "files/temp_folder.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

using testing::TempFolder;

TEST(FileSeries, NumberedNames) {
    EXPECT_EQ(seriesFileName("repeat file", 3, DataFormat::Binary), "repeat file 3");
    EXPECT_EQ(seriesFileName("repeat file", 3, DataFormat::Text), "repeat file 3");
    EXPECT_EQ(seriesFileName("repeat file", 3, DataFormat::ExpeData), "repeat file3");
}

TEST(FileSeries, CancelledRootKeepsTheProposal) {
    Program p;
    p.files.ScopeCount = 7;
    VirtualHost host;
    std::string commentsFor;
    SaveHooks hooks;
    hooks.fileComments = [&](const std::string& name) { commentsFor = name; };
    SCOPEFILEDATA(p, host, SeriesKind::Scope, hooks, "/data");
    EXPECT_EQ(host.shown[0], "Scope File Root...: /data/scope file");
    EXPECT_EQ(p.files.filestrings.rootName, "scope file");
    EXPECT_EQ(p.files.ScopeFileFolder, "/data");
    EXPECT_EQ(p.files.ScopeCount, 0);
    EXPECT_EQ(p.files.ScopeFileComments, 1);
    EXPECT_EQ(commentsFor, "scope file");

    host.fileAnswers.push_back("/runs/mouse");
    SCOPEFILEDATA(p, host, SeriesKind::Repeat, hooks, "/data");
    EXPECT_EQ(p.files.filestrings.rootName, "mouse");
    EXPECT_EQ(p.files.ScopeFileFolder, "/runs");
    EXPECT_EQ(p.files.ScopeFileComments, 0);
}

TEST(FileSeries, AutosaveWritesTheNextFileAndRestartsTheRun) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.prefs[kPrefFormatExpeData] = 1;
    p.files.filestrings.rootName = "repeat file";
    p.files.ScopeFileFolder = folder.path();
    p.files.ScopeCount = 2;
    p.files.NBackUp = 4;
    p.session.TimedSaveINTERVAL = 600;
    p.session.ChartINTERVALinSECONDS = 1.0;
    p.conversion.voltagespikes[2] = 9;
    p.notes.CommentContainer = std::string(60, '-') + "user text";
    int redraws = 0, restarts = 0;
    VirtualHost host;
    const auto result = AUTOSAVE(p, {"05/07/09", "08:00:00"}, 1200, 20.0, host,
                                 {[&] { ++redraws; }, [&] { ++restarts; }});
    ASSERT_TRUE(result.write.ok) << result.write.error;
    EXPECT_EQ(folder.names(), std::vector<std::string>{"repeat file3"});
    EXPECT_EQ(result.readout, " next: 'repeat file4'  ");
    auto read = readRecordingFile(folder.file("repeat file3"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.recording.sampleCount, 2);

    EXPECT_EQ(p.session.Sample, 0);
    EXPECT_EQ(p.Markers.Nmarkers, 0);
    EXPECT_EQ(p.session.TimeAtStart, 1200);
    EXPECT_EQ(p.session.TimeOfNextChartSample, 21.0);
    EXPECT_EQ(p.files.NextSAVEtime, 1800);
    EXPECT_EQ(p.files.NBackUp, 0);
    EXPECT_EQ(p.conversion.voltagespikes[2], 0);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(p.files.filestrings.startDate, "05/07/09");
    const std::string stamp = "\xA5  Recorded 05/07/09 at 08:00:00:       \r";
    EXPECT_EQ(p.notes.CommentContainer.substr(0, stamp.size()), stamp);
    EXPECT_EQ(p.notes.CommentContainer.substr(60), "user text");
}

// A series started again under the same root (a new session, or the root chosen again) goes on
// past the files already there instead of writing over them.
TEST(FileSeries, RestartedSeriesNeverOverwritesEarlierFiles) {
    TempFolder folder;
    testing::writeAll(folder.file("repeat file3"), "earlier run");
    testing::writeAll(folder.file("repeat file4"), "earlier run");
    const auto pathOf = [&](int32_t k) {
        return folder.file(seriesFileName("repeat file", k, DataFormat::ExpeData));
    };
    EXPECT_EQ(firstFreeSeriesNumber(1, pathOf), 1);
    EXPECT_EQ(firstFreeSeriesNumber(3, pathOf), 5);

    Program p = testing::smallChartRun();
    p.prefs[kPrefFormatExpeData] = 1;
    p.files.filestrings.rootName = "repeat file";
    p.files.ScopeFileFolder = folder.path();
    p.files.ScopeCount = 2;
    VirtualHost host;
    const auto result = AUTOSAVE(p, {"05/07/09", "08:00:00"}, 1200, 20.0, host, {});
    ASSERT_TRUE(result.write.ok) << result.write.error;
    EXPECT_EQ(p.files.ScopeCount, 5);
    EXPECT_EQ(result.readout, " next: 'repeat file6'  ");
    for (const char* kept : {"repeat file3", "repeat file4"}) {
        std::ifstream in(folder.file(kept));
        std::string text;
        std::getline(in, text);
        EXPECT_EQ(text, "earlier run") << kept;
    }
}

}  // namespace
}  // namespace trindel

namespace trindel {
namespace {

// Each run puts its own stamp at the start of the comment and keeps what the user wrote after it.
TEST(RunComment, StampReplacesTheOldOneAndKeepsTheText) {
    std::string comment;
    stampRunComment(comment, DateStamp{"03/04/26", "10:11:12"});
    ASSERT_EQ(comment.size(), 73u);
    EXPECT_EQ(comment.substr(0, 33), "\xA5  Recorded 03/04/26 at 10:11:12:");
    EXPECT_EQ(comment[72], '\r');
    comment += "mouse 4, fasted\r";
    stampRunComment(comment, DateStamp{"03/05/26", "08:00:00"});
    EXPECT_EQ(comment.substr(0, 33), "\xA5  Recorded 03/05/26 at 08:00:00:");
    EXPECT_EQ(comment.substr(73), "mouse 4, fasted\r");
    // A comment that does not start with a stamp keeps all its text after the new one.
    std::string typed = "typed before any run";
    stampRunComment(typed, DateStamp{"01/01/26", "00:00:00"});
    EXPECT_EQ(typed.substr(73), "typed before any run");
}

TEST(RunComment, SavedNoticeOnlyForSavedNamedData) {
    Program p;
    p.files.filestrings.dataFileName = "run one";
    EXPECT_TRUE(ShowFileIsSaved(p).empty());  // not saved
    p.prefs[kPrefDataSaved] = 1;
    const auto lines = ShowFileIsSaved(p);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "run one");
    EXPECT_EQ(lines[2], "  \xA5 has been saved \xA5");
    p.prefs[kPrefAutorepeat] = 1;
    EXPECT_TRUE(ShowFileIsSaved(p).empty());
    p.prefs[kPrefAutorepeat] = 0;
    p.files.filestrings.dataFileName.clear();
    EXPECT_TRUE(ShowFileIsSaved(p).empty());
}

TEST(RootFile, ShownForScopeModesAndAutorepeatOnly) {
    Program p;
    p.files.filestrings.rootName = "rats";
    const struct {
        int16_t mode;
        int16_t autorepeat;
        std::vector<std::string> lines;
    } cases[] = {
        {1, 0, {}},
        {1, 1, {"Root file name for chart data", "   rats"}},
        {2, 0, {"Root file name for scope data", "   rats"}},
        {3, 0, {"Root file name for scope data", "   rats"}},
        {3, 1, {"Root file name for chart data", "   rats"}},
    };
    for (const auto& c : cases) {
        p.session.RecordingMODE = c.mode;
        p.prefs[kPrefAutorepeat] = c.autorepeat;
        EXPECT_EQ(SHOWROOTFILE(p), c.lines) << c.mode << " " << c.autorepeat;
    }
}

}  // namespace
}  // namespace trindel
