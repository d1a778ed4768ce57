#include "display/chart_layout.h"

#include <algorithm>

namespace trindel {

void layoutBandsEvenly(ChannelTable& table, int nChan, int top, int bottom, int gap) {
    if (nChan <= 0) {
        return;
    }
    nChan = std::min(nChan, kMaxChannels);
    const int total = std::max(0, bottom - top);
    const int pitch = total / nChan;
    const int height = std::max(1, pitch - gap - 1);
    for (int c = 1; c <= nChan; ++c) {
        auto& row = table.Nvar[static_cast<size_t>(c)];
        const int bandBottom = top + c * pitch;  // one below the band's last row
        row[kBandHeight] = static_cast<float>(height);
        row[kBandBottom] = static_cast<float>(bandBottom);
    }
}

}  // namespace trindel
