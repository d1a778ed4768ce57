#include "run/recording_run.h"

#include <algorithm>
#include <vector>

#include "control/trigger.h"

namespace trindel {

RecordingRun::RecordingRun(Program& p, Platform& io, ChartHooks& hooks, RunTiming timing)
    : p_(p), io_(io), loop_(p, io, hooks), timing_(timing) {}

void RecordingRun::waitForNextPass() {
    const double due = loop_.nextDueTime();
    if (io_.clock.GetCurrentTimeInSeconds() >= due || io_.events.hasPendingEvent()) {
        return;
    }
    if (p_.session.ChartINTERVALinSECONDS < timing_.spinBelowInterval) {
        io_.clock.waitUntilSpinning(due, timing_.spinSeconds);
    } else {
        io_.clock.waitUntil(due);
    }
}

RunResult RecordingRun::record(const RunFrontEnd& frontEnd) {
    const double threshold = lateScanThreshold(p_.session.ChartINTERVALinSECONDS);
    RunResult result;
    if (loop_.control().waitForTrigger(frontEnd.cancelTriggerWait) == kTriggerEscape) {
        result.stop = StopReason::Escape;
        result.triggerCancelled = true;
        return result;
    }
    loop_.begin();
    std::vector<double> lateness;
    // One value a scan for the whole run, so no scan waits for the vector to grow.
    lateness.reserve(static_cast<size_t>(std::max(p_.session.MaxSamples, 0)) + 1);
    for (;;) {
        if (frontEnd.stopWanted && frontEnd.stopWanted()) {
            loop_.requestStop();
        }
        const PassOutcome out = loop_.pass();
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
        waitForNextPass();
    }
    loop_.control().end(io_.clock.TickCount());
    if (journal_ != nullptr) {
        journal_->flush(p_);
    }
    result.stop = loop_.stopReason();
    result.lateness = summariseLateness(lateness, threshold);
    return result;
}

}  // namespace trindel
