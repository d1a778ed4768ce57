// The preferences file "Trindel prefs": colours, stored conversions and their labels, the sound
// switch and a selection of the preference flags, kept between runs of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

class Host;
class Sounds;

inline constexpr const char* kPreferencesFileName = "Trindel prefs";
inline constexpr size_t kMaxPreferencesFileBytes = 64 * 1024;

// The groups of the program the preferences file sets.
struct PreferencesState {
    Colours colours;
    ConversionTables conversion;
    Session session;
    PrefsArray prefs;
    DeviceState device;
};

enum class PreferencesLoad {
    Loaded,     // the file was read (a short file gives the defaults for its absent tail)
    Missing,    // no file: the default colours were set, nothing else changed
    Damaged,    // the file is cut inside a group: nothing changed
    Cancelled,  // the user cancelled the open dialog: nothing changed
};

struct PreferencesLoadResult {
    PreferencesLoad outcome = PreferencesLoad::Missing;
    std::string error;  // one line for Damaged
};

// The program's configuration folder (~/.config/Trindel/), created when absent, and the default
// preferences file in it.
std::string programConfigFolder();
std::string defaultPreferencesPath();

std::vector<uint8_t> preferencesFileBytes(const Program& p);
// Writes through a temporary file; returns an error text, empty on success.
std::string writePreferencesFile(const Program& p, const std::string& path);

// Parses a preferences file over `base`. Throws FileFormatError when the file ends inside a
// group that must be whole.
PreferencesState parsePreferencesFile(const std::vector<uint8_t>& data, PreferencesState base,
                                      int screenWidth, int screenHeight);

PreferencesLoadResult loadPreferencesFile(Program& p, const std::string& path, int screenWidth,
                                          int screenHeight);

// Stores the preferences: in the file the user chooses, or in the default file when the dialog
// is cancelled. Returns false when the write failed (the failure is shown).
bool SAVEsettings(Program& p, Host& host, Sounds& sounds);

// Reads the preferences: with `askUser`, from a file the user chooses (cancelling changes
// nothing); otherwise from the default file.
PreferencesLoadResult GETSettings(Program& p, Host& host, bool askUser);

}  // namespace trindel
