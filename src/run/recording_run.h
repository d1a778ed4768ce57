// The one recording run (chart, scope or scope plus chart): the passes with the waits between them,
// the stop rules and the scan lateness. The desktop program, the command-line tool and the tests
// all record through it; their front ends only ask for a stop and look at each scan.
#pragma once

#include <algorithm>
#include <functional>

#include "files/crash_journal.h"
#include "platform/platform.h"
#include "run/chart_hooks.h"
#include "run/chart_loop.h"
#include "run/scan_lateness.h"
#include "run/scope_loop.h"
#include "state/program.h"

namespace trindel {

// What a front end adds to a run; either may be left empty.
struct RunFrontEnd {
    // Asked before every pass; true stops the run as the Stop button would (menu Quit).
    std::function<bool()> stopWanted;
    // After every pass that took a scan (progress displays).
    std::function<void(const Program&, const PassOutcome&)> scanTaken;
    // Asked while the run waits for its trigger; true cancels the recording (as Escape does).
    std::function<bool()> cancelTriggerWait;
    // Scope modes: save every completed sweep or burst and stop after this many (0: only on
    // request).
    int32_t sweepsToSave = 0;
};

// How the run waits for a scan. Below `spinBelowInterval` the last `spinSeconds` before a due
// time are a short spin, so scans land within microseconds of it; longer intervals only sleep.
struct RunTiming {
    double spinBelowInterval = 0.020;
    double spinSeconds = 0.0002;
};

struct RunResult {
    StopReason stop = StopReason::None;
    bool triggerCancelled = false;  // the trigger wait was cancelled: nothing was recorded
    ScanLateness lateness;
    int32_t scans = 0;
    double firstScan = 0.0, lastScan = 0.0;  // clock times of the first and last scan
    double firstDue = 0.0, lastDue = 0.0;    // the times the first and last scan were due
    // Seconds the scans span, each counted as one interval: n scans on schedule span n intervals.
    // Measured from the first scan's due time, so late first scans followed by a catch-up burst
    // keep the interval; a last scan more than an interval late (a loop that fell behind and
    // stayed behind) adds what it lost beyond that interval.
    double scanSpan(double interval) const {
        if (scans == 0) {
            return 0.0;
        }
        const double behind = std::max(0.0, (lastScan - lastDue) - interval);
        return (lastDue - firstDue) + interval + behind;
    }
};

class RecordingRun {
  public:
    RecordingRun(Program& p, Platform& io, ChartHooks& hooks, RunTiming timing = {});

    // Records one run: the loop's begin(), then passes until a stop rule ends it.
    RunResult record(const RunFrontEnd& frontEnd = {});

    // The serial line that carries the valve-switching commands (none: nothing is sent).
    void setSwitchPort(SerialPort* port) {
        loop_.setSwitchPort(port);
        scope_.setPort(port);
    }
    // The scope modes' windows and the trigger's wait at each sweep start.
    void setScopeHooks(ScopeHooks* hooks) { scope_.setScopeHooks(hooks); }
    void setSweepGate(SweepGate gate) { scope_.setSweepGate(std::move(gate)); }
    int32_t sweepsSaved() const { return scope_.sweepsSaved(); }
    // Analogue outputs, feedback, audible timer and trigger of the run.
    ControlSteps& control() { return loop_.control(); }
    // The crash journal the scans are appended to while the run goes on (none: no journal).
    void setJournal(JournalWriter* journal) { journal_ = journal; }

  private:
    template <class Loop>
    RunResult runPasses(Loop& loop, double interval, const RunFrontEnd& frontEnd);
    template <class Loop>
    void waitForNextPass(Loop& loop, double interval);

    Program& p_;
    Platform& io_;
    ChartLoop loop_;
    ScopeLoop scope_;
    RunTiming timing_;
    JournalWriter* journal_ = nullptr;
};

}  // namespace trindel
