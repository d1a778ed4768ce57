#include "run/switching_steps.h"

#include "run/chart_actions.h"

namespace trindel {

namespace {
constexpr int kMarkerTop = 34;
}

std::string LoopSwitchEffects::send(const SwitchCommand& command) {
    if (port_ == nullptr || !port_->isOpen() || command.bytes.empty()) {
        return {};
    }
    port_->send(command.bytes);
    return awaitAnswer(command.answer);
}

std::string LoopSwitchEffects::awaitAnswer(SwitchAnswer kind) {
    if (kind == SwitchAnswer::None) {
        return {};
    }
    Clock& clock = io_.clock;
    const double deadline = clock.GetCurrentTimeInSeconds() + kSwitchAnswerTimeout;
    std::string answer;
    while (clock.GetCurrentTimeInSeconds() < deadline) {
        const size_t waiting = port_->available();
        if (waiting > 0) {
            answer += port_->read(waiting);
            const bool done = kind == SwitchAnswer::AnyBytes || kind == SwitchAnswer::OneByte ||
                              answer.find('\r') != std::string::npos || answer.size() >= 144;
            if (done) {
                return kind == SwitchAnswer::OneByte ? answer.substr(0, 1) : answer;
            }
        }
        clock.delayMilliseconds(2);
    }
    // A silent device does not stop the recording; the user hears of it once.
    if (!silenceReported_) {
        silenceReported_ = true;
        hooks_.switchDeviceSilent("The switching device did not answer");
    }
    return answer;
}

void LoopSwitchEffects::tickSound() {
    io_.sounds.play("tick");
}

void LoopSwitchEffects::insertMarker(int code) {
    InsertMarker(p_, io_, hooks_, code, kMarkerTop);
}

void LoopSwitchEffects::reportSwitch(int32_t tick) {
    const SwitchingState& sw = p_.switching;
    if (sw.DeviceInUse == lastDevice_ && sw.RefIsON == lastRef_) {
        return;
    }
    lastDevice_ = sw.DeviceInUse;
    lastRef_ = sw.RefIsON;
    hooks_.deviceSwitched(p_, tick);
}

}  // namespace trindel
