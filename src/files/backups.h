// Protection of long chart runs: the measured-interval fix, the timed or on-demand backup, the
// backup name dialog and the quick save. Each writes the binary format through a temporary file,
// so a crash while writing never destroys the previous backup.
#pragma once

#include <string>

#include "files/atomic_file.h"
#include "platform/host.h"
#include "state/program.h"
#include "text/date_stamp.h"

namespace trindel {

// SampleInterval becomes the measured interval (chartRunSeconds / Sample) when it differs from
// the chart interval by more than SampRateError, else the chart interval.
void fixSampleInterval(Session& s);

// `name` in `folder`; an empty folder leaves the name as it is.
std::string joinPath(const std::string& folder, const std::string& name);

// When and where a backup or quick save happens.
struct BackupMoment {
    DateStamp stamp;          // the date and time now
    int32_t ticksNow = 0;     // 1/60 s tick count now
    double secondsNow = 0.0;  // the microsecond clock now
    std::string dataFolder;   // the program's data folder (quick saves, default backup place)
};

// "Backup file" (or the chosen name), with " MM-dd-yy" when the date is added, and ".kstn" with
// the extension preference.
std::string backupFileName(const FileState& files, const PrefsArray& prefs, const DateStamp& stamp);

// Asks for the backup file name, warning before an existing file is reused.
void BACKUPFILENAME(Program& p, Host& host, const std::string& dataFolder);

// Writes the backup (timed: the interval ran out; else the user asked). A failed write is shown
// through `host` and the run goes on. A backup never marks the data saved.
WriteResult AutoTimedBACKUP(Program& p, bool timed, const BackupMoment& now, Host& host);

// "QuickSave MM-dd-yy HHhMMmSSs" in the data folder.
std::string quickSaveName(const PrefsArray& prefs, const DateStamp& stamp);
WriteResult QuickSAVE(Program& p, const BackupMoment& now, Host& host);

}  // namespace trindel
