// Saving the finished run from the desktop program: the format chosen in the File menu, the
// caution or comment window, "Save DATA File As..." and an atomic write.
#pragma once

#include <functional>
#include <string>

#include "core/program.h"
#include "platform/host.h"

namespace trindel::gui {

struct SaveWindows {
    std::function<void()> textCaution;
    std::function<void(const std::string& fileName)> fileComments;
};

// True when the file was written; a failed write is shown and leaves the data unsaved.
bool saveRunData(Program& p, Host& host, const SaveWindows& windows);

}  // namespace trindel::gui
