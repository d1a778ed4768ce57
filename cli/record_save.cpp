#include "record_save.h"

#include "files/save_files.h"

namespace trindel::cli {

bool saveRecording(Program& p, RecordFormat format, const std::string& path, std::string& error) {
    DataFormat f = DataFormat::Binary;
    if (format == RecordFormat::Text) {
        f = DataFormat::Text;
    } else if (format == RecordFormat::ExpeData) {
        f = DataFormat::ExpeData;
    }
    const WriteResult result = writeChartFile(p, f, path);
    if (!result.ok) {
        error = result.error.empty() ? "writing " + path + " failed" : result.error;
        return false;
    }
    return true;
}

}  // namespace trindel::cli
