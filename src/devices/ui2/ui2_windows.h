// The rules of the UI2's windows: "UI2 Temperature Channels" (T1-T4 modes), the per-channel
// "UI2 Temperature Channel", "Serial Instrument Options" (which channels read the instrument on
// input 15) and "Select Serial Input, Channel n" (the field a channel takes), with the UI2
// instrument query SerialStringUpdate.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "devices/device_link.h"
#include "devices/instruments/instrument_line.h"
#include "devices/ui2/ui2_protocol.h"

namespace trindel {

struct Program;

// SABLETEMPCHANNELS: rows T1..T4, columns temperature / volts / ohms.
struct UI2TempChannelsText {
    static constexpr const char* title = "UI2 Temperature Channels";
    static constexpr const char* heading = "T1-T4 input modes";
    static constexpr std::array<const char*, 3> columns = {"temperature", "volts", "Ohms"};
    static constexpr std::array<const char*, 4> rows = {
        "Input 9  (T1):", "Input 10 (T2):", "Input 11 (T3):", "Input 12 (T4):"};
    static constexpr const char* done = "Done";
};
UI2TempMode ui2TempModeOf(const Program& p, int t);  // t = 1..4
void setUI2TempMode(Program& p, int t, UI2TempMode mode);

// CheckUI2TempChannel: the T number (1..4) of a UI2 channel on inputs 9..12, else nothing.
std::optional<int> ui2TempChannel(const Program& p, int channel);
struct UI2TempChannelText {
    static constexpr const char* title = "UI2 Temperature Channel";
    static constexpr std::array<const char*, 3> options = {"Temperature", "Volts", "Ohms"};
    static constexpr const char* ok = "OK -- Close";
    static std::string heading(int t) { return "Options for input T" + std::to_string(t); }
};

// SerialInstrumentInput: one row per chart channel.
class SerialInstrumentsModel {
  public:
    explicit SerialInstrumentsModel(Program& p) : p_(p) {}
    static std::string title() { return "Serial Instrument Options"; }
    static std::string heading() { return "Select or adjust serial instrument inputs"; }
    int rows() const;
    std::string channelText(int c) const { return "Channel" + std::to_string(c) + ":"; }
    std::string label(int c) const;
    // "Serial?": set when the channel's A-D input is 15; "Update Setup…" only then.
    bool serial(int c) const;
    // Ticking gives input 15 (the field choice follows); unticking gives input 1.
    void setSerial(int c, bool on);

  private:
    Program& p_;
};

// SerialStringUpdate: asks the UI2 for its instrument's line ("i", CR) until one of at least 6
// characters comes back or `timeoutSeconds` pass (then nothing: every field empty). In the
// demonstration mode the line is made from `draws` (1..50).
std::optional<UI2InstrumentReply> SerialStringUpdate(
    DeviceLink& l, const std::array<int, kUI2InstrumentFields>& draws, double timeoutSeconds = 3.0);

// InspectSerialInput: the field a channel on input 15 takes and its display limits.
class SerialFieldChoiceModel {
  public:
    SerialFieldChoiceModel(Program& p, int channel);
    std::string title() const { return "Select Serial Input, Channel" + std::to_string(channel_); }
    static std::string prompt() { return "Pick a variable to record:"; }
    void setFields(const UI2InstrumentReply& reply);
    const UI2InstrumentReply& reply() const { return reply_; }
    // The radio button text of field k (1..): "k:  text" ("--" when empty).
    std::string fieldChoiceText(int k) const;
    int fields() const { return static_cast<int>(reply_.fields.size()); }
    int chosen() const { return chosen_; }
    void choose(int k);
    const std::string& upper() const { return upper_; }
    const std::string& lower() const { return lower_; }
    void setUpper(const std::string& t) { upper_ = t; }
    void setLower(const std::string& t) { lower_ = t; }
    // "OK -- Close": the field index and the display limits (a limit that is not a number keeps
    // the old one).
    void finish();

  private:
    Program& p_;
    int channel_;
    UI2InstrumentReply reply_;
    int chosen_;
    std::string upper_, lower_;
};

}  // namespace trindel
