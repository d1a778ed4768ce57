#include "signal/stored_conversions_window.h"

#include <gtest/gtest.h>

#include "files/preferences_file.h"
#include "signal/conversion_presets.h"
#include "signal/conversion_window.h"

namespace trindel {
namespace {

Program started() {
    Program p;
    SetInitialVariableValues(p, ScreenSize{1280, 1024});
    fillConversionPresets(p.conversion);
    p.session.RecordingMODE = 1;
    p.session.nChan = 4;
    return p;
}

TEST(StoredConversions, OpensOnTheTableAndStoresTheEditedRows) {
    Program p = started();
    StoredConversionsModel m(p.conversion);
    EXPECT_EQ(m.row(4).button, "% CO2 (Sable)");
    EXPECT_EQ(m.row(4).fields[1], "0.2");
    EXPECT_TRUE(m.row(4).poly());
    EXPECT_EQ(m.threeWay().button, "%CO2 (Li-Cor), 3-way poly");
    m.row(2).button = "A label longer than twenty-five characters";
    m.row(2).channel = "flow (ml/min)";
    m.row(2).fields = {"1.5", "-2", "0.25", "0", "not a number"};
    m.row(2).setPoly(false);
    m.threeWay().fields[7] = "9";
    m.store(p.conversion);
    EXPECT_EQ(p.conversion.buttonlbls.substr(25, 25), "A label longer than twent");
    EXPECT_EQ(p.conversion.butcomments.substr(30, 30), "flow (ml/min)                 ");
    EXPECT_EQ(p.conversion.buttonlbls.size(), 9u * 25u);
    EXPECT_FLOAT_EQ(p.conversion.convert[storedIndex(2, 1)], 1.5f);
    EXPECT_FLOAT_EQ(p.conversion.convert[storedIndex(2, 3)], 0.25f);
    EXPECT_FLOAT_EQ(p.conversion.convert[storedIndex(2, 5)], 0.0f);
    EXPECT_FLOAT_EQ(p.conversion.convert[storedIndex(2, 8)], 1.0f);
    EXPECT_FLOAT_EQ(p.conversion.convert[107], 9.0f);
}

TEST(StoredConversions, UncheckedPolyAppliesAsALinearConversion) {
    Program p = started();
    StoredConversionsModel m(p.conversion);
    m.row(5).setPoly(false);
    m.store(p.conversion);
    ConversionWindowModel w(p, 2);
    w.choose(ConversionChoice::Stored, 5);
    EXPECT_EQ(w.type(), kConvLinear);
    EXPECT_FLOAT_EQ(w.coefficients().b, 20.0f);
}

TEST(StoredConversions, TransferCarriesAChannelsConversionToAnotherChannel) {
    Program p = started();
    auto& row = p.channels.Nvar[3];
    p.channels.conversionType(3) = kConvPower;
    row[kCoeffA] = 0.0f;
    row[kCoeffB] = 3.0f;
    row[kCoeffC] = 1.5f;
    row[kDisplayMin] = -1.0f;
    row[kDisplayMax] = 40.0f;
    p.channels.setLabel(3, "pressure transducer 2 (kPa units)");
    ASSERT_TRUE(CUSTOMTRANSFER(p, p.conversion, 7, 3));
    EXPECT_EQ(StoredConversionsModel(p.conversion).row(7).button, "pressure transducer 2 (kP");
    // The stored conversion survives the preferences file...
    Program q = started();
    PreferencesState base{q.colours, q.conversion, q.session, q.prefs, q.device};
    q.conversion = parsePreferencesFile(preferencesFileBytes(p), base, 1280, 1024).conversion;
    // ...and applied to another channel gives it the same conversion.
    ConversionWindowModel w(q, 1);
    w.choose(ConversionChoice::Stored, 7);
    w.selectionOK(q);
    EXPECT_EQ(codeOf(q.channels.conversionType(1)), kConvPower);
    EXPECT_FLOAT_EQ(q.channels.Nvar[1][kCoeffB], 3.0f);
    EXPECT_FLOAT_EQ(q.channels.Nvar[1][kCoeffC], 1.5f);
    EXPECT_FLOAT_EQ(q.channels.Nvar[1][kDisplayMax], 40.0f);
    EXPECT_EQ(q.channels.label(1), p.channels.label(3));
}

TEST(StoredConversions, TransferRefusesConversionsWithoutCoefficientsAndBadArguments) {
    Program p = started();
    const ConversionTables before = p.conversion;
    for (int type : {kConvBreakpoint, kConvKeyboard, kConvThreeWay}) {
        p.channels.conversionType(1) = static_cast<float>(type);
        EXPECT_FALSE(CUSTOMTRANSFER(p, p.conversion, 1, 1));
    }
    p.channels.conversionType(1) = kConvLinear;
    EXPECT_FALSE(CUSTOMTRANSFER(p, p.conversion, 0, 1));
    EXPECT_FALSE(CUSTOMTRANSFER(p, p.conversion, 9, 1));
    EXPECT_FALSE(CUSTOMTRANSFER(p, p.conversion, 1, 17));
    EXPECT_EQ(p.conversion, before);
}

TEST(ConversionWindowCalibration, EquationOKReachesTheChannelTable) {
    Program p = started();
    p.channels.setLabel(2, "old");
    ConversionWindowModel w(p, 2);
    DirectCalibrationModel cal(2, 2, w.label(), w.type());
    cal.setType(kCalQuadratic);
    for (double x : {0.0, 1.0, 2.0, 3.0}) {
        cal.addPoint(1.0 + 2.0 * x + 0.5 * x * x, x);
    }
    cal.setLabel("calibrated O2 analyser with a very long name");
    w.takeCalibration(cal.equationOK());
    w.selectionOK(p);
    EXPECT_EQ(codeOf(p.channels.conversionType(2)), kConvQuadratic);
    EXPECT_NEAR(p.channels.Nvar[2][kCoeffA], 1.0f, 1e-5f);
    EXPECT_NEAR(p.channels.Nvar[2][kCoeffB], 2.0f, 1e-5f);
    EXPECT_NEAR(p.channels.Nvar[2][kCoeffC], 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(p.channels.Nvar[2][kDisplayMin], 1.0f);
    EXPECT_FLOAT_EQ(p.channels.Nvar[2][kDisplayMax], 11.5f);
    EXPECT_EQ(p.channels.label(2), "calibrated O2 analyser with a ");
}

}  // namespace
}  // namespace trindel
