// The file types a save dialog offers for a recording: one per data format, and choosing one
// sets the same format flags as the File menu's format items.
#pragma once

#include <string>
#include <vector>

#include "state/prefs_array.h"

namespace trindel {

// Filter texts in the order binary, text, ExpeData.
const std::vector<std::string>& dataFileTypes();
// The file type of the format the flags hold now.
int dataFileTypeIndex(const PrefsArray& prefs);
// Sets the flags for the file type chosen; an unknown index leaves them as they were.
void chooseDataFileType(PrefsArray& prefs, int index);

}  // namespace trindel
