// Writer and reader of the preferences file. Colours are stored least significant byte first,
// every other number big-endian; text fields are fixed width and space-padded.
#include "files/preferences_file.h"

#include <cstdlib>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/byte_reader.h"
#include "files/byte_writer.h"
#include "platform/host.h"
#include "platform/sounds.h"

namespace trindel {

namespace {

std::array<RGBColor*, 8> storedColours(Colours& c) {
    return {&c.ChartFrameColor, &c.ChartBackgroundColor, &c.ChartDataColor,      &c.Markwhite,
            &c.ScopeDataColor,  &c.ScopeBackgroundColor, &c.FastScopeBackground, &c.ScFrame};
}

float& convertAt(ConversionTables& t, int row, int element) {
    return t.convert[static_cast<size_t>(row * 9 + element)];
}

// Groups after field 1 are read only while data remain; a group cut in the middle is a
// damaged file.
void writeFields(ByteWriter& w, PreferencesState& s) {
    for (RGBColor* c : storedColours(s.colours)) {
        w.le16(c->red);
        w.le16(c->green);
        w.le16(c->blue);
    }
    for (int row = 3; row <= 11; ++row) {
        for (int e = 1; e <= 8; ++e) {
            w.beFloat(convertAt(s.conversion, row, e));
        }
    }
    w.text(s.conversion.buttonlbls, 225);
    w.text(s.conversion.but1lbls, 30);
    w.text(s.conversion.butcomments, 240);
    w.beInt32(s.session.Sound_Is_On);
    for (int i = 1; i <= 4; ++i) {
        w.be16(s.prefs[i]);
    }
    w.beInt32(s.session.Max_Display_Speed);
    for (int i = 5; i <= 12; ++i) {
        w.be16(s.prefs[i]);
    }
    w.beInt32(s.device.Digital_Port);
    w.be16(s.prefs[13]);
    w.beFloat(s.session.SampRateError);
    w.be16(s.prefs[30]);
    w.be16(s.prefs[15]);
    for (int row = 17; row <= 22; ++row) {
        for (int e = 1; e <= 22; ++e) {
            w.beFloat(s.conversion.BPconvert[static_cast<size_t>(row)][static_cast<size_t>(e)]);
        }
    }
    w.be16(s.prefs[14]);
    for (int i : {16, 17, 18, 19, 20, 21, 51, 52, 53, 54}) {
        w.be16(s.prefs[i]);
    }
}

void readFields(ByteReader& r, PreferencesState& s) {
    for (RGBColor* c : storedColours(s.colours)) {
        c->red = r.le16("colours");
        c->green = r.le16("colours");
        c->blue = r.le16("colours");
    }
    if (r.remaining() == 0) {
        s.prefs[16] = s.prefs[17] = 0;
        s.prefs[53] = s.prefs[54] = 1;
        return;
    }
    for (int row = 3; row <= 11; ++row) {
        for (int e = 1; e <= 8; ++e) {
            convertAt(s.conversion, row, e) = r.beFloat("stored conversions");
        }
    }
    s.conversion.buttonlbls = r.text(225, "button labels");
    s.conversion.but1lbls = r.text(30, "three-way label");
    s.conversion.butcomments = r.text(240, "stored channel labels");
    s.session.Sound_Is_On = r.beInt32("sound switch");
    for (int i = 1; i <= 4; ++i) {
        s.prefs[i] = r.be16("flags");
    }
    s.session.Max_Display_Speed = r.beInt32("read-out speed");
    for (int i = 5; i <= 12; ++i) {
        s.prefs[i] = r.be16("flags");
    }
    s.device.Digital_Port = r.beInt32("digital port");
    s.prefs[13] = r.be16("flags");
    s.session.SampRateError = r.beFloat("rate tolerance");
    s.prefs[30] = r.be16("flags");
    s.prefs[15] = r.be16("flags");
    if (r.remaining() > 0) {
        for (int row = 17; row <= 22; ++row) {
            for (int e = 1; e <= 22; ++e) {
                s.conversion.BPconvert[static_cast<size_t>(row)][static_cast<size_t>(e)] =
                    r.beFloat("stored breakpoint conversions");
            }
        }
    }
    if (r.remaining() > 0) {
        s.prefs[14] = r.be16("flags");
    }
    if (r.remaining() > 0) {
        for (int i : {16, 17, 18}) {
            s.prefs[i] = r.be16("file format flags");
        }
    } else {
        // No format flags: the binary format.
        s.prefs[16] = s.prefs[17] = 0;
    }
    for (int i : {19, 20, 21}) {
        if (r.remaining() > 0) {
            s.prefs[i] = r.be16("flags");
        }
    }
    for (int i : {51, 52, 53, 54}) {
        if (r.remaining() > 0) {
            s.prefs[i] = r.be16("flags");
        } else if (i == 53 || i == 54) {
            s.prefs[i] = 1;
        }
    }
}

PreferencesState preferencesStateOf(const Program& p) {
    return PreferencesState{p.colours, p.conversion, p.session, p.prefs, p.device};
}

void applyPreferencesState(Program& p, const PreferencesState& s) {
    p.colours = s.colours;
    p.conversion = s.conversion;
    p.session = s.session;
    p.prefs = s.prefs;
    p.device = s.device;
}

}  // namespace

std::string programConfigFolder() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    const std::filesystem::path folder = base / "Trindel";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder.string();
}

