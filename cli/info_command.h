// Describing a saved recording for `trindel-cli info`.
#pragma once

#include <iosfwd>
#include <string>

#include "files/recording.h"

namespace trindel::cli {

// Prints the description of the recording at `path` (as one JSON object with `json`) to stdout;
// a file that cannot be read gives one line on stderr. Returns the exit status (0 or 1).
int runRecordingInfo(const std::string& path, bool json);

// The description as one JSON object: text fields decoded from Mac Roman to UTF-8, and any byte
// that is still not UTF-8 (a file name in another encoding) escaped.
void printRecordingJson(const std::string& path, const RecordingFile& file, std::ostream& out);

}  // namespace trindel::cli
