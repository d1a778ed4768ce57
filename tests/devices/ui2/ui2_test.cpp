#include "devices/ui2/ui2.h"

#include <gtest/gtest.h>

#include "byte_fake_line.h"
#include "devices/device_table.h"
#include "devices/instruments/instrument_line.h"
#include "devices/serial/serial_port.h"
#include "devices/ui2/ui2_protocol.h"
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
    UI2Line ui2{port};
    Bench() {
        std::string error;
        port.open("/dev/fake", 115200, error);
        p.session.nChan = 4;
        p.session.Sample = 1;
    }
    float read(int channel, int input) {
        p.channels.Nvar[static_cast<size_t>(channel)][kInputNumber] = static_cast<float>(input);
        ReadSABLE(p, io, ui2, channel, 0);
        return p.device.volts;
    }
};

std::string bytes(int low, int high) {
    return {static_cast<char>(low), static_cast<char>(high)};
}

TEST(UI2Reading, ScalesEachKindOfInput) {
    Bench b;
    int raw = 0;
    b.line.onByte = [&](unsigned char) { return bytes(raw % 256, raw / 256); };
    struct Case {
        int input;
        int16_t mode;  // ADsensorType of the T input
        int raw;
        int command;
        float want;
    };
    const Case cases[] = {
        {3, 0, 32768, 146, 0.0f},
        {9, 0, 30000, 176, 25.0f},
        {10, 1, 0, 181, 0.0f},
        {13, 0, 4242, 99, 4242.0f},
    };
    for (const Case& c : cases) {
        if (c.input >= 9 && c.input <= 12) {
            b.p.device.ADsensorType[static_cast<size_t>(c.input - 8)] = c.mode;
        }
        raw = c.raw;
        b.line.sent.clear();
        EXPECT_NEAR(b.read(1, c.input), c.want, 1e-4) << c.input;
        EXPECT_EQ(b.line.sent, std::string(1, static_cast<char>(c.command))) << c.input;
        EXPECT_FLOAT_EQ(b.p.device.lastvoltage[1], b.p.device.volts);
    }
}

// Instrument text arriving before and with a reply is kept apart: the reply is the two bytes
// after the text, the CR's late LF does not shift it, and input 15 then reads that text.
TEST(UI2Reading, InstrumentTextBetweenRepliesIsNotAReading) {
    Bench b;
    b.line.incoming = "Box,1.5,2\r";  // arrived between scans, its LF still on the way
    b.line.onByte = [](unsigned char) { return std::string("\nBox,3.5,4\r\n") + bytes(0, 128); };
    EXPECT_FLOAT_EQ(b.read(1, 2), 0.0f);
    // The next reply is read whole, not shifted by a left-over byte.
    b.line.onByte = [](unsigned char) { return bytes(255, 255); };
    EXPECT_NEAR(b.read(2, 2), 5.0f, 1e-3);
    b.p.device.ADsensorType[3] = 2;
    EXPECT_FLOAT_EQ(b.read(3, 15), 4.0f);  // the freshest line, field 2
    EXPECT_EQ(b.p.device.lastserialstring, "Box,3.5,4");
}

// Two channels on input 15 in one scan share one text; the second does not touch the port.
TEST(UI2Reading, InputFifteenSharesOneTextPerScan) {
    Bench b;
    b.line.incoming = "Box,10,20\r\n";
    b.p.device.ADsensorType[1] = 1;
    b.p.device.ADsensorType[2] = 2;
    EXPECT_FLOAT_EQ(b.read(1, 15), 10.0f);
    b.line.incoming = "Box,11,21\r\n";
    EXPECT_FLOAT_EQ(b.read(2, 15), 20.0f);
    EXPECT_EQ(b.line.incoming, "Box,11,21\r\n");
    // The next scan reads afresh.
    b.p.session.Sample = 2;
    EXPECT_FLOAT_EQ(b.read(1, 15), 11.0f);
}

TEST(UI2Reading, FailuresTakeTheBadReadingRule) {
    Bench b;
    EXPECT_FLOAT_EQ(b.read(1, 4), kBadReading);  // silent
    EXPECT_EQ(b.vp.sounds.log.back(), "ALARMbuzz");
    b.line.onByte = [](unsigned char) { return bytes(0, 129); };
    const float good = b.read(1, 4);
    b.line.onByte = nullptr;
    b.p.prefs[kPrefBadReadingStore] = 1;
    b.p.session.Sample = 2;
    EXPECT_FLOAT_EQ(b.read(1, 4), good);  // "Last Sample Value"
    // Input 15 with a text that has no such field.
    b.line.incoming = "Box,1\r\n";
    b.p.device.ADsensorType[2] = 5;
    b.p.prefs[kPrefBadReadingStore] = 0;
    EXPECT_FLOAT_EQ(b.read(2, 15), kBadReading);
    // An input the UI2 does not have leaves volts alone and sends nothing.
    b.line.sent.clear();
    b.p.device.volts = 7.0f;
    EXPECT_FLOAT_EQ(b.read(1, 16), 7.0f);
    EXPECT_TRUE(b.line.sent.empty());
}

TEST(UI2Contact, VersionsAndSpan) {
    struct Case {
        const char* reply;
        bool answered, accepted;
        int16_t pref34;
    };
    const Case cases[] = {
        {"210\r\n", true, true, 1},
        {"150\r\n", true, true, 0},
        {"100\r\n", true, false, 0},
        {"", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        Bench b;
        b.line.onByte = [&](unsigned char byte) { return byte == 'e' ? c.reply : ""; };
        std::vector<std::string> lines;
        DeviceLink l{b.p, b.io, b.port};
        l.progress = [&](const std::string& s) { lines.push_back(s); };
        const UI2Contact r = contactUI2(l);
        EXPECT_EQ(r.answered, c.answered);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(b.p.prefs[kPrefUI2NewFirmware], c.pref34);
        EXPECT_EQ(b.line.sent, "fe");
        EXPECT_EQ(b.line.openedAt, (std::vector<int32_t>{115200, 115200}));
        if (c.accepted) {
            EXPECT_EQ(lines.back(), "\xA5   UI2 firmware version " + std::string(c.reply, 3));
        }
    }
}

TEST(UI2Contact, FirmwareWindowAndRunStart) {
    Bench b;
    b.line.onByte = [](unsigned char byte) {
        return byte == 'e' ? std::string("210\r\n") : byte == 208 ? "ready\r\n" : "";
    };
    DeviceLink l{b.p, b.io, b.port};
    const UI2Firmware f = ui2GetFirmware(l);
    ASSERT_TRUE(f.answered);
    EXPECT_EQ(f.version, "210");
    EXPECT_EQ(f.lines, ui2FirmwareLines("210"));
    ui2PrepareRun(b.io, b.port);
    EXPECT_EQ(b.line.sent, "e\xD0");
    EXPECT_EQ(b.port.available(), 0u);
    b.line.onByte = nullptr;
    EXPECT_FALSE(ui2GetFirmware(l).answered);
}

TEST(UI2Protocol, LeadingText) {
    EXPECT_EQ(ui2LeadingText("Box,1\r\n\x01\x80", false), 7u);
    EXPECT_EQ(ui2LeadingText("\n\x01\x80", true), 1u);
    EXPECT_EQ(ui2LeadingText("\n\x01\x80", false), 0u);  // a reply whose low byte is 10
    EXPECT_EQ(ui2LeadingText("\x01\x80", false), 0u);
    EXPECT_EQ(ui2LeadingText("12", false), 0u);  // printable reply bytes with no line end
}

}  // namespace
}  // namespace trindel
