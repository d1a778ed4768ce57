// The unsaved-data check asked before a new run, a new set-up and quitting.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/sounds.h"
#include "state/program.h"

namespace trindel {

// Whether the "Possible Data Loss" window must be shown (unsaved samples exist and warnings are
// on). False means the answer is yes at once.
bool makeSureNeedsAsking(const Program& p);

// "12,345 samples not saved!" for the unsaved count of the current mode.
std::string unsavedSamplesText(const Program& p);

// A key in the "Possible Data Loss" window: yes for y/Y, no for n/N, nothing for other keys.
std::optional<bool> makeSureKeyAnswer(int character);

// The check: asks `window` (which shows "Possible Data Loss" and returns the user's answer) only
// when needed, leaves the answer in PrefsArray 43 and returns it. `kind` picks the sound of a yes.
bool MAKESURE(Program& p, Sounds& sounds, int kind,
              const std::function<bool(const std::string& unsavedText)>& window);

}  // namespace trindel
