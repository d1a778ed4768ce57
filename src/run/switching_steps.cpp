#include "run/switching_steps.h"

#include "run/chart_actions.h"

namespace trindel {

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
    // Through the port's own buffer, so the answer is not left for the next reading.
    std::string answer;
    if (kind == SwitchAnswer::Line) {
        if (port_->waitForLineEnd(kSwitchAnswerTimeout)) {
            return port_->readLine();
        }
    } else if (port_->waitForBytes(1, kSwitchAnswerTimeout)) {
        // A UI2's whole answer is discarded; an ADC-1 answers one byte.
        return kind == SwitchAnswer::OneByte ? port_->readBytes(1)
                                             : port_->readBytes(port_->available());
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
    InsertMarker(p_, io_, hooks_, code, markerTop_);
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
