#include "signal/chan_params.h"

#include <algorithm>
#include <cmath>

namespace trindel {

namespace {

void setBand(std::array<float, 18>& row, int top, int height) {
    const int bottom = top + height;
    row[kBandHeight] = static_cast<float>(height);
    row[kBandBottom] = static_cast<float>(bottom);
    row[kReadoutRow] = static_cast<float>(top);
    row[kLabelRow] = static_cast<float>(bottom - 2);
    row[kLastPenRow] = static_cast<float>(bottom);
}

void evenLayout(Program& p, int windowHeight, int channels) {
    const int band = (windowHeight - 60) / channels;
    for (int c = 1; c <= channels; ++c) {
        const int bottom = c * band + 34;
        setBand(p.channels.Nvar[static_cast<size_t>(c)], bottom - band, band);
    }
}

void rescaledLayout(Program& p, int windowHeight, int previousHeight, int channels) {
    const float factor =
        static_cast<float>(windowHeight - 60) / static_cast<float>(previousHeight - 60);
    int top = 35;
    for (int c = 1; c <= channels; ++c) {
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        const float scaled = row[kBandHeight] * factor;
        const int band =
            std::isfinite(scaled) ? static_cast<int>(std::clamp(scaled, 0.0f, 1e5f)) : 0;
        setBand(row, top, band);
        top += band + 1;
    }
}

}  // namespace

void SetChanParams(Program& p, int height, int rescale) {
    const int channels = std::clamp<int>(p.session.nChan, 0, kMaxChannels);
    int windowHeight = p.prefs[kPrefWindowHeight];
    if (channels > 0) {
        if (rescale != 0 && height > 60) {
            rescaledLayout(p, windowHeight, height, channels);
        } else {
            if (height == 0) {
                windowHeight = 768;
            }
            evenLayout(p, windowHeight, channels);
        }
    }
    CLEARARRAY(p.scope);
}

}  // namespace trindel
