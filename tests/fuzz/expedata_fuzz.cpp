// Feeds arbitrary bytes to the ExpeData reader; a file it accepts must write back out.
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/expedata_export.h"
#include "files/expedata_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = trindel::readExpeData(std::span(data, size));
    if (read.ok) {
        trindel::VectorSink sink;
        trindel::writeExpeData(read.file.recording, sink);
    }
    return 0;
}
