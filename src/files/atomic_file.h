// The one way this program replaces a file, so that a crash or a failed write never destroys the
// previous version: the bytes go to a temporary file in the same folder, which is flushed to disk
// and renamed over the target only when everything was written, and the folder is flushed after
// the rename. Any failure is reported as one line for the user and leaves no temporary file.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "files/byte_writer.h"

namespace trindel {

class AtomicFile final : public ByteSink {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() override;  // abandons an uncommitted file

    // Creates the temporary file next to `path`, with the old file's mode when there is one.
    // False (with error()) when that is not possible.
    bool open(const std::string& path);
    bool write(const void* data, size_t size) override;
    // Flushes to disk and renames the temporary file over the target.
    bool commit();
    // Removes the temporary file; the target is untouched.
    void abandon();
    const std::string& error() const { return error_; }

  private:
    void fail(const std::string& what, int errorNumber);

    std::string path_;
    std::string tempPath_;
    int fd_ = -1;
    std::string error_;
};

struct WriteResult {
    bool ok = false;
    std::string error;  // one line for the user when !ok
};

// The folder part of a path: "." for a bare name, "/" for a name at the root.
std::string folderOf(const std::string& path);

// Opens `path` atomically, lets `writeContent` fill it, and commits. `writeContent` returns false
// when its own writing failed (for example a cancelled export); the old file then stays.
WriteResult writeFileAtomically(const std::string& path,
                                const std::function<bool(ByteSink&)>& writeContent);
// Replaces `path` with `bytes` (or the text's bytes).
WriteResult writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);
WriteResult writeFileAtomically(const std::string& path, std::string_view text);

}  // namespace trindel
