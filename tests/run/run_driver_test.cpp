// The run driver on virtual time with scripted windows: the whole path from the start window to
// Quit, new runs and new set-ups, the unsaved-data check and the options window's rules.
#include "run/run_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>

#include "display/chart_screen.h"
#include "files/setup_file.h"
#include "files/temp_folder.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

// Answers the driver's windows from a script and records what was shown.
struct ScriptedWindows : RunWindows {
    int channels = 3;
    int mode = 1;            // the tab chosen in "Modes and Channels"
    int intervalButton = 8;  // 0.5 s
    int32_t samples = 20;
    std::deque<int> optionsAnswers;
    std::deque<bool> dataLossAnswers;
    bool saveSucceeds = true;
    int startWindows = 0, modesWindows = 0, intervalWindows = 0, optionsWindows = 0,
        dataLossWindows = 0, saves = 0;
    std::vector<std::string> titles;
    std::vector<std::string> unsavedTexts;
    StartChoice startChoice = StartChoice::Demonstration;
    int device = 0;
    std::function<void(Program&)> onModes;
    std::string setupFile;  // "Use Setup File" with this file on the first modes window

    StartChoice startWindow(Program&, int& d) override {
        ++startWindows;
        d = device;
        return startChoice;
    }
    bool modesAndChannels(Program& p, ModesChannelsModel& m) override {
        ++modesWindows;
        if (onModes) {
            onModes(p);
        }
        if (modesWindows > 2) {
            return false;
        }
        if (!setupFile.empty() && modesWindows == 1) {
            m.useSetupFile(loadSetupFile(p, setupFile).ok);
            if (m.setupKept()) {
                return true;
            }
        }
        m.chooseTab(mode);
        if (mode == 2) {
            return m.okEnabled();
        }
        return m.chooseCountButton(ModesChannelsModel::kFirstCountButton + channels - 1);
    }
    bool chartInterval(Program&, IntervalDialog& d) override {
        ++intervalWindows;
        d.pressIntervalButton(intervalButton);
        if (d.scopeDialog()) {
            return true;
        }
        // From the window width (1024) down to 10 samples, then up in steps of ten.
        d.pressSamples(SamplesButton::Min);
        d.pressSamples(SamplesButton::Tenth);
        d.pressSamples(SamplesButton::Tenth);
        while (d.maxSamples() + 10 <= samples) {
            d.pressSamples(SamplesButton::Plus10);
        }
        if (samples > 1000) {
            d.pressSamples(SamplesButton::Max);
        }
        return true;
    }
    int optionsWindow(Program&, const std::string& title, const std::vector<OptionsButtonInfo>&,
                      const SampleRateReport&) override {
        ++optionsWindows;
        titles.push_back(title);
        if (optionsAnswers.empty()) {
            return kOptionsQuit;
        }
        const int b = optionsAnswers.front();
        optionsAnswers.pop_front();
        return b;
    }
    bool possibleDataLoss(const std::string& text) override {
        ++dataLossWindows;
        unsavedTexts.push_back(text);
        if (dataLossAnswers.empty()) {
            return true;
        }
        const bool a = dataLossAnswers.front();
        dataLossAnswers.pop_front();
        return a;
    }
    bool saveFiles(Program&) override {
        ++saves;
        return saveSucceeds;
    }
    void sampleRateWindow(const SampleRateReport&) override {}
};

struct DriverFixture : ::testing::Test {
    DriverFixture() { vp.canvas.keepOps = false; }
    void run(ScreenSize screen = {1280, 1024}) { driver.SetDefaultValues(screen); }
    VirtualPlatform vp;
    Platform io = vp.platform();
    Program p;
    ScriptedWindows w;
    ChartHooks hooks;
    RunDriverConfig config;
    RunDriver driver{p, io, w, hooks, config};
};

TEST_F(DriverFixture, DemonstrationRunEndsInOptionsWindowAndQuitsWhenSaved) {
    w.optionsAnswers = {kOptionsSave, kOptionsQuit};
    run();
    EXPECT_EQ(driver.state(), RunState::Ended);
    EXPECT_EQ(p.device.DemonstrationMODE, 1);
    // 21 scans for 20 samples: the title counts one fewer, Sample is one fewer than nSamples.
    EXPECT_EQ(p.session.nSamples, 21);
    EXPECT_EQ(p.session.Sample, 20);
    ASSERT_EQ(w.titles.size(), 2u);
    EXPECT_EQ(w.titles[0], "Chart Halted at 20 Samples");
    EXPECT_EQ(w.saves, 1);
    EXPECT_EQ(w.dataLossWindows, 0);  // saved data need no question
    EXPECT_EQ(p.prefs[kPrefDataSaved], 1);
}

