#include "calculators/allometry_window.h"

#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {

FlowRateWindow::FlowRateWindow() {
    recompute();
}

void FlowRateWindow::takeValues(const TaxonValues& v) {
    exponent = fieldText(v.exponent);
    baseT = fieldText(v.temperature);
    realT = fieldText(v.temperature);
    aval_ = v.coefficient;
}

void FlowRateWindow::chooseTaxon(int item) {
    const auto& items = trindel::taxonMenu(menu_);
    if (item < 1 || item > static_cast<int>(items.size())) {
        return;
    }
    const TaxonItem& chosen = items[static_cast<size_t>(item - 1)];
    switch (chosen.kind) {
        case TaxonItemKind::Separator:
            return;
        case TaxonItemKind::Values:
            menuItem_ = item;
            takeValues(chosen.values);
            break;
        case TaxonItemKind::Group:
            menu_ = chosen.group;
            menuItem_ = 1;
            fish_ = menu_ == kAquaticGroup;
            if (fish_) {
                water_ = WaterKind::Fresh;
            }
            takeValues(trindel::taxonMenu(menu_).front().values);
            break;
        case TaxonItemKind::Return:
            menu_ = kTaxonMenu;
            menuItem_ = 1;
            fish_ = false;
            takeValues(trindel::taxonMenu(kTaxonMenu).front().values);
            break;
    }
    recompute();
}

void FlowRateWindow::chooseActivity(int item) {
    activity_ = item;
    aval_ = static_cast<float>(fieldValue(coefficient));
    recompute();
}

void FlowRateWindow::chooseWater(WaterKind kind) {
    water_ = kind;
    recompute();
}

void FlowRateWindow::setLitres(bool on) {
    litres = on;
    recompute();
}

void FlowRateWindow::calculate() {
    aval_ = static_cast<float>(fieldValue(coefficient));
    recompute();
}

void FlowRateWindow::recompute() {
    const double baseTemperature = fieldValue(baseT);
    const CalcResult mr =
        metabolicRate(floatDecimal(aval_), fieldValue(mass), fieldValue(exponent), baseTemperature,
                      fieldValue(realT), fieldValue(q10), activityFactor(activity_));
    coefficient = readoutText(floatDecimal(aval_));
    reason = mr.reason;
    metabolicRateText = mr.ok() ? plainDecimalText(mr.value) : kNoResultText;
    if (!mr.ok()) {
        minimumFlowText = kNoResultText;
        return;
    }
    const double d =
        allowedOxygenChange(fieldValue(change), fish_, baseTemperature, static_cast<int>(water_));
    const CalcResult flow = minimumFlow(mr.value, d, litres);
    reason = flow.reason;
    minimumFlowText = flow.ok() ? readoutText(flow.value) : kNoResultText;
}

std::string FlowRateWindow::changeLabel() const {
    return fish_ ? "      saturation is " : "concentration is";
}

const char* FlowRateWindow::helpText() {
    return "Estimates metabolic rate by allometry and the lowest flow rate that keeps the change "
           "in oxygen within the chosen limit.\n\n"
           "MR = a \xC3\x97 M^b \xC3\x97 Q10^((Tr \xE2\x88\x92 Tb) / 10) \xC3\x97 activity factor "
           "(ml O2/min, M in grams).\n"
           "Minimum flow = MR / d, with d = change% / 100 in air; in water d = change% / 100 "
           "\xC3\x97 (e^(2.028544 \xE2\x88\x92 0.037973 Tb \xE2\x88\x92 0.020751 \xC3\x97 0.4826 "
           "\xC3\x97 S) + 2.793274) / 1000, S the salinity in parts per thousand.";
}

}  // namespace trindel
