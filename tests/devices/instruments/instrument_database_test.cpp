#include "devices/instruments/instrument_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "devices/instruments/stream_channels_model.h"
#include "state/program.h"

namespace trindel {
namespace {

TEST(InstrumentDatabase, RecordText) {
    InstrumentRecord r{"O2analyzer", "Fox Box", {"O2 %", "", "CO2, %"}};
    EXPECT_EQ(instrumentRecordText(r), "\rO2analyzer,  3, Fox Box, O2 %,,CO2  %\r");
}

// A record written by the program and read back lines every label up with its row, unlabelled
// rows included; the last record of an instrument wins; a label never comes from the next record.
TEST(InstrumentDatabase, RoundTripKeepsRows) {
    InstrumentRecord a{"FC10", "flow", {"flow", "", "temp"}};
    InstrumentRecord b{"O2analyzer", "Fox", {"O2"}};
    InstrumentRecord a2{"FC10", "flow 2", {"f2"}};
    const std::string text =
        instrumentRecordText(a) + instrumentRecordText(b) + instrumentRecordText(a2);
    const auto got = findInstrument(text, "O2analyzer");
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->labels, b.labels);
    EXPECT_EQ(got->displayName, "Fox");
    const auto fc = findInstrument(text, "FC10");
    ASSERT_TRUE(fc.has_value());
    EXPECT_EQ(fc->displayName, "flow 2");
    EXPECT_EQ(fc->labels, a2.labels);
    EXPECT_EQ(findInstrument(instrumentRecordText(a), "FC10")->labels, a.labels);
    EXPECT_FALSE(findInstrument(text, "flow").has_value());  // only tags match
    EXPECT_FALSE(findInstrument("", "FC10").has_value());
    // A count larger than the labels present stops at the end of its line.
    EXPECT_EQ(findInstrument("\rX,  9, d, a,b\rY,  1, e, c\r", "X")->labels,
              (std::vector<std::string>{"a", "b"}));
}

// The window's "Add to Instrument Database" and a later look-up through the file: the labels come
// back on the rows they were typed on.
TEST(InstrumentDatabase, WindowRoundTripThroughTheFile) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("trindel-db-" + std::to_string(::getpid()) + ".txt");
    std::filesystem::remove(path);
    Program p;
    StreamChannelsModel m(p, "O2analyzer", std::nullopt);
    m.setValues(splitInstrumentLine("!!!:O2analyzer:20.9,0.04,22.5"));
    m.editLabel(3, "O2");
    m.editLabel(5,
                "temp \xA1"
                "C");
    const InstrumentRecord r = m.databaseRecord("Fox Box");
    EXPECT_EQ(r.labels, (std::vector<std::string>{"O2", "",
                                                  "temp \xA1"
                                                  "C"}));
    std::string error;
    ASSERT_TRUE(UpdateSerialInstrumentList(path.string(), r, error)) << error;
    const auto back = SerialDeviceName(path.string(), "O2analyzer");
    ASSERT_TRUE(back.has_value());
    StreamChannelsModel again(p, "O2analyzer", back);
    EXPECT_EQ(again.label(3), "O2");
    EXPECT_EQ(again.label(4), std::string(kEnterLabel));
    EXPECT_EQ(again.label(5),
              "temp \xA1"
              "C");
    EXPECT_EQ(again.instrumentLine(), "Instrument:   Fox Box");
    // Rows past the last labelled one are hidden, down to row 7.
    EXPECT_EQ(again.rows(), 6);
    std::ifstream in(path, std::ios::binary);
    std::string onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(onDisk.find("temp \xC2\xB0"
                          "C"),
              std::string::npos);  // UTF-8 on disk
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace trindel
