// What the scope loops need from windows beyond the chart's hooks: the sweep information line,
// the burst's status and progress, and the files saved. Every method has a do-nothing default.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/atomic_file.h"

namespace trindel {

struct Program;

// Where the trigger's wait goes at the start of a sweep or burst: Go takes it, Cancelled stops
// the run. No gate means no trigger.
enum class SweepStart { Go, Cancelled };
using SweepGate = std::function<SweepStart(Program&)>;

class ScopeHooks {
  public:
    virtual ~ScopeHooks() = default;
    // The sweep information line ("hit 'TAB' to save", length, width).
    virtual void showScopeInfo(const std::vector<std::string>& /*lines*/) {}
    // " SAMPLING...", " DT800 PROCESSING...", " DOWNLOADING...", " next: 'Scope 2'  ".
    virtual void showBurstStatus(std::string_view /*text*/) {}
    // The burst's progress in percent, every 5 %.
    virtual void burstProgress(int /*percent*/) {}
    // A sweep was written (or failed to be).
    virtual void sweepSaved(const std::string& /*path*/, const WriteResult& /*result*/) {}
};

}  // namespace trindel
