// Cutting, adding and re-ordering channels between runs: the windows' rules and the rewrite of
// every per-channel array so that each stays indexed by the new channel numbers.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "state/program.h"

namespace trindel {

// What the caller does after a channel edit (windows, sounds and valve selection live above).
struct ChannelEditOutcome {
    bool changed = false;
    bool playRip = false;               // "rip" (when sounds are on)
    bool playBzot = false;              // every offered channel was marked: nothing done
    bool openSwitchingSetup = false;    // switching is set but no kept channel is on a device
    bool selectNextValve = false;       // SELECTNEXTVALVE, then OldChan/OldChan2 take the valves
    bool dataTakerInputStatus = false;  // the dataTaker input-status window runs again
    bool relayoutBands = false;         // SetChanParams(0, 0) and the conversion/scale windows
};

// Channels offered for cutting or moving: all, or from channel 2 in scope-plus-chart mode.
int firstEditableChannel(const Program& p);

// Menu enabling: "Cut Channels…" needs more than one chart channel (two in scope-plus-chart
// mode); "Add a Channel…" stays enabled while 15 or fewer channels exist (4 in scope plus
// chart); neither in scope mode.
bool cutChannelsEnabled(const Program& p);
bool addChannelEnabled(const Program& p);

// The "Delete Channel(s)" window: toggles in `chancut`, "Done" applies.
class CutChannelsModel {
  public:
    explicit CutChannelsModel(const Program& p);
    std::vector<int> offered() const;
    // Toggles a channel's mark; refused for a channel not offered.
    bool toggle(int channel);
    bool marked(int channel) const { return chancut_[static_cast<size_t>(channel)] != 0; }
    // "Done": refused (bzot, window stays, nothing changed) when every offered channel is marked.
    ChannelEditOutcome done(Program& p) const;

  private:
    int first_;
    int nChan_;
    std::array<int16_t, 17> chancut_{};
};

// ADD_a_CHANNEL: appends channel nChan + 1 on A-D input `input` with a blank label, a linear
// conversion (a 0, b 1, c 0), the display range -5 to 5 (-0.42 to 0.42 on device 6) and one
// sample to average; its other per-channel records start cleared. Refused when not enabled.
ChannelEditOutcome ADD_a_CHANNEL(Program& p, int input);

// The "Re-arrange Channels" window.
class RearrangeModel {
  public:
    explicit RearrangeModel(const Program& p);
    // Appends a channel to the new order; refused when it is placed already, not a channel, or
    // 16 are placed.
    bool place(int channel);
    bool buttonEnabled(int channel) const;
    // "Arrange Again": back to an empty order (channel 1 stays first in scope-plus-chart mode).
    void arrangeAgain();
    // NewChannelOrder: position k holds the old number of the channel that becomes channel k.
    const std::vector<int>& order() const { return order_; }
    // "Re-arrangement OK": refused (nothing changed) when no channel is placed.
    ChannelEditOutcome apply(Program& p) const;

  private:
    int nChan_;
    bool scopePlusChart_;
    std::vector<int> order_;
};

// Moves every per-channel record so that new channel k is old channel order[k - 1]; channels
// not in `order` are dropped and nChan becomes order.size(). Used by cutting and re-ordering.
void moveChannels(Program& p, const std::vector<int>& order);

}  // namespace trindel
