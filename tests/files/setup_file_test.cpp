#include "files/setup_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "files/byte_reader.h"
#include "files/setup_fixture.h"

namespace trindel {
namespace {

using testing::demoSetup;
using testing::TempPath;
using testing::writeBytes;

// Size of a "-9997" file counted from the layout table, field group by field group.
size_t expectedSize(int nChan, bool mode9) {
    size_t n = 6 + 24 + 244;                                         // header, fields 2-9, field 10
    n += nChan > 8 ? 244 : 0;                                        // field 11
    n += static_cast<size_t>(nChan) * 13 * 4;                        // field 12
    n += mode9 ? 36 : 0;                                             // field 13
    n += 30 + 24 + 18 + 448 + 24;                                    // fields 14-38
    n += mode9 ? 164 : 0;                                            // field 39
    n += static_cast<size_t>(nChan) * 10;                            // field 40
    n += 86 + 80 + 1936 + 2 + 1280 + 2 + 640 + 2 + 1088 + 16 + 476;  // fields 41-64
    n += static_cast<size_t>(nChan) * 4;                             // field 65
    n += 38 + 4;                                                     // fields 66-70
    return n;
}

int16_t i16At(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<int16_t>((d[at] << 8) | d[at + 1]);
}
int32_t i32At(const std::vector<uint8_t>& d, size_t at) {
    return static_cast<int32_t>((uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) |
                                (uint32_t{d[at + 2]} << 8) | d[at + 3]);
}
float f32At(const std::vector<uint8_t>& d, size_t at) {
    return std::bit_cast<float>(static_cast<uint32_t>(i32At(d, at)));
}
void putF32(std::vector<uint8_t>& d, size_t at, float v) {
    const auto u = std::bit_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        d[at + static_cast<size_t>(i)] = static_cast<uint8_t>(u >> (24 - 8 * i));
    }
}
void putI16(std::vector<uint8_t>& d, size_t at, int16_t v) {
    d[at] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
    d[at + 1] = static_cast<uint8_t>(v & 0xFF);
}

// Saves, loads into a fresh program, and returns the loaded program.
Program roundTrip(const Program& saved, const SetupLoadContext& ctx = {}) {
    TempPath path("roundtrip.set");
    EXPECT_EQ(writeSetupFile(saved, path.str()), "");
    Program loaded;
    SetInitialVariableValues(loaded, ScreenSize{1280, 1024});
    const SetupLoadResult r = loadSetupFile(loaded, path.str(), ctx);
    EXPECT_TRUE(r.ok) << r.error;
    return loaded;
}

TEST(SetupFileLayout, SizeFollowsChannelCountAndSwitchingMode) {
    for (int nChan : {1, 8, 9, 16}) {
        for (int16_t mode : {0, 3, 9}) {
            const auto bytes = setupFileBytes(demoSetup(nChan, mode));
            EXPECT_EQ(bytes.size(), expectedSize(nChan, mode == 9))
                << nChan << " channels, mode " << mode;
        }
    }
}

TEST(SetupFileLayout, FieldsSitAtTheirOffsets) {
    const Program p = demoSetup(8, 0);
    const auto d = setupFileBytes(p);
    EXPECT_EQ(std::string(d.begin(), d.begin() + 6), "-9997\r");
    EXPECT_EQ(i16At(d, 6), 1);              // RecordingMODE
    EXPECT_EQ(i16At(d, 8), 8);              // nChan
    EXPECT_FLOAT_EQ(f32At(d, 10), 30.0f);   // 0.5 s x 60
    EXPECT_FLOAT_EQ(f32At(d, 14), 0.12f);   // 0.002 s x 60
    EXPECT_FLOAT_EQ(f32At(d, 20), 12.5f);   // switchint
    EXPECT_FLOAT_EQ(f32At(d, 24), 3.25f);   // refint
    EXPECT_FLOAT_EQ(f32At(d, 30), 240.0f);  // label string length
    EXPECT_EQ(d[34], 'O');                  // first label byte
    const size_t records = 30 + 244;
    EXPECT_FLOAT_EQ(f32At(d, records), 101.25f);  // channel 1, element 1
    EXPECT_FLOAT_EQ(f32At(d, records + 13 * 4), 201.25f);
    const size_t afterRecords = records + 8 * 52;
    EXPECT_EQ(i16At(d, afterRecords), 10);        // ScopeGain
    EXPECT_EQ(i32At(d, afterRecords + 2), 7200);  // MaxSamples
    EXPECT_EQ(i16At(d, afterRecords + 8), 2);     // TriggerChan
    EXPECT_EQ(i32At(d, afterRecords + 20), 512);  // ScopeMax
    // The last fields: sensor types 1-16, DT800 fast mode, mains frequency.
    EXPECT_EQ(i16At(d, d.size() - 2), 50);
    EXPECT_EQ(i16At(d, d.size() - 4), 1);
    EXPECT_EQ(i16At(d, d.size() - 6), 56);            // ADsensorType 16
    EXPECT_FLOAT_EQ(f32At(d, d.size() - 40), -1.5f);  // ValueForZeroInGasExchange
}

TEST(SetupFileLayout, ZeroMaxSamplesAndOutOfRangeTriggerChannelAreWrittenAsThePartSays) {
    Program p = demoSetup(4, 0);
    p.session.MaxSamples = 0;
    const size_t afterRecords = 30 + 244 + 4 * 52;
    for (int16_t chan : {0, 17, -3}) {
        p.trigger.TriggerChan = chan;
        const auto d = setupFileBytes(p);
        EXPECT_EQ(i32At(d, afterRecords + 2), 1000) << "window width";
        EXPECT_EQ(i16At(d, afterRecords + 8), 1) << chan;
    }
    const Program loaded = roundTrip(p);
    EXPECT_EQ(loaded.session.MaxSamples, 1000);
    EXPECT_EQ(loaded.trigger.TriggerChan, 1);
}

// Save -> load -> save gives the same bytes, and the loaded program holds the saved values.
TEST(SetupFileRoundTrip, ChannelCountsAndSwitchingModes) {
    for (int nChan : {8, 9, 16}) {
        for (int16_t mode : {3, 9}) {
            SCOPED_TRACE(::testing::Message() << nChan << " channels, mode " << mode);
            const Program saved = demoSetup(nChan, mode);
            const Program loaded = roundTrip(saved);
            EXPECT_EQ(setupFileBytes(loaded), setupFileBytes(saved));
            EXPECT_EQ(loaded.channels.label(nChan), saved.channels.label(nChan));
            EXPECT_DOUBLE_EQ(loaded.session.ChartINTERVALinSECONDS, 0.5);
            EXPECT_NEAR(loaded.session.ScopeINTERVALinSECONDS, 0.002, 1e-9);
            EXPECT_NE(loaded.session.SetupFileName.find("roundtrip.set"), std::string::npos);
            EXPECT_EQ(loaded.session.SetupFileName.find('/'), std::string::npos);
            if (mode == 9) {
                EXPECT_EQ(loaded.switching.prefix, saved.switching.prefix);
                EXPECT_EQ(loaded.channels.Nvar[0][0], 3.0f);
            } else {
                EXPECT_NE(loaded.switching.prefix, saved.switching.prefix);
            }
        }
    }
}

TEST(SetupFileRoundTrip, EightChannelsCarryNoSecondLabelString) {
    Program saved = demoSetup(8, 0);
    saved.channels.setLabel(9, "never saved");
    const Program loaded = roundTrip(saved);
    EXPECT_EQ(loaded.channels.label(9), std::string(30, ' '));
}

TEST(SetupFileRoundTrip, FileEndingAfterField68KeepsFastModeAndMains) {
    const Program saved = demoSetup(4, 0);
    const auto full = setupFileBytes(saved);
    TempPath path("short.set");
    Program loaded;
    SetInitialVariableValues(loaded, ScreenSize{1280, 1024});
    loaded.device.DT800FastAcquisitionMode = 0;
    loaded.session.mainsfrequency = 60;

    writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.end() - 4));
    ASSERT_TRUE(loadSetupFile(loaded, path.str()).ok);
    EXPECT_EQ(loaded.device.DT800FastAcquisitionMode, 0);
    EXPECT_EQ(loaded.session.mainsfrequency, 60);

    writeBytes(path.str(), std::vector<uint8_t>(full.begin(), full.end() - 2));
    ASSERT_TRUE(loadSetupFile(loaded, path.str()).ok);
    EXPECT_EQ(loaded.device.DT800FastAcquisitionMode, 1);
    EXPECT_EQ(loaded.session.mainsfrequency, 60);

    writeBytes(path.str(), full);
    ASSERT_TRUE(loadSetupFile(loaded, path.str()).ok);
    EXPECT_EQ(loaded.session.mainsfrequency, 50);
}

