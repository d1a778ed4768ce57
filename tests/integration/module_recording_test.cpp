// Recording from the simulated ADAM modules and RMS ADC-1: stored values against what the
// simulator sent, and the command bytes exactly.
#include <gtest/gtest.h>

#include <cmath>

#include "devices/adam/adam_protocol.h"
#include "files/recording_file_reader.h"
#include "simulator.h"

namespace trindel::integration {
namespace {

struct ModuleRecording {
    CommandResult run;
    ReadResult file;
};
ModuleRecording recordFrom(const std::string& device, const Simulator& sim, int channels,
                           int samples, double interval) {
    static int n = 0;
    const std::string out = (scratchDir() / ("mod" + std::to_string(++n) + ".kstn")).string();
    ModuleRecording r;
    r.run = runCommand(std::string(CLI_PATH) + " record --device " + device + " --port " +
                       sim.port() + " --channels " + std::to_string(channels) + " --samples " +
                       std::to_string(samples) + " --interval " + std::to_string(interval) +
                       " -o " + out);
    if (r.run.status == 0) {
        r.file = readRecordingFile(out);
    }
    return r;
}

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (const int b : list) {
        out.push_back(static_cast<char>(b));
    }
    return out;
}

// Eight channels from an ADAM-4019 with a 4050 beside it: the survey, the input ranges before
// the run and one reading command per channel and scan; every stored value is the one sent.
TEST(AdamRecording, EightChannelsFromTheSimulatedModules) {
    std::vector<std::string> args{"--device", "adam"};
    for (int k = 1; k <= 8; ++k) {
        args.push_back("--value");
        args.push_back(std::to_string(k) + "=ramp:" + std::to_string(0.5 * k - 2.0) + ":-0.25");
    }
    Simulator sim(args);
    ASSERT_TRUE(sim.ready());
    const int samples = 6;
    const ModuleRecording r = recordFrom("adam", sim, 8, samples, 0.25);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok) << r.file.error;
    const Recording& rec = r.file.file.recording;
    EXPECT_EQ(rec.deviceCode, 4119);
    ASSERT_EQ(rec.sampleCount, samples);
    for (int c = 1; c <= 8; ++c) {
        for (int k = 0; k < samples; ++k) {
            EXPECT_FLOAT_EQ(rec.data[static_cast<size_t>(c - 1)][static_cast<size_t>(k)],
                            static_cast<float>(0.5 * c - 2.0 - 0.25 * k))
                << "channel " << c << " sample " << k + 1;
        }
    }
    std::string want = "$01M\r$01F\r$02M\r$02F\r$03M\r";
    for (int c = 1; c <= 8; ++c) {
        want += adamRangeCommand(c, 0) + "\r";
    }
    for (int k = 0; k < samples; ++k) {
        for (int c = 1; c <= 8; ++c) {
            want += adamReadCommand(c) + "\r";
        }
    }
    EXPECT_EQ(sim.received(), want);
}

// A second analogue module at address 03 gives inputs 9 to 16; a silent primary module is the
// connection error.
TEST(AdamRecording, SecondModuleAndSilentPrimary) {
    Simulator sim(
        {"--device", "adam", "--modules", "01=4019,03=4017", "--value", "all=fixed:-1.5"});
    ASSERT_TRUE(sim.ready());
    const ModuleRecording r = recordFrom("adam", sim, 10, 2, 0.25);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    EXPECT_FLOAT_EQ(r.file.file.recording.data[9][1], -1.5f);
    const std::string got = sim.received();
    EXPECT_NE(got.find("$037C1R09\r"), std::string::npos);
    EXPECT_NE(got.find("#031\r"), std::string::npos);

    Simulator silent({"--device", "adam", "--fault", "silence"});
    ASSERT_TRUE(silent.ready());
    const ModuleRecording s = recordFrom("adam", silent, 2, 2, 0.25);
    EXPECT_EQ(s.run.status, 1);
    EXPECT_NE(s.run.output.find("ADAM-4019"), std::string::npos) << s.run.output;
}

// Time-outs: a module slower than the survey's 150 ticks is not found; one that answers in
// 0.8 s passes the survey but every reading (limit 30 ticks) fails, and the recording is whole.
TEST(AdamRecording, SlowModules) {
    Simulator slower({"--device", "adam", "--fault", "slow", "--delay", "3.0"});
    ASSERT_TRUE(slower.ready());
    const ModuleRecording none = recordFrom("adam", slower, 2, 2, 0.25);
    EXPECT_EQ(none.run.status, 1) << none.run.output;

    Simulator slow({"--device", "adam", "--fault", "slow", "--delay", "0.8"});
    ASSERT_TRUE(slow.ready());
    const ModuleRecording r = recordFrom("adam", slow, 2, 2, 0.5);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok);
    for (size_t c = 0; c < 2; ++c) {
        for (size_t k = 0; k < 2; ++k) {
            EXPECT_FLOAT_EQ(r.file.file.recording.data[c][k], -99999.0f);
        }
    }
}

double quantised(double volts, double scale) {
    return static_cast<double>(std::lround(std::fabs(volts) * scale)) / scale *
           (volts < 0 ? -1.0 : 1.0);
}

// Eight channels from the ADC-1 with automatic gain: seven large signals read at low gain and
// one small one read again at high gain; the bytes of every conversion exactly.
TEST(Adc1Recording, EightChannelsWithAutomaticGain) {
    std::vector<std::string> args{"--device", "adc1", "--value", "8=ramp:0.004:-0.0005"};
    for (int k = 1; k <= 7; ++k) {
        args.push_back("--value");
        args.push_back(std::to_string(k) + "=ramp:" + std::to_string(0.05 * k - 0.2) + ":0.0125");
    }
    Simulator sim(args);
    ASSERT_TRUE(sim.ready());
    const int samples = 5;
    const ModuleRecording r = recordFrom("adc1", sim, 8, samples, 0.25);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok) << r.file.error;
    const Recording& rec = r.file.file.recording;
    EXPECT_EQ(rec.deviceCode, 4);
    ASSERT_EQ(rec.sampleCount, samples);
    std::string want;
    for (int k = 0; k < samples; ++k) {
        for (int c = 1; c <= 8; ++c) {
            const double sent = c == 8 ? 0.004 - 0.0005 * k : 0.05 * c - 0.2 + 0.0125 * k;
            const bool high = std::fabs(quantised(sent, 1e4)) < 0.00819;
            const double stored = high ? quantised(sent, 5e5) : quantised(sent, 1e4);
            EXPECT_FLOAT_EQ(rec.data[static_cast<size_t>(c - 1)][static_cast<size_t>(k)],
                            static_cast<float>(stored))
                << "channel " << c << " sample " << k + 1;
            want += bytes({c - 1, 161, 161, 145});
            if (high) {
                want += bytes({c + 16, 161, 161, 145});
            }
        }
    }
    EXPECT_EQ(sim.received(), want);
}

// A silent converter: the low-gain rule stores -99999.0 for every reading.
TEST(Adc1Recording, SilentConverter) {
    Simulator sim({"--device", "adc1", "--fault", "silence"});
    ASSERT_TRUE(sim.ready());
    const ModuleRecording r = recordFrom("adc1", sim, 2, 3, 0.5);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok);
    for (size_t c = 0; c < 2; ++c) {
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_FLOAT_EQ(r.file.file.recording.data[c][k], -99999.0f);
        }
    }
}

}  // namespace
}  // namespace trindel::integration
