// The user's text and run constants that a chart recording file carries: the file comment, the
// pause log, the timed notes and the gas-exchange constants of the comment window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace trindel {

inline constexpr int kMaxNotes = 50;
inline constexpr size_t kMaxNoteText = 250;

struct FileNote {
    std::string sample;  // NoteSample as number text
    std::string time;    // "HH:mm:ss" when the note window was opened
    std::string text;    // at most 250 characters

    bool operator==(const FileNote&) const = default;
};

struct RecordingNotes {
    std::string CommentContainer;          // the file comment (CR line ends, Mac Roman)
    std::string CumulativePauseContainer;  // the pause log of the run
    int16_t NumberOfNotes = 0;
    std::array<FileNote, kMaxNotes + 1> fileRemarks{};  // notes 1..NumberOfNotes
    float mass = 0.0f;
    float flowtemp = 0.0f;
    float EffectiveVolume = 0.0f;

    // Appends a note; false (nothing stored) when 50 notes exist already.
    bool addNote(FileNote note) {
        if (NumberOfNotes >= kMaxNotes) {
            return false;
        }
        if (note.text.size() > kMaxNoteText) {
            note.text.resize(kMaxNoteText);
        }
        fileRemarks[static_cast<size_t>(++NumberOfNotes)] = std::move(note);
        return true;
    }
    void clearNotes() { NumberOfNotes = 0; }

    bool operator==(const RecordingNotes&) const = default;
};

}  // namespace trindel