TEST_F(DriverFixture, SetupFileFromTheModesWindowIsRecordedAsItStands) {
    testing::TempFolder folder;
    {
        Program saved;
        SetInitialVariableValues(saved, ScreenSize{1280, 1024});
        saved.session.RecordingMODE = 1;
        saved.session.nChan = 5;
        saved.session.ChartINTERVALinSECONDS = 0.25;
        saved.session.ChartSampleInterval = 0.25f;
        saved.session.SampleIntervalinSeconds = 0.25;
        saved.session.MaxSamples = 30;
        for (int c = 1; c <= 5; ++c) {
            saved.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c + 2);
            saved.channels.Nvar[static_cast<size_t>(c)][kDisplayMax] = 2;
            saved.channels.Nvar[static_cast<size_t>(c)][kDisplayMin] = -2;
            saved.channels.Nvar[static_cast<size_t>(c)][kSamplesToAverage] = 1;
        }
        SetChanParams(saved, 0, 0);
        ASSERT_EQ(writeSetupFile(saved, folder.file("five channels")), "");
    }
    w.setupFile = folder.file("five channels");
    w.optionsAnswers = {kOptionsNewSetup};
    run();
    EXPECT_EQ(w.intervalWindows, 1);  // only for the new set-up after the first sequence
    EXPECT_EQ(driver.runsRecorded(), 2);
    EXPECT_EQ(w.titles[0], "Chart Halted at 30 Samples");
    // The second sequence was built anew: the kept set-up does not stick.
    EXPECT_EQ(p.session.nChan, 3);
    EXPECT_EQ(p.prefs[kPrefSkipDeviceChooser], 0);
}

TEST_F(DriverFixture, NewRunKeepsTheSetUpAndAsksAboutUnsavedData) {
    w.optionsAnswers = {kOptionsNewRun, kOptionsQuit};
    run();
    EXPECT_EQ(driver.runsRecorded(), 2);
    EXPECT_EQ(w.modesWindows, 1);
    EXPECT_EQ(w.intervalWindows, 1);
    EXPECT_EQ(p.session.nChan, 3);
    EXPECT_DOUBLE_EQ(p.session.ChartINTERVALinSECONDS, 0.5);
    EXPECT_FLOAT_EQ(p.channels.Nvar[3][kDisplayMax], 5.0f);
    EXPECT_FLOAT_EQ(p.channels.Nvar[3][kInputNumber], 3.0f);
    // Asked before the new run and before quitting.
    ASSERT_EQ(w.dataLossWindows, 2);
    EXPECT_EQ(w.unsavedTexts[0], "20 samples not saved!");
}

TEST_F(DriverFixture, NewSetUpClearsTheChannelTableAndShowsTheModesWindowAgain) {
    w.optionsAnswers = {kOptionsNewSetup};
    float inputSeenAtSecondModes = -1;
    w.onModes = [&](Program& prog) {
        if (w.modesWindows == 2) {
            inputSeenAtSecondModes = prog.channels.Nvar[2][kInputNumber] +
                                     prog.channels.Nvar[2][kDisplayMax] +
                                     prog.channels.Nvar[2][kBandHeight];
        }
    };
    run();
    EXPECT_EQ(w.modesWindows, 2);
    EXPECT_FLOAT_EQ(inputSeenAtSecondModes, 0.0f);
    EXPECT_EQ(w.intervalWindows, 2);
    EXPECT_EQ(driver.runsRecorded(), 2);
}

TEST_F(DriverFixture, DecliningTheUnsavedDataCheckKeepsTheOptionsWindow) {
    w.optionsAnswers = {kOptionsQuit, kOptionsNewSetup, kOptionsNewRun, kOptionsQuit};
    w.dataLossAnswers = {false, false, false, true};
    run();
    EXPECT_EQ(driver.state(), RunState::Ended);
    EXPECT_EQ(w.optionsWindows, 4);
    EXPECT_EQ(w.modesWindows, 1);
    EXPECT_EQ(driver.runsRecorded(), 1);
    EXPECT_EQ(p.prefs[kPrefMakeSureAnswer], 1);
}

TEST_F(DriverFixture, AFailedSaveLeavesTheDataUnsaved) {
    w.saveSucceeds = false;
    w.optionsAnswers = {kOptionsSave, kOptionsQuit};
    w.dataLossAnswers = {true};
    run();
    EXPECT_EQ(p.prefs[kPrefDataSaved], 0);
    EXPECT_EQ(w.dataLossWindows, 1);
}

