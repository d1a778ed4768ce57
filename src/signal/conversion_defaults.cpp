#include "signal/conversion_defaults.h"

#include <algorithm>

namespace trindel {

namespace {

constexpr size_t kStoredRowWidth = 9;
constexpr size_t kThreeWayStored = 100;

float storedElement(const ConversionTables& t, int stored, int element) {
    return t
        .convert[static_cast<size_t>(stored + 2) * kStoredRowWidth + static_cast<size_t>(element)];
}

}  // namespace

ConversionSettings conversionDefaults(const ConversionTables& t, ConversionChoice choice,
                                      int stored) {
    ConversionSettings s;
    switch (choice) {
        case ConversionChoice::Linear:
            return {kConvLinear, {0.0f, 1.0f, 0.0f}, {}, {}};
        case ConversionChoice::Reciprocal:
            return {kConvReciprocal, {0.0f, 1.0f, 0.0f}, {}, {}};
        case ConversionChoice::Quadratic:
            return {kConvQuadratic, {0.0f, 1.0f, 0.0f}, {}, {}};
        case ConversionChoice::Power:
            return {kConvPower, {0.0f, 1.0f, 1.0f}, {}, {}};
        case ConversionChoice::Log10:
            return {kConvLogarithmic, {0.0f, 1.0f, 1.0f}, {}, {}};
        case ConversionChoice::Keyboard:
            return {kConvKeyboard,
                    {-9999.0f, 1.0f, 1.0f},
                    DisplayRange{0.0f, 50.0f},
                    std::string("Event recorder")};
        case ConversionChoice::ThreeWay:
            return {kConvThreeWay,
                    {9999.0f, 10.0f, 1.0f},
                    DisplayRange{t.convert[kThreeWayStored + 6], t.convert[kThreeWayStored + 7]},
                    {}};
        case ConversionChoice::Stored: {
            const int k = std::clamp(stored, 1, 8);
            s.type = codeOf(storedElement(t, k, 8));
            s.k = {storedElement(t, k, 1), storedElement(t, k, 2), storedElement(t, k, 3)};
            s.range = DisplayRange{storedElement(t, k, 4), storedElement(t, k, 5)};
            s.label = t.butcomments.substr(static_cast<size_t>(k - 1) * 30, 30);
            return s;
        }
    }
    return s;
}

void applyConversionChoice(Program& p, int channel, ConversionChoice choice, int stored) {
    if (channel < 1 || channel > kMaxChannels) {
        return;
    }
    const auto c = static_cast<size_t>(channel);
    const ConversionSettings s = conversionDefaults(p.conversion, choice, stored);
    auto& row = p.channels.Nvar[c];
    p.channels.Nvar[0][c] = static_cast<float>(s.type);
    row[kCoeffA] = s.k.a;
    row[kCoeffB] = s.k.b;
    row[kCoeffC] = s.k.c;
    if (s.range) {
        row[kDisplayMin] = s.range->min;
        row[kDisplayMax] = s.range->max;
    }
    if (s.label) {
        p.channels.setLabel(channel, *s.label);
    }
    if (choice == ConversionChoice::ThreeWay) {
        auto& poly = p.conversion.polyarray[c];
        for (size_t i = 0; i < 4; ++i) {
            poly[i] = p.conversion.convert[kThreeWayStored + i];
        }
        poly[5] = p.conversion.convert[kThreeWayStored + 4];
        poly[6] = p.conversion.convert[kThreeWayStored + 5];
    }
}

DisplayRange defaultDisplayRange(int16_t externalAD, int16_t sixteenBitBoard) {
    switch (externalAD) {
        case 6:
            return {-0.4f, 0.4f};
        case 2:
        case 3:
            return {-3.5f, 3.5f};
        case 4:
            return {-13.0f, 13.0f};
        default:
            break;
    }
    if (externalAD == 1 || sixteenBitBoard == 0) {
        return {-5.0f, 5.0f};
    }
    return {-10.0f, 10.0f};
}

bool applyDefaultDisplayRange(Program& p, int channel) {
    if (channel < 1 || channel > kMaxChannels) {
        return false;
    }
    auto& row = p.channels.Nvar[static_cast<size_t>(channel)];
    if (row[kDisplayMin] < row[kDisplayMax]) {
        return false;
    }
    const DisplayRange r = defaultDisplayRange(p.device.External_AD, p.device.sixteenBitBoard);
    row[kDisplayMin] = r.min;
    row[kDisplayMax] = r.max;
    return true;
}

std::optional<Ui2SpecialInput> ui2SpecialInput(int16_t externalAD, int hardwareChannel,
                                               int sensorType) {
    if (externalAD != 1 || hardwareChannel <= 8) {
        return std::nullopt;
    }
    Ui2SpecialInput in;
    if (hardwareChannel <= 12) {
        if (sensorType <= 4) {
            in.label =
                "Temperature (\xA1"
                "C)";  // Mac Roman degree sign
            in.range = DisplayRange{0.0f, 40.0f};
            in.closesWindow = true;
        } else {
            in.label = "volts";
            in.range = DisplayRange{0.0f, 5.0f};
        }
        return in;
    }
    switch (hardwareChannel) {
        case 13:
            in.label = "count";
            in.range = DisplayRange{0.0f, 65565.0f};
            return in;
        case 14:
            in.label = "volts";
            in.range = DisplayRange{0.0f, 5.0f};
            return in;
        case 15:
            return in;
        default:
            return std::nullopt;
    }
}

bool isOscilloscopeChannel(int16_t recordingMode, int channel) {
    return channel == 1 && (recordingMode == 2 || recordingMode == 3);
}

std::string conversionWindowTitle(int16_t recordingMode, int channel) {
    if (isOscilloscopeChannel(recordingMode, channel)) {
        return "OSCILLOSCOPE CHANNEL";
    }
    return "Chart channel " + std::to_string(channel);
}

}  // namespace trindel
