#include "files/note_model.h"

#include "platform/sounds.h"
#include "text/number_text.h"

namespace trindel {

bool noteWindowMayOpen(int numberOfNotes, Sounds& sounds, bool soundsOn) {
    if (numberOfNotes < kMaxNotes) {
        return true;
    }
    if (soundsOn) {
        sounds.play("bzot");
    }
    return false;
}

NoteModel::NoteModel(int32_t NoteSample, std::string clockTime)
    : sample_(NoteSample), time_(std::move(clockTime)) {}

std::optional<FileNote> NoteModel::ok() const {
    if (text_.empty()) {
        return std::nullopt;
    }
    return FileNote{runtimeText(sample_), time_, text_.substr(0, kMaxNoteText)};
}

}  // namespace trindel
