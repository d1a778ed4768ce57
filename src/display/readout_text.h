// Read-out and label text for the recording screen: the read-out number format and the small
// numeric texts of the time axis, locale-free.
#pragma once

#include <string>

namespace trindel {

// The read-out number format: whole numbers rounded, |v| < 1 at full precision, otherwise a
// number of decimals by magnitude, trailing zeros removed; a leading blank before v >= 0.
std::string readoutText(double value);

// `value` with `decimals` decimals and no leading blank.
std::string fixedText(double value, int decimals);

}  // namespace trindel
