// The rules of the "Unit Interconversions" window: category buttons, the conversions pop-up, the
// input and result fields, and "Swap Results".
#pragma once

#include <string>

#include "calculators/unit_conversions.h"

namespace trindel {

class UnitConverterWindow {
  public:
    UnitConverterWindow();

    std::string input = "1";

    int category() const { return category_; }
    int item() const { return item_; }
    const std::string& fromUnit() const { return shown_.from; }
    const std::string& toUnit() const { return shown_.to; }
    const std::string& note() const { return shown_.note; }
    const std::string& result() const { return result_; }

    void chooseCategory(int category);  // rebuilds the pop-up and computes its item 1
    void chooseItem(int item);          // computes the item
    void compute();                     // "Compute" or Return
    void swapResults();                 // the result becomes the input; "(swapped)"
    static const char* helpText();

  private:
    int category_ = kUnitCategoryFirst;
    int item_ = 1;
    UnitResult shown_;
    std::string result_ = ".23889";
};

}  // namespace trindel
