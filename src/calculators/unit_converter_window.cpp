#include "calculators/unit_converter_window.h"

#include "calculators/calc_result.h"
#include "text/field_text.h"

namespace trindel {

UnitConverterWindow::UnitConverterWindow() {
    shown_ = ConversionsCALCULATIONS(category_, item_, fieldValue(input));
}

void UnitConverterWindow::chooseCategory(int category) {
    category_ = category >= kUnitCategoryFirst && category <= kUnitCategoryLast ? category
                                                                                : kUnitCategoryLast;
    item_ = 1;
    compute();
}

void UnitConverterWindow::chooseItem(int item) {
    item_ = item;
    compute();
}

void UnitConverterWindow::compute() {
    shown_ = ConversionsCALCULATIONS(category_, item_, fieldValue(input));
    result_ = trimLeft(shown_.resultText);
}

void UnitConverterWindow::swapResults() {
    if (result_ == "(swapped)" || result_ == kNoResultText) {
        return;
    }
    input = result_;
    result_ = "(swapped)";
}

const char* UnitConverterWindow::helpText() {
    return "Converts a number between units used in physiology and field work. Each conversion "
           "uses a fixed factor, except:\n"
           "\xE2\x80\xA2 saturation vapour pressure: a fourth-order polynomial above 0 \xC2\xB0"
           "C "
           "and a Magnus-type exponential over ice at or below 0 \xC2\xB0"
           "C (the two do not meet "
           "exactly at 0 \xC2\xB0"
           "C);\n"
           "\xE2\x80\xA2 water vapour density: that pressure \xC3\x97 288.7763 / (T + 273.16);\n"
           "\xE2\x80\xA2 clear-sky irradiance: 1366 \xC3\x97 0.7^((1 / cos(elevation \xE2\x88\x92 "
           "90\xC2\xB0))^0.678) W/m\xC2\xB2, 0 with the sun below the horizon.\n"
           "\"Swap Results\" moves the result into the input field.";
}

}  // namespace trindel
