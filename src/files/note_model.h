// The rules of the note window: timed notes attached to a running chart recording.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "state/recording_notes.h"

namespace trindel {

class Sounds;

// Whether the note window may open with `numberOfNotes` notes taken; when not, plays "bzot"
// (sounds on).
bool noteWindowMayOpen(int numberOfNotes, Sounds& sounds, bool soundsOn);

class NoteModel {
  public:
    // The window remembers the sample and clock time at which it opened.
    NoteModel(int32_t NoteSample, std::string clockTime);

    static constexpr const char* kPrompt = "Enter Notes -- No Arrow Keys or Cursor";
    static constexpr const char* kCounterSuffix = "characters (250 possible)";

    void setText(std::string text) { text_ = std::move(text); }
    const std::string& text() const { return text_; }
    size_t characterCount() const { return text_.size(); }

    // "OK": the note to add, or nothing when the text is empty. "Cancel" adds nothing.
    std::optional<FileNote> ok() const;

  private:
    int32_t sample_;
    std::string time_;
    std::string text_;
};

}  // namespace trindel
