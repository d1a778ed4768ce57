#include "devices/instruments/stream_channels_model.h"

#include <gtest/gtest.h>

#include "state/program.h"

namespace trindel {
namespace {

// Selecting fields 3, 5 and 9 makes them chart channels 1, 2 and 3 with inputs 3, 5 and 9.
TEST(StreamChannels, SelectedFieldsBecomeChannels) {
    Program p;
    StreamChannelsModel m(p, "", std::nullopt);
    EXPECT_EQ(m.rows(), 16);
    EXPECT_EQ(m.heading(), "Streaming serial channels");
    EXPECT_FALSE(m.okEnabled());
    m.editLabel(5, "flow");
    for (const int k : {9, 3, 5}) {
        m.toggleSelect(k);
    }
    EXPECT_TRUE(m.okEnabled());
    EXPECT_EQ(p.session.nChan, 3);
    const int inputs[] = {3, 5, 9};
    for (int c = 1; c <= 3; ++c) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        EXPECT_EQ(row[kInputNumber], inputs[c - 1]);
        EXPECT_EQ(p.channels.conversionType(c), 1.0f);
        EXPECT_EQ(row[kCoeffB], 1.0f);
        EXPECT_EQ(row[kDisplayMax], 5.0f);
        EXPECT_EQ(row[kDisplayMin], 0.0f);
        EXPECT_EQ(p.device.serialArray[static_cast<size_t>(inputs[c - 1])][2], c);
    }
    EXPECT_EQ(p.channels.label(2).substr(0, 4), "flow");
    EXPECT_EQ(p.channels.label(1).substr(0, 10), "variable 3");
    EXPECT_EQ(m.channelText(9), "3");
    EXPECT_EQ(m.channelText(4), "");
    m.toggleSelect(3);  // deselect: the others move up
    EXPECT_EQ(p.session.nChan, 2);
    EXPECT_EQ(p.device.serialArray[3][2], 0.0f);
    EXPECT_EQ(p.device.serialArray[5][2], 1.0f);
    p.session.MaxSamples = 0;
    m.finish();
    EXPECT_EQ(p.session.RecordingMODE, 1);
    EXPECT_EQ(p.session.MaxSamples, p.prefs[kPrefWindowWidth]);
}

TEST(StreamChannels, ValuesAndTagHeading) {
    Program p;
    StreamChannelsModel m(p, "O2analyzer", std::nullopt);
    EXPECT_EQ(m.heading(), "Streaming serial data setup");
    EXPECT_EQ(m.instrumentLine(), "Instrument:   O2analyzer");
    EXPECT_EQ(m.rows(), 6);  // no labels known: rows 16 down to 7 are hidden
    m.setValues(splitInstrumentLine("!!!:O2analyzer:20.9,x"));
    EXPECT_EQ(m.rows(), 6);
    EXPECT_EQ(m.valueText(1), "--");
    EXPECT_EQ(m.valueText(3), "20.9");
    EXPECT_EQ(m.valueText(4), "--");
    EXPECT_EQ(m.variableText(3), "variable 3:");
    m.setValues(splitInstrumentLine("!!!:O2analyzer:1,2,3,4,5,6"));
    EXPECT_EQ(m.rows(), 8);  // a field holding a value is never hidden
}

}  // namespace
}  // namespace trindel
