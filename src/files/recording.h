// A recording as the file writers take it and the readers give it back: the channels with their
// coefficients and labels, the sample rows, markers, comment, notes and run constants. Writers
// read the sample rows through spans, so a recording made from the program's state copies no data.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/byte_reader.h"

#include "state/markers.h"
#include "state/recording_notes.h"

namespace trindel {

struct ChannelRecord {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float type = 0.0f;  // conversion type code
    float samplesAveraged = 0.0f;
    std::string label;  // the 30-byte label slot (Mac Roman)
    float inputNumber = 0.0f;
};

enum class RecordingKind { Chart, Scope };

struct Recording {
    RecordingKind kind = RecordingKind::Chart;
    // Channels 1..nChan. The rows in `data` belong to channels[firstWritten], the next, ...
    std::vector<ChannelRecord> channels;
    size_t firstWritten = 0;
    std::vector<std::span<const float>> data;  // one row of sampleCount values per written channel
    int32_t sampleCount = 0;
    float sampleInterval = 0.0f;

    std::string startDate;  // "MM/dd/yy"
    std::string startTime;  // "HH:mm:ss" (scope files: the time of saving)
    std::string endDate;    // "MM/dd/yy", for ExpeData
    std::string endTime;

    std::string comment;   // the whole comment
    std::string pauseLog;  // written after the comment when longer than one character
    // flowrate, mass, BarometricPressure, flowtemp, EffectiveVolume
    std::array<float, 5> runConstants{};
    std::vector<Marker> markers;
    int16_t deviceCode = 6;
    std::array<float, 6> polynomial{};  // input multiplier, p0..p3, result multiplier
    std::vector<FileNote> notes;

    size_t writtenCount() const { return data.size(); }
    const ChannelRecord& written(size_t i) const { return channels[firstWritten + i]; }
};

// How much of a recording a reader decodes: everything, or only its description (channels,
// counts, markers, notes, comment), leaving the sample rows empty and their bytes unread.
enum class ReadDepth { Everything, Description };

// A recording read from a file: owns the sample values its spans point to (move-only so the
// spans stay valid).
enum class RecordingFormat { ChartBinary, ScopeBinary, ExpeData, Text, ScopeText };

struct RecordingFile {
    RecordingFile() = default;
    RecordingFile(RecordingFile&&) = default;
    RecordingFile& operator=(RecordingFile&&) = default;
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    RecordingFormat format = RecordingFormat::ChartBinary;
    int version = 0;             // -999 or -9999 for the binary files
    Recording recording;         // data spans point into `storage`
    std::vector<float> storage;  // channel after channel, sampleCount values each
    std::string fileText;  // binary files: the file text after the samples, without its last CR
    bool hasTimeColumn = false;  // text files

    // Points recording.data at `storage`, `channels` rows of sampleCount values; with
    // ReadDepth::Description, `rows` empty rows (the sample values were not decoded).
    void attachRows(size_t rows, ReadDepth depth = ReadDepth::Everything);
};

// Outcome of a reader: a file, or a one-line reason why the bytes are not one.
struct ReadResult {
    bool ok = false;
    std::string error;
    RecordingFile file;
};

// Runs a parser that throws FileFormatError on bad input and turns the outcome into a ReadResult.
template <class Parse>
ReadResult readGuarded(Parse&& parse) {
    ReadResult result;
    try {
        result.file = parse();
        result.ok = true;
    } catch (const FileFormatError& e) {
        result.error = e.what();
    }
    return result;
}

inline const char* formatName(RecordingFormat format) {
    switch (format) {
        case RecordingFormat::ChartBinary:
            return "binary chart";
        case RecordingFormat::ScopeBinary:
            return "binary scope";
        case RecordingFormat::ExpeData:
            return "ExpeData";
        case RecordingFormat::Text:
            return "text";
        case RecordingFormat::ScopeText:
            return "scope text";
    }
    return "unknown";
}

}  // namespace trindel
