// MAKESETUP, GETSETUP, SAVEsettings and GETSettings through the host's dialogs.
#include <gtest/gtest.h>

#include "files/preferences_file.h"
#include "files/setup_file.h"
#include "files/setup_fixture.h"
#include "platform/virtual_platform.h"

namespace trindel {
namespace {

using testing::demoSetup;
using testing::TempPath;
using testing::writeBytes;

TEST(SetupDialogs, CancelledSaveWritesNothing) {
    VirtualHost host;
    VirtualSounds sounds;
    Program p = demoSetup(3, 0);
    host.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(MAKESETUP(p, host, sounds));
    EXPECT_TRUE(p.session.SetupFileName.empty());
    EXPECT_TRUE(sounds.log.empty());
}

TEST(SetupDialogs, SaveThenOpenRemembersTheNameAndPlaysTheCues) {
    VirtualHost host;
    VirtualSounds sounds;
    TempPath path("dialog.set");
    Program saved = demoSetup(3, 0);
    host.fileAnswers.push_back(path.str());
    ASSERT_TRUE(MAKESETUP(saved, host, sounds));
    EXPECT_EQ(saved.session.SetupFileName, std::filesystem::path(path.str()).filename().string());
    EXPECT_EQ(sounds.log, std::vector<std::string>{"click"});

    Program loaded;
    SetInitialVariableValues(loaded, ScreenSize{1280, 1024});
    host.fileAnswers.push_back(path.str());
    host.alertAnswers.push_back(0);  // screen size question: keep this screen's size
    const auto r = GETSETUP(loaded, host, sounds, setupLoadContextFor(host, sounds, true));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(loaded.session.nChan, 3);
    EXPECT_EQ(sounds.log.back(), "setup");
}

TEST(SetupDialogs, CancelledChooserSetsNoSetupFileFoundOnly) {
    VirtualHost host;
    VirtualSounds sounds;
    Program p = demoSetup(3, 0);
    Program expected = p;
    expected.session.NoSetupFileFound = 1;
    host.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(GETSETUP(p, host, sounds, SetupLoadContext{}).ok);
    EXPECT_TRUE(sameStateExceptStore(p, expected));
}

TEST(SetupDialogs, DamagedFileIsReportedAndChangesNothing) {
    VirtualHost host;
    VirtualSounds sounds;
    TempPath path("dialog-bad.set");
    const std::string old = "-9999\r";
    writeBytes(path.str(), std::vector<uint8_t>(old.begin(), old.end()));
    Program p = demoSetup(3, 0);
    const Program before = p;
    const auto r = GETSETUP(p, host, sounds, SetupLoadContext{}, &path.str());
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_NE(host.shown[0].find("\"-9999\""), std::string::npos) << host.shown[0];
    EXPECT_TRUE(sameStateExceptStore(p, before));
    EXPECT_TRUE(sounds.log.empty());
}

TEST(SetupDialogs, ScreenSizeQuestionThroughTheHost) {
    VirtualHost host;
    VirtualSounds sounds;
    const SetupLoadContext ctx = setupLoadContextFor(host, sounds, true);
    host.alertAnswers.push_back(1);
    EXPECT_EQ(ctx.askScreenSizeMismatch(), 2);
    host.alertAnswers.push_back(0);
    EXPECT_EQ(ctx.askScreenSizeMismatch(), 1);
    EXPECT_EQ(ctx.askScreenSizeMismatch(), 1) << "closing the window counts as the first button";
    ASSERT_FALSE(host.shown.empty());
    EXPECT_NE(host.shown[0].find("Screen Size Mismatch"), std::string::npos);
    EXPECT_EQ(sounds.log.front(), "ahem");
}

TEST(PreferencesDialogs, CancelledSaveWritesTheDefaultFile) {
    TempPath config("config-home");
    std::filesystem::create_directories(config.str());
    ::setenv("XDG_CONFIG_HOME", config.str().c_str(), 1);
    VirtualHost host;
    VirtualSounds sounds;
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.Sound_Is_On = 7;
    host.fileAnswers.push_back(std::nullopt);
    ASSERT_TRUE(SAVEsettings(p, host, sounds));
    const std::string written = config.str() + "/Trindel/Trindel prefs";
    EXPECT_EQ(defaultPreferencesPath(), written);
    ASSERT_TRUE(std::filesystem::exists(written));

    Program q;
    SetInitialVariableValues(q, ScreenSize{1280, 1024});
    EXPECT_EQ(GETSettings(q, host, false).outcome, PreferencesLoad::Loaded);
    EXPECT_EQ(q.session.Sound_Is_On, 7);
    host.fileAnswers.push_back(std::nullopt);
    EXPECT_EQ(GETSettings(q, host, true).outcome, PreferencesLoad::Cancelled);
    std::filesystem::remove_all(config.str());
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace trindel