TEST(SetupFileReading, IgnoredFieldsAndOverrides) {
    Program saved = demoSetup(4, 0);
    saved.device.External_AD = 4;
    saved.device.baudrate = 19200;
    saved.prefs[kPrefDigitalControlMode] = 0;
    saved.prefs[kPrefAutomaticBackup] = 0;  // overridden: the timed-save interval is non-zero
    saved.prefs[kPrefChartViewStyle] = 7;
    saved.view.CustomTic = 1.234567891;
    const Program loaded = roundTrip(saved);
    EXPECT_EQ(loaded.device.External_AD, 0);
    EXPECT_EQ(loaded.device.baudrate, 9600);
    EXPECT_EQ(loaded.prefs[kPrefDigitalControlMode], 1);
    EXPECT_EQ(loaded.prefs[kPrefAutomaticBackup], 1);
    EXPECT_EQ(loaded.prefs[kPrefChartViewStyle], 0);
    EXPECT_DOUBLE_EQ(loaded.view.CustomTic, 1.23456);

    saved.session.TimedSaveINTERVAL = 0;
    saved.prefs[kPrefAutomaticBackup] = 1;
    EXPECT_EQ(roundTrip(saved).prefs[kPrefAutomaticBackup], 0);
}

TEST(SetupFileReading, WindowWiderThanTheScreenIsNotTaken) {
    Program saved = demoSetup(2, 0);
    saved.prefs[kPrefWindowWidth] = 1200;
    EXPECT_EQ(roundTrip(saved).prefs[kPrefWindowWidth], 1200);
    SetupLoadContext narrow;
    narrow.screenWidth = 1100;
    EXPECT_EQ(roundTrip(saved, narrow).prefs[kPrefWindowWidth], 1024);
}

