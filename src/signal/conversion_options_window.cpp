#include "signal/conversion_options_window.h"

#include "signal/equations.h"
#include "text/field_text.h"

namespace trindel {

namespace {

float readField(std::string_view text) {
    return static_cast<float>(fieldValue(text));
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

}  // namespace

ConversionOptionsModel::ConversionOptionsModel(const SpecialOpsRecord& record) : r_(record) {
    const int op = operation();
    for (int i = 1; i <= 3; ++i) {
        flow_[static_cast<size_t>(i - 1)] = op == i ? fieldText(r_[kOpsFlowRate]) : "0";
    }
    fio2_ = fieldText(r_[kOpsFiO2] > 0.0f ? r_[kOpsFiO2] : kDefaultFiO2);
    fico2_ = fieldText(r_[kOpsFiCO2] > 0.0f ? r_[kOpsFiCO2] : 0.0f);
    rq_ = fieldText(r_[kOpsRQ] > 0.0f ? r_[kOpsRQ] : kDefaultRQ);
    temperature_ = fieldText(r_[kOpsAirTemperature]);
    z_ = fieldText(r_[kOpsZValue] > 0.0f ? r_[kOpsZValue] : 1.0f);
}

std::string ConversionOptionsModel::title(int channel, std::string_view label) {
    return " Conversion Options, Channel " + std::to_string(channel) + "  " + trimmed(label);
}

void ConversionOptionsModel::clickOperation(int op) {
    if (op < 1 || op > 3) {
        return;
    }
    r_[kOpsOperation] = operation() == op ? 0.0f : static_cast<float>(op);
}

int ConversionOptionsModel::operation() const {
    const int op = codeOf(r_[kOpsOperation]);
    return op >= 1 && op <= 3 ? op : 0;
}

int ConversionOptionsModel::variant() const {
    return codeOf(r_[kOpsVariant]);
}
int ConversionOptionsModel::unit() const {
    return codeOf(r_[kOpsOutputUnit]);
}
int ConversionOptionsModel::flowSource() const {
    return codeOf(r_[kOpsFlowSource]);
}

std::string ConversionOptionsModel::flowField(int op) const {
    return op >= 1 && op <= 3 ? flow_[static_cast<size_t>(op - 1)] : std::string();
}

void ConversionOptionsModel::setFlowField(int op, std::string text) {
    if (op >= 1 && op <= 3) {
        flow_[static_cast<size_t>(op - 1)] = std::move(text);
    }
}

std::string ConversionOptionsModel::fio2Text() const {
    return fio2_;
}
std::string ConversionOptionsModel::fico2Text() const {
    return fico2_;
}
std::string ConversionOptionsModel::rqText() const {
    return rq_;
}
std::string ConversionOptionsModel::temperatureText() const {
    return temperature_;
}
std::string ConversionOptionsModel::zText() const {
    return z_;
}

SpecialOpsRecord ConversionOptionsModel::done() const {
    SpecialOpsRecord r = r_;
    const int op = operation();
    if (op != 0) {
        r[kOpsFlowRate] = readField(flow_[static_cast<size_t>(op - 1)]);
        if (codeOf(r[kOpsVariant]) < 1) {
            r[kOpsVariant] = 1.0f;
        }
    }
    r[kOpsRQ] = readField(rq_);
    r[kOpsFiO2] = readField(fio2_);
    r[kOpsFiCO2] = readField(fico2_);
    r[kOpsZValue] = readField(z_);
    r[kOpsAirTemperature] = readField(temperature_);
    deriveSpecialOpsConstants(r);
    return r;
}

}  // namespace trindel
