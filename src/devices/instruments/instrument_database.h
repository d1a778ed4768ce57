// The instrument database ("serial instrument database.txt"): labels remembered per instrument
// tag. Records are appended as a CR and one line: tag, count, display name, labels.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trindel {

inline constexpr std::string_view kInstrumentDatabaseName = "serial instrument database.txt";
// The first row a record's labels belong to: fields 1 and 2 hold the "!!!:name:" tag.
inline constexpr int kFirstLabelledRow = 3;

struct InstrumentRecord {
    std::string name;         // the instrument tag
    std::string displayName;  // the name the user gave
    // Labels of rows 3, 4, ... in order; "" for a row left unlabelled.
    std::vector<std::string> labels;
};

// The record of the instrument `name` (its first item equals the name): the last one appended
// wins. Nothing when the text holds none. Labels never run past their own record's line.
std::optional<InstrumentRecord> findInstrument(std::string_view databaseText,
                                               std::string_view name);

// The text appended for a record: CR, tag, ", ", the count with a leading blank, ", ", display
// name, ", ", the labels joined by "," and a CR. Every row keeps its place: an unlabelled row is
// an empty item, so labels line up with the rows they came from when read back.
std::string instrumentRecordText(const InstrumentRecord& record);

// Reads and appends records in the database file at `path` (UTF-8 on disk; labels Mac Roman in
// the program). A missing file holds no record. False with `error` when the append fails.
std::optional<InstrumentRecord> SerialDeviceName(const std::string& path, std::string_view name);
bool UpdateSerialInstrumentList(const std::string& path, const InstrumentRecord& record,
                                std::string& error);

}  // namespace trindel