TEST(SetupFileReading, DerivedValuesAfterLoading) {
    Program saved = demoSetup(3, 4);
    saved.session.RecordingMODE = 3;
    saved.view.ScopeGain = 20;
    saved.trigger.triggerval = -0.3f;
    saved.switching.RefChan = 3;
    const Program loaded = roundTrip(saved);
    EXPECT_FLOAT_EQ(loaded.view.scd, 8192.0f);
    EXPECT_FLOAT_EQ(loaded.view.Vmax, 0.25f);
    EXPECT_EQ(loaded.trigger.TriggerGain, 10);
    EXPECT_EQ(loaded.switching.nGroups, 2);
    EXPECT_EQ(loaded.switching.ReferenceValve, 2);
    EXPECT_EQ(loaded.session.OldScopeSpeedBut, 28);  // 0.002 s
    EXPECT_EQ(loaded.session.OldChartSpeedBut, 8);   // 30 ticks
    // 7200 samples x 0.5 s = 3600 s: minutes, 3600 / 1000 pixels / 60.
    EXPECT_FLOAT_EQ(loaded.view.TraceLength, 3600.0f);
    EXPECT_EQ(loaded.view.minute_units, 1);
    EXPECT_FLOAT_EQ(loaded.view.tfact, 0.06f);

    saved.session.SwitchingMode = 5;
    saved.session.RecordingMODE = 1;
    saved.session.ChartINTERVALinSECONDS = 0.01;
    saved.session.ScopeINTERVALinSECONDS = 0.0001;  // 100 microseconds
    const Program chart = roundTrip(saved);
    EXPECT_EQ(chart.switching.nGroups, 0);
    EXPECT_EQ(chart.session.OldChartSpeedBut, 1);
    EXPECT_EQ(chart.session.OldScopeSpeedBut, 25);
    EXPECT_EQ(chart.session.tb, 2);
    EXPECT_EQ(chart.session.sint, 10);
    EXPECT_FLOAT_EQ(chart.view.Vmax, 5.0f) << "chart mode leaves the scope scale alone";
}

TEST(SetupFileReading, SpeedSelectorsForUnlistedIntervals) {
    Session s;
    Program saved = demoSetup(1, 0);
    saved.session.ChartINTERVALinSECONDS = 7.0 / 60.0;
    saved.session.ScopeINTERVALinSECONDS = 0.003;
    const Program loaded = roundTrip(saved);
    EXPECT_EQ(loaded.session.OldChartSpeedBut, 13);
    EXPECT_EQ(loaded.session.speed, 13);
    EXPECT_EQ(loaded.session.OldScopeSpeedBut, s.OldScopeSpeedBut);
}

