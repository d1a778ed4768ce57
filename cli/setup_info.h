// `trindel-cli info` for set-up files: recognises one and describes it.
#pragma once

#include <string>

namespace trindel::cli {

// True when the file starts with a set-up file's version line (of any layout).
bool isSetupFile(const std::string& path);

// Describes a set-up file on standard output, as text or JSON. A file that cannot be read gives
// one line on standard error and the status 1.
int runSetupInfo(const std::string& path, bool json);

}  // namespace trindel::cli
