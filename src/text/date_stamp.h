// Dates and times as the data files use them ("MM/dd/yy", "HH:mm:ss"), the form a date takes in a
// file name ("/" cannot stand in a file name here, so it becomes "-"), and the folder where the
// program writes data by itself (~/Trindel, created on first use).
#pragma once

#include <ctime>
#include <string>

namespace trindel {

struct DateStamp {
    std::string date;  // "MM/dd/yy"
    std::string time;  // "HH:mm:ss"
};

DateStamp localStamp(std::time_t when);
std::string fileNameDate(const std::string& date);

// The program's data folder; empty when it cannot be created.
std::string programDataFolder();

// The last part of a path, and the folder before it ("." when there is none).
std::string fileNamePart(const std::string& path);
std::string folderPart(const std::string& path);

}  // namespace trindel
