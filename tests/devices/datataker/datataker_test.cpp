#include "devices/datataker/datataker.h"

#include <gtest/gtest.h>

#include "devices/device_setup.h"
#include "devices/fake_serial_line.h"
#include "devices/read_dispatch.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

struct Logger {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    FakeSerialLine line;
    SerialPort port{line};
    DeviceLink link{p, io, port};

    explicit Logger(int16_t code) {
        p.device.External_AD = code;
        p.session.nChan = 4;
        p.session.Sample = 1;
        for (int c = 1; c <= 4; ++c) {
            p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
            p.device.DataTakerChannels[static_cast<size_t>(c)] = {1, 0, 0, 0, 0};
        }
        std::string error;
        port.open("/dev/fake", 9600, error);
        installDataTakerReaders(port);
    }
    ~Logger() { removeDataTakerReaders(); }
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;
};

TEST(ReadDataTaker, RepliesInTheLoggersUnits) {
    struct Case {
        int16_t code;
        DataTakerInput fields;
        const char* reply;
        const char* command;
        float volts;
    };
    const Case cases[] = {
        {2, {1, 0, 0, 1, 0}, "1500\r\n", "3 + V", 1.5f},       // millivolts to volts
        {4, {1, 0, 0, 0, 0}, "3V 1500.0 mV\r\n", "3V", 1.5f},  // name and unit tolerated
        {4, {0, 1, 2, 0, 0}, "21.5\r\n", "3TJ", 21.5f},        // degrees C as they come
        {3, {2, 0, 0, 0, 0}, "470.0\r\n", "3R(2W)", 470.0f},   // ohms
        {2, {1, 0, 0, 0, 1}, "1234\r\n", "3HSC", 1234.0f},     // counts
        {4, {1, 0, 0, 0, 0}, "12", "3V", -99999.0f},           // no line end: time-out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        Logger d(c.code);
        d.p.device.DataTakerChannels[3] = c.fields;
        d.line.responder = [&](const std::string&) { return std::string(c.reply); };
        ReadExternalADValue(d.p, d.io, 3, 1);
        ASSERT_EQ(d.line.commands.size(), 1u);
        EXPECT_EQ(d.line.commands[0], c.command);
        EXPECT_FLOAT_EQ(d.p.device.volts, c.volts);
        EXPECT_EQ(d.p.device.hardwareADchannel, 3);
        // Only the DT500/DT50 reader keeps the reading as the channel's last value.
        EXPECT_FLOAT_EQ(d.p.device.lastvoltage[3], c.code == 4 ? 0.0f : c.volts);
    }
}

// A CR LF reply stream: the LF left behind by one reply never turns the next reading into 0.
TEST(ReadDataTaker, CrLfRepliesReadInTurn) {
    Logger d(4);
    int n = 0;
    d.line.responder = [&](const std::string&) { return std::to_string(1000 + 10 * ++n) + "\r\n"; };
    for (int c = 1; c <= 4; ++c) {
        ReadExternalADValue(d.p, d.io, c, 1);
        EXPECT_FLOAT_EQ(d.p.device.volts, (1000.0f + 10.0f * static_cast<float>(c)) * 0.001f);
    }
}

// A reply that arrives after the time-out is not taken for a later channel's reading, whether it
// came before the next request or after it.
TEST(ReadDataTaker, LateReplyIsNotTakenForALaterReading) {
    Logger d(2);
    d.line.responder = [](const std::string&) { return std::string(); };
    ReadExternalADValue(d.p, d.io, 1, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, -99999.0f);
    d.line.incoming = "9999\r\n";  // the late reply to channel 1, before the next request
    d.line.responder = [](const std::string&) { return std::string("2000\r\n"); };
    ReadExternalADValue(d.p, d.io, 2, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, 2.0f);

    d.line.responder = [](const std::string&) { return std::string(); };
    ReadExternalADValue(d.p, d.io, 3, 1);
    // The late reply to channel 3 arrives after channel 4's request, ahead of its answer.
    d.line.responder = [](const std::string&) { return std::string("8888\r\n3000\r\n"); };
    ReadExternalADValue(d.p, d.io, 4, 1);
    EXPECT_FLOAT_EQ(d.p.device.volts, 3.0f);
}

