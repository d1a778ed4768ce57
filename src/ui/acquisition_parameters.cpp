#include "ui/acquisition_parameters.h"

#include <algorithm>
#include <cmath>

#include "text/field_text.h"

namespace trindel {

namespace {

constexpr int32_t kMostSamples = 2000000;

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.pop_back();
    }
    return s;
}

int elementOf(AcquisitionColumn column) {
    switch (column) {
        case AcquisitionColumn::Input:
            return kInputNumber;
        case AcquisitionColumn::A:
            return kCoeffA;
        case AcquisitionColumn::B:
            return kCoeffB;
        case AcquisitionColumn::C:
            return kCoeffC;
        case AcquisitionColumn::Minimum:
            return kDisplayMin;
        case AcquisitionColumn::Maximum:
            return kDisplayMax;
        case AcquisitionColumn::Averaged:
            return kSamplesToAverage;
        case AcquisitionColumn::Label:
            break;
    }
    return 0;
}

// A whole number from typed text, kept inside [lo, hi].
float wholeIn(std::string_view text, int lo, int hi) {
    const double v = fieldValue(text);
    if (!std::isfinite(v)) {
        return static_cast<float>(lo);
    }
    return static_cast<float>(
        std::clamp(std::trunc(v), static_cast<double>(lo), static_cast<double>(hi)));
}

}  // namespace

AcquisitionParametersModel::AcquisitionParametersModel(const Program& p, int deviceInputs,
                                                       int maxAverage)
    : table_(p.channels),
      nChan_(std::clamp<int>(p.session.nChan, 0, kMaxChannels)),
      mode_(p.session.RecordingMODE),
      externalAD_(p.device.External_AD),
      deviceInputs_(deviceInputs),
      maxAverage_(std::max(1, maxAverage)),
      samples_(std::clamp<int32_t>(p.session.MaxSamples, 1, kMostSamples)),
      windowWidth_(std::max<int32_t>(1, p.prefs[kPrefWindowWidth])),
      beep_(p.prefs[kPrefBeepAtSample] != 0),
      repeat_(p.prefs[mode_ == 3 ? kPrefAutomarkers : kPrefAutorepeat] != 0) {}

std::string AcquisitionParametersModel::title() const {
    const char* mode = mode_ == 2 ? "OSCILLOSCOPE" : (mode_ == 3 ? "SCOPE plus CHART" : "CHART");
    std::string t = std::string(mode) + " Mode" + " Acquisition Parameters";
    if (externalAD_ == 8) {
        t += "  (read serial stream)";
    }
    return t;
}

std::vector<AcquisitionColumn> AcquisitionParametersModel::columns() const {
    std::vector<AcquisitionColumn> c = {AcquisitionColumn::Input,   AcquisitionColumn::A,
                                        AcquisitionColumn::B,       AcquisitionColumn::C,
                                        AcquisitionColumn::Minimum, AcquisitionColumn::Maximum};
    if (mode_ != 2) {
        c.push_back(AcquisitionColumn::Averaged);
    }
    c.push_back(AcquisitionColumn::Label);
    return c;
}

const char* AcquisitionParametersModel::heading(AcquisitionColumn column) {
    switch (column) {
        case AcquisitionColumn::Input:
            return "A-D input";
        case AcquisitionColumn::A:
            return "A";
        case AcquisitionColumn::B:
            return "B";
        case AcquisitionColumn::C:
            return "C";
        case AcquisitionColumn::Minimum:
            return "min Y";
        case AcquisitionColumn::Maximum:
            return "max Y";
        case AcquisitionColumn::Averaged:
            return "# averaged";
        case AcquisitionColumn::Label:
            return "variable label";
    }
    return "";
}

std::string AcquisitionParametersModel::cell(int channel, AcquisitionColumn column) const {
    if (channel < 1 || channel > nChan_) {
        return "";
    }
    if (column == AcquisitionColumn::Label) {
        return trimmed(table_.label(channel));
    }
    return fieldText(table_.Nvar[static_cast<size_t>(channel)][elementOf(column)]);
}

void AcquisitionParametersModel::setSamplesToAverage(int channel, int samples) {
    if (channel >= 1 && channel <= nChan_) {
        table_.Nvar[static_cast<size_t>(channel)][kSamplesToAverage] =
            static_cast<float>(samples <= 0 ? 0 : std::min(samples, std::max(maxAverage_, 1)));
    }
}

void AcquisitionParametersModel::setCell(int channel, AcquisitionColumn column,
                                         std::string_view text) {
    if (channel < 1 || channel > nChan_) {
        return;
    }
    auto& row = table_.Nvar[static_cast<size_t>(channel)];
    switch (column) {
        case AcquisitionColumn::Label:
            table_.setLabel(channel, text);
            return;
        case AcquisitionColumn::Input:
            row[kInputNumber] = wholeIn(text, 1, 64);
            return;
        case AcquisitionColumn::Averaged:
            row[kSamplesToAverage] = wholeIn(text, 1, maxAverage_);
            return;
        default:
            row[elementOf(column)] = static_cast<float>(fieldValue(text));
            return;
    }
}

void AcquisitionParametersModel::reloadChannel(const Program& p, int channel) {
    if (channel >= 1 && channel <= kMaxChannels) {
        const auto c = static_cast<size_t>(channel);
        table_.Nvar[c] = p.channels.Nvar[c];
        table_.Nvar[0][c] = p.channels.Nvar[0][c];
        table_.setLabel(channel, p.channels.label(channel));
    }
}

void AcquisitionParametersModel::firstSamples() {
    samples_ = std::min(windowWidth_, kMostSamples);
}
void AcquisitionParametersModel::fewerSamples() {
    samples_ = std::max<int32_t>(1, samples_ / 2);
}
void AcquisitionParametersModel::moreSamples() {
    samples_ = samples_ > kMostSamples / 2 ? kMostSamples : samples_ * 2;
}
void AcquisitionParametersModel::lastSamples() {
    samples_ = kMostSamples;
}
void AcquisitionParametersModel::setSamples(std::string_view text) {
    samples_ = static_cast<int32_t>(wholeIn(text, 1, kMostSamples));
}

const char* AcquisitionParametersModel::repeatText() const {
    return mode_ == 3 ? "Auto-markers" : "Automatic Repeat";
}

int AcquisitionParametersModel::inputsOutOfRange() const {
    int n = 0;
    for (int c = 1; c <= nChan_; ++c) {
        if (table_.Nvar[static_cast<size_t>(c)][kInputNumber] > static_cast<float>(deviceInputs_)) {
            ++n;
        }
    }
    return n;
}

void AcquisitionParametersModel::setupOK(Program& p) const {
    for (int c = 1; c <= nChan_; ++c) {
        const auto at = static_cast<size_t>(c);
        p.channels.Nvar[at] = table_.Nvar[at];
        p.channels.Nvar[0][at] = table_.Nvar[0][at];
        p.channels.setLabel(c, table_.label(c));
    }
    p.session.MaxSamples = samples_;
    p.prefs[kPrefBeepAtSample] = beep_ ? 1 : 0;
    p.prefs[mode_ == 3 ? kPrefAutomarkers : kPrefAutorepeat] = repeat_ ? 1 : 0;
}

}  // namespace trindel
