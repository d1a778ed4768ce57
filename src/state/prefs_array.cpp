#include "state/prefs_array.h"

namespace trindel {

void PrefsArray::setDefaults(int screenWidth, int screenHeight) {
    values.fill(0);
    auto& p = *this;
    p[kPrefDigitalControlMode] = 1;
    p[kPrefCheckBackupName] = 1;
    const bool large = screenWidth > 1023;
    p[kPrefWindowWidth] = static_cast<int16_t>(large ? 1024 : screenWidth - 50);
    p[kPrefWindowHeight] = static_cast<int16_t>(large ? 768 : screenHeight - 50);
    p[kPrefRatePrecision] = 2;
    p[14] = 1;  // embossed window labels
    p[15] = 1;  // light toolbar
    p[kPrefBadReadingStore] = 1;
    p[19] = 100;
    p[kPrefShowTimeGrids] = 1;
    p[kPrefDashedGridLines] = 1;
    p[kPrefShowZeroLines] = 1;
    p[kPrefShowScaleGrid] = 1;
    p[kPrefDashedMarkerLines] = 1;
    p[kPrefAutomaticBackup] = 1;
    p[kPrefMarkersInReplay] = 1;
    p[kPrefWarnBeforeOverwrite] = 1;
    p[35] = 2;  // caption text style
    p[kPrefMarkerAtDeviceSwitch] = 1;
    p[48] = 1;  // samples averaged in the channel test window
    p[kPrefToolbarHelp] = 1;
}

}  // namespace trindel
