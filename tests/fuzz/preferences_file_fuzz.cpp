// Fuzz target for the preferences file reader.
#include "files/byte_reader.h"
#include "files/preferences_file.h"

using namespace trindel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const PreferencesState base{};
    try {
        parsePreferencesFile(std::vector<uint8_t>(data, data + size), base, 1280, 1024);
    } catch (const FileFormatError&) {
    }
    return 0;
}
