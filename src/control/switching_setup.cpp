#include "control/switching_setup.h"

#include <algorithm>

namespace trindel {

namespace {

bool scopePlusChart(const Program& p) {
    return p.session.RecordingMODE == 3;
}

}  // namespace

const std::array<std::string_view, 11>& switchingSchemeItems() {
    static const std::array<std::string_view, 11> items = {
        "",
        "no switching",
        "",
        "Keyboard control",
        "Reference at start and end",
        "Periodic references",
        "Keyboard control, timed reference",
        "",
        "Start and end, sequential files",
        "",
        "Sequential devices, one channel",
    };
    return items;
}

int SwitchingSetupModel::schemeItem() const {
    static constexpr std::array<int, 11> kItemOfMode = {1, 3, 3, 4, 4, 5, 5, 6, 6, 8, 10};
    const int m = mode();
    return m >= 0 && m <= 10 ? kItemOfMode[static_cast<size_t>(m)] : 1;
}

void SwitchingSetupModel::clearDeviceNumbers() {
    for (int c = 1; c <= kMaxChannels; ++c) {
        p_.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber] = 0.0f;
    }
}

void SwitchingSetupModel::setMode(int m) {
    const bool wasOneChannel = oneChannelRows();
    const bool oneChannel = m == 9 || m == 10;
    // Rows 1 to 8 mean "device in use" in the one-channel modes and a channel's device in the
    // others, so moving between the two layouts starts from empty rows.
    if (wasOneChannel != oneChannel && mode() != 0) {
        clearDeviceNumbers();
        if (wasOneChannel) {
            p_.switching.RefChan2 = 0;
            p_.prefs[kPrefAutorepeat] = 0;
        }
    }
    p_.session.SwitchingMode = static_cast<int16_t>(m);
    p_.switching.nGroups = (m == 2 || m == 4 || m == 6 || m == 8) ? 2 : 0;
}

void SwitchingSetupModel::chooseScheme(int item) {
    const bool two = p_.switching.nGroups == 2 && p_.session.RecordingMODE < 3;
    switch (item) {
        case 1:
            setMode(0);
            break;
        case 3:
            setMode(two ? 2 : 1);
            break;
        case 4:
            setMode(two ? 4 : 3);
            break;
        case 5:
            // Scope-plus-chart recording runs no periodic scheme: it becomes start and end.
            setMode(scopePlusChart(p_) ? 3 : (two ? 6 : 5));
            break;
        case 6:
            setMode(two ? 8 : 7);
            break;
        case 8:
            setMode(9);
            p_.prefs[kPrefAutorepeat] = 1;
            break;
        case 10:
            setMode(10);
            p_.prefs[kPrefAutorepeat] = 0;
            break;
        default:
            break;  // separators
    }
}

void SwitchingSetupModel::chooseOutputCode(int code) {
    if (code == 0) {
        p_.prefs[kPrefDigitalControlMode] = 0;
        return;
    }
    p_.prefs[kPrefDigitalControlMode] = 1;
    const int m = mode();
    if (m == 2 || m == 4 || m == 6 || m == 8) {
        setMode(m == 6 && scopePlusChart(p_) ? 3 : m - 1);
    }
    p_.switching.nGroups = 0;
    p_.switching.RefChan2 = 0;
}

bool SwitchingSetupModel::twoGroupsEnabled() const {
    return !oneChannelRows() && p_.prefs[kPrefDigitalControlMode] == 0 && !scopePlusChart(p_);
}

void SwitchingSetupModel::toggleTwoGroups() {
    if (!twoGroupsEnabled()) {
        return;
    }
    SwitchingState& sw = p_.switching;
    const int m = mode();
    if (sw.nGroups == 2) {
        sw.nGroups = 0;
        sw.RefChan2 = 0;
        if (m == 2 || m == 4 || m == 6 || m == 8) {
            p_.session.SwitchingMode = static_cast<int16_t>(m - 1);
        }
    } else {
        sw.nGroups = 2;
        // A group-1 reference has to lie in group 1.
        if (sw.RefChan > groupOneLastDevice(p_)) {
            sw.RefChan = 0;
        }
        if (m == 1 || m == 3 || m == 5 || m == 7) {
            p_.session.SwitchingMode = static_cast<int16_t>(m + 1);
        }
    }
    if (mode() != 0) {
        SWITCHTOREFERENCE(p_, fx_);
    }
}

