#include "devices/datataker/datataker_windows.h"

#include <charconv>

#include "devices/datataker/datataker.h"
#include "state/program.h"

namespace trindel {

namespace {

const std::string kBlank(30, ' ');

std::string padded(std::string s) {
    s.resize(30, ' ');
    return s;
}

const std::string kVoltsLabel = padded(" [ volts ]");

}  // namespace

DataTakerInputsModel::DataTakerInputsModel(Program& p)
    : p_(p), labels_(kMaxChannels + 1), counterStart_(p.device.counterstart) {
    for (int c = 1; c <= p.session.nChan && c <= kMaxChannels; ++c) {
        if (p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] > 0) {
            rows_.push_back(c);
            std::string label = padded(p.channels.label(c));
            labels_[static_cast<size_t>(c)] = label == kBlank ? kVoltsLabel : label;
        }
    }
}

const std::string& DataTakerInputsModel::label(int channel) const {
    return labels_.at(static_cast<size_t>(channel));
}

void DataTakerInputsModel::editLabel(int channel, const std::string& text) {
    if (channel >= 1 && channel <= kMaxChannels) {
        labels_[static_cast<size_t>(channel)] = padded(text.substr(0, 30));
    }
}

bool DataTakerInputsModel::isChosen(int channel, Choice c) const {
    const auto& f = p_.device.DataTakerChannels.at(static_cast<size_t>(channel));
    const bool counter = f[4] != 0;
    switch (c) {
        case Choice::Counter:
            return counter;
        case Choice::TypeT:
            return !counter && f[0] == 0 && f[2] != 2 && f[2] != 3;
        case Choice::TypeJ:
            return !counter && f[0] == 0 && f[2] == 2;
        case Choice::TypeK:
            return !counter && f[0] == 0 && f[2] == 3;
        case Choice::Volts:
            return !counter && f[0] == 1;
        case Choice::Ohms:
            return !counter && f[0] == 2;
        case Choice::Plus:
            return f[3] == 1;
        case Choice::Minus:
            return f[3] == 2;
        case Choice::Star:
            return f[3] == 3;
        case Choice::Differential:
            return f[3] < 1 || f[3] > 3;
    }
    return false;
}

void DataTakerInputsModel::choose(int channel, Choice c) {
    if (channel < 1 || channel > kMaxChannels) {
        return;
    }
    auto& f = p_.device.DataTakerChannels[static_cast<size_t>(channel)];
    std::string defaultLabel;
    switch (c) {
        case Choice::TypeT:
        case Choice::TypeJ:
        case Choice::TypeK:
            f[0] = 0;
            f[1] = 1;
            f[2] = c == Choice::TypeT ? 1 : c == Choice::TypeJ ? 2 : 3;
            f[4] = 0;
            defaultLabel =
                "Temperature (\xA1"
                "C)";
            break;
        case Choice::Volts:
            f[0] = 1;
            f[1] = f[2] = f[4] = 0;
            defaultLabel = "volts";
            break;
        case Choice::Ohms:
            f[0] = 2;
            f[1] = f[2] = f[4] = 0;
            defaultLabel = "resistance (ohms)";
            break;
        case Choice::Counter:
            f[0] = f[1] = 0;
            f[4] = 1;
            defaultLabel = "counter";
            break;
        case Choice::Plus:
        case Choice::Minus:
        case Choice::Star:
        case Choice::Differential:
            f[3] = c == Choice::Plus ? 1 : c == Choice::Minus ? 2 : c == Choice::Star ? 3 : 0;
            f[1] = f[4] = 0;
            break;
    }
    std::string& label = labels_[static_cast<size_t>(channel)];
    if (!defaultLabel.empty() && (label == kBlank || label == kVoltsLabel)) {
        label = padded(defaultLabel);
    }
}

bool DataTakerInputsModel::setCounterStart(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (ec != std::errc{} || !(value >= 0.0) || value > 1000000.0) {
        return false;
    }
    for (const char* c = end; c != text.data() + text.size(); ++c) {
        if (*c != ' ') {
            return false;
        }
    }
    counterStart_ = static_cast<int32_t>(value);  // the integer part
    return true;
}

void DataTakerInputsModel::finish() {
    p_.device.counterstart = counterStart_;
    // Labels typed or filled in here reach the channels: losing them on closing would surprise.
    for (const int c : rows_) {
        const std::string& label = labels_[static_cast<size_t>(c)];
        p_.channels.setLabel(c, label == kVoltsLabel ? kBlank : label);
    }
}

DT800ModeModel::DT800ModeModel(Program& p)
    : p_(p),
      high_(p.device.DT800FastAcquisitionMode != 0),
      mains_(p.session.mainsfrequency == 50 ? int16_t{50} : int16_t{60}),
      noFilter_(p.prefs[kPrefNoMainsFiltration] != 0) {}

void DT800ModeModel::finish(Platform& io, SerialPort& port) {
    p_.device.DT800FastAcquisitionMode = high_ ? 1 : 0;
    p_.session.mainsfrequency = mains_;
    p_.prefs[kPrefNoMainsFiltration] = noFilter_ ? 1 : 0;
    if (high_) {
        SwitchDT800ToHIGHSpeed(p_, io, port);
    } else {
        SwitchDT800ToLOWSpeed(p_, io, port);
    }
}

}  // namespace trindel