TEST(SetupFileReading, ScopeGainAndTriggerGainTables) {
    EXPECT_FLOAT_EQ(scopeGainScale(7, true).scd, 3276.5f);  // an unlisted gain
    EXPECT_FLOAT_EQ(scopeGainScale(100, false).Vmax, 0.05f);
    EXPECT_FLOAT_EQ(scopeGainScale(1, false).scd, 409.6f);
    EXPECT_EQ(triggerGainFor(3.0f), 1);
    EXPECT_EQ(triggerGainFor(0.01f), 100);
    EXPECT_EQ(triggerGainFor(-1.0f), 2);  // by magnitude
}

struct LayoutCalls {
    int asked = 0;
    int relayouts = 0;
};

SetupLoadContext countingContext(LayoutCalls& calls, int answer) {
    SetupLoadContext ctx;
    ctx.askScreenSizeMismatch = [&calls, answer]() {
        ++calls.asked;
        return answer;
    };
    ctx.relayoutChannels = [&calls](Program&) { ++calls.relayouts; };
    return ctx;
}

TEST(SetupFileReading, ScreenSizeMismatchIsAskedAndAnswered) {
    Program saved = demoSetup(2, 0);
    saved.prefs[kPrefWindowWidth] = 900;
    // Bottom of the lowest plot, XY plot shown, answer; then the calls and window height expected.
    // Taller than the screen (2000) always relays out; fitting the window (740) asks nothing.
    struct Case {
        float bottom;
        int16_t xy;
        int answer, asked, relayouts, height;
    };
    for (const Case c :
         {Case{500, 0, 2, 1, 0, 530}, Case{500, 0, 1, 1, 1, 768}, Case{500, 1, 2, 0, 1, -1},
          Case{2000, 0, 2, -1, 1, -1}, Case{740, 0, 2, 0, 0, -1}}) {
        SCOPED_TRACE(::testing::Message() << c.bottom << " xy " << c.xy << " answer " << c.answer);
        saved.channels.Nvar[2][kBandBottom] = c.bottom;
        saved.view.ShowXYPlot = c.xy;
        LayoutCalls calls;
        const Program loaded = roundTrip(saved, countingContext(calls, c.answer));
        if (c.asked >= 0) {
            EXPECT_EQ(calls.asked, c.asked);
        }
        EXPECT_EQ(calls.relayouts, c.relayouts);
        if (c.height >= 0) {
            EXPECT_EQ(loaded.prefs[kPrefWindowHeight], c.height);
            EXPECT_EQ(loaded.prefs[kPrefWindowWidth], 900);
        }
    }
}

// --- Damaged files: a clear error and the program exactly as it was ---

class DamagedSetupFile : public ::testing::Test {
  protected:
    void SetUp() override {
        before = demoSetup(5, 0);
        before.session.SetupFileName = "previous.set";
        good = setupFileBytes(demoSetup(12, 9));
    }
    // Loads `bytes` into a copy of `before`; expects a refusal naming `expected` and no change.
    void expectRefused(const std::vector<uint8_t>& bytes, const std::string& expected) {
        TempPath path("damaged.set");
        writeBytes(path.str(), bytes);
        Program p = before;
        const SetupLoadResult r = loadSetupFile(p, path.str());
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find(expected), std::string::npos) << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line";
        EXPECT_TRUE(sameStateExceptStore(p, before)) << "state changed by: " << r.error;
    }
    Program before;
    std::vector<uint8_t> good;
};

TEST_F(DamagedSetupFile, TruncatedAnywhere) {
    for (size_t length : {size_t{0}, size_t{3}, size_t{6}, size_t{40}, size_t{400}, good.size() / 2,
                          good.size() - 5, good.size() - 3, good.size() - 1}) {
        SCOPED_TRACE(length);
        expectRefused(std::vector<uint8_t>(good.begin(), good.begin() + length),
                      length < 6 ? "not a set-up file" : "the file ends early");
    }
}

