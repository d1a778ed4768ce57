// The rules of the note window: timed notes attached to a running chart recording.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace trindel {

class Sounds;

inline constexpr int kMaxNotes = 50;
inline constexpr size_t kNoteTextLimit = 250;

// One note: the sample at which its window opened (as number text), the clock time then
// ("HH:mm:ss") and the text.
struct FileNote {
    std::string sampleText;
    std::string timeText;
    std::string text;

    bool operator==(const FileNote&) const = default;
};

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
