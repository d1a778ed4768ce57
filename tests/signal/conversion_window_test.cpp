#include "signal/conversion_window.h"

#include <gtest/gtest.h>

#include "files/setup_file.h"
#include "signal/conversion.h"
#include "signal/conversion_options_window.h"
#include "signal/conversion_presets.h"

namespace trindel {
namespace {

Program startedProgram(int nChan) {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    fillConversionPresets(p.conversion);
    p.session.RecordingMODE = 1;
    p.session.nChan = static_cast<int16_t>(nChan);
    return p;
}

Program throughSetupFile(const Program& saved) {
    Program loaded = startedProgram(1);
    applySetupState(loaded, parseSetupFile(setupFileBytes(saved), setupStateOf(loaded), 1280));
    return loaded;
}

struct Case {
    const char* name;
    ConversionChoice choice;
    int stored;
    int type;
    std::vector<const char*> fields;  // typed into the coefficient fields in order
};

// Every conversion the window offers, typed in, stored, written to a set-up file and read back:
// the channel converts the same afterwards.
TEST(ConversionWindow, EveryTypeRoundTripsThroughTheSetupFile) {
    const Case cases[] = {
        {"linear", ConversionChoice::Linear, 0, kConvLinear, {"2", "3"}},
        {"power", ConversionChoice::Power, 0, kConvPower, {"1", "0.5", "2.5"}},
        {"quadratic", ConversionChoice::Quadratic, 0, kConvQuadratic, {"-1", "2", "0.25"}},
        {"log", ConversionChoice::Log10, 0, kConvLogarithmic, {"4", "1.5"}},
        {"reciprocal", ConversionChoice::Reciprocal, 0, kConvReciprocal, {"0.5", "8"}},
        {"keyboard", ConversionChoice::Keyboard, 0, kConvKeyboard, {}},
        {"three-way",
         ConversionChoice::ThreeWay,
         0,
         kConvThreeWay,
         {"0.1", "0.2", "0.03", "0.004", "2", "3"}},
        {"stored 1", ConversionChoice::Stored, 1, kConvQuadratic, {"19", "0.5", "0.001"}},
        {"stored 8", ConversionChoice::Stored, 8, kConvQuadratic, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p = startedProgram(3);
        ConversionWindowModel w(p, 2);
        w.choose(c.choice, c.stored);
        ASSERT_EQ(w.type(), c.type);
        ASSERT_LE(c.fields.size(), w.fieldCaptions().size());
        for (size_t i = 0; i < c.fields.size(); ++i) {
            w.setField(static_cast<int>(i), c.fields[i]);
        }
        w.setLabel("chan \xA1 two");
        w.setMinimum("-2.5");
        w.setMaximum("7.25");
        w.selectionOK(p);

        const Program loaded = throughSetupFile(p);
        EXPECT_EQ(codeOf(loaded.channels.conversionType(2)), c.type);
        EXPECT_EQ(loaded.channels.Nvar[2], p.channels.Nvar[2]);
        EXPECT_FLOAT_EQ(loaded.channels.Nvar[2][kDisplayMin], -2.5f);
        EXPECT_FLOAT_EQ(loaded.channels.Nvar[2][kDisplayMax], 7.25f);
        EXPECT_EQ(loaded.channels.label(2).substr(0, 11), "chan \xA1 two ");
        EXPECT_EQ(loaded.conversion.polyarray[2], p.conversion.polyarray[2]);
        for (float v : {-1.0f, 0.0f, 0.75f, 3.0f}) {
            EXPECT_EQ(evaluateChannelEquation(loaded, 2, v), evaluateChannelEquation(p, 2, v)) << v;
        }
    }
}

TEST(ConversionWindow, TypedCoefficientsDriveTheEquation) {
    Program p = startedProgram(1);
    ConversionWindowModel w(p, 1);
    w.choose(ConversionChoice::Linear);
    w.setField(0, "2");
    w.setField(1, "3");
    w.selectionOK(p);
    EXPECT_FLOAT_EQ(evaluateChannelEquation(p, 1, 1.5f), 6.5f);

    w.choose(ConversionChoice::ThreeWay);
    for (int i = 0; i < 6; ++i) {
        w.setField(i, i == 5 ? "2" : (i == 4 ? "10" : "1"));
    }
    w.selectionOK(p);
    // (1 + 2 + 4 + 8) x 10 with the input doubled.
    EXPECT_FLOAT_EQ(evaluateChannelEquation(p, 1, 1.0f), 150.0f);
}

TEST(ConversionWindow, FieldsAndCaptionsFollowTheType) {
    Program p = startedProgram(1);
    ConversionWindowModel w(p, 1);
    const struct {
        ConversionChoice choice;
        size_t fields;
        const char* third;
    } rows[] = {{ConversionChoice::Linear, 2, ""},
                {ConversionChoice::Reciprocal, 2, ""},
                {ConversionChoice::Log10, 2, ""},
                {ConversionChoice::Quadratic, 3, "value of 'c':"},
                {ConversionChoice::Power, 3, "exponent:"},
                {ConversionChoice::Keyboard, 0, ""}};
    for (const auto& r : rows) {
        w.choose(r.choice);
        ASSERT_EQ(w.fieldCaptions().size(), r.fields);
        EXPECT_EQ(w.fieldTexts().size(), r.fields);
        if (r.fields == 3) {
            EXPECT_EQ(w.fieldCaptions()[2], r.third);
        }
        EXPECT_GE(w.chosenButton(), 0);
    }
    w.setField(1, "not a number");
    EXPECT_EQ(w.coefficients().b, 0.0f);
}

TEST(ConversionWindow, OpensWithDefaultRangeTitleAndStoredLabels) {
    Program p = startedProgram(2);
    p.channels.Nvar[2][kDisplayMin] = 1.0f;
    p.channels.Nvar[2][kDisplayMax] = 1.0f;
    p.device.External_AD = 4;
    const ConversionWindowModel w(p, 2);
    EXPECT_EQ(w.title(), "Chart channel 2");
    EXPECT_FLOAT_EQ(w.range().min, -13.0f);
    EXPECT_FLOAT_EQ(w.range().max, 13.0f);
    ASSERT_EQ(w.buttons().size(), 15u);
    EXPECT_EQ(w.buttons()[5].text, "% Oxygen (Sable 19-21.5%)");
    EXPECT_EQ(w.buttons()[14].choice, ConversionChoice::ThreeWay);
    EXPECT_TRUE(w.directCalibrationOffered());
    p.device.External_AD = 8;
    p.session.RecordingMODE = 3;
    EXPECT_FALSE(ConversionWindowModel(p, 2).directCalibrationOffered());
    EXPECT_FALSE(ConversionWindowModel(p, 1).additionalOptionsOffered());
    EXPECT_TRUE(ConversionWindowModel(p, 2).additionalOptionsOffered());
}

// A VO2 channel set up in the options window converts to a rate and keeps it after a set-up file.
TEST(ConversionOptions, VO2SetUpInTheWindowSurvivesTheSetupFile) {
    Program p = startedProgram(2);
    ConversionWindowModel w(p, 1);
    w.choose(ConversionChoice::Linear);
    ConversionOptionsModel o(w.specialOps());
    o.clickOperation(kOpVO2);
    o.setFlowField(kOpVO2, "500");
    o.setUnit(3);
    w.specialOps() = o.done();
    w.selectionOK(p);
    EXPECT_EQ(codeOf(p.conversion.SpecialOps[1][kOpsVariant]), 1);
    EXPECT_FLOAT_EQ(p.conversion.SpecialOps[1][kOpsOneMinusFiO2], 1.0f - 0.2095f);

    Program loaded = throughSetupFile(p);
    EXPECT_EQ(loaded.conversion.SpecialOps[1], p.conversion.SpecialOps[1]);
    loaded.session.Sample = 0;
    // 1 % depletion at 500 ml/min: 500 x 0.01 / (1 - (0.2095 - 0.01)) x 60.
    const float expected = 500.0f * 0.01f / (1.0f - (0.2095f - 0.01f)) * 60.0f;
    EXPECT_NEAR(ConvertChannelVolts(loaded, 1, 1.0f).value, expected, 1e-3);
}

TEST(ConversionOptions, OperationButtonsAndDerivedConstants) {
    SpecialOpsRecord r{};
    ConversionOptionsModel o(r);
    EXPECT_EQ(o.fio2Text(), "0.2095");
    EXPECT_EQ(o.rqText(), "0.85");
    EXPECT_EQ(o.zText(), "1");
    o.clickOperation(2);
    o.clickOperation(3);
    EXPECT_EQ(o.operation(), 3);
    o.clickOperation(3);
    EXPECT_EQ(o.operation(), 0);
    o.clickOperation(2);
    o.setFlowField(1, "111");
    o.setFlowField(2, "222");
    o.setRq("1");
    o.setFico2("0.04");
    const SpecialOpsRecord d = o.done();
    EXPECT_FLOAT_EQ(d[kOpsFlowRate], 222.0f);
    EXPECT_FLOAT_EQ(d[kOpsVO2RQDivisor], 1.0f);
    EXPECT_FLOAT_EQ(d[kOpsCO2Factor], 1.0f);
    EXPECT_FLOAT_EQ(d[kOpsVCO2Divisor], 1.0f - 0.04f * 2.0f);
    EXPECT_EQ(ConversionOptionsModel::title(3, "% oxygen   "),
              " Conversion Options, Channel 3  % oxygen");
}

}  // namespace
}  // namespace trindel
