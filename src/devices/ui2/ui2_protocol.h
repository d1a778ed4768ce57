// The Sable UI2's single-byte protocol as pure functions: the command byte of each input, the
// scaling of the two-byte replies, the contact and firmware replies, the instrument text of the
// serial input, and the analogue-output command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trindel {

// Inputs of the UI2: 1..8 voltage, 9..12 T1..T4, 13 pulse counter, 14 auxiliary, 15 serial.
inline constexpr int kUI2SerialInput = 15;
// Temperature-input modes (ADsensorType 1..4).
enum class UI2TempMode : int16_t { Celsius = 0, Volts = 1, Ohms = 2 };
// A stored mode outside 0..2 reads as temperature.
UI2TempMode ui2TempMode(int16_t stored);

// The command byte that asks for input `input` (1..14) in `mode` (used for 9..12); nothing for
// the serial input 15 and inputs the UI2 does not have.
std::optional<uint8_t> ui2CommandByte(int input, UI2TempMode mode);

// The value of a two-byte reply (low byte first) of input `input`: volts on 1..8 (±5.12 V span
// with the new firmware, ±5.00 V otherwise), °C, volts or ohms on 9..12, counts on 13, volts on
// 14. Nothing for an input without a command byte.
std::optional<float> ui2ReplyValue(int input, UI2TempMode mode, uint8_t low, uint8_t high,
                                   bool newFirmware);

// Contact: the texts sent at start-up ("f" at the slow speed, then "e" for the version).
inline constexpr std::string_view kUI2Wake = "f";
inline constexpr std::string_view kUI2Version = "e";
// The byte sent before each run (the UI2 then answers with a text that is discarded).
inline constexpr uint8_t kUI2RunStart = 208;

// A version reply: the contact counts when its leading number is above 105.
bool ui2ContactAnswered(std::string_view reply);
// The version as the start-up window shows it: the reply's first 3 characters.
std::string ui2StartupVersion(std::string_view reply);
// The version as the firmware window shows it: the reply's first 4 characters.
std::string ui2FirmwareVersion(std::string_view reply);
// Firmware above 199 spans ±5.12 V (PrefsArray 34).
bool ui2NewFirmware(std::string_view version);
// The lines of the "UI2 firmware" window for the version text.
std::vector<std::string> ui2FirmwareLines(std::string_view version);

// The field of an instrument text that chart channel's field index `field` (k) takes: the text
// after the k-th comma, up to the next comma or colon; only digits, '-' and '.' are kept.
// Nothing when the text has fewer commas or the field holds no number.
std::optional<float> ui2SerialField(std::string_view text, int field);

// Instrument text at the front of the bytes that came back after a command byte: printable
// characters ended by a line end (with the line ends after it), or, just after a text line's CR,
// its late LF. Its length; 0 when the bytes do not start with text. Keeps unprompted text from
// being read as a two-byte reply.
size_t ui2LeadingText(std::string_view bytes, bool afterCR);

// The text of the serial-instrument query ("i" and a carriage return).
inline constexpr std::string_view kUI2InstrumentQuery = "i\r";

// The analogue-output command: "D", the low and high bytes of 819 × volts for each channel
// (negative volts sent as 0; 4095 is 5.0 V), and a carriage return.
std::string ui2AnalogOutCommand(float ao1Volts, float ao2Volts);

}  // namespace trindel
