// Scope recordings through trindel-cli: a DT800 burst from the simulator saved exactly, and a
// scope-plus-chart recording on the demonstration source read back with trindel-cli info.
#include <gtest/gtest.h>

#include <filesystem>

#include "devices/datataker/dt800_burst.h"
#include "files/recording_file_reader.h"
#include "simulator.h"

namespace trindel::integration {
namespace {

TEST(ScopeRecording, DT800BurstIsSavedWithTheValuesTheSimulatorSent) {
    Simulator sim({"--device", "dt800", "--value", "1=ramp:800:3.25"});
    ASSERT_TRUE(sim.ready());
    const std::string root = (scratchDir() / "burst").string();
    const CommandResult run =
        runCommand(std::string(CLI_PATH) + " record --device dt800 --port " + sim.port() +
                   " --mode scope --scope-samples 200 --scope-interval 0.002"
                   " --sweeps 1 -o " +
                   root);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(sim.received().find("RX;BURST(400,2000) 1VNC\rX\r"), std::string::npos)
        << sim.received();
    // The readings the simulator sent after "X": the last 400 12-character fields it sent.
    const std::string sent = sim.sent();
    ASSERT_GE(sent.size(), 400u * 12u);
    std::vector<float> readings;
    parseBurstReadings(std::string_view(sent).substr(sent.size() - 400 * 12), readings);
    ASSERT_EQ(readings.size(), 400u);
    const ReadResult file = readRecordingFile(root + " 1");
    ASSERT_TRUE(file.ok) << file.error;
    const Recording& rec = file.file.recording;
    ASSERT_EQ(rec.sampleCount, 200);
    EXPECT_FLOAT_EQ(rec.sampleInterval, 0.002f);
    for (size_t i = 0; i < 200; ++i) {
        // Two readings a sample, in millivolts; channel 1 converts with a = 0, b = 1.
        const double mean = (double{readings[2 * i]} + double{readings[2 * i + 1]}) / 2.0;
        const float volts = 0.0f + 1.0f * (static_cast<float>(mean) * 0.001f);
        ASSERT_EQ(rec.data.at(0)[i], volts) << "sample " << i + 1;
    }
}

TEST(ScopeRecording, ScopePlusChartOnTheDemonstrationSourceReadsBack) {
    const std::string out = (scratchDir() / "scope-chart.kstn").string();
    const CommandResult run =
        runCommand(std::string(CLI_PATH) +
                   " record --mode scope-chart --channels 3 --interval 0.05 --samples 30"
                   " --scope-samples 100 --scope-interval 0.005 --sweeps 2 -o " +
                   out);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Saved 2 scope sweeps"), std::string::npos) << run.output;
    const CommandResult info = runCommand(std::string(CLI_PATH) + " info " + out);
    ASSERT_EQ(info.status, 0) << info.output;
    EXPECT_NE(info.output.find("Samples:     30 per channel"), std::string::npos) << info.output;
    const ReadResult file = readRecordingFile(out);
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_EQ(file.file.recording.sampleCount, 30);
    EXPECT_EQ(file.file.recording.writtenCount(), 2u) << "channels 2 and 3; 1 is the scope";
    EXPECT_TRUE(std::filesystem::exists(scratchDir() / "scope-chart scope 2"));
}

}  // namespace
}  // namespace trindel::integration
