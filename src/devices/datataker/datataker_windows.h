// The rules of the loggers' windows: "DataTaker A-D Mode Controls" (the input kind, thermocouple
// type and wiring of each channel, the counter start) and "DataTaker 800 Acquisition Mode".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trindel {

struct Program;
struct Platform;
class SerialPort;

// DATATAKERSTATUS: one row per chart channel whose A-D input number is above 0.
class DataTakerInputsModel {
  public:
    enum class Choice {
        Counter,
        TypeT,
        TypeJ,
        TypeK,
        Volts,
        Ohms,
        Plus,
        Minus,
        Star,
        Differential
    };

    explicit DataTakerInputsModel(Program& p);

    static std::string title() { return "DataTaker A-D Mode Controls"; }
    // False when no channel is set up (the window is not shown then).
    bool available() const { return !rows_.empty(); }
    const std::vector<int>& rows() const { return rows_; }  // channel numbers
    // The label field of a channel (30 bytes; a blank label shows as " [ volts ]").
    const std::string& label(int channel) const;
    void editLabel(int channel, const std::string& text);
    // Which of the choices is shown selected for the channel.
    bool isChosen(int channel, Choice c) const;
    void choose(int channel, Choice c);
    // "Start counters at:": the text as typed; false (value kept) when it is not a whole number
    // from 0 to 1,000,000.
    bool setCounterStart(const std::string& text);
    int32_t counterStart() const { return counterStart_; }
    // "Conversion Modes OK", Return or the close box: the counter start and the labels are
    // stored.
    void finish();

  private:
    Program& p_;
    std::vector<int> rows_;
    std::vector<std::string> labels_;  // by channel (index 0 unused)
    int32_t counterStart_;
};

// DT800COMMUNICATIONS: the conversion mode and mains frequency of the DT800.
class DT800ModeModel {
  public:
    explicit DT800ModeModel(Program& p);
    static std::string title() { return "DataTaker 800 Acquisition Mode"; }
    bool highSpeed() const { return high_; }
    // Choosing a mode plays "upvip" (high speed) or "downvip" (high accuracy) by the caller.
    void chooseHighSpeed(bool high) { high_ = high; }
    int16_t mains() const { return mains_; }
    void chooseMains(int16_t hz) { mains_ = hz == 50 ? 50 : 60; }
    // "No Mains Filtration (for highest possible speed)": only in high-speed mode.
    bool noFilterEnabled() const { return high_; }
    bool noFilter() const { return noFilter_; }
    void toggleNoFilter() {
        if (high_) {
            noFilter_ = !noFilter_;
        }
    }
    // "Selection OK", Return or the close box: stores the choice and sends the mode's commands.
    void finish(Platform& io, SerialPort& port);

  private:
    Program& p_;
    bool high_;
    int16_t mains_;
    bool noFilter_;
};

}  // namespace trindel
