#include "run/recording_run.h"

#include <algorithm>
#include <vector>

#include "control/trigger.h"

namespace trindel {

RecordingRun::RecordingRun(Program& p, Platform& io, ChartHooks& hooks, RunTiming timing)
    : p_(p), io_(io), loop_(p, io, hooks), scope_(p, io, hooks), timing_(timing) {}

template <class Loop>
void RecordingRun::waitForNextPass(Loop& loop, double interval) {
    const double due = loop.nextDueTime();
    if (io_.clock.GetCurrentTimeInSeconds() >= due || io_.events.hasPendingEvent()) {
        return;
    }
    if (interval < timing_.spinBelowInterval) {
        io_.clock.waitUntilSpinning(due, timing_.spinSeconds);
    } else {
        io_.clock.waitUntil(due);
    }
}

RunResult RecordingRun::record(const RunFrontEnd& frontEnd) {
    const int16_t mode = p_.session.RecordingMODE;
    if (mode == 2 || mode == 3) {
        // The trigger is waited for at each sweep start (a caller's own gate stands).
        if (!scope_.hasSweepGate() && p_.trigger.TriggerON != 0) {
            scope_.setSweepGate([this, cancel = frontEnd.cancelTriggerWait](Program&) {
                return loop_.control().waitForTrigger(cancel) == kTriggerEscape
                           ? SweepStart::Cancelled
                           : SweepStart::Go;
            });
        }
        scope_.setSweepsToSave(frontEnd.sweepsToSave);
        RunResult result = runPasses(scope_, p_.session.ScopeINTERVALinSECONDS, frontEnd);
        finishScopeChartRun(p_);
        return result;
    }
    if (loop_.control().waitForTrigger(frontEnd.cancelTriggerWait) == kTriggerEscape) {
        RunResult result;
        result.stop = StopReason::Escape;
        result.triggerCancelled = true;
        return result;
    }
    RunResult result = runPasses(loop_, p_.session.ChartINTERVALinSECONDS, frontEnd);
    loop_.control().end(io_.clock.TickCount());
    return result;
}

template <class Loop>
RunResult RecordingRun::runPasses(Loop& loop, double interval, const RunFrontEnd& frontEnd) {
    const double threshold = lateScanThreshold(interval);
    RunResult result;
    loop.begin();
    std::vector<double> lateness;
    // One value a scan for the whole run, so no scan waits for the vector to grow.
    lateness.reserve(static_cast<size_t>(std::max(p_.session.MaxSamples, 0)) + 1);
    for (;;) {
        if (frontEnd.stopWanted && frontEnd.stopWanted()) {
            loop.requestStop();
        }
        const PassOutcome out = loop.pass();
        if (out.scanTaken) {
            if (result.scans == 0) {
                result.firstScan = out.scanTime;
                result.firstDue = out.scanDue;
            }
            result.lastScan = out.scanTime;
            result.lastDue = out.scanDue;
            ++result.scans;
            lateness.push_back(std::max(0.0, out.scanTime - out.scanDue));
            if (journal_ != nullptr) {
                journal_->scanTaken(p_, out.scanTime);
            }
            if (frontEnd.scanTaken) {
                frontEnd.scanTaken(p_, out);
            }
        }
        if (out.finished) {
            break;
        }
        waitForNextPass(loop, interval);
    }
    if (journal_ != nullptr) {
        journal_->flush(p_);
    }
    result.stop = loop.stopReason();
    result.lateness = summariseLateness(lateness, threshold);
    return result;
}

}  // namespace trindel
