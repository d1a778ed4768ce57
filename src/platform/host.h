// The general windows the core asks the machine for: alerts, file dialogs, text windows and the
// screen size. Windows tied to a model (pause, options, ...) are declared next to their models.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trindel {

class Host {
  public:
    virtual ~Host() = default;
    // Shows a modal alert and returns the index of the chosen button (0-based).
    virtual int alert(const std::string& title, const std::string& message,
                      const std::vector<std::string>& buttons) = 0;
    // Save dialog with a prompt and a proposed name; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> askSaveFile(const std::string& prompt,
                                                   const std::string& proposedName) = 0;
    virtual std::optional<std::string> askOpenFile(const std::string& prompt) = 0;
    // A window that shows text until the user presses its one button.
    virtual void showText(const std::string& title, const std::string& text,
                          const std::string& button) = 0;
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
};

}  // namespace trindel
