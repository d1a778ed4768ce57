// What the conversion window sets when it opens or a conversion is chosen: the coefficients of
// each choice, the default display range per device, the Sable UI2's special inputs, and the
// breakpoint window's equation buttons.
#pragma once

#include <optional>
#include <string>

#include "signal/equations.h"
#include "state/program.h"

namespace trindel {

enum class ConversionChoice {
    Linear,
    Reciprocal,
    Quadratic,
    Power,
    Log10,
    Keyboard,
    ThreeWay,
    Stored,  // one of the eight stored conversions
};

struct DisplayRange {
    float min = 0.0f;
    float max = 0.0f;
};

// What a choice puts into the channel; a range and label only when the choice carries them.
struct ConversionSettings {
    int type = kConvLinear;
    Coefficients k;
    std::optional<DisplayRange> range;
    std::optional<std::string> label;
};

// The settings of a choice; `stored` is 1..8 for ConversionChoice::Stored (taken from rows 3..10
// of the stored conversions), ignored otherwise.
ConversionSettings conversionDefaults(const ConversionTables& t, ConversionChoice choice,
                                      int stored = 1);

// Puts the settings into the channel: type, a, b, c, display range and label; for the three-way
// choice also the channel's polynomial from the stored one.
void applyConversionChoice(Program& p, int channel, ConversionChoice choice, int stored = 1);

// The default display range by device: ADC-1 +-0.4, DT500/DT50 +-3.5, DT800 +-13, the UI2 or a
// converter without the 16-bit flag +-5, anything else +-10.
DisplayRange defaultDisplayRange(int16_t externalAD, int16_t sixteenBitBoard);

// When the window opens: a channel whose display minimum is not below its maximum gets the
// device's default range. Returns whether it did.
bool applyDefaultDisplayRange(Program& p, int channel);

// The Sable UI2's inputs above 8, handled when the window opens.
struct Ui2SpecialInput {
    std::optional<std::string> label;  // none: the label stays
    Coefficients k{0.0f, 1.0f, 0.0f};
    std::optional<DisplayRange> range;
    bool closesWindow = false;  // temperature inputs need no window
};
std::optional<Ui2SpecialInput> ui2SpecialInput(int16_t externalAD, int hardwareChannel,
                                               int sensorType);

// Channel 1 is the oscilloscope channel in the scope modes: its label becomes
// "oscilloscope volts" and no window opens.
inline constexpr const char* kOscilloscopeLabel = "oscilloscope volts";
bool isOscilloscopeChannel(int16_t recordingMode, int channel);

// The conversion window's title: "Chart channel 3" or "OSCILLOSCOPE CHANNEL".
std::string conversionWindowTitle(int16_t recordingMode, int channel);

// The breakpoint window's equation buttons: "Linear", "Reciprocal", "Polynomial", "Power".
struct BreakpointButton {
    const char* title;
    int type;
    Coefficients k;
};
inline constexpr BreakpointButton kBreakpointButtons[] = {
    {"Linear", kConvLinear, {0.0f, 1.0f, 1.0f}},
    {"Reciprocal", kConvReciprocal, {0.0f, 1.0f, 1.0f}},
    {"Polynomial", kConvQuadratic, {0.0f, 1.0f, 0.0f}},
    {"Power", kConvPower, {0.0f, 1.0f, 1.0f}},
};

}  // namespace trindel
