// `trindel-cli info` for set-up files: recognises one and describes it.
#pragma once

#include <string>

namespace trindel::cli {

// True when the file starts with the version line of a set-up file layout that no recording
// shares ("-9997", "-9998", "-99").
bool isSetupFile(const std::string& path);

// Describes a set-up file on standard output, as text or JSON. A file that cannot be read gives
// one line on standard error and the status 1.
int runSetupInfo(const std::string& path, bool json);

}  // namespace trindel::cli
