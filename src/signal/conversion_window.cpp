#include "signal/conversion_window.h"

#include <algorithm>

#include "text/field_text.h"

namespace trindel {

namespace {

constexpr size_t kButtonLabelWidth = 25;
constexpr size_t kThreeWayStored = 100;

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.pop_back();
    }
    return s;
}

std::string buttonLabel(const ConversionTables& t, int index) {
    const size_t at = static_cast<size_t>(index) * kButtonLabelWidth;
    return at < t.buttonlbls.size() ? trimmed(t.buttonlbls.substr(at, kButtonLabelWidth)) : "";
}

float readField(std::string_view text) {
    return static_cast<float>(fieldValue(text));
}

}  // namespace

ConversionWindowModel::ConversionWindowModel(const Program& p, int channel)
    : channel_(std::clamp(channel, 1, kMaxChannels)),
      externalAD_(p.device.External_AD),
      mode_(p.session.RecordingMODE),
      title_(conversionWindowTitle(p.session.RecordingMODE, channel_)),
      tables_(p.conversion) {
    const auto c = static_cast<size_t>(channel_);
    const auto& row = p.channels.Nvar[c];
    type_ = codeOf(p.channels.conversionType(channel_));
    k_ = {row[kCoeffA], row[kCoeffB], row[kCoeffC]};
    range_ = {row[kDisplayMin], row[kDisplayMax]};
    if (!(range_.min < range_.max)) {
        range_ = defaultDisplayRange(p.device.External_AD, p.device.sixteenBitBoard);
    }
    label_ = trimmed(p.channels.label(channel_));
    std::copy(p.conversion.polyarray[c].begin(), p.conversion.polyarray[c].end(), poly_.begin());
    ops_ = p.conversion.SpecialOps[c];

    buttons_ = {{"Linear", ConversionChoice::Linear},
                {"Power Function", ConversionChoice::Power},
                {"2-degree Polynomial", ConversionChoice::Quadratic},
                {"log10(volts) Function", ConversionChoice::Log10},
                {"Reciprocal Function", ConversionChoice::Reciprocal}};
    for (int k = 1; k <= 8; ++k) {
        buttons_.push_back({buttonLabel(p.conversion, k - 1), ConversionChoice::Stored, k});
    }
    buttons_.push_back({"Keyboard Event Recorder", ConversionChoice::Keyboard});
    buttons_.push_back({buttonLabel(p.conversion, 8), ConversionChoice::ThreeWay});
}

bool ConversionWindowModel::additionalOptionsOffered() const {
    return mode_ == 1 || mode_ == 0 || (mode_ == 3 && channel_ >= 2);
}

void ConversionWindowModel::choose(ConversionChoice choice, int stored) {
    const ConversionSettings s = conversionDefaults(tables_, choice, stored);
    type_ = s.type;
    k_ = s.k;
    if (s.range) {
        range_ = *s.range;
    }
    if (s.label) {
        label_ = trimmed(*s.label);
    }
    if (choice == ConversionChoice::ThreeWay) {
        const auto& t = tables_.convert;
        for (size_t i = 0; i < 4; ++i) {
            poly_[i] = t[kThreeWayStored + i];
        }
        poly_[5] = t[kThreeWayStored + 4];
        poly_[6] = t[kThreeWayStored + 5];
        label_ = trimmed(tables_.but1lbls);
    }
}

int ConversionWindowModel::chosenButton() const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const ConversionButton& b = buttons_[i];
        if (b.choice != ConversionChoice::Stored &&
            conversionDefaults(tables_, b.choice).type == type_) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ConversionWindowModel::equationText() const {
    switch (type_) {
        case kConvLinear:
            return "equation:   a + b * volts";
        case kConvReciprocal:
            return "equation:   a + b \xC3\xB7 volts";
        case kConvQuadratic:
            return "equation:   a + b * volts + c * volts<sup>2</sup>";
        case kConvLogarithmic:
            return "equation:   a + b * log<sub>10</sub> (volts)";
        case kConvPower:
            return "equation:   a + b * volts<sup> exponent</sup>";
        case kConvThreeWay:
            return "equation:   (A + B*v + C*v<sup>2</sup> + D*v<sup>3</sup>) * E,   v = volts * "
                   "volts x";
        case kConvKeyboard:
            return "keyboard level: 0-9, arrows, Home";
        case kConvBreakpoint:
            return "breakpoint conversion";
        default:
            return "";
    }
}

std::vector<std::string> ConversionWindowModel::fieldCaptions() const {
    switch (type_) {
        case kConvLinear:
        case kConvReciprocal:
        case kConvLogarithmic:
            return {"value of 'a':", "value of 'b':"};
        case kConvQuadratic:
            return {"value of 'a':", "value of 'b':", "value of 'c':"};
        case kConvPower:
            return {"value of 'a':", "value of 'b':", "exponent:"};
        case kConvThreeWay:
            return {std::begin(kThreeWayCaptions), std::end(kThreeWayCaptions)};
        default:
            return {};
    }
}

std::vector<std::string> ConversionWindowModel::fieldTexts() const {
    if (type_ == kConvThreeWay) {
        return {fieldText(poly_[0]), fieldText(poly_[1]), fieldText(poly_[2]),
                fieldText(poly_[3]), fieldText(poly_[5]), fieldText(poly_[6])};
    }
    std::vector<std::string> texts = {fieldText(k_.a), fieldText(k_.b), fieldText(k_.c)};
    texts.resize(fieldCaptions().size());
    return texts;
}

void ConversionWindowModel::setField(int index, std::string_view text) {
    const float v = readField(text);
    if (type_ == kConvThreeWay) {
        constexpr size_t kSlots[] = {0, 1, 2, 3, 5, 6};
        if (index >= 0 && index < 6) {
            poly_[kSlots[index]] = v;
        }
        return;
    }
    switch (index) {
        case 0:
            k_.a = v;
            break;
        case 1:
            k_.b = v;
            break;
        case 2:
            k_.c = v;
            break;
        default:
            break;
    }
}

std::string ConversionWindowModel::minimumText() const {
    return fieldText(range_.min);
}
std::string ConversionWindowModel::maximumText() const {
    return fieldText(range_.max);
}
void ConversionWindowModel::setMinimum(std::string_view text) {
    range_.min = readField(text);
}
void ConversionWindowModel::setMaximum(std::string_view text) {
    range_.max = readField(text);
}

void ConversionWindowModel::takeCalibration(const CalibrationResult& r) {
    type_ = r.type;
    k_ = r.k;
    range_ = r.range;
    label_ = trimmed(r.label.substr(0, static_cast<size_t>(kLabelWidth)));
}

void ConversionWindowModel::selectionOK(Program& p) const {
    const auto c = static_cast<size_t>(channel_);
    auto& row = p.channels.Nvar[c];
    p.channels.conversionType(channel_) = static_cast<float>(type_);
    row[kCoeffA] = k_.a;
    row[kCoeffB] = k_.b;
    row[kCoeffC] = k_.c;
    row[kDisplayMin] = range_.min;
    row[kDisplayMax] = range_.max;
    p.channels.setLabel(channel_, label_);
    std::copy(poly_.begin(), poly_.end(), p.conversion.polyarray[c].begin());
    p.conversion.SpecialOps[c] = ops_;
}

}  // namespace trindel
