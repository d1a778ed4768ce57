// Channels of the streaming instrument and of the UI2's serial input survive a set-up file:
// labels, the fields channels take and the UI2 field indexes come back as they were set.
#include <gtest/gtest.h>

#include "devices/instruments/serial_stream.h"
#include "devices/instruments/stream_channels_model.h"
#include "files/setup_file.h"
#include "state/program.h"

namespace trindel {
namespace {

TEST(StreamSetupRoundTrip, FieldsAndLabelsComeBack) {
    Program p;
    p.device.External_AD = 8;
    StreamChannelsModel m(p, "", std::nullopt);
    m.editLabel(3, "O2");
    m.editLabel(9, "CO2");
    for (const int k : {3, 5, 9}) {
        m.toggleSelect(k);
    }
    m.finish();
    // A UI2 channel's instrument field is kept with the set-up too.
    p.device.ADsensorType[2] = 4;
    const std::vector<uint8_t> bytes = setupFileBytes(p);

    Program q;
    q.device.External_AD = 8;
    applySetupState(q, parseSetupFile(bytes, setupStateOf(q), 1280));
    mapStreamFields(q);
    ASSERT_EQ(q.session.nChan, 3);
    EXPECT_EQ(q.channels.label(1), p.channels.label(1));
    EXPECT_EQ(q.channels.label(3).substr(0, 3), "CO2");
    for (size_t k = 1; k <= 16; ++k) {
        EXPECT_EQ(q.device.serialArray[k][2], p.device.serialArray[k][2]) << "field " << k;
    }
    EXPECT_EQ(q.device.ADsensorType[2], 4);
}

}  // namespace
}  // namespace trindel
