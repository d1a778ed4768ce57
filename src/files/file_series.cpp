#include "files/file_series.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "files/backups.h"
#include "text/export_number.h"

namespace trindel {

std::string seriesFileName(const std::string& root, int32_t k, DataFormat format) {
    std::string number = exportNumberText(int64_t{k});
    if (format == DataFormat::ExpeData && !number.empty() && number[0] == ' ') {
        number.erase(0, 1);
    }
    return root + number;
}

int32_t firstFreeSeriesNumber(int32_t from, const std::function<std::string(int32_t)>& pathOf) {
    int32_t k = std::max(from, 1);
    std::error_code ec;
    // Bounded so that a folder that answers every name (or a wrapped count) cannot hang a save.
    for (int tries = 0; tries < 100000 && k < INT32_MAX; ++tries, ++k) {
        if (!std::filesystem::exists(std::filesystem::path(pathOf(k)), ec)) {
            return k;
        }
    }
    return k;
}

void SCOPEFILEDATA(Program& p, Host& host, SeriesKind kind, const SaveHooks& hooks,
                   const std::string& dataFolder) {
    const bool scope = kind == SeriesKind::Scope;
    const std::string proposal = scope ? "scope file" : "repeat file";
    // The dialog opens in the data folder, where a cancelled dialog puts the series.
    const auto answer =
        host.askSaveFile(scope ? "Scope File Root..." : "Repeat File Root...",
                         dataFolder.empty() ? proposal : dataFolder + "/" + proposal);
    const bool chosen = answer && !answer->empty();
    const std::string root = chosen ? fileNamePart(*answer) : proposal;
    p.files.filestrings.rootName = root.substr(0, 52);
    p.files.ScopeFileFolder = chosen ? folderPart(*answer) : dataFolder;
    p.files.ScopeCount = 0;
    p.files.ScopeFileComments = scope ? 1 : 0;
    if (chosenFormat(p.prefs) == DataFormat::Text) {
        if (hooks.textCaution) {
            hooks.textCaution();
        }
    } else if (hooks.fileComments) {
        hooks.fileComments(p.files.filestrings.rootName);
    }
}

void stampComment(std::string& comment, const DateStamp& stamp) {
    const std::string mark = "\xA5  Recorded " + stamp.date + " at " + stamp.time + ":       \r";
    if (comment.size() < mark.size()) {
        comment.resize(mark.size(), ' ');
    }
    comment.replace(0, mark.size(), mark);
}

void stampRunComment(std::string& comment, const DateStamp& stamp) {
    std::string mark = "\xA5  Recorded " + stamp.date + " at " + stamp.time + ":";
    mark.resize(72, ' ');
    mark += '\r';
    // The old stamp is 72 characters and a CR; a comment without one keeps all its text.
    const bool stamped = comment.size() >= 73 && comment.compare(0, 12, "\xA5  Recorded ") == 0 &&
                         comment[72] == '\r';
    comment.replace(0, stamped ? 73 : 0, mark);
}

std::vector<std::string> ShowFileIsSaved(const Program& p) {
    if (p.prefs[kPrefDataSaved] != 1 || p.prefs[kPrefAutorepeat] != 0 ||
        p.files.filestrings.dataFileName.empty()) {
        return {};
    }
    return {"   Last chart file acquired:", p.files.filestrings.dataFileName,
            "  \xA5 has been saved \xA5"};
}

AutosaveResult AUTOSAVE(Program& p, const DateStamp& stamp, int32_t ticksNow, double secondsNow,
                        Host& host, const AutosaveHooks& hooks) {
    AutosaveResult out;
    Session& s = p.session;
    fixSampleInterval(s);
    const DataFormat format = chosenFormat(p.prefs);
    const std::string& root = p.files.filestrings.rootName;
    const std::string folder = p.files.ScopeFileFolder;
    const auto pathOf = [&](int32_t k) {
        return joinPath(folder, seriesFileName(root, k, format));
    };
    p.files.ScopeCount = firstFreeSeriesNumber(p.files.ScopeCount + 1, pathOf);
    out.write = writeChartFile(p, format, pathOf(p.files.ScopeCount));
    if (out.write.ok) {
        p.prefs[kPrefDataSaved] = 1;
    } else {
        host.alert("File error", out.write.error, {"OK"});
    }
    const int32_t next = firstFreeSeriesNumber(p.files.ScopeCount + 1, pathOf);
    out.readout = " next: '" + seriesFileName(root, next, format) + "'  ";
    if (hooks.redrawForNewRun) {
        hooks.redrawForNewRun();
    }
    s.Sample = 0;
    s.NscrnCASEs = 0;
    p.Markers.clear();
    s.TimeOfNextChartSample = secondsNow + s.ChartINTERVALinSECONDS;
    s.TimeAtStart = ticksNow;
    p.files.NextSAVEtime = ticksNow + s.TimedSaveINTERVAL;
    if (hooks.restartSwitching) {
        hooks.restartSwitching();
    }
    p.files.NBackUp = 0;
    p.conversion.voltagespikes.fill(0);
    p.files.filestrings.startDate = stamp.date;
    p.files.filestrings.startTime = stamp.time;
    stampComment(p.notes.CommentContainer, stamp);
    return out;
}

std::vector<std::string> SHOWROOTFILE(const Program& p) {
    const bool autorepeat = p.prefs[kPrefAutorepeat] != 0;
    if (p.session.RecordingMODE == 1 && !autorepeat) {
        return {};
    }
    return {std::string("Root file name for ") + (autorepeat ? "chart data" : "scope data"),
            "   " + p.files.filestrings.rootName};
}

}  // namespace trindel
