// Number-to-text conversion used by every read-out and every file the program writes.
//
// Everything here is locale-free and allocation-free on the buffer variants; the digits come
// from std::to_chars, never from printf.
//
// Rounding. A double is first turned into its shortest decimal form (the fewest digits that read
// back as the same double, e.g. 2.675 stays "2.675", not 2.67499999999999982...). All rounding is
// then done on those decimal digits, half away from zero: 0.125 -> 0.13, 2.675 -> 2.68,
// -2.5 -> -3. This is what a person reading the number expects, and it is deterministic. Places
// beyond those digits are zeros: 0.1 to 20 places is 0.10000000000000000000, not the binary
// value's 0.10000000000000000555.
//
// Sign. A number that is not negative is preceded by one blank, a negative one by "-". A value that
// rounds to zero is written without a sign (-0.0 -> " 0", -0.001 in "#.##" -> "0.00").
//
// Non-finite values are written " NAN", " INF" and "-INF" (a NaN's sign bit is ignored).
//
// Exponent form is "d.dddE+XX": an upper-case E, an explicit exponent sign and at least two
// exponent digits (three when needed), e.g. " 1E+20", " 1.5E-07", "-2.5E-300".
//
// Buffer variants write into `out`, without a terminating NUL, and return the end of what they
// wrote, so a file writer can chain them. `out` must have room for kNumberTextCapacity characters
// (pictureText: pictureTextCapacity(picture)).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trindel {

// Room a buffer needs for runtimeText, floatText and StringFormatter (the longest is 17).
inline constexpr std::size_t kNumberTextCapacity = 24;

// The runtime's decimal form of a double.
// - A whole number below 1e15 in magnitude is written exactly with all its digits and no point:
//   " 0", " 5", "-3", " 1000000000000", " 123456789012345".
// - Anything else is rounded to 10 significant digits and trailing zeros are dropped. The result
//   is written as a plain decimal when 1e-5 <= |rounded| < 1e10 (" 0.5", " 1234.5",
//   " 0.3333333333", " 0.00001"), otherwise in exponent form (" 1E+15", " 1E+20",
//   " 1.5E-07", " 1.23456789E+10" for 12345678901.5, whose 10-digit form would otherwise show
//   made-up zeros).
std::string runtimeText(double value);
char* runtimeText(char* out, double value);

// The shortest decimal form that reads back as exactly this float (at most 9 significant digits):
// " 0.1", " 1", "-2.5", " 16777216", " 0.33333334". Plain decimal when 1e-5 <= |value| < 1e15
// (a large float is written with its shortest digits followed by zeros, e.g. " 3000000000"),
// exponent form otherwise (" 1E-06", " 3.4028235E+38").
std::string floatText(float value);
char* floatText(char* out, float value);

// Formats `value` through a picture made of '#' digit positions, ',' separators and at most one
// '.':
// - The value is rounded to as many places as there are '#' after the '.', and right-aligned in a
//   field as wide as the picture, padded with leading blanks: "###.##" of 12.345 -> " 12.35".
// - A value below 1 gets a "0" before the point ("###.##" of 0.5 -> "  0.50"); the decimals are
//   always written in full, zeros included.
// - A ',' anywhere before the point groups the integer digits by three with commas. The picture's
//   commas count towards its width, but a comma is only written between two digits:
//   "###,###" of 1234 -> "  1,234", of 12 -> "     12".
// - A negative value puts "-" right before its first digit: "###.##" of -0.5 -> " -0.50".
// - When the value needs more positions than the picture has, the text grows wider; digits are
//   never lost: "##.##" of 123.456 -> "123.46", "###,###" of 1234567 -> "1,234,567".
// - Non-finite values are right-aligned words: "###.##" of NaN -> "   NAN", "#.#" of NaN -> "NAN".
// Throws std::invalid_argument for a picture that is empty, has no '#', has a character other than
// '#', ',' and '.', has more than one '.', or has a ',' after the '.'.
std::string pictureText(double value, std::string_view picture);
char* pictureText(char* out, double value, std::string_view picture);

// The most characters pictureText can write for this picture (sign, 309 integer digits of the
// largest double and their commas, the point and the picture's own positions).
constexpr std::size_t pictureTextCapacity(std::string_view picture) {
    return picture.size() + 416;
}

// The read-out format:
// - A value for which trunc(value) / value >= 0.999999 (a whole number, or one that differs from
//   its integer part by at most a millionth of its size; 0 counts as whole) is written as the value
//   rounded to an integer, in runtime form.
// - Otherwise a value below 1 in magnitude is written in full runtime form (10 significant
//   digits): " 0.25", "-1.5E-07".
// - Otherwise, by magnitude, through the picture "###.#####" (1 to < 10), "####.####" (10 to
//   < 100), "#####.##" (100 to < 1000) or "######.#" (1000 to < 10000); from 10000 up the value
//   rounded to an integer in runtime form.
// - The picture's trailing zeros and then a trailing point are removed, and its padding is
//   replaced by the runtime sign convention, because read-outs are left-aligned text fields:
//   5.5 -> " 5.5", 12.3456789 -> " 12.3457", 1234.56 -> " 1234.6", -5.5 -> "-5.5",
//   9.99999999 -> " 10", 12345.6 -> " 12346".
// - Non-finite values are written as runtimeText writes them.
std::string StringFormatter(double value);
char* StringFormatter(char* out, double value);

// `value` rounded to `digits` significant digits (the read-outs' "Significant Digits"), but never
// into its whole part, which would show made-up zeros: to 5 digits 12.3456789 -> 12.346,
// 0.000123456 -> 0.00012346, 123456.7 -> 123457. Digits below 1 and non-finite values leave the
// value as it is.
double roundSignificant(double value, int digits);

}  // namespace trindel
