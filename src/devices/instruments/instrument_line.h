// Serial instrument lines as pure functions: the field rule shared by the streaming device and
// the UI2's serial input, the instrument tag, the split of a streamed line into 16 fields, the
// UI2 instrument reply, and the demonstration values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trindel {

inline constexpr int kInstrumentFields = 16;
inline constexpr float kEmptyField = -99999.0f;
// A streamed line is considered up to this many characters.
inline constexpr size_t kInstrumentLineLimit = 254;
// The longest instrument tag name.
inline constexpr size_t kTagNameLimit = 21;

// The characters of a field that count: digits, '-' and '.'; everything else is skipped.
std::string collectFieldCharacters(std::string_view field);
// A field's value: the collected characters by the leading-number rule; -99999 when none.
float fieldReading(std::string_view field);

// The instrument tag at the start of a line ("!!!:name:" or "!!!name:"): its name, and where the
// tag ends (just after its closing colon). Both empty/0 when the line has no tag.
struct InstrumentTag {
    std::string name;
    size_t end = 0;
};
InstrumentTag instrumentTag(std::string_view line);

// Fields 1..16 of a streamed line (index 0 spare). Each field runs to the next comma or colon,
// continuing where the previous one ended; fields beyond the line are empty. The fields a tag
// occupies are empty whatever its name holds ("O2analyzer" puts no 2 in a field).
std::array<float, kInstrumentFields + 1> splitInstrumentLine(std::string_view line);

// The UI2's instrument reply: the header up to the first comma (the instrument's name) and the
// texts of at most 14 fields after it, split by the field rule.
struct UI2InstrumentReply {
    std::string header;
    std::vector<std::string> fields;  // the collected characters of each field
};
UI2InstrumentReply splitUI2InstrumentReply(std::string_view line);
inline constexpr int kUI2InstrumentFields = 14;

// Demonstration line of the UI2 query: "demo device," and 14 values r * 0.1 / k from the draws
// r (1..50), separated by commas.
std::string ui2DemoInstrumentLine(const std::array<int, kUI2InstrumentFields>& draws);

// Demonstration fields of the streaming device: 5.0, 2.0, then fields 3..12 the draws (1..5684),
// times 0.0001 for even fields, and 13..16 empty.
std::array<float, kInstrumentFields + 1> demoStreamFields(const std::array<int, 10>& draws);

// How a field shows in the set-up windows: "--" for an empty field.
std::string fieldShownText(float value);

}  // namespace trindel
