// Numbers in edit fields: reading typed text the forgiving way the program's fields do, and
// showing a stored float in a field.
#pragma once

#include <string>
#include <string_view>

namespace trindel {

// The leading number of the text (blanks and a '+' before it allowed); 0 when the text does not
// start with a number.
double fieldValue(std::string_view text);

// The shortest text that reads back as the float (the runtime's float form) without a leading
// blank: "2", "1.5", "-0.25", "1E-06".
std::string fieldText(float value);

// The runtime's form of a whole number: a leading blank before a number that is not negative.
std::string wholeNumberText(long long value);

}  // namespace trindel
