#include "run/journal_recovery.h"

#include <unistd.h>

#include <ctime>

#include "files/crash_journal.h"
#include "text/date_stamp.h"

namespace trindel {

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The format a chosen name asks for by its extension; the run's own format (and its extension)
// when the name has none of them.
DataFormat formatForName(std::string& name, DataFormat runFormat) {
    for (const DataFormat f : {DataFormat::Binary, DataFormat::Text, DataFormat::ExpeData}) {
        if (endsWith(name, extensionOf(f))) {
            return f;
        }
    }
    name += extensionOf(runFormat);
    return runFormat;
}

bool recover(Host& host, const JournalRecovery& journal, const std::string& path) {
    const std::string proposed =
        "Recovered " + fileNameDate(journal.file.recording.startDate) + extensionOf(journal.format);
    auto name = host.askSaveFile("Save Recovered Recording As...", proposed);
    if (!name || name->empty()) {
        return false;
    }
    const DataFormat format = formatForName(*name, journal.format);
    const WriteResult written = writeRecoveredRecording(journal, format, *name);
    if (!written.ok) {
        host.alert("File error", written.error + ". The unsaved recording is kept.", {"OK"});
        return false;
    }
    if (!journal.damage.empty()) {
        host.alert("Unsaved recording", "Recovered what was whole: " + journal.damage + ".",
                   {"OK"});
    }
    ::unlink(path.c_str());
    return true;
}

}  // namespace

std::string newJournalPath(const std::string& folder) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return folder + "/unsaved-" + stamp + "-" + std::to_string(::getpid()) + kJournalExtension;
}

int offerLeftoverJournals(Host& host, const std::string& folder) {
    int recovered = 0;
    for (const std::string& path : leftoverJournals(folder)) {
        const JournalRecovery journal = readJournal(path);
        if (!journal.ok) {
            if (host.alert("Unsaved recording",
                           "An unsaved recording could not be read: " + journal.error,
                           {"Keep It", "Delete It"}) == 1) {
                ::unlink(path.c_str());
            }
            continue;
        }
        const Recording& r = journal.file.recording;
        const std::string question = "Recover unsaved recording from " + r.startDate + " " +
                                     r.startTime + " (" + std::to_string(r.sampleCount) +
                                     " samples)?";
        switch (host.alert("Unsaved recording", question, {"Recover...", "Later", "Discard"})) {
            case 0:
                recovered += recover(host, journal, path) ? 1 : 0;
                break;
            case 2:
                ::unlink(path.c_str());
                break;
            default:
                break;
        }
    }
    return recovered;
}

}  // namespace trindel
