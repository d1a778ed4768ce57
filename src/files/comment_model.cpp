#include "files/comment_model.h"

#include <cmath>
#include <cstdlib>

#include "text/number_text.h"

namespace trindel {

double numberFromText(const std::string& text) {
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

BinaryCommentModel::BinaryCommentModel(std::string comment, const GasExchangeFields& values,
                                       bool scopeSeries)
    : comment_(std::move(comment)), scopeSeries_(scopeSeries) {
    fields_[kFlowRate] = floatText(values.flowrate);
    fields_[kMass] = floatText(values.mass);
    fields_[kPressure] = floatText(values.BarometricPressure);
    fields_[kTemperature] = floatText(values.flowtemp);
    fields_[kEffectiveVolume] = floatText(values.EffectiveVolume);
}

std::string BinaryCommentModel::heading() const {
    return scopeSeries_ ? "Kestrine scope file" : "Kestrine chart file";
}

const char* BinaryCommentModel::fieldLabel(Field f) {
    switch (f) {
        case kFlowRate:
            return "flow rate (ml/min):";
        case kMass:
            return " mass (g):";
        case kPressure:
            return " barometric pressure (torr):";
        case kTemperature:
            return "  flow temperature (°C):";
        default:
            return "  effective volume (ml):";
    }
}

void BinaryCommentModel::setToSTP() {
    fields_[kPressure] = "760";
    fields_[kTemperature] = "0";
}

BinaryCommentModel::Result BinaryCommentModel::close() const {
    Result r;
    r.comment = comment_;
    r.values.flowrate = static_cast<float>(numberFromText(fields_[kFlowRate]));
    r.values.mass = static_cast<float>(numberFromText(fields_[kMass]));
    r.values.BarometricPressure = static_cast<float>(numberFromText(fields_[kPressure]));
    r.values.flowtemp = static_cast<float>(numberFromText(fields_[kTemperature]));
    r.values.EffectiveVolume = static_cast<float>(numberFromText(fields_[kEffectiveVolume]));
    // The volume divides in the gas-exchange arithmetic; 0 would make it meaningless.
    if (r.values.EffectiveVolume == 0.0f) {
        r.values.EffectiveVolume = 0.1f;
    }
    return r;
}

ExpeDataCommentModel::ExpeDataCommentModel(std::string comment, int16_t SwitchingMode)
    : maximum_(SwitchingMode == 9 ? 235 : 255) {
    setComment(std::move(comment));
}

bool ExpeDataCommentModel::setComment(std::string text) {
    const bool wasAtMaximum = warningShown();
    if (text.size() > maximum_) {
        text.resize(maximum_);
    }
    comment_ = std::move(text);
    return !wasAtMaximum && warningShown();
}

}  // namespace trindel
