#include "devices/adam/adam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "devices/fake_serial_line.h"
#include "devices/read_dispatch.h"
#include "platform/virtual_platform.h"
#include "run/device_connection.h"
#include "state/program.h"

namespace trindel {
namespace {

// A network of modules answering from a table of replies (no entry: silence).
struct Network {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    FakeSerialLine line;
    SerialPort port{line};
    DeviceLink link{p, io, port};
    std::map<std::string, std::string> replies;
    std::vector<std::string> progress;

    Network() {
        p.device.External_AD = 5;
        p.menus.Sound_Is_On = 1;
        std::string error;
        port.open("/dev/fake", 9600, error);
        line.responder = [this](const std::string& command) {
            const auto it = replies.find(command);
            return it == replies.end() ? std::string() : it->second;
        };
        link.progress = [this](const std::string& l) { progress.push_back(l); };
    }
    bool played(const std::string& sound) const {
        const auto& log = vp.sounds.log;
        return std::find(log.begin(), log.end(), sound) != log.end();
    }
};

TEST(AdamSurvey, FindsThePrimaryAndA4019AtAddress03) {
    Network n;
    n.replies = {{"$01M", "!014019\r"},
                 {"$01F", "!01A1.05\r"},
                 {"$03M", "!034019\r"},
                 {"$03F", "!03A1.05\r"}};
    const AdamSurvey s = contactADAM(n.link);
    EXPECT_TRUE(s.primary);
    EXPECT_EQ(s.id, "4019");
    EXPECT_EQ(s.firmware, "A1.05");
    EXPECT_FALSE(s.adam4050);
    EXPECT_EQ(n.p.prefs[kPrefAdamModule], 11);
    EXPECT_EQ(n.p.prefs[kPrefDeviceInputs], 16);
    EXPECT_EQ(n.line.sent, "$01M\r$01F\r$02M\r$03M\r$03F\r");
    const std::vector<std::string> want{
        "\xA5   Contacting ADAM-4019...", "ADAM module ID:    4019 at address 01",
        "Firmware version:   A1.05", "*** ADAM-4019 located at address 03"};
    EXPECT_EQ(n.progress, want);
}

TEST(AdamSurvey, ModulesAtAddresses02And03) {
    struct Case {
        const char* third;
        int16_t prefs47;
        int16_t inputs;
    };
    const Case cases[] = {
        {"!034017\r", 10, 16}, {"!034019\r", 11, 16}, {"!034050\r", 0, 8}, {nullptr, 0, 8}};
    for (const Case& c : cases) {
        Network n;
        n.p.prefs[kPrefAdamModule] = 11;  // from an earlier survey: cleared when none answers
        n.replies = {{"$01M", "!014019\r"}, {"$01F", "!01A1.05\r"}, {"$02M", "!024050\r"}};
        if (c.third != nullptr) {
            n.replies["$03M"] = c.third;
        }
        const AdamSurvey s = contactADAM(n.link);
        EXPECT_TRUE(s.adam4050);
        EXPECT_EQ(n.p.prefs[kPrefAdamModule], c.prefs47);
        EXPECT_EQ(n.p.prefs[kPrefDeviceInputs], c.inputs);
    }
}

// A silent primary module: the connection alert names the ADAM-4019 and the program goes on in
// the demonstration mode.
TEST(AdamSurvey, SilentPrimaryRaisesTheConnectionAlert) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    p.device.External_AD = 5;
    auto line = std::make_unique<FakeSerialLine>();
    FakeSerialLine* fake = line.get();
    DeviceConnection connection(std::move(line));
    const auto r = connection.connect(p, io, "/dev/fake");
    EXPECT_FALSE(r.connected);
    EXPECT_EQ(fake->sent, "$01M\r");
    EXPECT_EQ(p.device.External_AD, 0);
    EXPECT_EQ(p.device.DemonstrationMODE, 1);
    ASSERT_FALSE(vp.host.shown.empty());
    EXPECT_EQ(vp.host.shown.back().rfind("Connection Error: Caution:  ADAM-4019 not found!", 0),
              0u);
}

TEST(SetADAM, RangeCommandsPerChannelAndSilence) {
    Network n;
    n.p.session.nChan = 3;
    const int inputs[] = {3, 9, 12};
    const int16_t types[] = {5, 10, 101};
    for (size_t c = 1; c <= 3; ++c) {
        n.p.channels.Nvar[c][kInputNumber] = static_cast<float>(inputs[c - 1]);
        n.p.device.ADsensorType[c] = types[c - 1];
    }
    n.replies = {{"$017C2R09", "!01\r"}, {"$037C0R08", "!03\r"}};
    EXPECT_EQ(SetADAM(n.link, false, 0), 1);  // the third gets no reply
    EXPECT_EQ(n.line.sent, "$017C2R09\r$037C0R08\r$037C3R0F\r");
    EXPECT_TRUE(n.played("bubbles"));

    Network one;
    one.p.session.nChan = 3;
    one.p.channels.Nvar[2][kInputNumber] = 9;
    one.replies = {{"$037C0R09", "!03\r"}};
    EXPECT_EQ(SetADAM(one.link, false, 2), 0);
    EXPECT_EQ(one.line.sent, "$037C0R09\r");
    EXPECT_FALSE(one.played("bubbles"));
}

TEST(ReadADAM, ReadingsAndFailures) {
    Network n;
    n.p.session.nChan = 2;
    n.p.channels.Nvar[1][kInputNumber] = 1;
    n.p.channels.Nvar[2][kInputNumber] = 9;
    n.replies = {{"#010", ">+001.250\r"}, {"#030", ">-012.500\r"}};
    installAdamReader(n.port);
    ReadExternalADValue(n.p, n.io, 1, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, 1.25f);
    ReadExternalADValue(n.p, n.io, 2, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, -12.5f);
    EXPECT_EQ(n.p.device.hardwareADchannel, 0);
    EXPECT_EQ(n.line.sent, "#010\r#030\r");

    // An error reply and silence are failed readings: -99999.0, or the last value the module
    // sent with "Last Sample Value" chosen.
    n.p.session.Sample = 5;
    n.p.prefs[kPrefBadReadingStore] = 0;
    n.replies["#010"] = "?01\r";
    ReadExternalADValue(n.p, n.io, 1, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, -99999.0f);
    n.p.prefs[kPrefBadReadingStore] = 1;
    n.replies.erase("#010");
    ReadExternalADValue(n.p, n.io, 1, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, 1.25f);
    removeAdamReader();
}

// Late replies of earlier commands do not pass for the one awaited: a firmware reply of module
// 01 after "$02M" is no ADAM-4050, and a late acknowledgement before a reading is skipped.
TEST(AdamLateReplies, AreNotTakenForTheAnswer) {
    Network n;
    n.replies = {{"$01M", "!014019\r"}, {"$02M", "!01A1.05\r"}, {"$03M", "!01A1.05\r"}};
    const AdamSurvey s = contactADAM(n.link);
    EXPECT_TRUE(s.primary);
    EXPECT_FALSE(s.adam4050);
    EXPECT_EQ(n.p.prefs[kPrefAdamModule], 0);

    n.p.channels.Nvar[1][kInputNumber] = 2;
    n.replies = {{"#011", "!01\r>-000.750\r"}};
    installAdamReader(n.port);
    ReadExternalADValue(n.p, n.io, 1, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, -0.75f);

    // A reading that timed out is answered late, just before the next reading's reply.
    n.p.session.nChan = 2;
    n.p.channels.Nvar[2][kInputNumber] = 3;
    n.replies = {{"#012", "!01\r>+009.000\r>+002.000\r"}};
    ReadExternalADValue(n.p, n.io, 1, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, -99999.0f);
    ReadExternalADValue(n.p, n.io, 2, 1);
    EXPECT_FLOAT_EQ(n.p.device.volts, 2.0f);
    removeAdamReader();
}

TEST(AdamWindowsExchanges, FirmwareLinesCjcAndAddressCheck) {
    Network n;
    n.replies = {{"$01M", "!014019\r"}, {"$01F", "!01A1.05\r"}, {"$013", ">-003.500\r"}};
    const std::vector<std::string> want{"1:  ADAM module ID:    4019", "Firmware version:   A1.05",
                                        " ** no ADAM 4050 found **",
                                        " ** 3rd ADAM module not found **"};
    EXPECT_EQ(adamFirmwareLines(n.link), want);
    EXPECT_DOUBLE_EQ(readADAMcjc(n.link).value(), -3.5);
    n.replies.erase("$013");
    EXPECT_FALSE(readADAMcjc(n.link));

    n.replies["%0103090600"] = "!03\r";
    const AddressCheck ok = SendNewAddressCheck(n.link, "%0103090600");
    EXPECT_TRUE(ok.accepted);
    EXPECT_EQ(ok.reply, "!03");
    EXPECT_FALSE(n.played("bzot"));
    n.replies["%0103090600"] = "?01\r";
    const AddressCheck bad = SendNewAddressCheck(n.link, "%0103090600");
    EXPECT_FALSE(bad.accepted);
    EXPECT_TRUE(n.played("bzot"));
}

TEST(SwitchADAM4050, SendsAndDropsTheAcknowledgement) {
    Network n;
    n.replies = {{"#020005", ">\r"}};
    EXPECT_TRUE(SwitchADAM4050(n.link, 3));
    EXPECT_FALSE(SwitchADAM4050(n.link, 4));
    EXPECT_EQ(n.line.sent, "#020005\r#020004\r");
    EXPECT_EQ(n.port.available(), 0u);
}

}  // namespace
}  // namespace trindel
