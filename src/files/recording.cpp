#include "files/recording.h"

namespace trindel {

void RecordingFile::attachRows(size_t rows, ReadDepth depth) {
    recording.data.clear();
    if (depth == ReadDepth::Description) {
        recording.data.resize(rows);
        return;
    }
    const auto n = static_cast<size_t>(recording.sampleCount);
    for (size_t r = 0; r < rows; ++r) {
        recording.data.emplace_back(storage.data() + r * n, n);
    }
}

}  // namespace trindel