TEST_F(DamagedSetupFile, EveryShortLengthIsRefusedWithoutTouchingTheBase) {
    const SetupState base = setupStateOf(before);
    for (size_t length = 0; length + 4 < good.size(); ++length) {
        if (length == good.size() - 4) {
            continue;
        }
        const std::vector<uint8_t> cut(good.begin(), good.begin() + length);
        EXPECT_THROW(parseSetupFile(cut, base, 1280), FileFormatError) << length;
    }
}

TEST_F(DamagedSetupFile, ImpossibleValues) {
    const auto patched = [&](auto put, size_t at, auto value) {
        auto bad = good;
        put(bad, at, value);
        return bad;
    };
    for (int16_t n : {0, 17, -1, 300}) {
        expectRefused(patched(putI16, 8, n), "number of channels");
    }
    for (float length : {256.0f, -1.0f, 3.5f, std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity()}) {
        expectRefused(patched(putF32, 30, length), "impossible text length");
    }
    expectRefused(patched(putI16, 6, int16_t{4}), "recording mode");
    expectRefused(patched(putF32, 10, std::numeric_limits<float>::quiet_NaN()), "chart interval");
    expectRefused(patched(putI16, 18, int16_t{11}), "switching mode");
}

TEST_F(DamagedSetupFile, NonFiniteCoefficientsAreRefusedWithTheFieldNamed) {
    const auto eight = setupFileBytes(demoSetup(8, 0));
    const size_t records = 30 + 244;  // channel 1, element 1
    struct Case {
        int channel, element;
        float value;
        std::string named;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Case& c : {Case{1, kCoeffA, nan, "channel 1 coefficient a"},
                          Case{2, kCoeffB, inf, "channel 2 coefficient b"},
                          Case{8, kCoeffC, -inf, "channel 8 coefficient c"}}) {
        auto bad = eight;
        putF32(bad, records + static_cast<size_t>((c.channel - 1) * 13 + c.element - 1) * 4,
               c.value);
        expectRefused(bad, c.named);
    }
}

TEST_F(DamagedSetupFile, OlderLayoutsAreNamed) {
    for (const std::string version : {"-9998", "-9999", "-999", "-99"}) {
        std::vector<uint8_t> old(version.begin(), version.end());
        old.push_back('\r');
        old.insert(old.end(), good.begin() + 6, good.end());
        expectRefused(old, "older layout \"" + version + "\"");
    }
}

// The loader and `info` recognise a set-up file by the same first line: every spelling the
// loader reads is a set-up file to `info`, and nothing else is.
TEST_F(DamagedSetupFile, OneRecogniserForTheVersionLine) {
    struct Case {
        std::string first;
        bool setup;
    };
    for (const Case& c :
         {Case{"-9997", true}, Case{"-9997 ", true}, Case{" -9997", true}, Case{"-9997.0", true},
          Case{"-9998", true}, Case{"-99", true}, Case{"-999", false}, Case{"-9999", false},
          Case{"9997", false}, Case{"-9997x", false}}) {
        std::vector<uint8_t> bytes(c.first.begin(), c.first.end());
        bytes.push_back('\r');
        bytes.insert(bytes.end(), good.begin() + 6, good.end());
        EXPECT_EQ(looksLikeSetupFile(bytes), c.setup) << '"' << c.first << '"';
        const auto version = setupVersionOf(c.first);
        bool loads = true;
        try {
            parseSetupFile(bytes, SetupState{}, 1280);
        } catch (const FileFormatError&) {
            loads = false;
        }
        EXPECT_EQ(loads, version == -9997) << '"' << c.first << '"';
    }
}

TEST_F(DamagedSetupFile, NotASetupFile) {
    const std::string text = "hello world\rmore";
    expectRefused(std::vector<uint8_t>(text.begin(), text.end()), "not a set-up file");
    expectRefused(std::vector<uint8_t>(200, 0xFF), "not a set-up file");
}

TEST_F(DamagedSetupFile, MissingFile) {
    Program p = before;
    const SetupLoadResult r = loadSetupFile(p, "/nonexistent/trindel/none.set");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("cannot open"), std::string::npos);
    EXPECT_TRUE(sameStateExceptStore(p, before));
}

TEST(SetupFileWriting, RefusesAProgramWithoutChannels) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{});
    TempPath path("empty.set");
    EXPECT_NE(writeSetupFile(p, path.str()), "");
    EXPECT_FALSE(std::filesystem::exists(path.str()));
}

}  // namespace
}  // namespace trindel
