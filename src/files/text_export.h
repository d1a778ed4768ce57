// The tab-separated text export (UTF-8, CR line ends) and the scope sweep as text.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "files/byte_writer.h"
#include "files/recording.h"
#include "state/program.h"

namespace trindel {

// Told the samples written so far and the total; returning false cancels the export.
using ExportProgress = std::function<bool(int64_t done, int64_t total)>;

// Writes the header line and one line per sample. False when cancelled or the sink failed.
bool writeTextExport(const Recording& recording, ByteSink& sink, bool timeColumn,
                     const ExportProgress& progress = {});

// Writes the finished chart run, with the time column when the preference asks for it.
bool SaveASCII(Program& p, ByteSink& sink, const ExportProgress& progress = {});

// "Time (sec)" and the interval, then the sweep's values oldest first, one per line.
bool writeScopeSweepText(std::span<const float> sweep, float interval, ByteSink& sink);

}  // namespace trindel