std::string defaultPreferencesPath() {
    return (std::filesystem::path(programConfigFolder()) / kPreferencesFileName).string();
}

std::vector<uint8_t> preferencesFileBytes(const Program& p) {
    PreferencesState s = preferencesStateOf(p);
    return bytesWrittenBy([&](ByteWriter& w) { writeFields(w, s); });
}

std::string writePreferencesFile(const Program& p, const std::string& path) {
    return writeFileAtomically(path, preferencesFileBytes(p)).error;
}

PreferencesState parsePreferencesFile(const std::vector<uint8_t>& data, PreferencesState base,
                                      int screenWidth, int screenHeight) {
    ByteReader r(data);
    base.prefs[kPrefWeirdSounds] = 0;
    readFields(r, base);
    if (base.prefs[kPrefWindowHeight] > screenHeight - 80) {
        base.prefs[kPrefWindowHeight] = static_cast<int16_t>(screenHeight - 80);
    }
    if (base.prefs[kPrefWindowWidth] > screenWidth - 50) {
        base.prefs[kPrefWindowWidth] = static_cast<int16_t>(screenWidth - 50);
    }
    return base;
}

PreferencesLoadResult loadPreferencesFile(Program& p, const std::string& path, int screenWidth,
                                          int screenHeight) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        DEFAULTCOLORS(p.colours);
        return {PreferencesLoad::Missing, {}};
    }
    try {
        const auto data = readFileBytes(path, kMaxPreferencesFileBytes);
        applyPreferencesState(
            p, parsePreferencesFile(data, preferencesStateOf(p), screenWidth, screenHeight));
        return {PreferencesLoad::Loaded, {}};
    } catch (const FileFormatError& e) {
        const std::string name = std::filesystem::path(path).filename().string();
        return {PreferencesLoad::Damaged,
                "cannot load preferences file \"" + name + "\": " + e.what()};
    }
}

bool SAVEsettings(Program& p, Host& host, Sounds& sounds) {
    auto chosen = host.askSaveFile("Select a file for preferences data:", kPreferencesFileName);
    const std::string path = chosen && !chosen->empty() ? *chosen : defaultPreferencesPath();
    const std::string error = writePreferencesFile(p, path);
    if (!error.empty()) {
        host.alert("File error", error, {"OK"});
        return false;
    }
    if (p.session.Sound_Is_On != 0 && p.prefs[kPrefWeirdSounds] != 0) {
        sounds.play("wsst");
    }
    return true;
}

PreferencesLoadResult GETSettings(Program& p, Host& host, bool askUser) {
    std::string path;
    if (askUser) {
        const auto chosen = host.askOpenFile("Select a file with preferences data:");
        if (!chosen || chosen->empty()) {
            return {PreferencesLoad::Cancelled, {}};
        }
        path = *chosen;
    } else {
        path = defaultPreferencesPath();
    }
    PreferencesLoadResult result =
        loadPreferencesFile(p, path, host.screenWidth(), host.screenHeight());
    if (result.outcome == PreferencesLoad::Damaged) {
        host.alert("Preferences File Error", result.error, {"OK"});
    }
    return result;
}

}  // namespace trindel
