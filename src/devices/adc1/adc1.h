// The RMS ADC-1 exchanges over the serial port: one reply byte with its 6-tick limit
// (GetADCReply), one conversion (Get_ADC_Volts) and one reading with the gain rule (ReadADC1).
#pragma once

#include <cstdint>
#include <optional>

namespace trindel {

struct Program;
struct Platform;
class SerialPort;

// Each reply byte may take 6 ticks.
inline constexpr double kAdc1ReplyTimeout = 0.1;
// A conversion still running after this many status polls is given up (a converter that always
// reports busy would otherwise hold the scan for ever).
inline constexpr int kAdc1MaxStatusPolls = 50;

// The exchange state: the last reply byte, the last status byte and whether the last exchange
// timed out.
struct Adc1Exchange {
    int16_t chx = 0;
    int16_t hb = 0;
    int16_t SerialError = 0;
};

// GetADCReply: one reply byte into chx, or SerialError after 6 ticks.
void GetADCReply(SerialPort& port, Adc1Exchange& x);
// Get_ADC_Volts: one conversion with `code` (input n low gain, n + 17 high gain); the signed
// result, or nothing when an exchange timed out.
std::optional<int32_t> Get_ADC_Volts(SerialPort& port, Adc1Exchange& x, int code);

// ReadADC1: one reading of the channel into p.device.volts by GainSet.
void ReadADC1(Program& p, Platform& io, SerialPort& port, Adc1Exchange& x, int channel);

// Makes code 6's reader read through `port` until removed.
void installAdc1Reader(SerialPort& port);
void removeAdc1Reader();

}  // namespace trindel