TEST_F(DriverFixture, SaveSetupWritesASetUpFileWhenTheFeatureIsOn) {
    const std::string path = ::testing::TempDir() + "/driver_setup_file";
    std::remove(path.c_str());
    config.features.saveSetup = true;
    RunDriver withSetup{p, io, w, hooks, config};
    vp.host.fileAnswers = {path};
    w.optionsAnswers = {kOptionsSaveSetup, kOptionsSave, kOptionsQuit};
    withSetup.SetDefaultValues({1280, 1024});
    std::ifstream written(path, std::ios::binary);
    EXPECT_TRUE(written.good());
    EXPECT_EQ(w.optionsWindows, 3);
}

TEST_F(DriverFixture, MenuQuitDuringARunStopsItAndGoesThroughTheCheck) {
    w.samples = 100000;
    // A key event wakes the loop; the Quit request is then seen between passes.
    vp.events.schedule(3.0, UserEvent{kEventKey, 0, 0, 0});
    w.dataLossAnswers = {true};
    vp.clock.setNextEventTime([&] {
        if (vp.clock.GetCurrentTimeInSeconds() >= 2.0) {
            driver.requestQuit();
        }
        return vp.events.nextEventTime();
    });
    run();
    EXPECT_EQ(driver.state(), RunState::Ended);
    EXPECT_LT(p.session.nSamples, 100);
    EXPECT_EQ(w.dataLossWindows, 1);
    EXPECT_EQ(w.optionsWindows, 0);
}

TEST_F(DriverFixture, StartWindowQuitEndsAtOnce) {
    w.startChoice = RunWindows::StartChoice::Quit;
    run();
    EXPECT_EQ(driver.state(), RunState::Ended);
    EXPECT_EQ(w.modesWindows, 0);
}

TEST_F(DriverFixture, ExternalDeviceFallsBackToTheDemonstrationSource) {
    w.startChoice = RunWindows::StartChoice::Device;
    w.device = 2;
    vp.host.alertAnswers = {0};
    w.optionsAnswers = {kOptionsSave, kOptionsQuit};
    run();
    ASSERT_FALSE(vp.host.shown.empty());
    EXPECT_NE(vp.host.shown[0].find("Connection Error"), std::string::npos);
    EXPECT_EQ(p.device.External_AD, 0);
    EXPECT_EQ(p.device.DemonstrationMODE, 1);
    EXPECT_EQ(driver.runsRecorded(), 1);
}

TEST_F(DriverFixture, AShortScreenIsExplainedBeforeTheProgramEnds) {
    run(ScreenSize{800, 400});
    EXPECT_EQ(driver.state(), RunState::Ended);
    ASSERT_EQ(vp.host.shown.size(), 1u);
    EXPECT_NE(vp.host.shown[0].find("480"), std::string::npos);
    EXPECT_EQ(w.startWindows, 0);
}

TEST_F(DriverFixture, QuitShowsTheShutDownMessageWhenPresent) {
    const std::string path = ::testing::TempDir() + "/shutdown_message.txt";
    std::ofstream(path) << "Turn the gas off.";
    w.optionsAnswers = {kOptionsSave, kOptionsQuit};
    RunDriver withMessage(p, io, w, hooks, RunDriverConfig{path, {}});
    withMessage.SetDefaultValues({1280, 1024});
    ASSERT_FALSE(vp.host.shown.empty());
    EXPECT_NE(vp.host.shown.back().find("Turn the gas off."), std::string::npos);
}

TEST(OptionsWindow, KeysChooseButtons) {
    EXPECT_EQ(optionsButtonForKey('r'), kOptionsNewRun);
    EXPECT_EQ(optionsButtonForKey('R'), kOptionsNewRun);
    EXPECT_EQ(optionsButtonForKey('q'), kOptionsQuit);
    for (int key : {int{'x'}, int{' '}, int{'1'}, 13, int{'S'}}) {
        EXPECT_EQ(optionsButtonForKey(key), kOptionsSave) << key;
    }
}

