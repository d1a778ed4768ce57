// Recording from the simulated dataTaker loggers: values, command bytes and fault modes.
#include <gtest/gtest.h>

#include <chrono>

#include "devices/datataker/datataker_protocol.h"
#include "files/recording_file_reader.h"
#include "platform/virtual_platform.h"
#include "run/device_connection.h"
#include "simulator.h"
#include "state/program.h"

namespace trindel::integration {
namespace {

std::string cli() {
    return CLI_PATH;
}

// Records `samples` samples of `channels` channels and reads the file back.
struct CliRecording {
    CommandResult run;
    ReadResult file;
    double seconds = 0.0;
};
CliRecording record(const std::string& device, const Simulator& sim, int channels, int samples,
                    double interval) {
    static int n = 0;
    const std::string out = (scratchDir() / ("rec" + std::to_string(++n) + ".kstn")).string();
    CliRecording r;
    const auto start = std::chrono::steady_clock::now();
    r.run =
        runCommand(cli() + " record --device " + device + " --port " + sim.port() + " --channels " +
                   std::to_string(channels) + " --samples " + std::to_string(samples) +
                   " --interval " + std::to_string(interval) + " -o " + out);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (r.run.status == 0) {
        r.file = readRecordingFile(out);
    }
    return r;
}

std::string commandBytes(const std::vector<std::string>& commands) {
    std::string out;
    for (const auto& c : commands) {
        out += c + "\r";
    }
    return out;
}

// 16 channels from a simulated DT800: each input ramps by its own rule, and every stored value
// is what the simulator sent for that request, in volts. The first two requests of each input
// are the discarded passes before the run.
TEST(DataTakerRecording, SixteenChannelsFromTheSimulatedDT800) {
    std::vector<std::string> args{"--device", "dt800"};
    for (int k = 1; k <= 16; ++k) {
        args.push_back("--value");
        args.push_back(std::to_string(k) + "=ramp:" + std::to_string(100 * k) + ":-1.5");
    }
    Simulator sim(args);
    ASSERT_TRUE(sim.ready());
    const int samples = 12;
    const CliRecording r = record("dt800", sim, 16, samples, 0.25);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok) << r.file.error;
    const Recording& rec = r.file.file.recording;
    EXPECT_EQ(rec.deviceCode, 800);
    ASSERT_EQ(rec.writtenCount(), 16u);
    ASSERT_EQ(rec.sampleCount, samples);
    for (int c = 1; c <= 16; ++c) {
        for (int k = 0; k < samples; ++k) {
            const double sentMillivolts = 100.0 * c - 1.5 * (k + 2);
            EXPECT_FLOAT_EQ(rec.data[static_cast<size_t>(c - 1)][static_cast<size_t>(k)],
                            static_cast<float>(sentMillivolts * 0.001))
                << "channel " << c << " sample " << k + 1;
        }
    }
    // The contact and set-up bytes, exactly, then the firmware check.
    const std::string got = sim.received();
    const std::string contact = commandBytes({"PH=115200"}) + commandBytes(dt800SetupCommands()) +
                                commandBytes({"/U", "STATUS1", "/U", "STATUS1", "/u"}) +
                                commandBytes(dt800SpeedCommands(false, false, 60)) +
                                commandBytes(dt800SpeedCommands(false, false, 60));
    EXPECT_EQ(got.substr(0, contact.size()), contact);
    std::string scans;
    for (int pass = 0; pass < samples + 2; ++pass) {
        for (int c = 1; c <= 16; ++c) {
            scans += std::to_string(c) + "V\r";
        }
    }
    EXPECT_EQ(got.substr(contact.size()), scans);
}

TEST(DataTakerRecording, DT500AndDT50ContactBytes) {
    for (const std::string device : {"dt500", "dt50"}) {
        SCOPED_TRACE(device);
        Simulator sim({"--device", device, "--value", "all=fixed:1234.5"});
        ASSERT_TRUE(sim.ready());
        const CliRecording r = record(device, sim, 2, 3, 0.1);
        ASSERT_EQ(r.run.status, 0) << r.run.output;
        ASSERT_TRUE(r.file.ok) << r.file.error;
        EXPECT_EQ(r.file.file.recording.deviceCode, 5);
        EXPECT_FLOAT_EQ(r.file.file.recording.data[1][2], 1.2345f);
        std::string want = commandBytes(dt500SetupCommands());
        if (device == "dt500") {
            want += commandBytes({"/U", "TEST0", "/u"});
        }
        want += commandBytes({"1V", "2V", "1V", "2V", "1V", "2V"});
        EXPECT_EQ(sim.received(), want);
    }
}

// A silent logger ends in the connection alert: the program goes on in the demonstration mode.
TEST(DataTakerFaults, SilentLoggerRaisesTheConnectionAlert) {
    Simulator sim({"--device", "dt800", "--fault", "silence"});
    ASSERT_TRUE(sim.ready());
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.External_AD = 4;
    p.device.baudrate = 57600;
    DeviceConnection connection;
    const auto start = std::chrono::steady_clock::now();
    const auto result = connection.connect(p, io, sim.port());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              10.0);
    EXPECT_FALSE(result.connected);
    EXPECT_EQ(p.device.External_AD, 0);
    EXPECT_EQ(p.device.DemonstrationMODE, 1);
    ASSERT_FALSE(vp.host.shown.empty());
    EXPECT_EQ(vp.host.shown.back().rfind("Connection Error: Caution:  DT800 not found!", 0), 0u);
    // The command line says so and fails.
    const CliRecording r = record("dt800", sim, 2, 2, 0.1);
    EXPECT_EQ(r.run.status, 1);
    EXPECT_NE(r.run.output.find("no answer from the DT800"), std::string::npos) << r.run.output;
}