TEST(ReadDataTaker, FailedReadings) {
    struct Case {
        const char* name;
        const char* reply;
        bool gone;
        int16_t sample;
        int16_t lastValuePref;
        float volts;
    };
    const Case cases[] = {
        {"silent, first sample, last value chosen", "", false, 1, 1, -99999.0f},
        {"silent, later sample, last value chosen", "", false, 5, 1, 0.25f},
        {"silent, never a good reading, last value chosen", "", false, 5, 1, -99999.0f},
        {"silent, later sample", "", false, 5, 0, -99999.0f},
        {"garbage", "#@!?~x\r\n", false, 5, 0, -99999.0f},
        {"port vanished", "1500\r\n", true, 5, 1, 0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Logger d(4);
        d.p.session.Sample = c.sample;
        d.p.prefs[kPrefBadReadingStore] = c.lastValuePref;
        d.p.device.SerialWarningBuzz = 1;
        if (std::string(c.name).find("never") == std::string::npos) {
            d.line.responder = [](const std::string&) { return std::string("250\r\n"); };
            ReadExternalADValue(d.p, d.io, 2, 1);  // the last good reading: 0.25 V
        }
        d.line.gone = c.gone;
        d.line.commands.clear();
        d.line.responder = [&](const std::string&) { return std::string(c.reply); };
        ReadExternalADValue(d.p, d.io, 2, 1);
        EXPECT_FLOAT_EQ(d.p.device.volts, c.volts);
        ASSERT_FALSE(d.vp.sounds.log.empty());
        EXPECT_EQ(d.vp.sounds.log.back(), "ALARMbuzz");
        if (c.gone) {
            EXPECT_TRUE(d.line.commands.empty());  // nothing is sent to a vanished port
        }
    }
}

TEST(DataTakerExchanges, ContactSequencesAndSpeeds) {
    {
        Logger d(4);
        d.p.device.baudrate = 57600;
        std::string error;
        ASSERT_TRUE(SetUpSerialPort(d.link, "/dev/fake", error)) << error;
        std::vector<std::string> want{"PH=115200"};
        for (const auto& c : dt800SetupCommands()) {
            want.push_back(c);
        }
        EXPECT_EQ(d.line.commands, want);
        EXPECT_EQ(d.line.openedAt.back(), 115200);
        EXPECT_EQ(d.line.openedAt[d.line.openedAt.size() - 2], 57600);
        EXPECT_EQ(d.p.prefs[kPrefSerialPortOpened], 1);
    }
    {
        Logger d(2);
        d.p.device.baudrate = 9600;
        d.line.commands.clear();
        d.line.responder = [](const std::string& cmd) { return cmd + "\r\n"; };  // echo on
        std::string error;
        ASSERT_TRUE(SetUpSerialPort(d.link, "/dev/fake", error));
        EXPECT_EQ(d.line.commands, dt500SetupCommands());
        EXPECT_EQ(d.line.openedAt.back(), 4800);
        EXPECT_EQ(d.port.available(), 0u);  // the echoes were dropped
    }
}

TEST(DataTakerExchanges, PresetsAndConversionModes) {
    Logger d(2);
    d.p.device.counterstart = 100;
    d.p.device.DataTakerChannels[3] = {0, 0, 0, 0, 1};
    presetCounters(d.p, d.port);
    EXPECT_EQ(d.line.commands, std::vector<std::string>{"3HSC= 100"});
    Logger e(4);
    e.p.session.mainsfrequency = 50;
    SwitchDT800ToLOWSpeed(e.p, e.io, e.port);
    ASSERT_EQ(e.line.commands.size(), 12u);
    EXPECT_EQ(e.line.commands[1], "P11=50");
    EXPECT_EQ(e.line.commands[7], "P11=50");
}

TEST(DataTakerExchanges, FirmwareCheckAtStartup) {
    {
        Logger d(2);
        d.line.responder = [](const std::string& cmd) {
            return cmd == "TEST0" ? std::string("DT500 V4.02 ROM 2A7F OK\r\n") : std::string();
        };
        const FirmwareResult r = GetFirmware(d.link, true);
        EXPECT_TRUE(r.answered);
        EXPECT_EQ(r.firmware, "DT500 V4.02 ROM 2A7F OK");
        EXPECT_EQ(d.p.device.External_AD, 2);
        EXPECT_EQ((std::vector<std::string>(d.line.commands.begin(), d.line.commands.end())),
                  (std::vector<std::string>{"/U", "TEST0", "/u"}));
    }
    for (const int16_t code : {2, 4}) {
        Logger d(code);
        d.vp.host.alertAnswers = {0};
        const FirmwareResult r = GetFirmware(d.link, true);
        EXPECT_FALSE(r.answered);
        EXPECT_FALSE(r.quit);
        EXPECT_EQ(d.p.device.External_AD, 0);
        EXPECT_EQ(d.p.device.DemonstrationMODE, 1);
        ASSERT_FALSE(d.vp.host.shown.empty());
        EXPECT_EQ(d.vp.host.shown.back().rfind("Connection Error: Caution:  " +
                                                   std::string(code == 4 ? "DT800" : "DataTaker") +
                                                   " not found!",
                                               0),
                  0u);
    }
    {
        Logger d(4);
        d.line.responder = [](const std::string& cmd) {
            return cmd == "STATUS1" ? std::string("aT800 V6.18 Flash 2048K\r\n") : std::string();
        };
        const FirmwareResult r = GetFirmware(d.link, false);
        EXPECT_TRUE(r.answered);
        EXPECT_EQ(r.firmware, "T800 V6.18 Flash 2048K");
        EXPECT_EQ(r.lines.back(), "\xA5  dT800 V6.1\r\tFlash 2048K");
    }
}

TEST(DataTakerExchanges, ResetEmptiesTheEchoesAndRunsTheSetUp) {
    Logger d(3);
    d.line.incoming = "junk\r\n1,2,3\r\n";
    d.line.responder = [](const std::string& cmd) { return cmd + "\r\n"; };  // echo on again
    std::string error;
    ASSERT_TRUE(ResetDataTaker(d.link, error));
    std::vector<std::string> want{"RESET"};
    for (const auto& c : dt500SetupCommands()) {
        want.push_back(c);
    }
    EXPECT_EQ(d.line.commands, want);
    EXPECT_EQ(d.port.available(), 0u);
    EXPECT_NEAR(d.vp.clock.GetCurrentTimeInSeconds(), 5.1, 0.01);
}

TEST(DataTakerExchanges, ConversionPresetSix) {
    Program p;
    DATATAKERBUTTON(p);
    EXPECT_EQ(p.conversion.buttonlbls.substr(5 * 25, 25),
              "\xA1"
              "C (Cu-Cn thermocouple)  ");
    EXPECT_EQ(p.conversion.butcomments.substr(5 * 30, 3),
              "\xA1"
              "C ");
    EXPECT_FLOAT_EQ(p.conversion.convert[8 * 9 + 2], 1.0f);
    EXPECT_FLOAT_EQ(p.conversion.convert[8 * 9 + 5], 45.0f);
}

}  // namespace
}  // namespace trindel
