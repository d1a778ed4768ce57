// The scope modes' loop (SCOPESCANNING and SCOPEPLUSCHARTSCAN) as single passes: the scope sample
// or burst when due, the chart scan of scope-plus-chart mode, saves, commands and stop rules.
// RecordingRun repeats the passes with the waits between them, as for the chart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "run/chart_commands.h"
#include "run/chart_hooks.h"
#include "run/chart_loop.h"
#include "run/scope_hooks.h"
#include "run/switching_steps.h"
#include "state/program.h"

namespace trindel {

class ScopeLoop {
  public:
    ScopeLoop(Program& p, Platform& platform, ChartHooks& hooks);

    void setScopeHooks(ScopeHooks* hooks) { scopeHooks_ = hooks ? hooks : &noScopeHooks_; }
    // The trigger's wait at every sweep start (none: no trigger).
    void setSweepGate(SweepGate gate) { gate_ = std::move(gate); }
    bool hasSweepGate() const { return static_cast<bool>(gate_); }
    // The A-D device's line: bursts and valve commands go through it (none: demonstration).
    void setPort(SerialPort* port) {
        port_ = port;
        switching_.setPort(port);
    }
    // Saves every completed sweep (or burst) until `sweeps` are saved; scope mode then stops.
    // 0 saves only on request.
    void setSweepsToSave(int32_t sweeps) { sweepsToSave_ = sweeps; }

    // Prepares the run: per-run resets, scope geometry, first scope sample due 5 us (scope) or
    // 0.1 ms (scope plus chart) from now; a DT800 fast scope is put in high-speed mode.
    void begin();
    // Exactly one pass.
    PassOutcome pass();
    bool finished() const { return stop_ != StopReason::None; }
    StopReason stopReason() const { return stop_; }
    double nextDueTime() const;
    void requestStop() { stopRequested_ = true; }
    bool fastPath() const;
    int32_t sweepsSaved() const { return sweepsSaved_; }

  private:
    // GETSCOPE: one scope sample on the normal path, drawn with erase-and-redraw.
    void GETSCOPE();
    void startSweep();
    // HIGHSPEEDIO and GETFAST: one burst taken, converted and drawn.
    void HIGHSPEEDIO();
    void burstFromDevice(int32_t readings, double seconds);
    void burstFromDemonstration(double seconds);
    void waitDuringBurst(double until, double start, double total, bool showProgress);
    void GETFAST();
    // Scope plus chart: readings between chart samples and the chart scan when due.
    void collectChartReadings();
    void chartScanIfDue();

    void readCommands();
    void readChartCommands();
    void handleEvents();
    void saveSweep(bool fast);
    bool gateSweep();

    Program& p_;
    Platform& io_;
    ChartHooks& hooks_;
    ScopeHooks noScopeHooks_;
    ScopeHooks* scopeHooks_ = &noScopeHooks_;
    SweepGate gate_;
    SerialPort* port_ = nullptr;
    LoopSwitchEffects switching_;
    ChartCommands commands_;  // the chart's commands in scope-plus-chart mode
    StopReason stop_ = StopReason::None;
    bool stopRequested_ = false;
    int32_t sweepsToSave_ = 0;
    int32_t sweepsSaved_ = 0;
    int pendingKey_ = 0;
    int32_t lastShownSample_ = -1;
    std::vector<float> burstSamples_;  // the last burst's samples before conversion
};

// After a scope-plus-chart run: slot 2 of every chart channel is copied into slots 0 and 1 (the
// first chart scan lands in slot 1 and may hold a partial average).
void finishScopeChartRun(Program& p);

}  // namespace trindel
