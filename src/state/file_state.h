// Names, dates and counters of the data files: the current data-file name, the run's start and end
// stamps, the backup, quick-save and file-series bookkeeping.
#pragma once

#include <cstdint>
#include <string>

namespace trindel {

struct FileStrings {
    std::string dataFileName;  // current data file, at most 52 characters
    std::string startDate;     // "MM/dd/yy" when the recording started
    std::string startTime;     // "HH:mm:ss"
    std::string rootName;      // root of the file series, at most 52 characters

    bool operator==(const FileStrings&) const = default;
};

struct FileState {
    FileStrings filestrings;
    std::string EndRecordingDate;  // "MM/dd/yy" when the recording stopped
    std::string EndRecordingTime;  // "HH:mm:ss"
    std::string SfileFolder;       // folder of the last data file saved

    std::string backupfile = "Backup file";
    std::string backupFolder;  // empty: the program's data folder
    int16_t appendDATE = 0;
    int32_t NextSAVEtime = 0;  // tick count of the next timed backup
    int16_t NBackUp = 0;
    std::string BackupFileIndicator;
    int16_t QuicksaveCounter = 0;

    int32_t ScopeCount = 0;  // files of the series written so far
    std::string ScopeFileFolder;
    int16_t ScopeFileComments = 0;  // 1 while the series holds scope files

    bool operator==(const FileState&) const = default;
};

}  // namespace trindel
