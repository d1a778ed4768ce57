// Fuzz target for the AO data file reader.
#include "files/ao_data_file.h"
#include "files/byte_reader.h"

using namespace trindel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AnalogOutputState ao;
    FeedbackState fb;
    try {
        readAODataBytes(std::vector<uint8_t>(data, data + size), ao, fb, 123);
    } catch (const FileFormatError&) {
    }
    return 0;
}
