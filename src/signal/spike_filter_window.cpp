#include "signal/spike_filter_window.h"

#include <algorithm>
#include <stdexcept>

#include "signal/spike_filter.h"
#include "text/field_text.h"

namespace trindel {

namespace {

constexpr const char* kOffText = "off";
constexpr const char* kUpSound = "upVip";
constexpr const char* kDownSound = "downVip";

std::string ratioText(float ratio) {
    return ratio > 1.0f ? fieldText(ratio) : kOffText;
}

}  // namespace

SpikeFilterWindow::SpikeFilterWindow(const ConversionTables& tables, const PrefsArray& prefs,
                                     int nChan)
    : nChan_(std::clamp(nChan, 0, 16)), doubleFiltration_(prefs[kPrefDoubleSpikeFilter] != 0) {
    for (int c = 1; c <= 16; ++c) {
        const float stored = tables.SpikeFilterArray[static_cast<size_t>(c)];
        ratios_[static_cast<size_t>(c)] = stored > 1.0f ? stored : 0.0f;
        fields_[static_cast<size_t>(c)] = ratioText(stored);
    }
}

size_t SpikeFilterWindow::index(int channel) const {
    if (channel < 1 || channel > nChan_) {
        throw std::out_of_range("no such channel in the spike filter window");
    }
    return static_cast<size_t>(channel);
}

void SpikeFilterWindow::setField(int channel, std::string text) {
    fields_[index(channel)] = std::move(text);
}

const char* SpikeFilterWindow::clickChannel(int channel) {
    const size_t c = index(channel);
    if (ratios_[c] != 0.0f) {
        ratios_[c] = 0.0f;
        fields_[c] = kOffText;
        return kDownSound;
    }
    float ratio = static_cast<float>(fieldValue(fields_[c]));
    if (!(ratio > 1.0f)) {
        ratio = 2.0f;
        fields_[c] = "2";
    }
    ratios_[c] = ratio;
    return kUpSound;
}

const char* SpikeFilterWindow::allFiltersOff() {
    for (int c = 1; c <= nChan_; ++c) {
        ratios_[static_cast<size_t>(c)] = 0.0f;
        fields_[static_cast<size_t>(c)] = kOffText;
    }
    return kDownSound;
}

const char* SpikeFilterWindow::setAllFilters(float ratio) {
    for (int c = 1; c <= nChan_; ++c) {
        ratios_[static_cast<size_t>(c)] = ratio;
        fields_[static_cast<size_t>(c)] = fieldText(ratio);
    }
    return kUpSound;
}

bool SpikeFilterWindow::done(ConversionTables& tables, PrefsArray& prefs) const {
    for (int c = 1; c <= nChan_; ++c) {
        const auto i = static_cast<size_t>(c);
        float stored = 0.0f;
        if (ratios_[i] != 0.0f) {
            const auto typed = static_cast<float>(fieldValue(fields_[i]));
            stored = typed > 1.0f ? typed : 0.0f;
        }
        tables.SpikeFilterArray[i] = stored;
    }
    const bool anyOn = anySpikeFilterOn(tables);
    prefs[kPrefSpikeFilter] = anyOn ? 1 : 0;
    prefs[kPrefDoubleSpikeFilter] = doubleFiltration_ ? 1 : 0;
    return anyOn;
}

}  // namespace trindel
