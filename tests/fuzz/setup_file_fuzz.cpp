// Fuzz target for the set-up file reader: any bytes either load or are refused with
// FileFormatError; a loaded set-up can be written and read back.
#include <cstdlib>

#include "files/byte_reader.h"
#include "files/setup_file.h"

using namespace trindel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Program* program = [] {
        auto* p = new Program;
        SetInitialVariableValues(*p, ScreenSize{1280, 1024});
        return p;
    }();
    static const SetupState base = setupStateOf(*program);
    const std::vector<uint8_t> bytes(data, data + size);
    try {
        int16_t width = 0;
        const SetupState s = parseSetupFile(bytes, base, 1280, &width);
        applySetupState(*program, s);
        afterSetupLoaded(*program, SetupLoadContext{}, width);
        const std::vector<uint8_t> again = setupFileBytes(*program);
        parseSetupFile(again, base, 1280);
    } catch (const FileFormatError&) {
    }
    return 0;
}
