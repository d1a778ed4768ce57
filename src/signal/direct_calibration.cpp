#include "signal/direct_calibration.h"

#include <algorithm>

#include "text/field_text.h"

namespace trindel {

namespace {

std::string number(double v) {
    return fieldText(static_cast<float>(v));
}

}  // namespace

DirectCalibrationModel::DirectCalibrationModel(int channel, int input, std::string label, int type)
    : channel_(channel),
      input_(input),
      label_(std::move(label)),
      type_(type == kCalPower || type == kCalQuadratic ? type : kCalLinear) {}

std::string DirectCalibrationModel::title() const {
    return "Direct Calibration for Channel " + std::to_string(channel_) + ", Input " +
           std::to_string(input_) + "   (100 points maximum)";
}

void DirectCalibrationModel::setReadings(int count) {
    if (std::find(kCalibrationReadings.begin(), kCalibrationReadings.end(), count) !=
        kCalibrationReadings.end()) {
        readings_ = count;
    }
}

void DirectCalibrationModel::setType(int type) {
    if (type == kCalLinear || type == kCalPower || type == kCalQuadratic) {
        type_ = type;
        refit();
    }
}

bool DirectCalibrationModel::addPoint(double y, double x) {
    if (full()) {
        return false;
    }
    points_.push_back({y, x});
    refit();
    return true;
}

void DirectCalibrationModel::clear() {
    points_.clear();
    refit();
}

void DirectCalibrationModel::refit() {
    fit_ = points_.size() > 2 ? fitOfType(type_, points_) : CalibrationFit{};
    residuals_ = calibrationResiduals(type_, fit_, points_);
}

std::string DirectCalibrationModel::equationText() const {
    switch (type_) {
        case kCalPower:
            return "B*volts^exponent";
        case kCalQuadratic:
            return "A + B*volts + C*volts^ 2 ";
        default:
            return "A + B*volts";
    }
}

std::string DirectCalibrationModel::fitText() const {
    if (!fit_.valid) {
        return "";
    }
    switch (type_) {
        case kCalPower:
            return "B = " + number(fit_.b) + ",  exponent = " + number(fit_.c);
        case kCalQuadratic:
            return "A = " + number(fit_.a) + ",  B = " + number(fit_.b) +
                   ",  C = " + number(fit_.c);
        default:
            return "A = " + number(fit_.a) + ",  B = " + number(fit_.b);
    }
}

std::string DirectCalibrationModel::statsText() const {
    if (!fit_.valid) {
        return "";
    }
    return "N = " + std::to_string(fit_.used) + ",  r-squared = " + number(fit_.r2);
}

std::string DirectCalibrationModel::countText() const {
    const size_t n = points_.size();
    return std::to_string(n) + " point" + (n == 1 ? " entered" : "s entered");
}

std::string DirectCalibrationModel::problemText() const {
    if (points_.size() <= 2 || fit_.valid) {
        return "";
    }
    if (type_ == kCalPower) {
        return "Too few points with positive values and distinct voltages for a power fit.";
    }
    return type_ == kCalQuadratic ? "A 2-order polynomial needs at least three different voltages."
                                  : "The points need at least two different voltages.";
}

DisplayRange DirectCalibrationModel::plotRange() const {
    if (points_.empty()) {
        return {0.0f, 1.0f};
    }
    auto [lo, hi] = std::minmax_element(points_.begin(), points_.end(),
                                        [](const auto& l, const auto& r) { return l.y < r.y; });
    DisplayRange r{static_cast<float>(lo->y), static_cast<float>(hi->y)};
    if (!(r.min < r.max)) {
        r.min -= 1.0f;
        r.max += 1.0f;
    }
    return r;
}

CalibrationResult DirectCalibrationModel::equationOK() const {
    CalibrationResult r;
    r.type = type_;
    r.label = label_;
    if (fit_.valid) {
        r.k = {static_cast<float>(fit_.a), static_cast<float>(fit_.b), static_cast<float>(fit_.c)};
        r.range = plotRange();
    } else {
        r.k = {0.0f, 1.0f, type_ == kCalLinear ? 0.0f : 1.0f};
        r.range = {0.0f, 1.0f};
    }
    return r;
}

CalibrationResult DirectCalibrationModel::closeBox() {
    clear();
    return equationOK();
}

}  // namespace trindel
