// The program's own binary recording file (chart and scope variants): big-endian fields in a fixed
// order, a short header below 32,761 samples and a long one from there on.
#pragma once

#include <span>
#include <string>

#include "files/byte_writer.h"
#include "files/recording.h"
#include "state/program.h"

namespace trindel {

inline constexpr int32_t kLongHeaderFrom = 32761;
inline constexpr uint8_t kNotesMark = 240;
inline constexpr uint8_t kEndMark = 255;

// "MM/dd/yy" -> "MM-DD-YYYY" (years from 70 are 19xx, below 70 20xx).
std::string binaryDateField(const std::string& date);

// Appends the values as big-endian singles, swapped as integers a chunk at a time.
void appendBigEndianFloats(ByteWriter& out, std::span<const float> values);

// Writes the chart or scope layout; false when the sink failed.
bool writeBinaryRecording(const Recording& recording, ByteSink& sink);

// Writes the finished chart run, then appends the spike-filter lines to the comment when
// autorepeat and the spike filter are on. The caller marks the data saved once the file is safe.
bool SAVEBINARY(Program& p, ByteSink& sink);

// The spike-filter lines for channels whose ratio is above 1 (empty when none).
std::string spikeLines(const Program& p);

}  // namespace trindel
