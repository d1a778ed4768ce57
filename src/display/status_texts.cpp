#include "display/status_texts.h"

#include <cmath>

#include "text/number_text.h"

namespace trindel {

StatusTexts statusTexts(const Session& s, double donefact) {
    StatusTexts t;
    t.sample = (s.Sample > 1000000 ? " #" : " Sample") + runtimeText(s.Sample);
    t.done = pictureText(s.Sample * donefact, "###.##") + " % done";
    // To the millisecond: an interval read from a 32-bit field (0.05 s as 0.0500000007) must
    // not show as 150.0000022 s.
    const double r = std::round((s.MaxSamples - s.Sample) * s.ChartINTERVALinSECONDS * 1e3) / 1e3;
    if (r > 17240.0) {
        const double days = r / 86400.0;
        t.left = pictureText(days, days >= 10.0 ? "####.#" : "###.##") + " days left";
    } else if (r > 7200.0) {
        t.left = pictureText(r / 3600.0, "####.##") + " hr left";
    } else if (r > 180.0) {
        t.left = runtimeText(r / 60.0) + " min left";
    } else {
        t.left = runtimeText(r) + " sec left";
    }
    return t;
}

std::string helpLine(const Program& p, std::string_view command) {
    std::string line = "'esc' to stop; 'tab' stores screen letters = markers ";
    switch (p.session.SwitchingMode) {
        case 0:
            break;
        case 1:
        case 2:
            line += "timed key switch; '-' ref, '+' sample ";
            break;
        case 3:
        case 4:
            line += "series switch; '-' ref, '+' sample ";
            break;
        case 5:
        case 6:
        case 10:
            line += "device series; '-' ref, '+' sample ";
            break;
        case 7:
        case 8:
            line += "key switch; '-' ref, '+' sample ";
            break;
        default:
            line += "auto switch; '-' ref, '+' sample ";
            break;
    }
    if (p.prefs[kPrefAutomarkers] != 0 && p.session.RecordingMODE == 3) {
        line += " Automark ";
    }
    line += " 'ret' adds time ";
    const std::string c(command);
    line += c + "-p = pause " + c + "-b = backup " + c + "-r = review " + c + "-n = time to ref ";
    return line;
}

std::string backupIndicator(const Program& p) {
    if (p.session.TimedSaveINTERVAL <= 0) {
        return " no backup!";
    }
    if (p.files.NBackUp > 0) {
        return " backup" + runtimeText(p.files.NBackUp) + " \xC3  ";
    }
    return " backup on";
}

ProgressLabel progressLabel(const Program& p) {
    const Session& s = p.session;
    const int W = p.prefs[kPrefWindowWidth];
    ProgressLabel label;
    label.hundred = W > 699;
    if (s.ShowDisplays == 0) {
        // Turned off by the user (a negative limit) or by the scope, not by the interval.
        const bool chosen = s.Max_Display_Speed < 0 || s.RecordingMODE == 2;
        label.text =
            chosen ? "data panel switched off" : "data panel switched off for sampling speed";
        return label;
    }
    label.text = s.MaxSamples <= W * s.ChartView ? "one screenful available" : "data capacity used";
    return label;
}

}  // namespace trindel
