// Saving a finished chart run: the format chosen in the preferences, the extension rule, the save
// dialog and the data-saved flag, which is set only when the file is safely on disk.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "files/atomic_file.h"
#include "files/text_export.h"
#include "platform/host.h"
#include "state/program.h"

namespace trindel {

enum class DataFormat { Binary, Text, ExpeData };

// Text when PrefsArray 17 is set, else ExpeData when 16 is set, else binary.
DataFormat chosenFormat(const PrefsArray& prefs);
const char* extensionOf(DataFormat format);
// Appends the format's extension when PrefsArray 52 asks for it (not twice).
std::string withExtension(const std::string& name, DataFormat format, const PrefsArray& prefs);

// Windows and cues the save needs from the desktop program; any may be left empty.
struct SaveHooks {
    std::function<void()> textCaution;                              // before a text file
    std::function<void(const std::string& fileName)> fileComments;  // before binary or ExpeData
    ExportProgress progress;                                        // text export; false cancels
    std::function<void(std::string_view sound)> playSound;
};

// Writes the run in `format` to `path` through a temporary file. Leaves the data-saved flag alone.
WriteResult writeChartFile(Program& p, DataFormat format, const std::string& path,
                           const ExportProgress& progress = {});

// Writes one scope sweep (values oldest first) in `format` to `path` through a temporary file.
WriteResult writeScopeSweepFile(Program& p, DataFormat format, const std::string& path,
                                std::span<const float> sweep, float interval,
                                const std::string& timeOfSaving);

enum class SaveOutcome { Saved, Cancelled, Failed };

// The save command: asks for the name, lets the user see the caution or comment window, writes
// the file, and on success marks the data saved and keeps the file name. A failed write is shown
// to the user and leaves the data marked unsaved.
SaveOutcome SAVEFILES(Program& p, Host& host, const SaveHooks& hooks = {});

}  // namespace trindel
