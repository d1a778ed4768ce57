// The 64 preference flags (PrefsArray) with their start-up defaults.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace trindel {

// Indexes read by name across the program.
enum PrefIndex : int {
    kPrefWeirdSounds = 2,
    kPrefDigitalControlMode = 3,
    kPrefChartViewStyle = 4,
    kPrefLargeReadouts = 5,
    kPrefSwitchingStatusInPlots = 6,
    kPrefCheckBackupName = 7,
    kPrefWindowWidth = 11,
    kPrefWindowHeight = 12,
    kPrefRatePrecision = 13,
    kPrefFormatExpeData = 16,
    kPrefFormatText = 17,
    kPrefBadReadingStore = 18,
    kPrefShowTimeGrids = 22,
    kPrefDashedGridLines = 23,
    kPrefShowZeroLines = 24,
    kPrefShowScaleGrid = 25,
    kPrefManyGridLines = 26,
    kPrefDashedMarkerLines = 27,
    kPrefAutomaticBackup = 28,
    kPrefMarkersInReplay = 29,
    kPrefContinuousScanning = 30,
    kPrefWarnBeforeOverwrite = 31,
    kPrefSpikeFilter = 32,
    kPrefDoubleSpikeFilter = 33,
    kPrefUI2NewFirmware = 34,
    kPrefLastChannelContinuous = 36,
    kPrefSerialPortOpened = 37,
    kPrefMarkerAtDeviceSwitch = 39,
    kPrefFastScope = 40,
    kPrefDataSaved = 41,
    kPrefBeepAtSample = 42,
    kPrefMakeSureAnswer = 43,
    kPrefAutorepeat = 44,
    kPrefSkipDeviceChooser = 45,
    kPrefAutomarkers = 46,
    kPrefAdamModule = 47,
    kPrefDeviceInputs = 50,
    kPrefToolbarHelp = 51,
    kPrefAddExtension = 52,
    kPrefAutoSelectPort = 53,
    kPrefDefaultDevice = 54,
    kPrefNoMainsFiltration = 55,
    kPrefSimulateDownload = 56,
};

struct PrefsArray {
    std::array<int16_t, 64> values{};

    int16_t& operator[](int index) { return values[checked(index)]; }
    int16_t operator[](int index) const { return values[checked(index)]; }

    // Start-up defaults; the window size depends on the screen.
    void setDefaults(int screenWidth, int screenHeight);

    // Inverts a flag: 0 becomes 1, anything else 0.
    void TogglePrefs(int index) { (*this)[index] = (*this)[index] == 0 ? 1 : 0; }

    bool operator==(const PrefsArray&) const = default;

  private:
    static size_t checked(int index) {
        if (index < 0 || index > 63) {
            throw std::out_of_range("preference index out of range: " + std::to_string(index));
        }
        return static_cast<size_t>(index);
    }
};

}  // namespace trindel
