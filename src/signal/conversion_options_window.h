// The conversion options window of a channel as a model: the three special operations with their
// variant, output unit, flow source and flow rate, the gas fractions, RQ, the water-loss
// temperature, the response correction and what leaving the window stores.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "signal/special_ops.h"

namespace trindel {

struct OptionsChoice {
    const char* text;
    int code;
};

// Pop-up items; the stored codes are the engine's.
inline constexpr OptionsChoice kVO2VariantChoices[] = {
    {"F / (1 - (FiO2 - F))", 1}, {"F / (1 - FiO2)", 2}, {"F / (1 - FiO2 (1 - RQ))", 4}};
inline constexpr OptionsChoice kVCO2VariantChoices[] = {{"RQ from FiCO2", 1},
                                                        {"F / (1 - (FiCO2 + F) k)", 2}};
inline constexpr OptionsChoice kUnitChoices[] = {
    {"per minute", 0}, {"x 1000", 1}, {"per hour (x 60)", 3}, {"x 0.06", 4}};
inline constexpr OptionsChoice kFlowSourceChoices[] = {{"fixed flow rate", 1},
                                                       {"flow from channel", 3}};

class ConversionOptionsModel {
  public:
    explicit ConversionOptionsModel(const SpecialOpsRecord& record);

    // " Conversion Options, Channel 3  % oxygen"
    static std::string title(int channel, std::string_view label);

    // "Compute VO2" (1), "Compute VCO2" (2), "Compute EWL" (3): selects it and clears the others;
    // clicking the selected one clears it.
    void clickOperation(int operation);
    int operation() const;

    // Variant, unit and flow source are kept per record (one operation is in force at a time).
    void setVariant(int code) { r_[kOpsVariant] = static_cast<float>(code); }
    void setUnit(int code) { r_[kOpsOutputUnit] = static_cast<float>(code); }
    void setFlowSource(int code) { r_[kOpsFlowSource] = static_cast<float>(code); }
    int variant() const;
    int unit() const;
    int flowSource() const;

    // The flow-rate fields of operations 1..3; the selected one is stored on leaving.
    std::string flowField(int operation) const;
    void setFlowField(int operation, std::string text);

    // Fields shown: FiO2 (0.2095 when unset), FiCO2 (0 when not above 0), RQ (0.85 when unset),
    // temperature, Z (1 when not above 0).
    std::string fio2Text() const;
    std::string fico2Text() const;
    std::string rqText() const;
    std::string temperatureText() const;
    std::string zText() const;
    void setFio2(std::string text) { fio2_ = std::move(text); }
    void setFico2(std::string text) { fico2_ = std::move(text); }
    void setRq(std::string text) { rq_ = std::move(text); }
    void setTemperature(std::string text) { temperature_ = std::move(text); }
    void setZ(std::string text) { z_ = std::move(text); }

    bool responseCorrection() const { return r_[kOpsResponseOn] > 0.0f; }
    void setResponseCorrection(bool on) { r_[kOpsResponseOn] = on ? 1.0f : 0.0f; }
    // "Display Only" (false) or "Display & Save" (true).
    bool displayAndSave() const { return storesFinalValue(r_); }
    void setDisplayAndSave(bool save) { r_[kOpsStoreFinal] = save ? 1.0f : 0.0f; }

    // "Done": the fields read, the derived constants computed; returns the record to store.
    SpecialOpsRecord done() const;

  private:
    SpecialOpsRecord r_;
    std::array<std::string, 3> flow_;
    std::string fio2_, fico2_, rq_, temperature_, z_;
};

}  // namespace trindel
