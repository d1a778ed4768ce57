// File protection on the run's clock: the end of a full autorepeat run (the run saved as the next
// file of the series and the next run started at once, with the reference and the switching
// schedule restarted, so that switching mode 9 goes on to the next device in use), and the moment
// of a backup or quick save.
#pragma once

#include <string>

#include "files/backups.h"
#include "files/file_series.h"
#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "run/switching_steps.h"
#include "state/program.h"

namespace trindel {

// AUTOSAVE with the loop's restart; the front end is then asked for a new screen, shown
// " next: '…'" in the backup read-out (field 199) and told through autoSave.
AutosaveResult autoRepeatRun(Program& p, Platform& io, ChartHooks& hooks, LoopSwitchEffects& fx);

// The date, time and clocks of now, for a backup or quick save into `dataFolder`.
BackupMoment backupMomentNow(Platform& io, const std::string& dataFolder);

}  // namespace trindel