int SwitchingSetupModel::referenceButtonCount() const {
    const int code = p_.device.External_AD;
    if (code == kSwitchADC1) {
        return 6;
    }
    if ((code == kSwitchDT500 || code == kSwitchDT50) && p_.prefs[kPrefDigitalControlMode] == 0) {
        return 4;
    }
    return 8;
}

void SwitchingSetupModel::pressReferenceDevice(int d) {
    if (d < 1 || d > referenceButtonCount() || mode() == 0) {
        return;
    }
    SwitchingState& sw = p_.switching;
    const int previous = sw.RefChan;
    if (twoDeviceGroups(p_) && d > groupOneLastDevice(p_)) {
        sw.RefChan2 = static_cast<int16_t>(d);
    } else {
        sw.RefChan = static_cast<int16_t>(d);
    }
    if (previous >= 0) {
        sw.SampleValve = static_cast<int16_t>(previous);
    }
    SWITCHTOREFERENCE(p_, fx_);
}

void SwitchingSetupModel::pressChannelDevice(int c, int device) {
    if (oneChannelRows() || mode() == 0 || c < 1 || c > std::min<int>(p_.session.nChan, 16) ||
        device < 0 || device > 8) {
        return;
    }
    p_.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber] = static_cast<float>(device);
}

void SwitchingSetupModel::toggleDeviceInUse(int d) {
    if (!oneChannelRows() || d < 1 || d > 8) {
        return;
    }
    float& cell = p_.channels.Nvar[static_cast<size_t>(d)][kDeviceNumber];
    cell = cell != 0.0f ? 0.0f : 1.0f;
}

bool SwitchingSetupModel::deviceInUse(int d) const {
    return d >= 1 && d <= 8 && p_.channels.Nvar[static_cast<size_t>(d)][kDeviceNumber] != 0.0f;
}

void SwitchingSetupModel::chooseSwitchedChannel(int c) {
    if (oneChannelRows() && c >= 1 && c <= p_.session.nChan) {
        p_.channels.Nvar[0][0] = static_cast<float>(c);
    }
}

int SwitchingSetupModel::switchedChannel() const {
    const int c = static_cast<int>(p_.channels.Nvar[0][0]);
    return c >= 1 && c <= p_.session.nChan ? c : 1;
}

void SwitchingSetupModel::toggleExtraZeroLinks() {
    if (extraZeroEnabled()) {
        int16_t& on = p_.switching.zerolink[0][0];
        on = on != 0 ? 0 : 1;
    }
}

void SwitchingSetupModel::toggleMarkerAtSwitch() {
    int16_t& w = p_.prefs[kPrefMarkerAtDeviceSwitch];
    w = w != 0 ? 0 : 1;
}

void SwitchingSetupModel::toggleSkipRefs() {
    int16_t& w = p_.switching.SkipRefsBetweenChannels;
    w = w != 0 ? 0 : 1;
}

void SwitchingSetupModel::setIntervals(float refint, float switchint) {
    if (showsReferenceInterval()) {
        p_.switching.refint = refint;
    }
    if (showsSequenceInterval()) {
        p_.switching.switchint = switchint;
    }
}

std::string SwitchingSetupModel::twoGroupsLabel() const {
    return p_.device.External_AD == kSwitchADC1 ? "Use Two Device Groups (1 to 3 and 4 to 6)"
                                                : "Use Two Device Groups (1 to 4 and 5 to 8)";
}

std::string SwitchingSetupModel::outputCodeLabel(int code) const {
    if (code == 0) {
        return "One Line per Device";
    }
    return p_.device.External_AD == kSwitchADC1 ? "standard ADC-1 output coding" : "Three-bit Word";
}

int SwitchingSetupModel::groupOf(int device) const {
    return twoDeviceGroups(p_) && device > groupOneLastDevice(p_) ? 2 : 1;
}

