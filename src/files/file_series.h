// Numbered file series: scope files and the repeat files of autorepeat chart runs, and the restart
// bookkeeping when a repeat run is complete.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/save_files.h"
#include "platform/host.h"
#include "state/program.h"
#include "text/date_stamp.h"

namespace trindel {

enum class SeriesKind { Scope, Repeat };

// File k of a series: root + k as number text, with its leading blank for binary and text files
// and without it for ExpeData.
std::string seriesFileName(const std::string& root, int32_t k, DataFormat format);

// The first number from `from` on whose file (`pathOf(number)`) does not exist yet, so that a
// series started again under the same root never writes over the files of an earlier one.
int32_t firstFreeSeriesNumber(int32_t from, const std::function<std::string(int32_t)>& pathOf);

// Asks for the series root ("Scope File Root..." / "Repeat File Root..."); a cancelled dialog
// keeps the proposal. Restarts the count and shows the caution or comment window.
void SCOPEFILEDATA(Program& p, Host& host, SeriesKind kind, const SaveHooks& hooks,
                   const std::string& dataFolder);

// What a restarted run needs from the recording window and the switching schedule.
struct AutosaveHooks {
    std::function<void()> redrawForNewRun;
    std::function<void()> restartSwitching;
};

struct AutosaveResult {
    WriteResult write;
    std::string readout;  // " next: 'root N'  "
};

// Saves the completed run as the next file of the series and starts the next run at once.
AutosaveResult AUTOSAVE(Program& p, const DateStamp& stamp, int32_t ticksNow, double secondsNow,
                        Host& host, const AutosaveHooks& hooks = {});

// "•  Recorded MM/dd/yy at HH:mm:ss:       " and a CR over the start of the comment.
void stampComment(std::string& comment, const DateStamp& stamp);

// At the start of every run: "•  Recorded MM/dd/yy at HH:mm:ss:" padded with blanks to 72
// characters and a CR, over the first 72 characters of the comment (the rest is kept).
void stampRunComment(std::string& comment, const DateStamp& stamp);

// ShowFileIsSaved: the notice lines after a run whose data are saved ("   Last chart file
// acquired:", the file name, "  • has been saved •"); none when the data are not saved, when
// autorepeat is on or when no data file name is set.
std::vector<std::string> ShowFileIsSaved(const Program& p);

// SHOWROOTFILE after a run in the scope modes or with autorepeat on: "Root file name for chart
// data" (autorepeat) or "... scope data", then the root name; none otherwise.
std::vector<std::string> SHOWROOTFILE(const Program& p);

}  // namespace trindel
