// Feeds arbitrary bytes to the text recording reader (and the format recogniser); a file it
// accepts must export again.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/recording_file_reader.h"
#include "files/text_export.h"
#include "files/text_recording_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = trindel::readTextRecording(std::span(data, size));
    if (read.ok) {
        trindel::VectorSink sink;
        trindel::writeTextExport(read.file.recording, sink, read.file.hasTimeColumn);
    }
    trindel::readRecordingBytes(std::span(data, size));
    return 0;
}
