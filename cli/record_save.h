// Saving the recording the record command made, in the format asked for.
#pragma once

#include <string>

#include "state/program.h"

namespace trindel::cli {

enum class RecordFormat { Binary, Text, ExpeData };

// Writes the finished chart run to `path`; false with a one-line `error` when it failed.
bool saveRecording(Program& p, RecordFormat format, const std::string& path, std::string& error);

}  // namespace trindel::cli
