// The ADAM windows as models: "Sensor Type Selection For ADAM-4019" (ADAMseriesSTATUS), the
// input selection of one chart channel (ADAMChannels / ADAMchannelButtons), "ADAM Module
// Address Setting" with its check window, and the firmware window's texts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "devices/adam/adam_protocol.h"
#include "state/program.h"

namespace trindel {

// The sensor-type choices of a row, in the dialogs' order: "±10", "±5", "±2.5", "±1" volts and
// thermocouples "J", "K", "T".
inline constexpr int16_t kAdamChoiceTypes[] = {10, 5, 2, 1, 100, 101, 102};

// The row (1..16) a key picks: "1".."9", "0", "!", "@", "#", "$", "%", "^"; 0 for other keys.
int adamRowForKey(char key);

class AdamSensorTypesModel {
  public:
    explicit AdamSensorTypesModel(const Program& p);
    static const char* title() { return "Sensor Type Selection For ADAM-4019"; }
    static const char* heading() { return "ADAM  signal connections"; }
    int rows() const { return nChan_; }
    // The 30-character label of a channel (Mac Roman), as edited.
    const std::string& label(int channel) const;
    void editLabel(int channel, const std::string& text);
    // The type shown checked (0 shows as 5).
    int16_t type(int channel) const;
    void choose(int channel, int16_t type);
    // "Selection OK", Return or the close box: labels (padded to 30), types and display ranges
    // go into the program. The caller then sets the modules' ranges (SetADAM(1, 0)).
    void finish(Program& p) const;

  private:
    int nChan_;
    std::array<std::string, 17> labels_;
    std::array<int16_t, 17> types_{};
};

class AdamChannelsModel {
  public:
    AdamChannelsModel(const Program& p, int channel);
    std::string title() const;
    // "ADAM-4019 signal connections", "ADAM-4019 + 4017* signal connections" or
    // "ADAM-4019 + 4019* signal connections".
    std::string heading() const;
    int inputs() const { return inputs_; }
    // "Input 3", "Input 9*".
    std::string inputText(int input) const;
    // " in use" when another chart channel has the input, else "     available ".
    std::string useText(int input) const;
    // The sensor types offered for an input: thermocouples only on inputs 1..8, no "±2.5" on the
    // inputs of a second ADAM-4017.
    std::vector<int16_t> choices(int input) const;
    int16_t type(int input) const { return types_[static_cast<size_t>(input)]; }
    int selected() const { return selected_; }
    void select(int input);
    // A type chosen on an input's row also selects that input.
    void choose(int input, int16_t type);
    // "Selection OK": the channel takes the input, its sensor type and the display range of
    // that type.
    void finish(Program& p) const;

  private:
    int channel_;
    int inputs_;
    int16_t module3_;
    int selected_;
    std::array<int16_t, 17> types_{};
    std::array<bool, 17> inUse_{};
};

class AdamAddressModel {
  public:
    static const char* title() { return "ADAM Module Address Setting"; }
    static std::vector<std::string> explanation();
    // The radio buttons' texts, in order: 4050, second analogue module, primary.
    static std::array<const char*, 3> moduleTexts();
    AdamModuleChoice module() const { return module_; }
    void chooseModule(AdamModuleChoice m) { module_ = m; }
    const std::string& originalAddress() const { return original_; }
    void setOriginalAddress(const std::string& text) { original_ = text; }
    // "Change the Address": the command to send; nothing when no module is chosen or the
    // address is not a number.
    std::optional<std::string> command() const { return adamAddressCommand(original_, module_); }

  private:
    AdamModuleChoice module_ = AdamModuleChoice::None;
    std::string original_ = "1";
};

// The "New ADAM address check" window's lines for a command and its reply.
std::vector<std::string> addressCheckLines(const std::string& command, const std::string& reply,
                                           bool accepted);
// The reset count-down line after `seconds` (1..8): the count, then "OK to proceed".
std::string addressResetLine(int seconds);

}  // namespace trindel
