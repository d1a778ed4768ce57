// Documents handed to the program when it starts (from the desktop or the command line): which
// kind a file is, and a recording laid into a program of its own for the replay window.
#pragma once

#include <string>

#include "files/recording.h"
#include "state/program.h"

namespace trindel {

enum class DocumentKind { Setup, Recording, Unreadable };

// A set-up file starts with the line "-9997" (or the older "-9998", "-99"); anything else that
// our readers accept is a recording.
DocumentKind documentKind(const std::string& path);

// The recording's facts for the replay window's title: file name, format, samples, interval,
// channels and start, as `trindel-cli info` gives them.
std::string recordingFacts(const std::string& path, const RecordingFile& file);

// Lays a chart recording into `p` (a fresh program with its start-up values): channels, labels,
// conversions, samples, markers, interval and start time; each channel's display range is the
// range of its values. The band layout follows the window size in `p`. False for a scope file.
bool recordingIntoProgram(const RecordingFile& file, Program& p);

}  // namespace trindel
