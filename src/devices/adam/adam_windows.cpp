#include "devices/adam/adam_windows.h"

#include <algorithm>

namespace trindel {

namespace {

void storeRange(Program& p, int channel, int16_t type) {
    const AdamSensorRow* row = adamSensorRow(type);
    if (row == nullptr) {
        return;
    }
    auto& n = p.channels.Nvar[static_cast<size_t>(channel)];
    n[kDisplayMin] = row->minimum;
    n[kDisplayMax] = row->maximum;
}

int16_t shown(int16_t type) {
    return type == 0 ? 5 : type;
}

}  // namespace

int adamRowForKey(char key) {
    static constexpr char kKeys[] = "1234567890!@#$%^";
    for (int i = 0; i < 16; ++i) {
        if (kKeys[i] == key) {
            return i + 1;
        }
    }
    return 0;
}

AdamSensorTypesModel::AdamSensorTypesModel(const Program& p)
    : nChan_(std::clamp<int>(p.session.nChan, 0, kMaxChannels)) {
    for (int c = 1; c <= kMaxChannels; ++c) {
        labels_[static_cast<size_t>(c)] = p.channels.label(c);
        types_[static_cast<size_t>(c)] = p.device.ADsensorType[static_cast<size_t>(c)];
    }
}

const std::string& AdamSensorTypesModel::label(int channel) const {
    return labels_[static_cast<size_t>(std::clamp(channel, 0, kMaxChannels))];
}

void AdamSensorTypesModel::editLabel(int channel, const std::string& text) {
    if (channel >= 1 && channel <= nChan_) {
        labels_[static_cast<size_t>(channel)] = text.substr(0, kLabelWidth);
    }
}

int16_t AdamSensorTypesModel::type(int channel) const {
    return shown(types_[static_cast<size_t>(std::clamp(channel, 0, kMaxChannels))]);
}

void AdamSensorTypesModel::choose(int channel, int16_t type) {
    if (channel >= 1 && channel <= nChan_ && adamSensorRow(type) != nullptr) {
        types_[static_cast<size_t>(channel)] = type;
    }
}

void AdamSensorTypesModel::finish(Program& p) const {
    for (int c = 1; c <= nChan_; ++c) {
        const auto i = static_cast<size_t>(c);
        p.channels.setLabel(c, labels_[i]);
        if (types_[i] != p.device.ADsensorType[i]) {
            p.device.ADsensorType[i] = types_[i];
            storeRange(p, c, types_[i]);
        }
    }
}

AdamChannelsModel::AdamChannelsModel(const Program& p, int channel)
    : channel_(std::clamp(channel, 1, kMaxChannels)),
      inputs_(p.prefs[kPrefAdamModule] != 0 ? 16 : 8),
      module3_(p.prefs[kPrefAdamModule]) {
    const auto c = static_cast<size_t>(channel_);
    const int16_t own = shown(p.device.ADsensorType[c]);
    types_.fill(own);
    // Each input shows the type of the first channel wired to it.
    std::array<bool, 17> typed{};
    for (int k = 1; k <= p.session.nChan && k <= kMaxChannels; ++k) {
        const int in = static_cast<int>(p.channels.Nvar[static_cast<size_t>(k)][kInputNumber]);
        if (in < 1 || in > 16) {
            continue;
        }
        const auto i = static_cast<size_t>(in);
        if (k != channel_) {
            inUse_[i] = true;
        }
        if (!typed[i] || k == channel_) {
            types_[i] = shown(p.device.ADsensorType[static_cast<size_t>(k)]);
            typed[i] = true;
        }
    }
    selected_ = static_cast<int>(p.channels.Nvar[c][kInputNumber]);
    if (selected_ < 1 || selected_ > inputs_) {
        selected_ = std::min(channel_, inputs_);
    }
    for (int in = 1; in <= 16; ++in) {
        const auto offered = choices(in);
        if (std::find(offered.begin(), offered.end(), types_[static_cast<size_t>(in)]) ==
            offered.end()) {
            types_[static_cast<size_t>(in)] = 5;
        }
    }
}

std::string AdamChannelsModel::title() const {
    return "Input Selection For Chart Channel " + std::to_string(channel_);
}

std::string AdamChannelsModel::heading() const {
    switch (module3_) {
        case 10:
            return "ADAM-4019 + 4017* signal connections";
        case 11:
            return "ADAM-4019 + 4019* signal connections";
        default:
            return "ADAM-4019 signal connections";
    }
}

std::string AdamChannelsModel::inputText(int input) const {
    return "Input " + std::to_string(input) + (input > 8 ? "*" : "");
}

std::string AdamChannelsModel::useText(int input) const {
    return inUse_[static_cast<size_t>(std::clamp(input, 0, 16))] ? " in use" : "     available ";
}

std::vector<int16_t> AdamChannelsModel::choices(int input) const {
    std::vector<int16_t> out;
    for (const int16_t t : kAdamChoiceTypes) {
        if (input > 8 && adamThermocouple(t)) {
            continue;
        }
        if (input > 8 && module3_ == 10 && t == 2) {
            continue;
        }
        out.push_back(t);
    }
    return out;
}

void AdamChannelsModel::select(int input) {
    if (input >= 1 && input <= inputs_) {
        selected_ = input;
    }
}

void AdamChannelsModel::choose(int input, int16_t type) {
    if (input < 1 || input > inputs_) {
        return;
    }
    const auto offered = choices(input);
    if (std::find(offered.begin(), offered.end(), type) == offered.end()) {
        return;
    }
    types_[static_cast<size_t>(input)] = type;
    selected_ = input;
}

void AdamChannelsModel::finish(Program& p) const {
    const auto c = static_cast<size_t>(channel_);
    const int16_t type = types_[static_cast<size_t>(selected_)];
    p.channels.Nvar[c][kInputNumber] = static_cast<float>(selected_);
    p.device.ADsensorType[c] = type;
    storeRange(p, channel_, type);
}

std::vector<std::string> AdamAddressModel::explanation() {
    return {"\xA5  This function sets the address of an additional ADAM module (4050, 4017,",
            "or 4019).  A 4050 is always set to address 2; a 4017 or 4019 is set to address 3.",
            "The primary 4019 uses the default factory setting of address 1.",
            "\xA5 CAUTION:  ",
            "Before proceeding, you need to make sure the new module is the",
            "only one connected to the computer. ",
            "Click the '?' button for details.",
            "Select the module to be re-addressed:"};
}

std::array<const char*, 3> AdamAddressModel::moduleTexts() {
    return {"ADAM-4050 (digital outputs)", "ADAM-4017 or -4019 (as additional 8 A-D inputs)",
            "Primary ADAM-4019 (if address is not 1)"};
}

std::vector<std::string> addressCheckLines(const std::string& command, const std::string& reply,
                                           bool accepted) {
    std::vector<std::string> lines{"Address command sent:    " + command,
                                   "response received:   " + reply};
    if (accepted) {
        lines.emplace_back("Re-addressing apparently successful! ");
        lines.emplace_back("Wait 7 seconds for reset to finish\xC9");
    } else {
        lines.emplace_back("Possible error (invalid command)! ");
    }
    return lines;
}

std::string addressResetLine(int seconds) {
    return seconds >= 8 ? "OK to proceed" : std::to_string(seconds);
}

}  // namespace trindel
