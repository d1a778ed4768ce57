// Autorepeat from end to end on virtual time: each full run is saved as the next file of the
// series, the next run starts at once, and switching mode 9 takes the next device for each file.
#include <gtest/gtest.h>

#include <vector>

#include "../files/temp_folder.h"
#include "chart_fixture.h"
#include "files/recording_file_reader.h"
#include "run/recording_run.h"

namespace trindel {
namespace {

struct SeriesHooks : testing::RecordingHooks {
    std::vector<int> sampleDevices;  // the sample device of each switch to a sample device
    int autoSaves = 0;
    void deviceSwitched(const Program& p, int32_t) override {
        if (p.switching.RefIsON == 0) {
            sampleDevices.push_back(p.switching.DeviceInUse);
        }
    }
    void autoSave(Program&) override { ++autoSaves; }
};

struct Series {
    testing::TempFolder folder;
    testing::ChartFixture f{2, 1.0, 10};
    SeriesHooks hooks;

    explicit Series(int switchingMode) {
        Program& p = f.p;
        p.prefs[kPrefAutorepeat] = 1;
        p.files.filestrings.rootName = "rep";
        p.files.ScopeFileFolder = folder.path();
        p.session.SwitchingMode = static_cast<int16_t>(switchingMode);
        p.switching.RefChan = 1;
        p.switching.refint = 0.02f;  // 72 ticks of reference at each end of a file
        // Device rows 2 and 4 are in use.
        p.channels.Nvar[2][kDeviceNumber] = 2.0f;
        p.channels.Nvar[4][kDeviceNumber] = 4.0f;
    }

    // Records until `scans` scans were taken.
    void record(int scans) {
        int taken = 0;
        RunFrontEnd fe;
        fe.scanTaken = [&taken](const Program&, const PassOutcome&) { ++taken; };
        fe.stopWanted = [&taken, scans] { return taken >= scans; };
        RecordingRun(f.p, f.io, hooks).record(fe);
    }
};

TEST(AutoRepeat, EveryFullRunIsSavedAsTheNextFileAndTheNextRunStartsAtOnce) {
    Series s(0);
    s.record(35);
    const Program& p = s.f.p;
    EXPECT_EQ(p.files.ScopeCount, 3);
    EXPECT_EQ(s.hooks.autoSaves, 3);
    EXPECT_EQ(s.folder.names(), (std::vector<std::string>{"rep 1", "rep 2", "rep 3"}));
    for (const char* name : {"rep 1", "rep 2", "rep 3"}) {
        const ReadResult r = readRecordingFile(s.folder.file(name));
        ASSERT_TRUE(r.ok) << name << ": " << r.error;
        EXPECT_EQ(r.file.recording.sampleCount, 10) << name;
        EXPECT_EQ(r.file.recording.channels.size(), 2u) << name;
    }
    // The fourth run goes on with the scans after the third file, as a fresh run of 5 scans.
    Series fresh(0);
    fresh.f.p.prefs[kPrefAutorepeat] = 0;
    fresh.record(5);
    EXPECT_EQ(p.session.Sample, fresh.f.p.session.Sample);
    EXPECT_GE(s.hooks.newScreens, 3);
    ASSERT_FALSE(s.hooks.statusFields.empty());
    EXPECT_NE(
        std::find(s.hooks.statusFields.begin(), s.hooks.statusFields.end(), " next: 'rep 4'  "),
        s.hooks.statusFields.end());
}

TEST(AutoRepeat, ModeNineTakesTheNextDeviceInUseForEachFile) {
    Series s(9);
    s.record(35);
    EXPECT_EQ(s.f.p.files.ScopeCount, 3);
    // One sample phase per file: rows 2, 4, then 2 again for the fourth run.
    ASSERT_GE(s.hooks.sampleDevices.size(), 3u);
    EXPECT_EQ(s.hooks.sampleDevices[0], 2);
    EXPECT_EQ(s.hooks.sampleDevices[1], 4);
    EXPECT_EQ(s.hooks.sampleDevices[2], 2);
}

TEST(AutoRepeat, OtherModesStartEachFileFromTheFirstDevice) {
    Series s(3);
    s.f.p.channels.Nvar[1][kDeviceNumber] = 2.0f;  // modes below 9 go by channel rows
    s.f.p.channels.Nvar[2][kDeviceNumber] = 3.0f;
    s.record(35);
    ASSERT_GE(s.hooks.sampleDevices.size(), 3u);
    EXPECT_EQ(s.hooks.sampleDevices[0], s.hooks.sampleDevices[1]);
    EXPECT_EQ(s.hooks.sampleDevices[1], s.hooks.sampleDevices[2]);
}

TEST(AutoRepeat, AFailedWriteIsReportedAndTheRunGoesOn) {
    Series s(0);
    s.f.p.files.ScopeFileFolder = s.folder.file("missing/folder");
    s.record(25);
    EXPECT_EQ(s.f.p.files.ScopeCount, 2);
    EXPECT_EQ(s.f.p.prefs[kPrefDataSaved], 0);
    EXPECT_TRUE(s.folder.names().empty());
    EXPECT_EQ(s.f.vp.host.shown.size(), 2u);
}

}  // namespace
}  // namespace trindel
