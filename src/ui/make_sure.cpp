#include "ui/make_sure.h"

#include "platform/events.h"

namespace trindel {

namespace {

std::string groupedThousands(int32_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0 && digits[i - 1] != '-') {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
    return out;
}

bool soundsOn(const Program& p) {
    return soundsOn(p.menus);
}

}  // namespace

bool makeSureNeedsAsking(const Program& p) {
    if (p.prefs[kPrefWarnBeforeOverwrite] == 0) {
        return false;
    }
    // A scope recording is never asked about; a chart one only when something was recorded.
    if (p.session.RecordingMODE == 2 || p.session.Sample == 0) {
        return false;
    }
    return p.prefs[kPrefDataSaved] != 1;
}

std::string unsavedSamplesText(const Program& p) {
    return groupedThousands(p.session.Sample) + " samples not saved!";
}

std::optional<bool> makeSureKeyAnswer(int character) {
    if (character == 'y' || character == 'Y') {
        return true;
    }
    if (character == 'n' || character == 'N') {
        return false;
    }
    return std::nullopt;
}

bool MAKESURE(Program& p, Sounds& sounds, int kind,
              const std::function<bool(const std::string& unsavedText)>& window) {
    bool yes = true;
    if (makeSureNeedsAsking(p)) {
        yes = window(unsavedSamplesText(p));
        if (yes && soundsOn(p)) {
            const bool weird = p.prefs[kPrefWeirdSounds] != 0;
            if (kind == 0) {
                if (weird) {
                    sounds.play("skid");
                    sounds.play("Cat");
                }
            } else if (kind != 10 || weird) {
                sounds.play("rip");
            }
        }
    }
    p.prefs[kPrefMakeSureAnswer] = yes ? 1 : 0;
    p.events.Action = kEventRedraw;
    return yes;
}

}  // namespace trindel
