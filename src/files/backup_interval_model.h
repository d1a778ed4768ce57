// The backup-interval window as a model: the minutes field, its preset and arithmetic buttons, and
// what closing it stores (ticks of 1/60 s, the backup preference and the cue to play).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/program.h"

namespace trindel {

class BackupIntervalModel {
  public:
    // Preset buttons: "0.5" ... "60", "2 hr" ... "12 hr", in minutes.
    static constexpr std::array<double, 14> kPresets = {0.5, 1,  2,   2.5, 5,   10,  15,
                                                        30,  60, 120, 180, 240, 360, 720};

    BackupIntervalModel(int32_t TimedSaveINTERVAL, int16_t appendDATE);

    void preset(double minutes) { setAndTurnOn(minutes); }
    void times2() { setAndTurnOn(minutes_ * 2); }
    void half() { setAndTurnOn(minutes_ / 2); }
    void plus10() { setAndTurnOn(minutes_ + 10); }
    void minus1() { setAndTurnOn(minutes_ - 1); }
    void typed(double minutes) {
        minutes_ = minutes;
        on_ = minutes > 0;
    }
    void toggleAppendDate() { appendDATE_ = appendDATE_ == 0 ? 1 : 0; }

    double minutes() const { return minutes_; }
    bool on() const { return on_; }
    int16_t appendDATE() const { return appendDATE_; }
    // The field's text: "(off)" while backups are off.
    std::string fieldText() const;

    struct Closing {
        int32_t TimedSaveINTERVAL = 0;
        bool menuChecked = false;
        const char* sound = "downvip";
    };
    // "Timing OK": minutes x 3600 ticks, truncated, never below 0.
    Closing close() const;
    // "OFF".
    static Closing off() { return {}; }

  private:
    void setAndTurnOn(double minutes) {
        minutes_ = minutes;
        if (minutes_ > 0) {
            on_ = true;
        }
    }

    double minutes_ = 0;
    bool on_ = false;
    int16_t appendDATE_ = 0;
};

// Stores a closing: the interval, the backup preference (28) and appendDATE.
void applyBackupInterval(Program& p, const BackupIntervalModel::Closing& closing,
                         int16_t appendDATE);

}  // namespace trindel
