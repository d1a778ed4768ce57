#include "record_save.h"

#include <fstream>

#include "core/number_text.h"

namespace trindel::cli {

// Tab-separated values, one row per sample, until the recording writers are part of the build.
bool saveRecording(Program& p, RecordFormat format, const std::string& path, std::string& error) {
    if (format != RecordFormat::Text) {
        error = "this build cannot write binary or ExpeData recordings yet; use --format text";
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    out << "interval" << '\t' << runtimeText(p.session.SampleInterval) << "\r";
    for (int s = 0; s < p.session.Sample; ++s) {
        for (int c = 1; c <= p.session.nChan; ++c) {
            out << (c > 1 ? "\t" : "") << floatText(p.store.get(c, s));
        }
        out << "\r";
    }
    if (!out) {
        error = "writing " + path + " failed";
        return false;
    }
    return true;
}

}  // namespace trindel::cli
