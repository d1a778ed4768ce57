// Set-up files: a whole experiment configuration (mode, channels, conversions, layout, switching,
// trigger, alarms, averaging, special operations, XY plot, spike filter, device inputs and
// display preferences) in the binary layout "-9997". Writing is MAKESETUP; reading is GETSETUP.
// A file is parsed into a scratch copy of the parts it sets and committed only when all of it
// was read, so a damaged file never leaves the program half-configured.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "state/program.h"

namespace trindel {

class Host;
class Sounds;

inline constexpr const char* kSetupFileVersion = "-9997";
// Largest set-up file accepted (a full 16-channel file is under 9 KB).
inline constexpr size_t kMaxSetupFileBytes = 64 * 1024;

// The groups of the program a set-up file sets.
struct SetupState {
    Session session;
    ChannelTable channels;
    PrefsArray prefs;
    DeviceState device;
    ConversionTables conversion;
    SwitchingState switching;
    AlarmState alarm;
    TriggerState trigger;
    AudibleTimerState audibleTimer;
    ViewState view;

    bool operator==(const SetupState&) const = default;
};

SetupState setupStateOf(const Program& p);
void applySetupState(Program& p, const SetupState& s);

// What the loader needs from the machine and from the rooms that lay out the screen.
struct SetupLoadContext {
    int screenWidth = 1280;
    int screenHeight = 1024;
    // "Screen Size Mismatch": returns 2 for "Use screen size From Setup File", anything else
    // keeps the current screen size. Not set: the current screen size is kept.
    std::function<int()> askScreenSizeMismatch;
    // Lays out the channel bands for the current window (SetChanParams(0, 0)).
    std::function<void(Program&)> relayoutChannels;
    // Recomputes the averaging limit for the chart interval (MAXAVERAGE).
    std::function<void(Program&)> recomputeMaxAverage;
};

struct SetupLoadResult {
    bool ok = false;
    std::string error;  // one line, for the user; empty on success
};

// The number a set-up file's version line holds (" -9997 " and "-9997.0" alike), or nothing when
// the line is not a number. The one recogniser of set-up headers: the loader and `info` use it.
std::optional<int16_t> setupVersionOf(const std::string& line);
// True when a file's first bytes start with the version line of a set-up layout that no recording
// shares (-9997, -9998, -99); "-999" and "-9999" head binary recordings.
bool looksLikeSetupFile(std::span<const uint8_t> head);

// The bytes of a set-up file for the program's present configuration.
std::vector<uint8_t> setupFileBytes(const Program& p);

// Writes a set-up file (temporary file, then renamed into place); returns an error text, empty
// on success.
std::string writeSetupFile(const Program& p, const std::string& path);

// Parses a set-up file over `base` (the values fields 69 and 70 keep when the file ends before
// them). Throws FileFormatError naming the fault; `fileWidth` receives the window width the file
// holds (field 53).
SetupState parseSetupFile(const std::vector<uint8_t>& data, SetupState base, int screenWidth,
                          int16_t* fileWidth = nullptr);

// Reads a set-up file into the program: on success the file's settings and every step that
// follows a load are in force; on failure the program is exactly as it was.
// Without a context (headless use: the command-line tool, the recording set-up) the screen is
// 1280 x 1024, the present layout is kept and nothing is asked.
SetupLoadResult loadSetupFile(Program& p, const std::string& path,
                              const SetupLoadContext& ctx = SetupLoadContext{});

// The steps after the fields are in: layout check, scope gain, trigger gain, time axis, speed
// selectors, switching groups, custom tick, chart view style.
void afterSetupLoaded(Program& p, const SetupLoadContext& ctx, int16_t fileWidth);

// Scope converter counts per volt and full-scale volts for a scope gain.
struct ScopeGainScale {
    float scd;
    float Vmax;
};
ScopeGainScale scopeGainScale(int16_t ScopeGain, bool sixteenBitBoard);

// Scope display gain from the trigger level.
int16_t triggerGainFor(float triggerval);

// "Save Setup File...": asks for a name ("Enter Setup File Name"), remembers it and writes the
// file. Returns false when cancelled or when the write failed (the failure is shown).
bool MAKESETUP(Program& p, Host& host, Sounds& sounds);

// Loads a set-up file: `clickedFile` when given (a set-up document opened from the desktop),
// otherwise the one the user chooses. A cancelled chooser sets NoSetupFileFound; a damaged file
// is reported and changes nothing.
SetupLoadResult GETSETUP(Program& p, Host& host, Sounds& sounds, const SetupLoadContext& ctx,
                         const std::string* clickedFile = nullptr);

// A load context whose screen size comes from the host and whose mismatch question is the
// host's alert (with the sound "ahem" when sounds are on).
SetupLoadContext setupLoadContextFor(Host& host, Sounds& sounds, bool soundsOn);

}  // namespace trindel
