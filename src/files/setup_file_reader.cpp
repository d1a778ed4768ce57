// GETSETUP: the set-up file reader. The file is parsed into a scratch copy of the groups it sets;
// the program takes the copy only when every field was read and found possible.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "files/setup_file.h"
#include "files/setup_file_fields.h"
#include "platform/host.h"
#include "platform/sounds.h"

namespace trindel {

std::optional<int16_t> setupVersionOf(const std::string& line) {
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::string text = line.substr(first, line.find_last_not_of(' ') - first + 1);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno != 0 || !std::isfinite(value) ||
        std::fabs(value) > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<int16_t>(static_cast<int32_t>(value));
}

bool looksLikeSetupFile(std::span<const uint8_t> head) {
    std::string line;
    for (size_t i = 0; i < head.size() && i <= 32; ++i) {
        if (head[i] == '\r') {
            const auto version = setupVersionOf(line);
            return version == -9997 || version == -9998 || version == -99;
        }
        line.push_back(static_cast<char>(head[i]));
    }
    return false;
}

namespace {

void checkVersion(ByteReader& r) {
    std::string line;
    try {
        line = r.line(32, "version line");
    } catch (const FileFormatError&) {
        throw FileFormatError("not a set-up file (no version line)");
    }
    const auto version = setupVersionOf(line);
    if (!version) {
        throw FileFormatError("not a set-up file (no version line)");
    }
    switch (*version) {
        case -9997:
            return;
        case -9998:
        case -9999:
        case -999:
        case -99:
            throw FileFormatError("the set-up file has the older layout \"" +
                                  std::to_string(*version) +
                                  "\", which this version cannot read; save it again with a "
                                  "version that can, or set the experiment up anew");
        default:
            throw FileFormatError("not a set-up file (unknown version \"" + line + "\")");
    }
}

}  // namespace

SetupState parseSetupFile(const std::vector<uint8_t>& data, SetupState base, int screenWidth,
                          int16_t* fileWidth) {
    setup_fields::In in{ByteReader(data)};
    checkVersion(in.r);
    SetupState& s = base;
    s.prefs[kPrefFastScope] = 0;
    s.session.NoSetupFileFound = 0;
    s.prefs[kPrefAutorepeat] = 0;
    s.prefs[kPrefAutomarkers] = 0;
    int16_t width = 0;
    setup_fields::walk(in, s, width);

    // The backup flag follows the timed-save interval, whatever the file held.
    s.prefs[kPrefAutomaticBackup] = s.session.TimedSaveINTERVAL != 0 ? 1 : 0;
    // A window wider than this screen is not taken.
    if (width > 0 && width <= screenWidth) {
        s.prefs[kPrefWindowWidth] = width;
    }
    if (s.trigger.TriggerChan < 1 || s.trigger.TriggerChan > 16) {
        s.trigger.TriggerChan = 1;
    }
    if (s.session.MaxSamples == 0) {
        s.session.MaxSamples = s.prefs[kPrefWindowWidth];
    }
    if (fileWidth != nullptr) {
        *fileWidth = width;
    }
    return s;
}

SetupLoadResult loadSetupFile(Program& p, const std::string& path, const SetupLoadContext& ctx) {
    const std::string name = std::filesystem::path(path).filename().string();
    try {
        const std::vector<uint8_t> data = readFileBytes(path, kMaxSetupFileBytes);
        int16_t fileWidth = 0;
        SetupState s = parseSetupFile(data, setupStateOf(p), ctx.screenWidth, &fileWidth);
        s.session.SetupFileName = name;
        applySetupState(p, s);
        afterSetupLoaded(p, ctx, fileWidth);
        return {true, {}};
    } catch (const FileFormatError& e) {
        return {false, "cannot load set-up file \"" + name + "\": " + e.what()};
    }
}

SetupLoadContext setupLoadContextFor(Host& host, Sounds& sounds, bool soundsOn) {
    SetupLoadContext ctx;
    ctx.screenWidth = host.screenWidth();
    ctx.screenHeight = host.screenHeight();
    ctx.askScreenSizeMismatch = [&host, &sounds, soundsOn]() {
        if (soundsOn) {
            sounds.play("ahem");
        }
        const int button = host.alert(
            "Screen Size Mismatch", "WARNING!\nThe setup file format doesn't fit this screen size.",
            {"Reset to the Current Screen Size", "Use screen size From Setup File"});
        // Return and the close box count as the first button.
        return button == 1 ? 2 : 1;
    };
    return ctx;
}

SetupLoadResult GETSETUP(Program& p, Host& host, Sounds& sounds, const SetupLoadContext& ctx,
                         const std::string* clickedFile) {
    std::string path;
    if (clickedFile != nullptr) {
        path = *clickedFile;
    } else {
        const auto chosen = host.askOpenFile("Select a setup file:");
        if (!chosen || chosen->empty()) {
            p.session.NoSetupFileFound = 1;
            return {false, {}};
        }
        path = *chosen;
    }
    SetupLoadResult result = loadSetupFile(p, path, ctx);
    if (!result.ok) {
        host.alert("Setup File Error", result.error, {"OK"});
        return result;
    }
    if (p.session.Sound_Is_On != 0) {
        sounds.play("setup");
    }
    return result;
}

}  // namespace trindel
