#include "ui/data_file_types.h"

namespace trindel {

const std::vector<std::string>& dataFileTypes() {
    static const std::vector<std::string> kTypes = {"Kestrine binary (*.kstn)", "Text (*.txt)",
                                                    "Sable ExpeData (*.sabl)"};
    return kTypes;
}

int dataFileTypeIndex(const PrefsArray& prefs) {
    if (prefs[kPrefFormatText] != 0) {
        return 1;
    }
    return prefs[kPrefFormatExpeData] != 0 ? 2 : 0;
}

void chooseDataFileType(PrefsArray& prefs, int index) {
    if (index < 0 || index > 2) {
        return;
    }
    prefs[kPrefFormatText] = index == 1 ? 1 : 0;
    prefs[kPrefFormatExpeData] = index == 2 ? 1 : 0;
}

}  // namespace trindel
