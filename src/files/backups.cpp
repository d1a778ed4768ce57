#include "files/backups.h"

#include <sys/stat.h>

#include <cmath>

#include "files/binary_recording_writer.h"
#include "text/export_number.h"

namespace trindel {

void fixSampleInterval(Session& s) {
    const double set = s.ChartINTERVALinSECONDS;
    s.SampleInterval = static_cast<float>(set);
    if (s.Sample <= 0 || set <= 0) {
        return;
    }
    const double measured = chartRunSeconds(s) / s.Sample;
    // A start noted after the last sample (the options window notes it again on each choice)
    // measures nothing: the file keeps the set interval rather than a made-up one.
    if (s.TicsAtLastSample > s.TimeAtStart && std::fabs(1.0 - measured / set) > s.SampRateError) {
        s.SampleInterval = static_cast<float>(measured);
    }
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

namespace {

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::string withKstn(std::string name, const PrefsArray& prefs) {
    if (prefs[kPrefAddExtension] != 0) {
        name += ".kstn";
    }
    return name;
}

WriteResult writeBinary(Program& p, const std::string& path, Host& host) {
    const WriteResult result =
        writeFileAtomically(path, [&](ByteSink& sink) { return SAVEBINARY(p, sink); });
    if (!result.ok) {
        host.alert("File error", result.error, {"OK"});
    }
    return result;
}

}  // namespace

std::string backupFileName(const FileState& files, const PrefsArray& prefs,
                           const DateStamp& stamp) {
    std::string name = files.backupfile.empty() ? "Backup file" : files.backupfile;
    if (files.appendDATE != 0) {
        name.append(" ").append(fileNameDate(stamp.date));
    }
    return withKstn(name, prefs);
}

void BACKUPFILENAME(Program& p, Host& host, const std::string& dataFolder) {
    for (;;) {
        const auto answer = host.askSaveFile("Select name for backup file", "Backup file");
        std::string path = answer && !answer->empty()
                               ? *answer
                               : joinPath(dataFolder, withKstn("Backup file", p.prefs));
        if (fileExists(path)) {
            const int choice = host.alert(
                "Caution...",
                "That backup file already exists.\rIf you use it you could wipe out your data!",
                {"Select new backup file name", "Overwrite old file"});
            if (choice == 0) {
                continue;
            }
        }
        p.files.backupfile = fileNamePart(path).substr(0, 52);
        p.files.backupFolder = folderPart(path);
        return;
    }
}

WriteResult AutoTimedBACKUP(Program& p, bool timed, const BackupMoment& now, Host& host) {
    fixSampleInterval(p.session);
    const std::string folder = p.files.backupFolder.empty() ? now.dataFolder : p.files.backupFolder;
    const WriteResult result =
        writeBinary(p, joinPath(folder, backupFileName(p.files, p.prefs, now.stamp)), host);
    if (timed) {
        p.session.TimeOfNextChartSample = now.secondsNow + p.session.ChartINTERVALinSECONDS;
        p.files.NextSAVEtime = now.ticksNow + p.session.TimedSaveINTERVAL;
    }
    p.prefs[kPrefDataSaved] = 0;
    if (result.ok) {
        ++p.files.NBackUp;
        std::string indicator = " backup";
        indicator.append(exportNumberText(int64_t{p.files.NBackUp})).append(" \xC3  ");
        p.files.BackupFileIndicator = indicator;
    }
    return result;
}

std::string quickSaveName(const PrefsArray& prefs, const DateStamp& stamp) {
    // Built by appending: GCC 12 at -O3 warns falsely about chained string additions here.
    std::string time;
    if (stamp.time.size() == 8) {
        time.append(stamp.time, 0, 2).append("h").append(stamp.time, 3, 2).append("m");
        time.append(stamp.time, 6, 2).append("s");
    } else {
        time = stamp.time;
    }
    std::string name = "QuickSave ";
    name.append(fileNameDate(stamp.date)).append(" ").append(time);
    return withKstn(name, prefs);
}

WriteResult QuickSAVE(Program& p, const BackupMoment& now, Host& host) {
    fixSampleInterval(p.session);
    const WriteResult result =
        writeBinary(p, joinPath(now.dataFolder, quickSaveName(p.prefs, now.stamp)), host);
    p.prefs[kPrefDataSaved] = 0;
    if (result.ok) {
        ++p.files.QuicksaveCounter;
    }
    return result;
}

}  // namespace trindel
