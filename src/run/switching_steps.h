// The recording loops' side of valve switching: the engine's effects on this platform (the
// device command on the A-D device's serial line with an answer time-out, the tick sound, the
// switch markers) and the hooks that let a front end show each switch.
#pragma once

#include <cstdint>
#include <string>

#include "control/switching_engine.h"
#include "devices/serial/serial_port.h"
#include "platform/platform.h"
#include "run/chart_hooks.h"

namespace trindel {

// How long a UI2, ADAM-4050 or ADC-1 answer is awaited before the switch is given up as sent.
inline constexpr double kSwitchAnswerTimeout = 0.5;

class LoopSwitchEffects final : public SwitchEffects {
  public:
    LoopSwitchEffects(Program& p, Platform& io, ChartHooks& hooks)
        : p_(p), io_(io), hooks_(hooks) {}

    // The A-D device's line; none (the demonstration source) sends nothing.
    void setPort(SerialPort* port) { port_ = port; }
    // Row from which the switch markers are drawn down (below the scope band in
    // scope-plus-chart mode).
    void setMarkerTop(int top) { markerTop_ = top; }

    std::string send(const SwitchCommand& command) override;
    void tickSound() override;
    void insertMarker(int code) override;

    // Tells the front end about the switch just made, when the device in use or the phase
    // changed since the last call.
    void reportSwitch(int32_t tick);

  private:
    std::string awaitAnswer(SwitchAnswer kind);

    Program& p_;
    Platform& io_;
    ChartHooks& hooks_;
    SerialPort* port_ = nullptr;
    int markerTop_ = 34;
    bool silenceReported_ = false;
    int lastDevice_ = -1;
    int lastRef_ = -1;
};

}  // namespace trindel
