// The ExpeData export: little-endian singles and integers, sample-major data, the end stamp,
// comment, markers and one 268-byte descriptor per channel.
#pragma once

#include <cstdint>
#include <string>

#include "files/byte_writer.h"
#include "files/recording.h"
#include "state/program.h"

namespace trindel {

inline constexpr size_t kExpeDataDescriptorBytes = 268;
inline constexpr size_t kExpeDataCommentBytes = 240;

// The bits putIEEE writes for x: the exponent found by counting, the mantissa truncated toward
// zero. Zero gives 0. Cases the counting cannot express are given fixed answers: magnitudes below
// the smallest normal single give 0, magnitudes of 2^128 and more (and infinities) the signed
// infinity, NaN the quiet NaN 7FC00000.
uint32_t putIEEEbits(double x);
// The same for a single: equal to putIEEEbits(value) for every single, without the counting for
// normal values (used for the sample block).
uint32_t expeDataBits(float value);

void putIEEE(ByteWriter& out, double x);
void putIEEElong(ByteWriter& out, int32_t k);

// The transform name of a conversion type code; empty for an unknown code.
std::string transformName(float type);

// Writes the ExpeData layout; false when the sink failed.
bool writeExpeData(const Recording& recording, ByteSink& sink);

// Writes the finished chart run. The caller marks the data saved once the file is safe.
bool SaveSABLE(Program& p, ByteSink& sink);

}  // namespace trindel
