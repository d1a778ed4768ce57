// Feeds arbitrary bytes to the binary recording reader; a file it accepts must write back out.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/binary_recording_reader.h"
#include "files/binary_recording_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = trindel::readBinaryRecording(std::span(data, size));
    if (read.ok) {
        trindel::VectorSink sink;
        trindel::writeBinaryRecording(read.file.recording, sink);
    }
    return 0;
}
