// The RMS ADC-1 byte protocol as pure functions: the command bytes, the result of a conversion
// from its status and low bytes, and the gain rule of one reading.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace trindel {

// Selects input n at low gain with code n, at high gain with code n + 17; the byte sent is
// code - 1.
inline constexpr int kAdc1HighGainOffset = 17;
inline constexpr unsigned char kAdc1StatusByte = 161;  // answer: the status byte hb
inline constexpr unsigned char kAdc1LowByte = 145;     // answer: the low 8 bits of the result
// Bit 7 of hb: the conversion is still running; bit 4: the result is positive.
inline constexpr int kAdc1Busy = 0x80;
inline constexpr int kAdc1Positive = 0x10;
// Results below this magnitude in volts are read again at high gain (automatic gain).
inline constexpr double kAdc1HighGainLimit = 0.00819;
inline constexpr double kAdc1LowGainDivisor = 10000.0;
inline constexpr double kAdc1HighGainDivisor = 500000.0;

unsigned char adc1SelectByte(int code);

// The signed result of a conversion: chx + 256 * (hb AND 15), negative when bit 4 of hb is clear.
int32_t adc1Result(int hb, int chx);

// What one reading gives: the value, whether it is a failed reading (and which rule applies),
// and whether an exchange timed out (SerialError).
struct Adc1Reading {
    float volts = 0.0f;
    bool failed = false;        // no value: the caller applies the failed-reading rule...
    bool badValueOnly = false;  // ...except a failed low-gain conversion, always -99999.0
    bool serialError = false;
};

// ReadADC1's gain rule. `convert(code)` runs one conversion and gives its signed result, or
// nothing on a time-out. GainSet 1 automatic, 2 fixed low, 3 fixed high. With automatic gain a
// failed high-gain conversion keeps the good low-gain reading (it is a measurement, only
// coarser).
Adc1Reading adc1Reading(int gainSet, int input,
                        const std::function<std::optional<int32_t>(int code)>& convert);

}  // namespace trindel
