// Feeds arbitrary bytes to the recording readers; the JSON that `info --json` prints for a file
// they accept must parse as JSON (strict UTF-8 included), or the run aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <string>

#include "files/recording_file_reader.h"
#include "info_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = trindel::readRecordingBytes(std::span(data, size));
    if (read.ok) {
        std::ostringstream out;
        // The name too comes from the input: file names need not be UTF-8.
        const std::string name(reinterpret_cast<const char*>(data), std::min<size_t>(size, 16));
        trindel::cli::printRecordingJson(name, read.file, out);
        if (!nlohmann::json::accept(out.str())) {
            std::abort();
        }
    }
    return 0;
}
