#include "ui/acquisition_parameters.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

Program programWith(int nChan, int16_t mode) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    p.session.RecordingMODE = mode;
    p.session.nChan = static_cast<int16_t>(nChan);
    p.session.MaxSamples = 1000;
    for (int c = 1; c <= nChan; ++c) {
        p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] = static_cast<float>(c);
    }
    return p;
}

// Every column typed in reaches its Channel table element on "Setup OK"; nothing is written
// before it, and channels beyond nChan stay untouched.
TEST(AcquisitionParameters, TypedRowsReachTheChannelTable) {
    Program p = programWith(3, 1);
    const Program before = p;
    AcquisitionParametersModel m(p, 8, 20);
    const struct {
        AcquisitionColumn column;
        const char* typed;
        int element;
        float stored;
    } rows[] = {
        {AcquisitionColumn::Input, "5", kInputNumber, 5.0f},
        {AcquisitionColumn::Input, "0", kInputNumber, 1.0f},
        {AcquisitionColumn::A, "-1.5", kCoeffA, -1.5f},
        {AcquisitionColumn::B, "abc", kCoeffB, 0.0f},
        {AcquisitionColumn::C, "2e-3", kCoeffC, 0.002f},
        {AcquisitionColumn::Minimum, "-10", kDisplayMin, -10.0f},
        {AcquisitionColumn::Maximum, "25.5", kDisplayMax, 25.5f},
        {AcquisitionColumn::Averaged, "7", kSamplesToAverage, 7.0f},
        {AcquisitionColumn::Averaged, "500", kSamplesToAverage, 20.0f},
        {AcquisitionColumn::Averaged, "-3", kSamplesToAverage, 1.0f},
    };
    for (const auto& r : rows) {
        Program q = p;
        AcquisitionParametersModel mm(q, 8, 20);
        mm.setCell(2, r.column, r.typed);
        EXPECT_EQ(q.channels, before.channels) << r.typed;
        mm.setupOK(q);
        EXPECT_FLOAT_EQ(q.channels.Nvar[2][r.element], r.stored) << r.typed;
    }
    m.setCell(3, AcquisitionColumn::Label, std::string(40, 'x'));
    m.setCell(4, AcquisitionColumn::Label, "beyond nChan");
    m.setupOK(p);
    EXPECT_EQ(p.channels.label(3), std::string(30, 'x'));
    EXPECT_EQ(p.channels.label(4), before.channels.label(4));
}

TEST(AcquisitionParameters, TitleColumnsAndRepeatFlagFollowTheMode) {
    Program p = programWith(2, 1);
    EXPECT_EQ(AcquisitionParametersModel(p, 8, 1).title(), "CHART Mode Acquisition Parameters");
    EXPECT_EQ(AcquisitionParametersModel(p, 8, 1).columns().size(), 8u);
    p.device.External_AD = 8;
    EXPECT_EQ(AcquisitionParametersModel(p, 8, 1).title(),
              "CHART Mode Acquisition Parameters  (read serial stream)");
    p.session.RecordingMODE = 2;
    EXPECT_EQ(AcquisitionParametersModel(p, 8, 1).columns().size(), 7u);

    p.session.RecordingMODE = 3;
    AcquisitionParametersModel m(p, 8, 1);
    EXPECT_STREQ(m.repeatText(), "Auto-markers");
    m.setRepeat(true);
    m.setBeep(true);
    p.prefs[kPrefAutorepeat] = 0;
    m.setupOK(p);
    EXPECT_EQ(p.prefs[kPrefAutomarkers], 1);
    EXPECT_EQ(p.prefs[kPrefAutorepeat], 0);
    EXPECT_EQ(p.prefs[kPrefBeepAtSample], 1);
}

TEST(AcquisitionParameters, SampleStepsStayInsideTheStore) {
    Program p = programWith(1, 1);
    p.prefs[kPrefWindowWidth] = 900;
    AcquisitionParametersModel m(p, 8, 1);
    m.moreSamples();
    EXPECT_EQ(m.samples(), 2000);
    m.firstSamples();
    EXPECT_EQ(m.samples(), 900);
    m.lastSamples();
    m.moreSamples();
    EXPECT_EQ(m.samples(), 2000000);
    for (int i = 0; i < 30; ++i) {
        m.fewerSamples();
    }
    EXPECT_EQ(m.samples(), 1);
    m.setSamples("99999999");
    EXPECT_EQ(m.samples(), 2000000);
    m.setupOK(p);
    EXPECT_EQ(p.session.MaxSamples, 2000000);
}

// The averaging window's choice: 0 marks the continuous last channel, larger counts stop at the
// limit the interval allows.
TEST(AcquisitionParameters, AveragingWindowChoiceKeepsZeroAndTheLimit) {
    Program p = programWith(3, 1);
    AcquisitionParametersModel m(p, 8, 20);
    m.setSamplesToAverage(3, 0);
    m.setSamplesToAverage(1, 500);
    m.setSamplesToAverage(2, 7);
    m.setSamplesToAverage(4, 9);  // beyond nChan: ignored
    m.setupOK(p);
    EXPECT_EQ(p.channels.Nvar[3][kSamplesToAverage], 0.0f);
    EXPECT_EQ(p.channels.Nvar[1][kSamplesToAverage], 20.0f);
    EXPECT_EQ(p.channels.Nvar[2][kSamplesToAverage], 7.0f);
    EXPECT_NE(p.channels.Nvar[4][kSamplesToAverage], 9.0f);
}

TEST(AcquisitionParameters, CountsInputsBeyondTheDevice) {
    Program p = programWith(4, 1);
    AcquisitionParametersModel m(p, 2, 1);
    EXPECT_EQ(m.inputsOutOfRange(), 2);
    m.setCell(4, AcquisitionColumn::Input, "1");
    EXPECT_EQ(m.inputsOutOfRange(), 1);
}

}  // namespace
}  // namespace trindel
