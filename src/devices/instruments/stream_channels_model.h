// The rules of the streaming instrument's "Modes and Channels" window: one row per field with
// its value, "select", label and channel number; the tag heading and the rows a tag hides; the
// channel numbering (CountSerialChannels) and the instrument database record.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "devices/instruments/instrument_database.h"
#include "devices/instruments/instrument_line.h"

namespace trindel {

struct Program;

inline constexpr std::string_view kEnterLabel = "< enter label >";

// CountSerialChannels: the selected fields, in order, become chart channels 1, 2, ... with A-D
// input k, linear a = 0, b = 1, c = 0, display 0 to 5 and the row's label (an unlabelled row
// gives "variable k").
void CountSerialChannels(Program& p, const std::array<bool, kInstrumentFields + 1>& selected,
                         const std::array<std::string, kInstrumentFields + 1>& labels);

class StreamChannelsModel {
  public:
    // `tagName` is the instrument's tag ("" when its lines have none); `record` its database
    // record when one was found.
    StreamChannelsModel(Program& p, std::string tagName,
                        const std::optional<InstrumentRecord>& record);

    static std::string title() { return "Modes and Channels"; }
    std::string heading() const;
    // "Instrument:   " + name, or "" without a tag.
    std::string instrumentLine() const;
    // Rows shown, 1..rows(): with a tag, rows from 16 down to 7 that are unlabelled and hold no
    // value are hidden (every row shows its values, also when none is hidden).
    int rows() const;

    std::string variableText(int k) const { return "variable " + std::to_string(k) + ":"; }
    // The field's value as shown ("--" when empty).
    std::string valueText(int k) const;
    bool selected(int k) const { return selected_[static_cast<size_t>(k)]; }
    const std::string& label(int k) const { return labels_[static_cast<size_t>(k)]; }
    // The channel number shown in the row ("" when not selected).
    std::string channelText(int k) const;

    // New values from a line (or the demonstration values).
    void setValues(const std::array<float, kInstrumentFields + 1>& fields);
    // "select": toggles the field and renumbers the channels.
    void toggleSelect(int k);
    void editLabel(int k, const std::string& text);
    // "selection OK" is enabled once at least one channel exists.
    bool okEnabled() const;
    // Return or "selection OK": numbers the channels once more, chart mode, the default sample
    // count when none is set.
    void finish();

    // "Add to Instrument Database": the record for `displayName`: the labels of rows 3 up to
    // the last field holding a value, an unlabelled row as an empty item.
    InstrumentRecord databaseRecord(const std::string& displayName) const;
    const std::string& displayName() const { return displayName_; }

  private:
    Program& p_;
    std::string tag_;
    std::string displayName_;
    std::array<float, kInstrumentFields + 1> values_{};
    std::array<bool, kInstrumentFields + 1> selected_{};
    std::array<std::string, kInstrumentFields + 1> labels_;
};

}  // namespace trindel
