// The run driver's set-up for the streaming instrument: its fields are chosen as channels in
// place of the mode choice, then the chart interval; labels and inputs come from that window.
#include "display/chart_screen.h"
#include "run/run_driver.h"
#include "state/program.h"

namespace trindel {

void RunDriver::streamingModeChoice() {
    DeviceConnection* device = config_.device;
    SerialPort* port = device != nullptr && device->isOpen() ? &device->port() : nullptr;
    if (!windows_.streamingChannels(p_, port)) {
        state_ = RunState::Ended;
        return;
    }
    p_.session.RecordingMODE = 1;
    p_.prefs[kPrefSkipDeviceChooser] = 0;
    if (p_.session.nChan == 0 && soundsOn()) {
        io_.sounds.play("bzot");
    }
    state_ = RunState::RunSetup;
}

bool RunDriver::streamingSetup() {
    Session& s = p_.session;
    s.RecordingMODE = 1;
    IntervalDialog dialog(p_, "Chart Channels");
    if (!windows_.chartInterval(p_, dialog)) {
        return false;
    }
    dialog.selectionOK();
    s.ChartINTERVALinSECONDS = s.SampleIntervalinSeconds;
    s.ChartSampleInterval = static_cast<float>(s.SampleIntervalinSeconds);
    for (int c = 1; c <= s.nChan && c <= kMaxChannels; ++c) {
        auto& row = p_.channels.Nvar[static_cast<size_t>(c)];
        p_.channels.conversionType(c) = 1.0f;
        row[kCoeffA] = 0.0f;
        row[kCoeffB] = 1.0f;
        row[kCoeffC] = 0.0f;
        row[kDisplayMax] = 5.0f;
        row[kDisplayMin] = 0.0f;
        row[kSamplesToAverage] = 1.0f;
    }
    SetChanParams(p_, 0, 0);
    return true;
}

}  // namespace trindel