std::string SwitchingSetupModel::switchPattern(int device) const {
    if (device < 1 || device > 8) {
        return "";
    }
    std::string out;
    if (p_.prefs[kPrefDigitalControlMode] == 0) {
        for (int line = referenceButtonCount(); line >= 1; --line) {
            out += line == device ? '1' : '0';
        }
    } else {
        for (int bit = 2; bit >= 0; --bit) {
            out += ((device - 1) >> bit & 1) != 0 ? '1' : '0';
        }
    }
    return out;
}

bool SwitchingSetupModel::anyDevice() const {
    // The one-channel modes keep "device in use" in rows 1 to 8 whatever the channel count.
    const int last = oneChannelRows() ? 8 : std::min<int>(p_.session.nChan, kMaxChannels);
    for (int row = 1; row <= last; ++row) {
        if (p_.channels.Nvar[static_cast<size_t>(row)][kDeviceNumber] != 0.0f) {
            return true;
        }
    }
    return false;
}

bool SwitchingSetupModel::setupOk() const {
    const SwitchingState& sw = p_.switching;
    const int m = mode();
    if (m == 0) {
        return true;
    }
    const bool two = m == 2 || m == 4 || m == 6 || m == 8;
    if (sw.RefChan <= 0 || (two && sw.RefChan2 <= 0) || !anyDevice()) {
        return false;
    }
    if (showsReferenceInterval() && !(sw.refint > 0.0f)) {
        return false;
    }
    return !showsSequenceInterval() || sw.switchint > 0.0f;
}

SwitchingSetupClose SwitchingSetupModel::close() {
    SwitchingSetupClose out;
    // Return closes as "Setup OK" does, so neither lets a set-up through that cannot run.
    if (!setupOk()) {
        return out;
    }
    out.closed = true;
    SWITCHTOREFERENCE(p_, fx_);
    out.askSequenceLabels = mode() == 9;
    out.askZeroLinks = p_.switching.zerolink[0][0] != 0 && extraZeroEnabled();
    return out;
}

void setSwitchOptions(SwitchingState& sw, bool deviceNumberMarkers, float unreadValue) {
    sw.ShowSwitchDeviceAsMarker = deviceNumberMarkers ? 1 : 0;
    sw.DeviceSwitchZeroValue = unreadValue;
}

void setSequenceLabel(SwitchingState& sw, int d, std::string_view label) {
    if (d < 1 || d > 8) {
        return;
    }
    std::string text(label.substr(0, 20));
    text.resize(20, ' ');
    sw.prefix.resize(160, ' ');
    sw.prefix.replace(static_cast<size_t>(d - 1) * 20, 20, text);
}

std::string sequenceLabel(const SwitchingState& sw, int d) {
    if (d < 1 || d > 8 || sw.prefix.size() < static_cast<size_t>(d) * 20) {
        return {};
    }
    return sw.prefix.substr(static_cast<size_t>(d - 1) * 20, 20);
}

ZeroLinkModel::ZeroLinkModel(const Program& p) : p_(p) {
    for (int c = 1; c <= kMaxChannels; ++c) {
        choice_[static_cast<size_t>(c)] = p.switching.zerolink[static_cast<size_t>(c)][1];
    }
}

void ZeroLinkModel::pick(int c, int k) {
    const int n = std::min<int>(p_.session.nChan, kMaxChannels);
    if (c < 1 || c > n || k < 1 || k > n || k == c || deviceOfRow(p_, c) == 0) {
        return;
    }
    int16_t& chosen = choice_[static_cast<size_t>(c)];
    chosen = chosen == k ? 0 : static_cast<int16_t>(k);
}

void ZeroLinkModel::apply(SwitchingState& sw) const {
    for (int c = 1; c <= kMaxChannels; ++c) {
        sw.zerolink[static_cast<size_t>(c)][2] = 0;
        sw.zerolink[static_cast<size_t>(c)][1] = choice_[static_cast<size_t>(c)];
    }
    for (int c = 1; c <= kMaxChannels; ++c) {
        const int k = choice_[static_cast<size_t>(c)];
        if (k >= 1 && k <= kMaxChannels) {
            sw.zerolink[static_cast<size_t>(k)][2] = static_cast<int16_t>(c);
        }
    }
}

}  // namespace trindel
