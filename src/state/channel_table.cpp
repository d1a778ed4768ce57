#include "state/channel_table.h"

#include <stdexcept>

namespace trindel {

namespace {
std::string& slotString(ChannelTable& t, int channel) {
    return channel <= 8 ? t.datalabel : t.datalabel2;
}
size_t slotOffset(int channel) {
    return static_cast<size_t>(((channel - 1) % 8) * kLabelWidth);
}
void checkChannel(int channel) {
    if (channel < 1 || channel > kMaxChannels) {
        throw std::out_of_range("channel number out of range: " + std::to_string(channel));
    }
}
}  // namespace

std::string ChannelTable::label(int channel) const {
    checkChannel(channel);
    const std::string& s = channel <= 8 ? datalabel : datalabel2;
    std::string padded = s;
    if (padded.size() < 240) {
        padded.resize(240, ' ');
    }
    return padded.substr(slotOffset(channel), kLabelWidth);
}

void ChannelTable::setLabel(int channel, std::string_view text) {
    checkChannel(channel);
    std::string& s = slotString(*this, channel);
    if (s.size() < 240) {
        s.resize(240, ' ');
    }
    std::string slot(text.substr(0, kLabelWidth));
    slot.resize(kLabelWidth, ' ');
    s.replace(slotOffset(channel), kLabelWidth, slot);
}

void ChannelTable::clearLabels() {
    datalabel.assign(240, ' ');
    datalabel2.assign(240, ' ');
}

}  // namespace trindel
