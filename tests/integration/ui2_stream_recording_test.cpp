// Recording from the simulated Sable UI2 and streaming instrument: stored values against what
// the simulator sent, the command bytes, the shared instrument text and the time-outs.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>

#include "devices/instruments/instrument_line.h"
#include "devices/read_dispatch.h"
#include "files/recording_file_reader.h"
#include "platform/virtual_platform.h"
#include "run/device_connection.h"
#include "simulator.h"
#include "state/program.h"

namespace trindel::integration {
namespace {

struct CliRecording {
    CommandResult run;
    ReadResult file;
    double seconds = 0.0;
};
CliRecording record(const std::string& device, const Simulator& sim, int channels, int samples,
                    double interval) {
    static int n = 0;
    const std::string out = (scratchDir() / ("ui2rec" + std::to_string(++n) + ".kstn")).string();
    CliRecording r;
    const auto start = std::chrono::steady_clock::now();
    r.run = runCommand(std::string(CLI_PATH) + " record --device " + device + " --port " +
                       sim.port() + " --channels " + std::to_string(channels) + " --samples " +
                       std::to_string(samples) + " --interval " + std::to_string(interval) +
                       " -o " + out);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (r.run.status == 0) {
        r.file = readRecordingFile(out);
    }
    return r;
}

// The volts the program makes of what the simulated UI2 sent for `value` volts.
float ui2Volts(double value, bool wide) {
    const double scale = wide ? 6399.9 : 6553.5;
    const long raw = std::lround(value * scale) + 32768;
    return static_cast<float>((raw - 32768) / scale);
}

// Eight voltage inputs from a UI2, old and new firmware: every stored value is the one the
// simulator sent for that request, and the bytes sent are exactly the contact, the run's start
// byte and one command byte per reading.
TEST(UI2Recording, EightChannelsFromTheSimulatedUI2) {
    for (const int firmware : {150, 210}) {
        SCOPED_TRACE(firmware);
        std::vector<std::string> args{"--device", "ui2", "--firmware", std::to_string(firmware)};
        for (int k = 1; k <= 8; ++k) {
            args.push_back("--value");
            // Within the spike filter's 2 V of the start, so no reading is read twice.
            args.push_back(std::to_string(k) + "=ramp:" + std::to_string(0.2 * k - 0.9) + ":0.01");
        }
        Simulator sim(args);
        ASSERT_TRUE(sim.ready());
        const int samples = 10;
        const CliRecording r = record("ui2", sim, 8, samples, 0.1);
        ASSERT_EQ(r.run.status, 0) << r.run.output;
        ASSERT_TRUE(r.file.ok) << r.file.error;
        const Recording& rec = r.file.file.recording;
        EXPECT_EQ(rec.deviceCode, 8);
        ASSERT_EQ(rec.sampleCount, samples);
        for (int c = 1; c <= 8; ++c) {
            for (int k = 0; k < samples; ++k) {
                const double sent = 0.2 * c - 0.9 + 0.01 * k;
                EXPECT_FLOAT_EQ(rec.data[static_cast<size_t>(c - 1)][static_cast<size_t>(k)],
                                ui2Volts(sent, firmware > 199))
                    << "channel " << c << " sample " << k + 1;
            }
        }
        std::string want = "fe\xD0";
        for (int k = 0; k < samples; ++k) {
            for (int c = 1; c <= 8; ++c) {
                want.push_back(static_cast<char>(143 + c));
            }
        }
        EXPECT_EQ(sim.received(), want);
    }
}

// Connects through the library to a simulated UI2 with an instrument on its serial input.
struct UI2Bench {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    DeviceConnection connection;
    DeviceConnection::Result result;
    explicit UI2Bench(const Simulator& sim) {
        p.device.External_AD = 1;
        p.device.baudrate = 115200;
        result = connection.connect(p, io, sim.port());
    }
};

// Two channels on input 15 share one instrument text per scan; a voltage input read between
// instrument lines is never confused with the text.
TEST(UI2Recording, InputFifteenSharesOneTextPerScan) {
    Simulator sim({"--device", "ui2", "--instrument-rate", "20", "--field", "1=ramp:10:1",
                   "--field", "2=ramp:-5:0.5", "--value", "1=fixed:1.25"});
    ASSERT_TRUE(sim.ready());
    UI2Bench b(sim);
    ASSERT_TRUE(b.result.connected) << b.result.error;
    Program& p = b.p;
    p.session.nChan = 3;
    p.session.Sample = 1;
    p.channels.Nvar[1][kInputNumber] = 15;
    p.channels.Nvar[2][kInputNumber] = 1;
    p.channels.Nvar[3][kInputNumber] = 15;
    p.device.ADsensorType[1] = 1;
    p.device.ADsensorType[3] = 2;
    float previous = -1.0f;
    for (int scan = 1; scan <= 5; ++scan) {
        p.session.Sample = scan;
        ReadExternalADValue(p, b.io, 1, 0);
        const float first = p.device.volts;
        const std::string text = p.device.lastserialstring;
        ReadExternalADValue(p, b.io, 2, 0);
        EXPECT_FLOAT_EQ(p.device.volts, ui2Volts(1.25, true));
        ReadExternalADValue(p, b.io, 3, 0);
        const float second = p.device.volts;
        EXPECT_EQ(p.device.lastserialstring, text);
        // Field 1 ramps from 10 by 1 and field 2 from -5 by 0.5 on the same line.
        EXPECT_FLOAT_EQ(second, -5.0f + 0.5f * (first - 10.0f)) << text;
        EXPECT_GT(first, previous);
        previous = first;
    }
    // Only command bytes of input 1 went out after the contact: the text was never asked for.
    const std::string got = b.connection.port().isOpen() ? sim.received() : "";
    EXPECT_EQ(got, std::string("fe") + std::string(5, '\x90'));
}

// A UI2 that never answers raises the connection alert, within the contact's limit.
TEST(UI2Faults, SilentUI2RaisesTheConnectionAlert) {
    Simulator sim({"--device", "ui2", "--fault", "silence"});
    ASSERT_TRUE(sim.ready());
    const auto start = std::chrono::steady_clock::now();
    UI2Bench b(sim);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
    EXPECT_FALSE(b.result.connected);
    EXPECT_EQ(b.p.device.External_AD, 0);
    ASSERT_FALSE(b.vp.host.shown.empty());
    EXPECT_EQ(b.vp.host.shown.back().rfind("Connection Error: Caution:  UI2 not found!", 0), 0u);
}

// Input 15 with no instrument attached gives up after its limit and takes the failed-reading
// rule; a slow voltage reply likewise.
TEST(UI2Faults, InputFifteenAndSlowRepliesTimeOut) {
    Simulator sim({"--device", "ui2"});
    ASSERT_TRUE(sim.ready());
    UI2Bench b(sim);
    ASSERT_TRUE(b.result.connected);
    b.p.session.nChan = 1;
    b.p.session.Sample = 1;
    b.p.channels.Nvar[1][kInputNumber] = 15;
    const auto start = std::chrono::steady_clock::now();
    ReadExternalADValue(b.p, b.io, 1, 0);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FLOAT_EQ(b.p.device.volts, kEmptyField);
    EXPECT_GT(took, 1.0);
    EXPECT_LT(took, 3.0);
}

// The lines the simulator sent, split into fields.
std::vector<std::array<float, 17>> sentLines(const Simulator& sim) {
    std::vector<std::array<float, 17>> out;
    std::istringstream in(sim.sent());
    for (std::string line; std::getline(in, line, '\n');) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            out.push_back(splitInstrumentLine(line));
        }
    }
    return out;
}

