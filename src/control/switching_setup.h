// The rules of the switching set-up window ("Digitial Control of External Devices") and its three
// small windows: which scheme a pop-up item sets, what each button changes, when "Setup OK" is
// enabled, and what closing stores. The Qt dialog only binds widgets to this model.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "control/switching_engine.h"

namespace trindel {

// The switching scheme names of the pop-up (items 2, 7 and 9 are separators, empty here).
const std::array<std::string_view, 11>& switchingSchemeItems();

// What has to follow a close of the set-up window.
struct SwitchingSetupClose {
    bool closed = false;
    bool askSequenceLabels = false;  // mode 9: "Sequential File Identifiers"
    bool askZeroLinks = false;       // extra zero links on: the zero-link window
};

class SwitchingSetupModel {
  public:
    // Edits the switching state, the Channel-table device numbers and the preference words of
    // `p` as the user clicks; reference choices are switched at once through `fx`.
    SwitchingSetupModel(Program& p, SwitchEffects& fx) : p_(p), fx_(fx) {}

    int mode() const { return p_.session.SwitchingMode; }
    // The pop-up item (1..10) showing the current mode.
    int schemeItem() const;
    void chooseScheme(int item);
    // 0 "One Line per Device", 1 "Three-bit Word".
    void chooseOutputCode(int code);
    void toggleTwoGroups();
    void pressReferenceDevice(int d);
    // Modes 1 to 8: channel c's device (0: not switched).
    void pressChannelDevice(int c, int device);
    // Modes 9 and 10: device d in use or not; the switched channel.
    void toggleDeviceInUse(int d);
    void chooseSwitchedChannel(int c);
    void toggleExtraZeroLinks();
    void toggleMarkerAtSwitch();
    void toggleSkipRefs();
    // The interval fields as read after every event.
    void setIntervals(float refint, float switchint);

    // Enabled states and texts the window shows.
    bool oneChannelRows() const { return mode() == 9 || mode() == 10; }
    bool twoGroupsEnabled() const;
    bool extraZeroEnabled() const { return mode() == 5 || mode() == 6; }
    bool showsReferenceInterval() const { return mode() >= 3; }
    bool showsSequenceInterval() const { return mode() == 5 || mode() == 6 || mode() == 10; }
    bool showsSkipRefs() const { return mode() == 10; }
    int referenceButtonCount() const;
    std::string twoGroupsLabel() const;
    std::string outputCodeLabel(int code) const;
    // Group 1 or 2 of a device number in the two-group modes, else 1.
    int groupOf(int device) const;
    // The switch pattern of a device for the output code in force ("0001", "011", ...).
    std::string switchPattern(int device) const;
    int channelDevice(int c) const { return deviceOfRow(p_, c); }
    bool deviceInUse(int d) const;
    int switchedChannel() const;

    // CHECKSWITCHDATA: whether "Setup OK" is enabled.
    bool setupOk() const;
    // "Setup OK" or Return: closes only on a set-up the switching can run.
    SwitchingSetupClose close();

  private:
    bool anyDevice() const;
    void setMode(int mode);
    void clearDeviceNumbers();

    Program& p_;
    SwitchEffects& fx_;
};

// "Switch Marker and Zero Options": the marker style and the unread-channel value.
void setSwitchOptions(SwitchingState& sw, bool deviceNumberMarkers, float unreadValue);

// "Sequential File Identifiers": device d's label, padded with blanks or cut to 20 characters.
void setSequenceLabel(SwitchingState& sw, int d, std::string_view label);
std::string sequenceLabel(const SwitchingState& sw, int d);

// "Set Zero Linkages to Additional Switched Channels": one additional channel per switched
// channel; closing turns the choices into the links the scan follows.
class ZeroLinkModel {
  public:
    explicit ZeroLinkModel(const Program& p);
    // Picks channel k as the additional channel of switched channel c; the chosen one again
    // clears it. Channels without a device and k = c take no choice.
    void pick(int c, int k);
    void clearAll() { choice_.fill(0); }
    int choice(int c) const { return choice_[static_cast<size_t>(c)]; }
    void apply(SwitchingState& sw) const;

  private:
    const Program& p_;
    std::array<int16_t, 17> choice_{};
};

}  // namespace trindel
