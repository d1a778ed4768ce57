// The channel table (Nvar) and the channel labels.
#pragma once

#include <array>
#include <string>

namespace trindel {

inline constexpr int kMaxChannels = 16;
inline constexpr int kLabelWidth = 30;

// Named elements of a channel row of Nvar (row c, c = 1..16).
enum NvarElement : int {
    kInputNumber = 1,
    kCoeffA = 2,
    kCoeffB = 3,
    kCoeffC = 4,
    kDisplayMax = 5,
    kDisplayMin = 6,
    kSamplesToAverage = 7,
    kBandHeight = 8,
    kBandBottom = 9,
    kReadoutRow = 10,
    kLabelRow = 11,
    kLastPenRow = 12,
    kDeviceNumber = 13,
};

struct ChannelTable {
    // Row 0 element c is channel c's conversion type; rows 1..16 are the channels.
    std::array<std::array<float, 18>, 26> Nvar{};
    // Labels: 30 bytes per channel, channels 1-8 in datalabel, 9-16 in datalabel2 (Mac Roman).
    std::string datalabel = std::string(240, ' ');
    std::string datalabel2 = std::string(240, ' ');

    float& conversionType(int channel) { return Nvar[0][channel]; }
    float conversionType(int channel) const { return Nvar[0][channel]; }

    // The 30-byte label slot of a channel (1..16).
    std::string label(int channel) const;
    void setLabel(int channel, std::string_view text);  // padded with blanks or cut to 30 bytes
    void clearLabels();

    bool operator==(const ChannelTable&) const = default;
};

}  // namespace trindel
