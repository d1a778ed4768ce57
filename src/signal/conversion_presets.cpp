#include "signal/conversion_presets.h"

#include <string_view>

namespace trindel {

namespace {

struct Preset {
    std::string_view button;
    std::string_view label;
    float a, b, c, min, max;
};

// Labels are Mac Roman: 0xC6 is the increment sign, 0xA1 the degree sign.
constexpr Preset kPresets[8] = {
    {"% Oxygen (Sable 19-21.5%)", "% oxygen  (Sable)", 19.0f, 0.5f, 0.0f, 19.0f, 21.5f},
    {"\xC6 %O2 (Sable 19-21.5%)", "% oxygen  deflection (Sable)", 2.0f, -0.5f, 0.0f, 0.0f, 1.0f},
    {"\xC6 % Oxygen (S-3A)", "% oxygen  deflection (S-3A)", 0.0f, -10.0f, 0.0f, 0.0f, 1.0f},
    {"% CO2 (Sable)", "% CO2 (Sable)", 0.0f, 0.2f, 0.0f, 0.0f, 1.0f},
    {"Degrees C (Sable TC1000)",
     "temperature (\xA1"
     "C)",
     0.0f, 20.0f, 0.0f, 0.0f, 45.0f},
    {"% RH (Sable RH-100)", "% R.H. (Sable)", 0.0f, 50.0f, 0.0f, 0.0f, 80.0f},
    {"Flow (0-5 SLPM) in air", "air flow (0-5000 ml/min)", 0.0f, 1000.0f, 0.0f, 0.0f, 5000.0f},
    {"Flow (0-5 SLPM) in Helox", "helox flow (0-5000 ml/min)", 0.0f, 13333.3f, 0.0f, 0.0f,
     50000.0f},
};

void putSlot(std::string& slots, size_t index, size_t width, std::string_view text) {
    std::string padded(text.substr(0, width));
    padded.resize(width, ' ');
    slots.replace(index * width, width, padded);
}

}  // namespace

void fillConversionPresets(ConversionTables& t) {
    for (size_t i = 0; i < 8; ++i) {
        const Preset& p = kPresets[i];
        const size_t row = (i + 3) * 9;
        t.convert[row + 1] = p.a;
        t.convert[row + 2] = p.b;
        t.convert[row + 3] = p.c;
        t.convert[row + 4] = p.min;
        t.convert[row + 5] = p.max;
        t.convert[row + 8] = 2.0f;
        putSlot(t.buttonlbls, i, 25, p.button);
        putSlot(t.butcomments, i, 30, p.label);
    }
    constexpr float kThreeWay[8] = {0.0f,    0.1419f,  1.536e-05f, 1.874e-09f,
                                    0.0001f, 10000.0f, 0.0f,       0.3f};
    for (size_t i = 0; i < 8; ++i) {
        t.convert[100 + i] = kThreeWay[i];
    }
    putSlot(t.buttonlbls, 8, 25, "%CO2 (Li-Cor), 3-way poly");
    putSlot(t.but1lbls, 0, 30, "% CO2 (LiCor)");
}

}  // namespace trindel
