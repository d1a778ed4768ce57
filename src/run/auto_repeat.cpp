#include "run/auto_repeat.h"

#include <ctime>

#include "control/switching_engine.h"
#include "control/switching_schedule.h"

namespace trindel {

AutosaveResult autoRepeatRun(Program& p, Platform& io, ChartHooks& hooks, LoopSwitchEffects& fx) {
    const int32_t now = io.clock.TickCount();
    AutosaveHooks restart;
    restart.restartSwitching = [&p, &fx, now] {
        // As at the start of a recording, but mode 9 keeps its place in the device sequence.
        if (p.session.SwitchingMode != 0) {
            SWITCHTOREFERENCE(p, fx);
        }
        startSwitchingSchedule(p, now, 59.99f, true);
    };
    const AutosaveResult out = AUTOSAVE(p, localStamp(std::time(nullptr)), now,
                                        io.clock.GetCurrentTimeInSeconds(), io.host, restart);
    fx.reportSwitch(now);
    hooks.newScreen(p);
    hooks.showStatusField(199, out.readout);
    hooks.autoSave(p);
    return out;
}

BackupMoment backupMomentNow(Platform& io, const std::string& dataFolder) {
    BackupMoment m;
    m.stamp = localStamp(std::time(nullptr));
    m.ticksNow = io.clock.TickCount();
    m.secondsNow = io.clock.GetCurrentTimeInSeconds();
    m.dataFolder = dataFolder;
    return m;
}

}  // namespace trindel
