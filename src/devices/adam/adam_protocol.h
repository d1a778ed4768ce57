// The ADAM-4000 ASCII command set as pure functions: input addressing, range, reading,
// digital-output and re-addressing commands, the sensor-type table, and reply parsing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trindel {

// Where an A-D input lives: inputs 1 to 8 are channels 0 to 7 of the module at address 01,
// inputs 9 to 16 channels 0 to 7 of the module at address 03.
struct AdamInput {
    int address;  // 1 or 3
    int digit;    // 0..7
};
std::optional<AdamInput> adamInput(int input);

// A sensor type's row: the range code sent to the module and the display range it gives a
// channel. Types 10, 5, 2, 1 are volts; 100, 101, 102 thermocouples J, K, T; 0 counts as 5;
// any other type sends "09" and has no display range.
struct AdamSensorRow {
    int16_t type;
    std::string_view rangeCode;
    std::string_view text;  // as the dialogs show it
    float minimum;
    float maximum;
};
inline constexpr AdamSensorRow kAdamSensorRows[] = {
    {10, "08",
     "\xB1"
     "10",
     -10.0f, 10.0f},
    {5, "09",
     "\xB1"
     "5",
     -5.0f, 5.0f},
    {2, "05",
     "\xB1"
     "2.5",
     -2.5f, 2.5f},
    {1, "04",
     "\xB1"
     "1",
     -1.0f, 1.0f},
    {100, "0E", "J", -5.0f, 45.0f},
    {101, "0F", "K", -5.0f, 45.0f},
    {102, "10", "T", -5.0f, 45.0f},
};
// The row of a type (0 read as 5); nothing for a type with no row.
const AdamSensorRow* adamSensorRow(int16_t type);
std::string_view adamRangeCode(int16_t type);
bool adamThermocouple(int16_t type);

// "$017C2R09": the input-range command of an input; "" for an input outside 1..16.
std::string adamRangeCommand(int input, int16_t sensorType);
// "#012": the reading command of an input; "" for an input outside 1..16.
std::string adamReadCommand(int input);
// "#0200" + the text of 8 - k with its first character made "0" (valves 1..8: "07" .. "00";
// the all-off call k = 15 gives "07"). A value whose text would not be one digit is held to
// 0..7, so the module never gets a field it cannot take.
std::string adamDigitalOutputCommand(int k);

// A reply's text after its marker and the `drop - 1` characters that follow (drop 3 for the
// name and firmware replies "!01...": marker and address).
std::string adamReplyText(std::string_view reply, size_t drop);
// A reading or cold-junction reply (">+0001.234", ">-0012.5"): the value after the ">" marker,
// sign kept. Nothing for an error reply ("?01"), a reply without a number, or a missing marker.
std::optional<double> adamReplyValue(std::string_view reply);

// True for a reply of the module at `address` ("!01..." from address 1): a late reply of another
// module must not pass for the one awaited.
bool adamReplyFrom(std::string_view reply, int address);
// True for a line that answers a reading or cold-junction query (">..." or the error "?...").
bool adamValueReply(std::string_view reply);

// PrefsArray 47 from the name reply of the module at address 03: "4017" 10, "4019" 11, else 0.
int16_t adamSecondModuleCode(std::string_view nameReply);

// The modules "Set ADAM Module Address…" can re-address.
enum class AdamModuleChoice { None, Adam4050, SecondAnalogue, Primary };
// "%" + the original address (two digits) + the chosen module's configuration. Nothing when no
// module is chosen or the address is not a whole number 0..99.
std::optional<std::string> adamAddressCommand(std::string_view originalAddress,
                                              AdamModuleChoice module);
// A re-addressing reply that begins with "!" was taken.
bool adamAddressAccepted(std::string_view reply);

}  // namespace trindel
