#include "run/control_steps.h"

#include <charconv>

#include "control/analog_output.h"
#include "control/audible_timer.h"
#include "control/feedback.h"
#include "control/trigger.h"
#include "devices/demo_source.h"
#include "devices/read_dispatch.h"
#include "devices/serial/serial_port.h"
#include "signal/conversion.h"

namespace trindel {

namespace {

constexpr size_t kMaxLoggedOutputs = 200000;
constexpr int16_t kDT800 = 4;
constexpr double kDT800AnswerSeconds = 5.0 / 60.0;

std::string fixedText(float v, int decimals) {
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v),
                                 std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string voltsText(float v) {
    return fixedText(v, 3) + " V";
}

}  // namespace

ControlSteps::ControlSteps(Program& p, Platform& io, ChartHooks& hooks)
    : p_(p), io_(io), hooks_(hooks) {}

std::optional<float> readTriggerValue(Program& p, Platform& io) {
    const TriggerState& t = p.trigger;
    const int nChan = p.session.nChan;
    const bool raw = t.TriggerChan < 1 || t.TriggerChan > nChan;
    const int channel = raw ? kRawTriggerRow : t.TriggerChan;
    float volts = 0.0f;
    if (p.device.DemonstrationMODE != 0) {
        volts = static_cast<float>(demoDraw(p.device.demoSeed)) / 1000.0f;
        if (volts > 0.795f) {
            volts = 5.0f;
        }
    } else {
        volts = readDeviceChannel(p, io, channel);
    }
    if (raw) {
        return volts;
    }
    const auto& row = p.channels.Nvar[static_cast<size_t>(channel)];
    float b = row[kCoeffB];
    if (p.session.RecordingMODE != 1 && channel == 1) {
        b = 1.0f;  // the scope channel reads volts
    }
    const auto value = triggerValueFromVolts(
        row[kCoeffA], b, row[kCoeffC],
        static_cast<int>(p.channels.Nvar[0][static_cast<size_t>(channel)]), volts, t.triggerval);
    return value ? *value : ConvertChannelVolts(p, channel, volts).value;
}

int ControlSteps::waitForTrigger(const std::function<bool()>& cancel) {
    TriggerState& t = p_.trigger;
    t.TempTriggrON = t.TriggerON;
    if (t.TriggerON == 0) {
        return kTriggerMet;
    }
    TriggerWait wait;
    wait.readValue = [this] { return readTriggerValue(p_, io_); };
    wait.show = [this](int line, const std::string& text) {
        hooks_.showStatusField(kStatusFieldTrigger + line, text);
    };
    wait.cancelWanted = cancel;
    const bool autorepeat = p_.prefs[kPrefAutorepeat] != 0;
    return RUNTRIGGER(t, p_.session.RecordingMODE, autorepeat, io_.clock, io_.events, wait,
                      triggerWaitText(t, p_.session.nChan, p_.channels));
}

void ControlSteps::begin(int32_t start) {
    log_.clear();
    shown_.clear();
    // Values given between recordings ("Switch to Pre-run Value") go out first.
    AnalogOutputState& ao = p_.analogOutput;
    startAOForRecording(ao, p_.device.External_AD, start);
    FeedbackState& fb = p_.feedback;
    fb.DoFeedback = fb.FeedbackON;
    if (fb.FeedbackON != 0) {
        BeginFdBk(fb, start);
    }
    if (p_.audibleTimer.AlertSOUNDS != 0) {
        startAudibleTimer(p_.audibleTimer, p_.alarm, start);
    }
    send();
}

void ControlSteps::feedback(int32_t now) {
    FeedbackState& fb = p_.feedback;
    if (fb.DoFeedback == 0 || p_.session.Sample < 1) {
        return;  // no reading yet to regulate on
    }
    int channel = fb.FeedbackChan;
    if (channel < 1 || channel > p_.session.nChan) {
        channel = 1;
    }
    const float x = p_.store.get(channel, p_.session.Sample - 1);
    float volts = 0.0f;
    if (feedbackPass(fb, now, x, volts)) {
        SetAOvolts(p_.analogOutput, p_.device.External_AD, now, 2, volts);
    }
}

void ControlSteps::pass(int32_t now) {
    if (p_.audibleTimer.AlertSOUNDS != 0) {
        HandleAlertSounds(p_.audibleTimer, p_.alarm, now, io_.sounds);
    }
    AnalogOutputState& ao = p_.analogOutput;
    if (ao.AO1on != 0 || ao.AO2on != 0) {
        checkAOscript(ao, p_.device.External_AD, now);
    }
    feedback(now);
    flushPendingAO(ao, p_.device.External_AD, now);
    send();
}

void ControlSteps::marker(int code, bool first, int32_t now) {
    AnalogOutputState& ao = p_.analogOutput;
    const int16_t device = p_.device.External_AD;
    if (first) {
        AOfirstMarker(ao, device, now);
        alertFirstMarker(p_.audibleTimer, now);
    }
    if (code == 's' || code == 'S') {
        AOstartKey(ao, device, now);
    }
    if (code == 'X' || code == 'x' || code == 'Q' || code == 'q') {
        AOstopMarker(ao, device, now, code);
        feedbackMarker(p_.feedback, now, code);
        if (p_.audibleTimer.AlertSOUNDS != 0) {
            alertMarker(p_.audibleTimer, p_.alarm, code, io_.sounds);
        }
    }
    send();
}

void ControlSteps::end(int32_t now) {
    AOendOfRecording(p_.analogOutput, p_.device.External_AD, now);
    send();
}

void ControlSteps::send() {
    std::vector<AOOutput>& box = p_.analogOutput.outbox;
    if (box.empty()) {
        return;
    }
    const bool live = port_ != nullptr && port_->isOpen() && p_.device.DemonstrationMODE == 0;
    for (AOOutput& out : box) {
        if (live && !out.bytes.empty()) {
            port_->send(std::string_view(reinterpret_cast<const char*>(out.bytes.data()),
                                         out.bytes.size()));
            if (p_.device.External_AD == kDT800) {
                // The logger answers the command; its answer is not needed.
                port_->waitForBytes(1, kDT800AnswerSeconds);
                port_->discardInput();
            }
        }
        if (log_.size() < kMaxLoggedOutputs) {
            log_.push_back(std::move(out));
        }
    }
    box.clear();
    const std::string text = statusText();
    if (text != shown_) {
        shown_ = text;
        hooks_.showStatusField(kStatusFieldOutputs, text);
    }
}

std::string ControlSteps::statusText() const {
    const AnalogOutputState& ao = p_.analogOutput;
    const FeedbackState& fb = p_.feedback;
    std::string s;
    if (ao.AO1on != 0) {
        s += "AO1 " + voltsText(ao.AO1volts);
    }
    if (ao.AO2on != 0 || fb.DoFeedback != 0) {
        s += (s.empty() ? "" : "  ") + std::string("AO2 ") + voltsText(ao.AO2volts);
    }
    if (fb.DoFeedback != 0) {
        s += "  feedback " + fixedText(fb.lastInput, 3) + " (setpoint " +
             fixedText(fb.setpoint, 3) + ") -> " + voltsText(fb.lastOutput);
    }
    if (p_.device.DemonstrationMODE != 0 && !s.empty()) {
        s += "  (not sent)";
    }
    return s;
}

}  // namespace trindel
