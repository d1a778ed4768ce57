#include "ui/channel_editing.h"

#include <algorithm>
#include <cmath>

namespace trindel {

namespace {

constexpr size_t kXChannel = 12;  // XY elements holding the plotted channels
constexpr size_t kYChannel = 13;

int channelCount(const Program& p) {
    return std::clamp<int>(p.session.nChan, 0, kMaxChannels);
}

bool isDataTaker(const Program& p) {
    return p.device.External_AD >= 2 && p.device.External_AD <= 4;
}

}  // namespace

int firstEditableChannel(const Program& p) {
    return p.session.RecordingMODE == 3 ? 2 : 1;
}

bool cutChannelsEnabled(const Program& p) {
    switch (p.session.RecordingMODE) {
        case 1:
            return p.session.nChan > 1;
        case 3:
            return p.session.nChan > 2;
        default:
            return false;
    }
}

bool addChannelEnabled(const Program& p) {
    switch (p.session.RecordingMODE) {
        case 1:
            return p.session.nChan <= 15 && p.session.nChan < p.session.MaximumChans;
        case 3:
            return p.session.nChan <= 4;
        default:
            return false;
    }
}

void moveChannels(Program& p, const std::vector<int>& order) {
    // Every array is read from a copy, so the permutation only ever reads old values.
    const ChannelTable oldTable = p.channels;
    const auto oldAlarms = p.alarm.alarms;
    const auto oldDataTaker = p.device.DataTakerChannels;
    const auto oldSpecial = p.conversion.SpecialOps;
    const auto oldBP = p.conversion.BPconvert;
    const auto oldPoly = p.conversion.polyarray;
    const auto oldGain = p.device.GainArray;
    const auto oldSpike = p.conversion.SpikeFilterArray;
    const auto oldLinks = p.switching.zerolink;

    std::array<int, kMaxChannels + 1> newNumber{};
    const int placed = std::min<int>(static_cast<int>(order.size()), kMaxChannels);
    for (int k = 1; k <= placed; ++k) {
        newNumber[static_cast<size_t>(order[static_cast<size_t>(k - 1)])] = k;
    }
    auto renumber = [&](int old) {
        return old >= 1 && old <= kMaxChannels ? newNumber[static_cast<size_t>(old)] : old;
    };

    p.channels.datalabel = std::string(240, ' ');
    p.channels.datalabel2 = std::string(240, ' ');
    for (int k = 1; k <= kMaxChannels; ++k) {
        const auto n = static_cast<size_t>(k);
        if (k > placed) {
            p.channels.Nvar[0][n] = 0.0f;
            p.channels.Nvar[n][kInputNumber] = 0.0f;
            continue;
        }
        const auto o = static_cast<size_t>(order[n - 1]);
        p.channels.Nvar[0][n] = oldTable.Nvar[0][o];
        p.channels.Nvar[n] = oldTable.Nvar[o];
        p.channels.setLabel(k, oldTable.label(static_cast<int>(o)));
        p.alarm.alarms[n] = oldAlarms[o];
        p.device.DataTakerChannels[n] = oldDataTaker[o];
        p.conversion.SpecialOps[n] = oldSpecial[o];
        p.conversion.BPconvert[n] = oldBP[o];
        p.conversion.polyarray[n] = oldPoly[o];
        p.device.GainArray[n] = oldGain[o];
        p.conversion.SpikeFilterArray[n] = oldSpike[o];
        p.switching.zerolink[n] = oldLinks[o];
        for (size_t e = 1; e <= 2; ++e) {
            p.switching.zerolink[n][e] = static_cast<int16_t>(renumber(oldLinks[o][e]));
        }
    }
    // The XY plot follows its channels; a dropped channel switches the plot off.
    for (size_t e : {kXChannel, kYChannel}) {
        const int old = static_cast<int>(p.view.XY[e]);
        const int now = renumber(old);
        p.view.XY[e] = static_cast<float>(now);
        if (old >= 1 && now == 0) {
            p.view.ShowXYPlot = 0;
        }
    }
    p.session.nChan = static_cast<int16_t>(placed);
}

CutChannelsModel::CutChannelsModel(const Program& p)
    : first_(firstEditableChannel(p)), nChan_(channelCount(p)) {}

std::vector<int> CutChannelsModel::offered() const {
    std::vector<int> out;
    for (int c = first_; c <= nChan_; ++c) {
        out.push_back(c);
    }
    return out;
}

bool CutChannelsModel::toggle(int channel) {
    if (channel < first_ || channel > nChan_) {
        return false;
    }
    auto& mark = chancut_[static_cast<size_t>(channel)];
    mark = mark != 0 ? 0 : 1;
    return true;
}

ChannelEditOutcome CutChannelsModel::done(Program& p) const {
    ChannelEditOutcome out;
    std::vector<int> order;
    int cut = 0;
    for (int c = 1; c <= nChan_; ++c) {
        if (c >= first_ && marked(c)) {
            ++cut;
        } else {
            order.push_back(c);
        }
    }
    if (cut == nChan_ - first_ + 1) {
        out.playBzot = true;
        return out;
    }
    if (cut == 0) {
        return out;
    }
    moveChannels(p, order);
    out.changed = true;
    out.playRip = true;
    out.relayoutBands = true;
    SwitchingState& sw = p.switching;
    if (p.session.SwitchingMode != 9) {
        sw.PresentChan = 0;
    }
    bool onDevice = false, aboveFour = false;
    for (int c = 1; c <= p.session.nChan; ++c) {
        const float device = p.channels.Nvar[static_cast<size_t>(c)][kDeviceNumber];
        onDevice = onDevice || device > 0;
        aboveFour = aboveFour || device > 4;
    }
    if (sw.nGroups == 2) {
        sw.nGroups = aboveFour ? 2 : 1;
    }
    if (p.session.SwitchingMode != 0) {
        out.openSwitchingSetup = !onDevice;
        out.selectNextValve = true;
    }
    out.dataTakerInputStatus = isDataTaker(p);
    return out;
}

ChannelEditOutcome ADD_a_CHANNEL(Program& p, int input) {
    ChannelEditOutcome out;
    if (!addChannelEnabled(p)) {
        return out;
    }
    const int c = p.session.nChan + 1;
    const auto n = static_cast<size_t>(c);
    p.session.nChan = static_cast<int16_t>(c);
    // A row left by an earlier cut must not come back: every record of the new channel starts
    // cleared.
    p.channels.Nvar[n] = {};
    p.alarm.alarms[n] = {};
    p.device.DataTakerChannels[n] = {};
    p.device.DataTakerChannels[n][0] = 1;
    p.conversion.SpecialOps[n] = {};
    p.conversion.BPconvert[n] = {};
    p.conversion.polyarray[n] = {};
    p.switching.zerolink[n] = {};
    auto& row = p.channels.Nvar[n];
    row[kInputNumber] = static_cast<float>(input);
    p.channels.setLabel(c, "");
    p.channels.conversionType(c) = 1.0f;
    row[kCoeffA] = 0.0f;
    row[kCoeffB] = 1.0f;
    row[kCoeffC] = 0.0f;
    const bool device6 = p.device.External_AD == 6;
    row[kDisplayMax] = device6 ? 0.42f : 5.0f;
    row[kDisplayMin] = device6 ? -0.42f : -5.0f;
    row[kSamplesToAverage] = 1.0f;
    out.changed = true;
    out.relayoutBands = true;
    return out;
}

RearrangeModel::RearrangeModel(const Program& p)
    : nChan_(channelCount(p)), scopePlusChart_(p.session.RecordingMODE == 3) {
    arrangeAgain();
}

bool RearrangeModel::buttonEnabled(int channel) const {
    return channel >= 1 && channel <= nChan_ && order_.size() < kMaxChannels &&
           std::find(order_.begin(), order_.end(), channel) == order_.end();
}

bool RearrangeModel::place(int channel) {
    if (!buttonEnabled(channel)) {
        return false;
    }
    order_.push_back(channel);
    return true;
}

void RearrangeModel::arrangeAgain() {
    order_.clear();
    if (scopePlusChart_ && nChan_ >= 1) {
        order_.push_back(1);
    }
}

ChannelEditOutcome RearrangeModel::apply(Program& p) const {
    ChannelEditOutcome out;
    if (order_.empty() || (scopePlusChart_ && order_.size() < 2)) {
        return out;
    }
    moveChannels(p, order_);
    // Bands re-laid in the new order: heights scaled to fill the window, stacked from row 35.
    const int n = p.session.nChan;
    float sum = 0.0f;
    for (int c = 1; c <= n; ++c) {
        sum += p.channels.Nvar[static_cast<size_t>(c)][kBandHeight];
    }
    const float available = static_cast<float>(p.prefs[kPrefWindowHeight] - 60);
    float top = 35.0f;
    for (int c = 1; c <= n; ++c) {
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        if (sum > 0) {
            row[kBandHeight] = std::trunc(row[kBandHeight] * available / sum);
        }
        row[kReadoutRow] = top;
        row[kBandBottom] = top + row[kBandHeight];
        row[kLabelRow] = row[kBandBottom] - 2;
        row[kLastPenRow] = row[kBandBottom];
        top = row[kBandBottom] + 1;
    }
    CLEARARRAY(p.scope);
    p.events.Action = 99;
    out.changed = true;
    return out;
}

}  // namespace trindel
