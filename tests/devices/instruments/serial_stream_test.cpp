#include "devices/instruments/serial_stream.h"

#include <gtest/gtest.h>

#include "../ui2/byte_fake_line.h"
#include "devices/device_table.h"
#include "devices/instruments/instrument_line.h"
#include "devices/serial/serial_port.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

struct Bench {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    ByteFakeLine line;
    SerialPort port{line};
    InstrumentText text;
    Bench() {
        std::string error;
        port.open("/dev/fake", 9600, error);
    }
};

// The freshest complete line is read; older ones and a partial one after it wait.
TEST(SerialStream, ReadsTheFreshestLine) {
    Bench b;
    b.line.incoming = "1,2,3\r\n4,5,6\r\n7,8";
    ASSERT_TRUE(ReadSerialStream(b.p, b.io, b.port, b.text, 0));
    EXPECT_FLOAT_EQ(b.p.device.serialArray[1][1], 4.0f);
    EXPECT_FLOAT_EQ(b.p.device.serialArray[3][1], 6.0f);
    EXPECT_FLOAT_EQ(b.p.device.serialArray[4][1], kEmptyField);
    EXPECT_FLOAT_EQ(b.p.device.volts, kEmptyField);  // field 16
    b.line.incoming = ",9\r\n";
    ASSERT_TRUE(ReadSerialStream(b.p, b.io, b.port, b.text, 0));
    EXPECT_FLOAT_EQ(b.p.device.serialArray[2][1], 8.0f);
    EXPECT_FLOAT_EQ(b.p.device.serialArray[3][1], 9.0f);
}

// No line in time: every field is empty and the fault warning sounds.
TEST(SerialStream, SilenceEmptiesEveryField) {
    Bench b;
    b.p.device.serialArray[2][1] = 3.0f;
    EXPECT_FALSE(ReadSerialStream(b.p, b.io, b.port, b.text, 0));
    for (size_t k = 1; k <= 16; ++k) {
        EXPECT_FLOAT_EQ(b.p.device.serialArray[k][1], kEmptyField);
    }
    EXPECT_EQ(b.vp.sounds.log.back(), "ALARMbuzz");
}

// Each chart channel takes the first field mapped to it, field 16 when none is; the line is read
// once, at the first channel of the scan.
TEST(SerialStream, ChannelsTakeTheirFields) {
    Bench b;
    installStreamReader(b.port);
    b.p.device.External_AD = 8;
    b.p.session.RecordingMODE = 1;
    auto& t = b.p.device.serialArray;
    t[3][2] = 1;
    t[5][2] = 2;
    t[9][2] = 3;
    b.line.incoming = "!!!:O2analyzer:20.9,0.04,1,2,3,4,5,6,7,8,9,10,11,12\r\n";
    const DeviceInfo& d = deviceInfo(8);
    EXPECT_FLOAT_EQ(readStreamChannel(b.p, b.io, d, 1), 20.9f);
    b.line.incoming = "1,1,1,1,1,1,1,1,1\r\n";  // not read until the next scan
    EXPECT_FLOAT_EQ(readStreamChannel(b.p, b.io, d, 2), 1.0f);
    EXPECT_FLOAT_EQ(readStreamChannel(b.p, b.io, d, 3), 5.0f);
    EXPECT_FLOAT_EQ(readStreamChannel(b.p, b.io, d, 4), 12.0f);  // unmapped: field 16
    removeStreamReader();
    // With no port the fields are empty.
    EXPECT_FLOAT_EQ(readStreamChannel(b.p, b.io, d, 1), kEmptyField);
}

TEST(SerialStream, InstrumentName) {
    Bench b;
    b.line.incoming = "!!!:O2analyzer:1,2\r\n";
    EXPECT_EQ(GetInstrumentName(b.port, b.text), "O2analyzer");
    b.line.incoming = "1,2\r\n";
    EXPECT_EQ(GetInstrumentName(b.port, b.text), "");
}

}  // namespace
}  // namespace trindel
