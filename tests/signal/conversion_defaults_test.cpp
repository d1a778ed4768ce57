#include "signal/conversion_defaults.h"

#include <gtest/gtest.h>

#include "signal/conversion.h"
#include "signal/conversion_presets.h"

namespace trindel {
namespace {

TEST(ConversionDefaults, ChoicesSetTheirCoefficients) {
    Program p;
    applyConversionChoice(p, 2, ConversionChoice::Power);
    EXPECT_EQ(p.channels.Nvar[0][2], 3.0f);
    applyConversionChoice(p, 2, ConversionChoice::Keyboard);
    EXPECT_EQ(p.channels.Nvar[0][2], 7.0f);
    applyConversionChoice(p, 99, ConversionChoice::Linear);  // no such channel: nothing
}

TEST(ConversionDefaults, StoredConversionWithoutPolyIsLinear) {
    Program p;
    fillConversionPresets(p.conversion);
    p.conversion.convert[5 * 9 + 8] = 1.0f;  // third button's "poly?" unchecked
    applyConversionChoice(p, 1, ConversionChoice::Stored, 3);
    EXPECT_EQ(p.channels.Nvar[0][1], 1.0f);
    EXPECT_EQ(p.channels.Nvar[1][kCoeffB], -10.0f);
    applyConversionChoice(p, 1, ConversionChoice::Stored, 1);
    EXPECT_EQ(p.channels.Nvar[0][1], 2.0f);
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMin], 19.0f);
    EXPECT_FLOAT_EQ(ConvertChannelVolts(p, 1, 2.0f).value, 20.0f);  // 19 + 0.5 x 2
}

TEST(ConversionDefaults, ThreeWayTakesTheStoredPolynomial) {
    Program p;
    fillConversionPresets(p.conversion);
    applyConversionChoice(p, 4, ConversionChoice::ThreeWay);
    EXPECT_EQ(p.channels.Nvar[0][4], 6.0f);
    // 1 V is 10,000 ppm on the Li-Cor: about 2.96 % CO2.
    const float x = 10000.0f;
    const float expected = (0.1419f * x + 1.536e-05f * x * x + 1.874e-09f * x * x * x) * 0.0001f;
    EXPECT_NEAR(ConvertChannelVolts(p, 4, 1.0f).value, expected, 1e-4);
}

TEST(ConversionDefaults, DisplayRangeByDevice) {
    const auto check = [](int16_t device, int16_t sixteen, float max) {
        const DisplayRange r = defaultDisplayRange(device, sixteen);
        EXPECT_FLOAT_EQ(r.max, max) << device;
        EXPECT_FLOAT_EQ(r.min, -max) << device;
    };
    check(6, 0, 0.4f);
    check(2, 1, 3.5f);  // the sixteen-bit flag counts only on some devices
    check(5, 0, 5.0f);
    check(5, 1, 10.0f);
}

TEST(ConversionDefaults, DefaultRangeOnlyWhenRangeIsEmpty) {
    Program p;
    p.device.External_AD = 4;
    p.channels.Nvar[1][kDisplayMin] = 1.0f;
    p.channels.Nvar[1][kDisplayMax] = 2.0f;
    EXPECT_FALSE(applyDefaultDisplayRange(p, 1));
    p.channels.Nvar[1][kDisplayMin] = 2.0f;
    EXPECT_TRUE(applyDefaultDisplayRange(p, 1));
    EXPECT_EQ(p.channels.Nvar[1][kDisplayMax], 13.0f);
}

TEST(ConversionDefaults, Ui2SpecialInputs) {
    EXPECT_FALSE(ui2SpecialInput(1, 8, 0));
    EXPECT_FALSE(ui2SpecialInput(2, 10, 0));
    auto temp = ui2SpecialInput(1, 9, 4);
    ASSERT_TRUE(temp);
    EXPECT_TRUE(temp->closesWindow);
    EXPECT_FALSE(ui2SpecialInput(1, 12, 5)->closesWindow);
    auto keep = ui2SpecialInput(1, 15, 0);
    EXPECT_FALSE(keep->label);
    EXPECT_FALSE(keep->range);
    EXPECT_EQ(keep->k.b, 1.0f);
}

TEST(ConversionDefaults, OscilloscopeChannel) {
    EXPECT_TRUE(isOscilloscopeChannel(2, 1));
    EXPECT_TRUE(isOscilloscopeChannel(3, 1));
    EXPECT_FALSE(isOscilloscopeChannel(1, 1));
    EXPECT_FALSE(isOscilloscopeChannel(3, 2));
    EXPECT_EQ(conversionWindowTitle(1, 3), "Chart channel 3");
}

}  // namespace
}  // namespace trindel
