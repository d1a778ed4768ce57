#include "devices/datataker/datataker_windows.h"

#include <gtest/gtest.h>

#include "devices/datataker/datataker_protocol.h"
#include "devices/fake_serial_line.h"
#include "devices/serial/serial_port.h"
#include "platform/virtual_platform.h"
#include "state/program.h"

namespace trindel {
namespace {

using Choice = DataTakerInputsModel::Choice;

Program withChannels(int n) {
    Program p;
    p.session.nChan = static_cast<int16_t>(n);
    for (int c = 1; c <= n; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
        p.device.DataTakerChannels[static_cast<size_t>(c)] = {1, 0, 0, 0, 0};
    }
    return p;
}

TEST(DataTakerInputs, ChoicesSetTheFieldsAndTheSpecification) {
    struct Case {
        std::vector<Choice> clicks;
        DataTakerInput fields;
        const char* spec;
    };
    const Case cases[] = {
        {{Choice::TypeK}, {0, 1, 3, 0, 0}, "2TK"},
        {{Choice::TypeJ, Choice::Minus}, {0, 0, 2, 2, 0}, "2-TJ"},
        {{Choice::Counter}, {0, 0, 0, 0, 1}, "2HSC"},
        {{Choice::Counter, Choice::Volts}, {1, 0, 0, 0, 0}, "2V"},
        {{Choice::Ohms, Choice::Plus}, {2, 0, 0, 1, 0}, "2 + R(2W)"},
        {{Choice::Star, Choice::Differential}, {1, 0, 0, 0, 0}, "2V"},
    };
    for (const Case& c : cases) {
        Program p = withChannels(3);
        DataTakerInputsModel m(p);
        for (const Choice click : c.clicks) {
            m.choose(2, click);
        }
        EXPECT_EQ(p.device.DataTakerChannels[2], c.fields);
        EXPECT_EQ(
            channelSpecification(p.device.DataTakerChannels[2], 2, DataTakerModel::DT500, false),
            c.spec);
        EXPECT_TRUE(m.isChosen(2, c.clicks.back()));
    }
}

TEST(DataTakerInputs, RowsLabelsAndCounterStart) {
    Program p = withChannels(3);
    p.channels.Nvar[2][kInputNumber] = 0;  // no A-D input: no row
    p.channels.setLabel(3, "O2 analyser");
    DataTakerInputsModel m(p);
    EXPECT_EQ(m.rows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(m.label(1).substr(0, 10), " [ volts ]");
    m.choose(1, Choice::TypeT);
    m.choose(3, Choice::Counter);  // a label of its own is kept
    EXPECT_EQ(m.label(1).substr(0, 16),
              "Temperature (\xA1"
              "C)");
    EXPECT_EQ(m.label(3).substr(0, 11), "O2 analyser");
    EXPECT_TRUE(m.setCounterStart(" 250.7"));
    EXPECT_FALSE(m.setCounterStart("1000001"));
    EXPECT_FALSE(m.setCounterStart("12abc"));
    EXPECT_FALSE(m.setCounterStart("-5"));
    EXPECT_EQ(m.counterStart(), 250);
    m.finish();
    EXPECT_EQ(p.device.counterstart, 250);
    EXPECT_EQ(p.channels.label(1).substr(0, 16),
              "Temperature (\xA1"
              "C)");
    Program empty;
    EXPECT_FALSE(DataTakerInputsModel(empty).available());
}

TEST(DT800Mode, FinishStoresAndSendsTheModeCommands) {
    Program p;
    VirtualPlatform vp;
    Platform io = vp.platform();
    FakeSerialLine line;
    SerialPort port(line);
    std::string error;
    port.open("/dev/fake", 115200, error);
    DT800ModeModel m(p);
    EXPECT_FALSE(m.noFilterEnabled());
    m.toggleNoFilter();  // ignored in high-accuracy mode
    EXPECT_FALSE(m.noFilter());
    m.chooseHighSpeed(true);
    m.toggleNoFilter();
    m.chooseMains(50);
    m.finish(io, port);
    EXPECT_EQ(p.device.DT800FastAcquisitionMode, 1);
    EXPECT_EQ(p.session.mainsfrequency, 50);
    EXPECT_EQ(p.prefs[kPrefNoMainsFiltration], 1);
    ASSERT_EQ(line.commands.size(), 12u);
    EXPECT_EQ(line.commands[1], "P11=1000");
    EXPECT_EQ(line.commands[2], "P46=16");
}

}  // namespace
}  // namespace trindel
