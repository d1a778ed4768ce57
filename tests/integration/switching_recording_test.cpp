// Valve switching on the simulated DT800: the selection lines reach the logger between the scan
// requests at the scheduled passes, and the saved recording holds the switch markers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/recording_file_reader.h"
#include "files/setup_file.h"
#include "run/recording_setup.h"
#include "simulator.h"
#include "state/program.h"

namespace trindel::integration {
namespace {

constexpr double kInterval = 0.25;  // seconds
constexpr int kSamples = 80;        // 20 s
constexpr int kDiscardedPasses = 2;

// Mode 5 (periodic references), channels 1-3 on valve devices 2-4, reference device 1; a
// reference lasts 3 s (12 passes) and a sample device 6 s (24 passes).
std::string writeModeFiveSetup() {
    Program p;
    p.session.nChan = 3;
    p.session.MaxSamples = kSamples;
    p.session.ChartINTERVALinSECONDS = static_cast<float>(kInterval);
    setDefaultChannels(p.channels, 3, {});
    for (int row = 1; row <= 3; ++row) {
        p.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber] = static_cast<float>(row + 1);
        p.device.DataTakerChannels[static_cast<size_t>(row)][0] = 1;  // a voltage input
    }
    p.session.SwitchingMode = 5;
    p.switching.RefChan = 1;
    p.switching.refint = 0.05f;
    p.switching.switchint = 0.1f;
    p.prefs[kPrefMarkerAtDeviceSwitch] = 1;  // R and S markers at each switch
    const std::string path = (scratchDir() / "mode5.set").string();
    const std::string error = writeSetupFile(p, path);
    EXPECT_EQ(error, "");
    return path;
}

// The selections the logger received after its contact, each with the number of scan passes
// requested before it (a pass starts with the request for input 1). The output code is the
// three-bit word (the preference is not part of a set-up file): outputs 1-3 carry d - 1.
struct Selection {
    int passesBefore;
    int device;
};
std::vector<Selection> selections(const std::string& received) {
    std::vector<std::string> lines;
    for (size_t i = 0, end; (end = received.find('\r', i)) != std::string::npos; i = end + 1) {
        lines.push_back(received.substr(i, end - i));
    }
    const auto contactEnd = std::find(lines.begin(), lines.end(), "1SSPWR=1");
    std::vector<Selection> out;
    int passes = 0;
    for (auto it = contactEnd; it != lines.end(); ++it) {
        if (*it == "1V") {
            ++passes;
        } else if (it->starts_with("1DSO=") && lines.end() - it >= 3) {
            int k = 0;
            for (int bit = 0; bit < 3; ++bit) {
                const std::string& line = *(it + bit);
                EXPECT_EQ(line.substr(0, 5), std::to_string(bit + 1) + "DSO=");
                k |= (line.back() == '1' ? 1 : 0) << bit;
            }
            out.push_back({passes, k + 1});
            it += 2;
        }
    }
    return out;
}

TEST(SwitchingRecording, ModeFiveOnTheSimulatedDT800) {
    Simulator sim({"--device", "dt800", "--value", "all=fixed:100"});
    ASSERT_TRUE(sim.ready());
    const std::string setup = writeModeFiveSetup();
    const std::string out = (scratchDir() / "mode5.kstn").string();
    const CommandResult run = runCommand(std::string(CLI_PATH) + " record --device dt800 --port " +
                                         sim.port() + " --setup " + setup + " -o " + out);
    ASSERT_EQ(run.status, 0) << run.output;

    // Reference before the run, then R,2,R,3,R,... at the scheduled passes: device 2 after one
    // reference (12 passes), back to the reference after 24 more, device 3 after 12 more...
    const std::vector<Selection> got = selections(sim.received());
    ASSERT_GE(got.size(), 5u) << sim.received();
    EXPECT_EQ(got[0].device, 1);
    EXPECT_LE(got[0].passesBefore, kDiscardedPasses);
    const struct {
        int device;
        int sample;  // the recording's sample at which the switch is due
    } want[] = {{2, 12}, {1, 36}, {3, 48}, {1, 72}};
    for (size_t k = 0; k < std::size(want); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(got[k + 1].device, want[k].device);
        // The schedule runs on the wall clock: on a loaded machine a pass may be taken late, so
        // the switch may come one pass more than the nominal one later.
        const int sample = got[k + 1].passesBefore - kDiscardedPasses;
        EXPECT_NEAR(sample, want[k].sample, 2);
    }

    // The saved file: an S marker where each sample device started, an R at each reference.
    const ReadResult file = readRecordingFile(out);
    ASSERT_TRUE(file.ok) << file.error;
    const Recording& rec = file.file.recording;
    ASSERT_EQ(rec.sampleCount, kSamples);
    std::vector<Marker> markers = rec.markers;
    ASSERT_GE(markers.size(), 4u);
    const struct {
        int code;
        int sample;
    } marks[] = {{'S', 12}, {'R', 36}, {'S', 48}, {'R', 72}};
    for (size_t k = 0; k < std::size(marks); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(markers[k].code, marks[k].code);
        EXPECT_NEAR(markers[k].slot, marks[k].sample, 2);
        // The marker stands at the pass whose selection the logger received.
        EXPECT_NEAR(markers[k].slot, got[k + 1].passesBefore - kDiscardedPasses, 1);
    }
}

}  // namespace
}  // namespace trindel::integration