TEST(OptionsWindow, ShowsOnlyTheButtonsOfPresentFeatures) {
    Program p;
    p.session.RecordingMODE = 1;
    const auto numbers = [&](const OptionsFeatures& f) {
        std::vector<int> n;
        for (const auto& b : optionsButtons(p, f)) {
            n.push_back(b.button);
        }
        return n;
    };
    EXPECT_EQ(numbers({}), (std::vector<int>{1, 2, 5, 6, 10}));
    OptionsFeatures all{true, true, true, true, true, true, true};
    // "Check Alarms…" only after an alarm was raised.
    EXPECT_EQ(numbers(all), (std::vector<int>{1, 2, 12, 3, 4, 5, 6, 10, 56, 16}));
    p.alarm.alarms[2][8] = 1.0f;
    EXPECT_EQ(numbers(all), (std::vector<int>{1, 2, 12, 3, 4, 5, 6, 8, 10, 56, 16}));
    p.prefs[kPrefAutorepeat] = 1;
    const auto withRoot = numbers(all);
    EXPECT_NE(std::find(withRoot.begin(), withRoot.end(), 7), withRoot.end());
    // The labels are in the program's Mac Roman text: the ellipsis is one byte, 0xC9.
    for (const auto& b : optionsButtons(p, all)) {
        EXPECT_EQ(b.label.find("\xE2\x80"), std::string::npos) << b.label;
        if (b.button == 7) {
            EXPECT_EQ(b.label, "Change Chart Root File Name\xC9       ('C')");
        }
    }
}

TEST_F(DriverFixture, TheRateCheckIsMadeWhenTheOptionsWindowOpens) {
    w.optionsAnswers = {kOptionsSave, kOptionsQuit};
    run();
    const SampleRateReport& r = driver.lastRateReport();
    EXPECT_EQ(r.samples, 20);
    // On virtual time every scan is on time: 20 intervals of 0.5 s.
    EXPECT_NEAR(r.check.measured, 0.5, 0.02);
    EXPECT_TRUE(r.lateness.known());
    EXPECT_DOUBLE_EQ(r.lateness.max, 0.0);
}

TEST_F(DriverFixture, QuickSaveAndTheRootFileNameFromTheOptionsWindow) {
    const std::string folder = ::testing::TempDir() + "/driver_quick_save";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    config.features.quickSave = true;
    config.features.rootFileName = true;
    config.dataFolder = folder;
    RunDriver withFiles{p, io, w, hooks, config};
    vp.host.fileAnswers = {folder + "/rats"};
    w.optionsAnswers = {kOptionsQuickSave, kOptionsRootFileName, kOptionsSave, kOptionsQuit};
    withFiles.SetDefaultValues({1280, 1024});
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].rfind("QuickSave ", 0), 0u) << names[0];
    EXPECT_EQ(p.files.QuicksaveCounter, 1);
    EXPECT_EQ(p.files.filestrings.rootName, "rats");
    EXPECT_EQ(p.files.ScopeFileFolder, folder);
    EXPECT_EQ(p.files.ScopeCount, 0);
    // The run's start and end times are kept for the files and the replay.
    EXPECT_EQ(p.files.filestrings.startTime.size(), 8u);
    EXPECT_EQ(p.files.filestrings.startDate.size(), 8u);
    EXPECT_EQ(p.files.EndRecordingTime.size(), 8u);
    std::filesystem::remove_all(folder);
}

TEST_F(DriverFixture, ScopeRunSequenceAsksForTheRootOfItsSweepFiles) {
    testing::TempFolder folder;
    config.features.rootFileName = true;
    config.dataFolder = folder.path();
    RunDriver withRoot{p, io, w, hooks, config};
    w.mode = 2;
    vp.host.fileAnswers = {folder.file("heart")};
    // A sweep saved with Tab a few seconds in, then Escape; the options window quits.
    vp.events.schedule(4.0, UserEvent{kEventKey, 9});
    vp.events.schedule(6.0, UserEvent{kEventKey, 27});
    w.optionsAnswers = {kOptionsQuit};
    withRoot.SetDefaultValues({1280, 1024});
    ASSERT_FALSE(vp.host.shown.empty());
    EXPECT_EQ(vp.host.shown[0], "Scope File Root...: " + folder.file("scope file"));
    EXPECT_EQ(p.files.filestrings.rootName, "heart");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"heart 1"});
}

// Scope plus chart stops on its last chart sample (chart mode one beyond): the options window
// counts every sample, and a run on time keeps the set interval for its file.
TEST_F(DriverFixture, ScopePlusChartKeepsEverySampleAndItsInterval) {
    w.mode = 3;
    w.samples = 20;
    w.optionsAnswers = {kOptionsQuit};
    run();
    ASSERT_FALSE(w.titles.empty());
    EXPECT_EQ(w.titles[0], "Chart Halted at 20 Samples");
    EXPECT_EQ(p.session.Sample, 20);
    EXPECT_GT(p.session.ChartSampleInterval, 0.0f);
    EXPECT_FLOAT_EQ(p.session.SampleInterval, p.session.ChartSampleInterval)
        << "a run on schedule was measured slow";
}

}  // namespace
}  // namespace trindel
