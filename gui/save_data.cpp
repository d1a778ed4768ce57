#include "save_data.h"

#include "files/atomic_file.h"
#include "files/binary_recording_writer.h"
#include "files/expedata_export.h"
#include "files/text_export.h"

namespace trindel::gui {

bool saveRunData(Program& p, Host& host, const SaveWindows& windows) {
    const bool text = p.prefs[kPrefFormatText] != 0;
    const bool expe = !text && p.prefs[kPrefFormatExpeData] != 0;
    const auto path = host.askSaveFile("Save DATA File As...", text ? "Data.txt" : "Data");
    if (!path) {
        return false;
    }
    if (text && windows.textCaution) {
        windows.textCaution();
    } else if (!text && windows.fileComments) {
        windows.fileComments(*path);
    }
    const WriteResult r = writeFileAtomically(*path, [&](ByteSink& sink) {
        if (text) {
            return SaveASCII(p, sink);
        }
        return expe ? SaveSABLE(p, sink) : SAVEBINARY(p, sink);
    });
    if (!r.ok) {
        host.alert("File Error", "The data could not be saved: " + r.error, {"OK"});
        return false;
    }
    return true;
}

}  // namespace trindel::gui
