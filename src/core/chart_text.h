// Number texts of the chart loop's read-outs and records: the runtime's decimal form, fixed
// pictures such as "###.##", and the read-out formatter.
#pragma once

#include <string>
#include <string_view>

namespace trindel::chart_text {

// Up to 10 significant digits, a whole number without a point, a leading blank when not negative.
std::string number(double value);
// The value rounded to the decimals of a picture such as "###.##" (no padding).
std::string picture(double value, std::string_view pictureText);
// The read-out form: whole numbers rounded, |v| < 1 in full precision, otherwise 5, 4, 2 or 1
// decimals by magnitude, trailing zeros and point removed.
std::string readout(double value);

}  // namespace trindel::chart_text
