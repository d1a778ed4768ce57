// The rules of the file-comment windows shown before a data file is written: the binary-format
// window (comment and five gas-exchange constants) and the ExpeData window (comment only, with a
// length limit). The windows bind their widgets to these models.
#pragma once

#include <cstdint>
#include <string>

namespace trindel {

// The five respirometry constants a binary data file carries.
struct GasExchangeFields {
    float flowrate = 100.0f;            // ml/min
    float mass = 0.0f;                  // g
    float BarometricPressure = 760.0f;  // torr
    float flowtemp = 0.0f;              // °C
    float EffectiveVolume = 0.1f;       // ml

    bool operator==(const GasExchangeFields&) const = default;
};

// A number typed in a field, read as the leading number of the text; text without one reads 0.
double numberFromText(const std::string& text);

class BinaryCommentModel {
  public:
    enum Field { kFlowRate, kMass, kPressure, kTemperature, kEffectiveVolume, kFieldCount };

    // `scopeSeries`: the window for a file of the scope-file series.
    BinaryCommentModel(std::string comment, const GasExchangeFields& values, bool scopeSeries);

    std::string heading() const;
    static const char* fieldLabel(Field f);

    const std::string& comment() const { return comment_; }
    void setComment(std::string text) { comment_ = std::move(text); }
    const std::string& fieldText(Field f) const { return fields_[f]; }
    void setFieldText(Field f, std::string text) { fields_[f] = std::move(text); }

    // "Set to STP Conditions": 760 torr and 0 °C.
    void setToSTP();

    // What closing the window stores: the fields read as numbers (an effective volume of 0
    // becomes 0.1) and the comment.
    struct Result {
        std::string comment;
        GasExchangeFields values;
    };
    Result close() const;

  private:
    std::string comment_;
    std::string fields_[kFieldCount];
    bool scopeSeries_;
};

class ExpeDataCommentModel {
  public:
    // Device switching mode 9 keeps 20 characters for the device label.
    ExpeDataCommentModel(std::string comment, int16_t SwitchingMode);

    static constexpr const char* kTitle = "Sable ExpeData format";
    size_t maximum() const { return maximum_; }
    const std::string& comment() const { return comment_; }
    size_t length() const { return comment_.size(); }

    // Takes the edited text, cut to the maximum. Returns true when the text has just reached the
    // maximum (the window plays "buzz3" then).
    bool setComment(std::string text);
    // The warning icon shows while the text is at the maximum.
    bool warningShown() const { return comment_.size() >= maximum_; }

  private:
    std::string comment_;
    size_t maximum_;
};

}  // namespace trindel