// Garbage and replies slower than the time-out become failed readings (with no good reading
// ever, "Last Sample Value" has nothing to repeat); the recording is whole.
TEST(DataTakerFaults, GarbageAndSlowRepliesAreFailedReadings) {
    struct Case {
        const char* device;
        std::vector<std::string> fault;
    };
    const Case cases[] = {{"dt800", {"--fault", "garbage"}},
                          {"dt500", {"--fault", "slow", "--delay", "0.8"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault[1]);
        std::vector<std::string> args{"--device", c.device};
        args.insert(args.end(), c.fault.begin(), c.fault.end());
        Simulator sim(args);
        ASSERT_TRUE(sim.ready());
        const CliRecording r = record(c.device, sim, 2, 3, 0.5);
        ASSERT_EQ(r.run.status, 0) << r.run.output;
        ASSERT_TRUE(r.file.ok);
        ASSERT_EQ(r.file.file.recording.sampleCount, 3);
        for (size_t ch = 0; ch < 2; ++ch) {
            for (size_t k = 0; k < 3; ++k) {
                EXPECT_FLOAT_EQ(r.file.file.recording.data[ch][k], -99999.0f);
            }
        }
    }
}

// Replies that arrive in two pieces are read whole.
TEST(DataTakerFaults, PartialLinesAreReadWhole) {
    Simulator sim({"--device", "dt50", "--fault", "partial", "--value", "all=ramp:200:25"});
    ASSERT_TRUE(sim.ready());
    const CliRecording r = record("dt50", sim, 1, 3, 0.5);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok);
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(r.file.file.recording.data[0][k],
                        static_cast<float>((200.0 + 25.0 * static_cast<double>(k)) * 0.001));
    }
}

// The adapter is pulled after the third scan: the rest are failed readings (the last good value,
// as "Last Sample Value" is the default), the recording goes on to its end without waiting on
// the dead port, and the user is told.
TEST(DataTakerFaults, UnpluggedMidRun) {
    Simulator sim({"--device", "dt800", "--stop-after", "20", "--value", "all=ramp:500:10"});
    ASSERT_TRUE(sim.ready());
    const CliRecording r = record("dt800", sim, 4, 8, 0.25);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok);
    const Recording& rec = r.file.file.recording;
    ASSERT_EQ(rec.sampleCount, 8);
    for (size_t ch = 0; ch < 4; ++ch) {
        for (size_t k = 0; k < 8; ++k) {
            const double sent = 500.0 + 10.0 * static_cast<double>(std::min<size_t>(k, 2) + 2);
            EXPECT_FLOAT_EQ(rec.data[ch][k], static_cast<float>(sent * 0.001)) << ch << " " << k;
        }
    }
    EXPECT_NE(r.run.output.find("not answering"), std::string::npos) << r.run.output;
    EXPECT_LT(r.seconds, 12.0);
}

}  // namespace
}  // namespace trindel::integration