// Eight channels from a streaming instrument, with and without a tag whose name holds a digit:
// every stored scan is one whole line the instrument sent, in order.
TEST(StreamRecording, EightChannelsFromTheSimulatedInstrument) {
    for (const std::string tag : {"", "O2analyzer"}) {
        SCOPED_TRACE(tag);
        std::vector<std::string> args{"--device", "stream", "--rate", "25"};
        if (!tag.empty()) {
            args.insert(args.end(), {"--tag", tag});
        }
        for (int k = 1; k <= 8; ++k) {
            args.push_back("--value");
            args.push_back(std::to_string(k) + "=ramp:" + std::to_string(10 * k) + ":0.5");
        }
        Simulator sim(args);
        ASSERT_TRUE(sim.ready());
        const int samples = 8;
        const CliRecording r = record("stream", sim, 8, samples, 0.1);
        sim.stop();
        ASSERT_EQ(r.run.status, 0) << r.run.output;
        ASSERT_TRUE(r.file.ok) << r.file.error;
        const Recording& rec = r.file.file.recording;
        EXPECT_EQ(rec.deviceCode, 6);
        ASSERT_EQ(rec.sampleCount, samples);
        const auto lines = sentLines(sim);
        size_t from = 0;
        for (int k = 0; k < samples; ++k) {
            std::array<float, 8> stored{};
            for (size_t c = 0; c < 8; ++c) {
                stored[c] = rec.data[c][static_cast<size_t>(k)];
            }
            // A tag takes fields 1 and 2 (empty); the values follow it.
            if (!tag.empty()) {
                EXPECT_FLOAT_EQ(stored[0], kEmptyField);
                EXPECT_FLOAT_EQ(stored[1], kEmptyField);
            }
            bool found = false;
            for (size_t i = from; i < lines.size() && !found; ++i) {
                bool same = true;
                for (size_t c = 0; c < 8; ++c) {
                    same = same && lines[i][c + 1] == stored[c];
                }
                if (same) {
                    found = true;
                    from = i + 1;
                }
            }
            EXPECT_TRUE(found) << "sample " << k + 1 << " is no line sent after the last one";
        }
    }
}

// An instrument that falls silent: each scan waits its limit, then every field is empty.
TEST(StreamFaults, SilentInstrumentGivesEmptyFields) {
    Simulator sim({"--device", "stream", "--fault", "silence"});
    ASSERT_TRUE(sim.ready());
    const CliRecording r = record("stream", sim, 2, 2, 0.1);
    ASSERT_EQ(r.run.status, 0) << r.run.output;
    ASSERT_TRUE(r.file.ok);
    for (size_t c = 0; c < 2; ++c) {
        for (size_t k = 0; k < 2; ++k) {
            EXPECT_FLOAT_EQ(r.file.file.recording.data[c][k], kEmptyField);
        }
    }
    EXPECT_LT(r.seconds, 10.0);
}

}  // namespace
}  // namespace trindel::integration
