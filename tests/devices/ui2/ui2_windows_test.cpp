#include "devices/ui2/ui2_windows.h"

#include <gtest/gtest.h>

#include "byte_fake_line.h"
#include "devices/serial/serial_port.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

TEST(UI2Windows, TemperatureModes) {
    Program p;
    setUI2TempMode(p, 2, UI2TempMode::Ohms);
    setUI2TempMode(p, 5, UI2TempMode::Volts);  // no T5: ignored
    EXPECT_EQ(p.device.ADsensorType[2], 2);
    EXPECT_EQ(ui2TempModeOf(p, 2), UI2TempMode::Ohms);
    p.device.External_AD = 1;
    p.channels.Nvar[3][kInputNumber] = 11;
    p.channels.Nvar[4][kInputNumber] = 15;
    EXPECT_EQ(ui2TempChannel(p, 3), 3);
    EXPECT_FALSE(ui2TempChannel(p, 4).has_value());
    p.device.External_AD = 2;
    EXPECT_FALSE(ui2TempChannel(p, 3).has_value());
    EXPECT_EQ(UI2TempChannelText::heading(3), "Options for input T3");
}

TEST(UI2Windows, SerialInstrumentOptions) {
    Program p;
    p.session.nChan = 2;
    SerialInstrumentsModel m(p);
    EXPECT_EQ(m.rows(), 2);
    m.setSerial(2, true);
    EXPECT_TRUE(m.serial(2));
    EXPECT_EQ(p.channels.Nvar[2][kInputNumber], 15.0f);
    m.setSerial(2, false);
    EXPECT_EQ(p.channels.Nvar[2][kInputNumber], 1.0f);
    m.setSerial(3, true);  // beyond nChan: nothing
    EXPECT_EQ(p.channels.Nvar[3][kInputNumber], 0.0f);
}

TEST(UI2Windows, FieldChoiceFromTheQuery) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    ByteFakeLine line;
    SerialPort port(line);
    std::string error;
    port.open("/dev/fake", 115200, error);
    int queries = 0;
    line.onByte = [&](unsigned char b) -> std::string {
        if (b != '\r') {
            return "";
        }
        // The first answer is too short; the UI2 is asked again.
        return ++queries == 1 ? "#x\r\n" : "#FoxBox,20.95,0.03 %,,7\r\n";
    };
    DeviceLink l{p, io, port};
    std::array<int, 14> draws{};
    const auto reply = SerialStringUpdate(l, draws);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(queries, 2);
    EXPECT_EQ(line.sent, "i\ri\r");
    SerialFieldChoiceModel m(p, 4);
    EXPECT_EQ(m.title(), "Select Serial Input, Channel4");
    m.setFields(*reply);
    EXPECT_EQ(m.fields(), 4);
    EXPECT_EQ(m.fieldChoiceText(2), "2:  0.03");
    EXPECT_EQ(m.fieldChoiceText(3), "3:  --");
    EXPECT_EQ(m.chosen(), 1);
    m.choose(2);
    m.setUpper("25");
    m.setLower("abc");  // not a number: the old limit stays
    p.channels.Nvar[4][kDisplayMin] = -1.0f;
    m.finish();
    EXPECT_EQ(p.device.ADsensorType[4], 2);
    EXPECT_EQ(p.channels.Nvar[4][kDisplayMax], 25.0f);
    EXPECT_EQ(p.channels.Nvar[4][kDisplayMin], -1.0f);
    // A UI2 that never answers: the query gives up.
    line.onByte = nullptr;
    EXPECT_FALSE(SerialStringUpdate(l, draws, 0.2).has_value());
    // The demonstration line.
    p.device.DemonstrationMODE = 1;
    draws.fill(20);
    const auto demo = SerialStringUpdate(l, draws);
    ASSERT_TRUE(demo.has_value());
    EXPECT_EQ(demo->header, "demo device");
    EXPECT_EQ(demo->fields.size(), 14u);
}

}  // namespace
}  // namespace trindel
