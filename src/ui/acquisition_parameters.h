// The "Acquisition Parameters" window as a model: one editable row per channel (A-D input, a, b,
// c, display range, readings averaged, label), the samples in the chart trace with its step
// buttons, the beep and repeat flags, and what "Setup OK" writes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "state/program.h"

namespace trindel {

enum class AcquisitionColumn { Input, A, B, C, Minimum, Maximum, Averaged, Label };

class AcquisitionParametersModel {
  public:
    // `deviceInputs`: the A-D inputs the device offers; `maxAverage`: the most readings a sample
    // may average at the chart interval.
    AcquisitionParametersModel(const Program& p, int deviceInputs, int maxAverage);

    // "CHART Mode Acquisition Parameters", with "  (read serial stream)" for the streaming device.
    std::string title() const;
    int channels() const { return nChan_; }
    // The columns shown: the readings averaged only in the chart modes.
    std::vector<AcquisitionColumn> columns() const;
    static const char* heading(AcquisitionColumn column);

    std::string cell(int channel, AcquisitionColumn column) const;
    // Typed text: numbers read the forgiving way (not a number: 0); the input is at least 1, the
    // readings averaged 1 to the limit, the label at most 30 bytes.
    void setCell(int channel, AcquisitionColumn column, std::string_view text);
    // The averaging window's choice: 0 (the last channel averaged continuously) is kept as 0.
    void setSamplesToAverage(int channel, int samples);
    // After the conversion window changed a channel in the program.
    void reloadChannel(const Program& p, int channel);

    // "Samples in chart trace" and "|<<" (window width), "<<" (halve), ">>" (double), ">>|".
    int32_t samples() const { return samples_; }
    void firstSamples();
    void fewerSamples();
    void moreSamples();
    void lastSamples();
    void setSamples(std::string_view text);

    bool beep() const { return beep_; }
    void setBeep(bool on) { beep_ = on; }
    bool repeat() const { return repeat_; }
    void setRepeat(bool on) { repeat_ = on; }
    // "Automatic Repeat", or "Auto-markers" in scope-plus-chart mode.
    const char* repeatText() const;

    // Channels whose A-D input is beyond the device's inputs.
    int inputsOutOfRange() const;

    // "Setup OK": the channel rows, labels, samples and flags go into the program.
    void setupOK(Program& p) const;

  private:
    ChannelTable table_;
    int nChan_;
    int16_t mode_;
    int16_t externalAD_;
    int deviceInputs_;
    int maxAverage_;
    int32_t samples_;
    int32_t windowWidth_;
    bool beep_;
    bool repeat_;
};

}  // namespace trindel
