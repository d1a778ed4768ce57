// The conversion window of one channel as a model: the conversion buttons, the equation text and
// coefficient fields of the chosen type, the three-way polynomial's fields, the label and display
// range, and what "Selection OK" stores in the channel.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "signal/conversion_defaults.h"
#include "signal/direct_calibration.h"
#include "signal/special_ops.h"
#include "state/program.h"

namespace trindel {

struct ConversionButton {
    std::string text;
    ConversionChoice choice;
    int stored = 0;  // 1..8 for a stored conversion
};

class ConversionWindowModel {
  public:
    // Opens on the channel's present conversion; a channel whose display minimum is not below its
    // maximum shows the device's default range.
    ConversionWindowModel(const Program& p, int channel);

    int channel() const { return channel_; }
    const std::string& title() const { return title_; }
    // The conversion buttons top to bottom: the five equations, the eight stored conversions,
    // "Keyboard Event Recorder" and the three-way button (labelled from the stored polynomial).
    const std::vector<ConversionButton>& buttons() const { return buttons_; }
    // "Additional Options…": chart mode, and channels 2 and up in scope-plus-chart mode.
    bool additionalOptionsOffered() const;
    // "Direct Calibration…": every device except the streaming serial instrument (code 8).
    bool directCalibrationOffered() const { return externalAD_ != 8; }

    void choose(ConversionChoice choice, int stored = 1);
    int type() const { return type_; }
    // The button index (into buttons()) that shows the present type, or -1 (breakpoint, none).
    int chosenButton() const;

    // "equation:   a + b * volts" and the like; empty for the types without an equation.
    std::string equationText() const;
    // Captions of the coefficient fields: "value of 'a':", "value of 'b':" and, for types 2 and
    // 3 only, "value of 'c':" or "exponent:". The three-way type has its six polynomial fields.
    std::vector<std::string> fieldCaptions() const;
    std::vector<std::string> fieldTexts() const;
    // Typed text that does not read as a number stores 0.
    void setField(int index, std::string_view text);

    const std::string& label() const { return label_; }
    void setLabel(std::string text) { label_ = std::move(text); }
    std::string minimumText() const;
    std::string maximumText() const;
    void setMinimum(std::string_view text);
    void setMaximum(std::string_view text);

    Coefficients coefficients() const { return k_; }
    const std::array<float, 8>& polynomial() const { return poly_; }
    DisplayRange range() const { return range_; }

    // "Equation OK" of the direct-calibration window: its type, coefficients, display range and
    // label become this window's conversion.
    void takeCalibration(const CalibrationResult& r);

    // The options window works on this record; it is stored with the rest on "Selection OK".
    SpecialOpsRecord& specialOps() { return ops_; }
    const SpecialOpsRecord& specialOps() const { return ops_; }

    // "Selection OK": type, a, b, c, display range, label, the channel's polynomial row and its
    // special-operations record go into the program.
    void selectionOK(Program& p) const;

  private:
    int channel_;
    int16_t externalAD_;
    int16_t mode_;
    std::string title_;
    std::vector<ConversionButton> buttons_;
    ConversionTables tables_;  // the stored conversions the buttons apply
    int type_;
    Coefficients k_;
    std::array<float, 8> poly_{};
    DisplayRange range_;
    std::string label_;
    SpecialOpsRecord ops_{};
};

// Captions of the three-way polynomial's fields: p0..p3, result and input multipliers.
inline constexpr const char* kThreeWayCaptions[] = {
    "A:", "B:", "C:", "D:", "E (result x):", "volts x:"};

}  // namespace trindel
