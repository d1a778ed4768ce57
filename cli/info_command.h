// Describing a saved recording for `trindel-cli info`.
#pragma once

#include <iosfwd>
#include <string>

namespace trindel::cli {

// Prints the description of the recording at `path` (as one JSON object with `json`) to stdout;
// a file that cannot be read gives one line on stderr. Returns the exit status (0 or 1).
int runRecordingInfo(const std::string& path, bool json);

}  // namespace trindel::cli
