// The rules of the port dialog "Serial Port Selection:  ": which ports are offered, the
// preferred port, the baud-rate pop-up, the no-port form, automatic selection, and what each
// button stores. A path typed by the user (a pseudo-terminal is never listed) is accepted too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "devices/serial/port_list.h"

namespace trindel {

struct Program;

class PortDialogModel {
  public:
    enum class Outcome { Open, Chosen, Demonstration, Quit };

    // Builds the list from the system's ports (at most 12 are considered).
    PortDialogModel(Program& p, std::vector<SerialPortInfo> ports);

    std::string title() const;
    // Window height: fixed up to 4 ports of the system's list, 20 points more per port beyond.
    int height() const;
    // Ports offered as buttons (1-based numbers into the system's list).
    const std::vector<int>& listed() const { return listed_; }
    const std::vector<SerialPortInfo>& ports() const { return ports_; }
    bool noPorts() const { return listed_.empty(); }
    // Heading above the buttons, or the lines of the no-port form.
    std::vector<std::string> headingLines() const;
    // The sound the dialog opens with ("" for none): the no-port form's warning.
    std::string openingSound() const;
    static std::vector<std::string> baudHelpLines();

    // The preferred port ("KeySerial…", else the first "USA19H…"), 0 when none.
    int preferred() const { return preferred_; }
    // With "Automatically Select Serial Port at Startup" and ports listed the dialog is not
    // shown: true then, and the port is already chosen.
    bool skipsDialog() const { return skip_; }

    // The baud pop-up: its items and the one showing the current speed.
    std::vector<int32_t> baudItems() const;
    int baudIndex() const;
    void chooseBaud(int index);  // plays "big Click" (by the caller's sound check)
    void choosePort(int number);
    int chosenPort() const;  // 1-based, 0 when none
    // A path the user typed; it is opened instead of a listed port while not empty.
    void typePath(const std::string& path) { typed_ = path; }
    const std::string& typedPath() const { return typed_; }
    // The path to open: the typed one, or the chosen port's, "" when none.
    std::string chosenPath() const;
    // "Selection OK" is possible: a port listed or a path typed.
    bool canConfirm() const { return !listed_.empty() || !typed_.empty(); }

    void selectionOK();
    void useDemoMode();
    void quit() { outcome_ = Outcome::Quit; }
    // The close box ends with the current choice.
    void close() { outcome_ = Outcome::Chosen; }
    Outcome outcome() const { return outcome_; }

  private:
    Program& p_;
    std::vector<SerialPortInfo> ports_;
    std::vector<int> listed_;
    int preferred_ = 0;
    bool skip_ = false;
    int16_t deviceBefore_ = 0;
    std::string typed_;
    Outcome outcome_ = Outcome::Open;
};

}  // namespace trindel
