#include "ui/modes_channels.h"

#include <algorithm>

namespace trindel {

ModesChannelsModel::ModesChannelsModel(bool externalDevice, bool slowDevice, int maximumChannels)
    : mode_(externalDevice || slowDevice ? 1 : 0),
      slow_(slowDevice),
      maximum_(std::clamp(maximumChannels, 1, 16)) {}

bool ModesChannelsModel::tabOffered(int mode) const {
    return mode == 1 || (!slow_ && (mode == 2 || mode == 3));
}

bool ModesChannelsModel::chooseTab(int mode) {
    if (!tabOffered(mode)) {
        return false;
    }
    mode_ = static_cast<int16_t>(mode);
    nChan_ = mode == 2 ? 1 : 0;
    return true;
}

int ModesChannelsModel::countButtons() const {
    switch (mode_) {
        case 0:
        case 1:
            return maximum_;
        case 3:
            return 5;
        default:
            return 0;
    }
}

bool ModesChannelsModel::chooseCountButton(int button) {
    const int n = button - kFirstCountButton + 1;
    if (n < 1 || n > countButtons()) {
        return false;
    }
    nChan_ = static_cast<int16_t>(n);
    return true;
}

}  // namespace trindel
