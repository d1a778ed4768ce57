#include "files/backup_interval_model.h"

#include <cmath>

#include "text/export_number.h"

namespace trindel {

BackupIntervalModel::BackupIntervalModel(int32_t TimedSaveINTERVAL, int16_t appendDATE)
    : minutes_(TimedSaveINTERVAL / 3600.0), on_(TimedSaveINTERVAL > 0), appendDATE_(appendDATE) {}

std::string BackupIntervalModel::fieldText() const {
    if (!on_) {
        return "(off)";
    }
    return exportNumberText(static_cast<float>(minutes_));
}

BackupIntervalModel::Closing BackupIntervalModel::close() const {
    const double ticks = std::trunc(minutes_ * 3600.0);
    Closing c;
    c.TimedSaveINTERVAL = ticks > 0 ? static_cast<int32_t>(std::fmin(ticks, 2147483647.0)) : 0;
    if (!on_) {
        c.TimedSaveINTERVAL = 0;
    }
    c.menuChecked = c.TimedSaveINTERVAL > 0;
    c.sound = c.menuChecked ? "upvip" : "downvip";
    return c;
}

void applyBackupInterval(Program& p, const BackupIntervalModel::Closing& closing,
                         int16_t appendDATE) {
    p.session.TimedSaveINTERVAL = closing.TimedSaveINTERVAL;
    p.prefs[kPrefAutomaticBackup] = closing.TimedSaveINTERVAL > 0 ? 1 : 0;
    p.files.appendDATE = appendDATE;
}

}  // namespace trindel
