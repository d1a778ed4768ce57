#include <gtest/gtest.h>

#include "files/backup_interval_model.h"
#include "files/backups.h"
#include "files/recording_file_reader.h"
#include "files/recording_fixture.h"
#include "files/temp_folder.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

using testing::TempFolder;

const DateStamp kMay6{"05/06/09", "14:05:09"};

TEST(Backups, MeasuredIntervalReplacesTheSetOneOutsideTheTolerance) {
    Session s;
    s.ChartINTERVALinSECONDS = 1.0;
    s.Sample = 10;
    s.TimeAtStart = 100;
    s.TicsAtLastSample = 100 + 660;  // 1.1 s per sample: 10 % off
    fixSampleInterval(s);
    EXPECT_FLOAT_EQ(s.SampleInterval, 1.1f);
    s.TicsAtLastSample = 100 + 612;  // 1.02 s: within 3 %
    fixSampleInterval(s);
    EXPECT_EQ(s.SampleInterval, 1.0f);
    // A start noted after the last sample (a choice in the options window) measures nothing.
    s.TicsAtLastSample = 100 + 660;
    s.TimeAtStart = 100 + 900;
    fixSampleInterval(s);
    EXPECT_EQ(s.SampleInterval, 1.0f);
    s.TimeAtStart = s.TicsAtLastSample;
    fixSampleInterval(s);
    EXPECT_EQ(s.SampleInterval, 1.0f);
    // Scope plus chart: ten samples on time, the first at the start, the last 9 s later.
    s.RecordingMODE = 3;
    s.TimeAtStart = 100;
    s.TicsAtLastSample = 100 + 540;
    fixSampleInterval(s);
    EXPECT_EQ(s.SampleInterval, 1.0f);
    s.TicsAtLastSample = 100 + 600;  // 10 % slow
    fixSampleInterval(s);
    EXPECT_FLOAT_EQ(s.SampleInterval, 1.1f);
    s.TimeAtStart = s.TicsAtLastSample;
    fixSampleInterval(s);
    EXPECT_EQ(s.SampleInterval, 1.0f);
}

TEST(Backups, Names) {
    FileState files;
    PrefsArray prefs;
    EXPECT_EQ(backupFileName(files, prefs, kMay6), "Backup file");
    files.appendDATE = 1;
    EXPECT_EQ(backupFileName(files, prefs, kMay6), "Backup file 05-06-09");
    prefs[kPrefAddExtension] = 1;
    files.backupfile = "mouse";
    EXPECT_EQ(backupFileName(files, prefs, kMay6), "mouse 05-06-09.kstn");
    EXPECT_EQ(quickSaveName(prefs, kMay6), "QuickSave 05-06-09 14h05m09s.kstn");
}

TEST(Backups, TimedBackupOverwritesOneFileAndNeverMarksTheDataSaved) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.session.ChartINTERVALinSECONDS = 2.0;
    p.session.TimedSaveINTERVAL = 9000;
    p.prefs[kPrefDataSaved] = 1;
    VirtualHost host;
    const BackupMoment now{kMay6, 5000, 80.0, folder.path()};
    ASSERT_TRUE(AutoTimedBACKUP(p, true, now, host).ok);
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
    EXPECT_EQ(p.files.NextSAVEtime, 14000);
    EXPECT_EQ(p.session.TimeOfNextChartSample, 82.0);
    EXPECT_EQ(p.files.NBackUp, 1);
    EXPECT_EQ(p.files.BackupFileIndicator, " backup 1 \xC3  ");

    p.session.Sample = 1;
    ASSERT_TRUE(AutoTimedBACKUP(p, false, now, host).ok);
    EXPECT_EQ(p.files.NBackUp, 2);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Backup file"});
    auto read = readRecordingFile(folder.file("Backup file"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.file.recording.sampleCount, 1);
}

TEST(Backups, AFailingBackupIsShownAndNotCounted) {
    Program p = testing::smallChartRun();
    p.files.backupFolder = "/nonexistent-folder";
    VirtualHost host;
    EXPECT_FALSE(AutoTimedBACKUP(p, false, {kMay6, 0, 0.0, ""}, host).ok);
    EXPECT_EQ(p.files.NBackUp, 0);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].rfind("File error:", 0), 0u);
}

TEST(Backups, BackupNameWarnsBeforeReusingAFile) {
    TempFolder folder;
    testing::writeAll(folder.file("old"), "x");
    Program p;
    VirtualHost host;
    host.fileAnswers = {folder.file("old"), folder.file("old")};
    host.alertAnswers = {0, 1};  // ask again, then overwrite
    BACKUPFILENAME(p, host, folder.path());
    EXPECT_EQ(p.files.backupfile, "old");
    EXPECT_EQ(p.files.backupFolder, folder.path());
    EXPECT_EQ(host.shown.size(), 4u);
    EXPECT_EQ(host.shown[1].rfind("Caution...: That backup file already exists.", 0), 0u);

    host.fileAnswers = {std::nullopt};
    p.prefs[kPrefAddExtension] = 1;
    BACKUPFILENAME(p, host, folder.path());
    EXPECT_EQ(p.files.backupfile, "Backup file.kstn");
}

TEST(Backups, QuickSaveGoesToTheDataFolder) {
    TempFolder folder;
    Program p = testing::smallChartRun();
    p.prefs[kPrefDataSaved] = 1;
    VirtualHost host;
    ASSERT_TRUE(QuickSAVE(p, {kMay6, 0, 0.0, folder.path()}, host).ok);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"QuickSave 05-06-09 14h05m09s"});
    EXPECT_EQ(p.files.QuicksaveCounter, 1);
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
}

TEST(BackupIntervalModel, PresetsArithmeticAndClosing) {
    BackupIntervalModel m(108000, 0);
    EXPECT_EQ(m.fieldText(), " 30");
    m.preset(2.5);
    auto c = m.close();
    EXPECT_EQ(c.TimedSaveINTERVAL, 9000);
    EXPECT_TRUE(c.menuChecked);
    EXPECT_STREQ(c.sound, "upvip");

    m.preset(5);
    m.half();
    EXPECT_EQ(m.minutes(), 2.5);
    m.times2();
    m.plus10();
    EXPECT_EQ(m.close().TimedSaveINTERVAL, 15 * 3600);

    m.preset(0.5);
    m.minus1();
    c = m.close();
    EXPECT_EQ(c.TimedSaveINTERVAL, 0);  // a negative value is stored as off
    EXPECT_FALSE(c.menuChecked);
    EXPECT_STREQ(c.sound, "downvip");
}

TEST(BackupIntervalModel, OffUntilAButtonLeavesAPositiveValue) {
    BackupIntervalModel m(0, 1);
    EXPECT_EQ(m.fieldText(), "(off)");
    m.times2();
    EXPECT_EQ(m.fieldText(), "(off)");
    m.plus10();
    EXPECT_TRUE(m.on());
    Program p;
    applyBackupInterval(p, m.close(), m.appendDATE());
    EXPECT_EQ(p.session.TimedSaveINTERVAL, 36000);
    EXPECT_EQ(p.prefs[kPrefAutomaticBackup], 1);
    EXPECT_EQ(p.files.appendDATE, 1);
    applyBackupInterval(p, BackupIntervalModel::off(), 1);
    EXPECT_EQ(p.session.TimedSaveINTERVAL, 0);
    EXPECT_EQ(p.prefs[kPrefAutomaticBackup], 0);
}

}  // namespace
}  // namespace trindel
