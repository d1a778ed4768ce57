#include "devices/adc1/adc1_windows.h"

#include <algorithm>

namespace trindel {

Adc1InputModel::Adc1InputModel(const Program& p, int channel)
    : channel_(std::clamp(channel, 1, kMaxChannels)), gain_(p.device.GainSet) {
    for (int k = 1; k <= p.session.nChan && k <= kMaxChannels; ++k) {
        const int in = static_cast<int>(p.channels.Nvar[static_cast<size_t>(k)][kInputNumber]);
        if (k != channel_ && in >= 1 && in <= 16) {
            inUse_[static_cast<size_t>(in)] = true;
        }
    }
    selected_ = static_cast<int>(p.channels.Nvar[static_cast<size_t>(channel_)][kInputNumber]);
    if (selected_ < 1 || selected_ > 16) {
        selected_ = channel_;
    }
    if (gain_ < 1 || gain_ > 3) {
        gain_ = 1;
    }
}

std::string Adc1InputModel::title() const {
    return "Input Selection For Chart Channel " + std::to_string(channel_);
}

std::string Adc1InputModel::useText(int input) const {
    return inUse_[static_cast<size_t>(std::clamp(input, 0, 16))] ? " in use" : " available";
}

std::array<const char*, 3> Adc1InputModel::gainTexts() {
    return {"Automatic Gain", "Fixed LOW Gain", "Fixed HIGH Gain"};
}

void Adc1InputModel::select(int input) {
    if (input >= 1 && input <= 16) {
        selected_ = input;
    }
}

void Adc1InputModel::chooseGain(int16_t g) {
    if (g >= 1 && g <= 3) {
        gain_ = g;
    }
}

void Adc1InputModel::finish(Program& p) const {
    p.channels.Nvar[static_cast<size_t>(channel_)][kInputNumber] = static_cast<float>(selected_);
    p.device.GainSet = gain_;
}

}  // namespace trindel
