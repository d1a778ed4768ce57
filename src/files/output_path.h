// Checking where a file is to be written before any work is done for it: the folder must exist and
// take new files, the name must not be a folder, FIFO or device, and a link is followed to its
// file.
#pragma once

#include <string>

namespace trindel {

struct OutputPath {
    bool ok = false;
    std::string path;   // where to write: `path` itself, or the file a symbolic link names
    std::string error;  // one line for the user when !ok
};

// Checks that a file can be written at `path` and returns the path to write it at.
OutputPath checkOutputPath(const std::string& path);

// True when `a` and `b` both exist and are the same file (same device and inode), through any
// spelling, hard link or symbolic link.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace trindel
