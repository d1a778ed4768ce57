// MAKESETUP: the set-up file writer.
#include <algorithm>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/setup_file.h"
#include "files/setup_file_fields.h"
#include "platform/host.h"
#include "platform/sounds.h"

namespace trindel {

SetupState setupStateOf(const Program& p) {
    return SetupState{p.session,   p.channels, p.prefs,   p.device,       p.conversion,
                      p.switching, p.alarm,    p.trigger, p.audibleTimer, p.view};
}

void applySetupState(Program& p, const SetupState& s) {
    p.session = s.session;
    p.channels = s.channels;
    p.prefs = s.prefs;
    p.device = s.device;
    p.conversion = s.conversion;
    p.switching = s.switching;
    p.alarm = s.alarm;
    p.trigger = s.trigger;
    p.audibleTimer = s.audibleTimer;
    p.view = s.view;
}

std::vector<uint8_t> setupFileBytes(const Program& p) {
    SetupState s = setupStateOf(p);
    // A file always names a real trigger channel and a screen's worth of samples.
    if (s.session.MaxSamples == 0) {
        s.session.MaxSamples = s.prefs[kPrefWindowWidth];
    }
    if (s.trigger.TriggerChan < 1 || s.trigger.TriggerChan > 16) {
        s.trigger.TriggerChan = 1;
    }
    // Counts that the layout depends on must be in range, or the file could not be read back.
    s.session.nChan = static_cast<int16_t>(std::clamp<int>(s.session.nChan, 1, kMaxChannels));
    return bytesWrittenBy([&](ByteWriter& w) {
        w.line(kSetupFileVersion);
        setup_fields::Out out{w};
        int16_t width = 0;
        setup_fields::walk(out, s, width);
    });
}

std::string writeSetupFile(const Program& p, const std::string& path) {
    if (p.session.nChan < 1 || p.session.nChan > kMaxChannels) {
        return "no set-up to save: the number of channels is not 1 to 16";
    }
    return writeFileAtomically(path, setupFileBytes(p)).error;
}

bool MAKESETUP(Program& p, Host& host, Sounds& sounds) {
    const std::string proposed =
        p.session.SetupFileName.empty() ? std::string("Setup") : p.session.SetupFileName;
    const auto chosen = host.askSaveFile("Enter Setup File Name", proposed);
    if (!chosen || chosen->empty()) {
        return false;
    }
    p.session.SetupFileName = std::filesystem::path(*chosen).filename().string();
    const std::string error = writeSetupFile(p, *chosen);
    if (!error.empty()) {
        host.alert("File error", error, {"OK"});
        return false;
    }
    if (p.session.Sound_Is_On != 0) {
        sounds.play("click");
    }
    return true;
}

}  // namespace trindel
