#include "files/output_path.h"

#include "files/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace trindel {

namespace {

OutputPath refused(const std::string& path, const std::string& why) {
    return {false, path, "\"" + path + "\" " + why};
}

// The file a chain of symbolic links ends at (which may not exist yet); empty after 40 links.
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) {
            return path;
        }
        std::string next(target.data(), static_cast<size_t>(n));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    return {};
}

}  // namespace

OutputPath checkOutputPath(const std::string& given) {
    if (given.empty()) {
        return {false, given, "no output file was named"};
    }
    if (given.back() == '/') {
        return refused(given, "is a folder, not a file name");
    }
    const std::string path = followLinks(given);
    if (path.empty()) {
        return refused(given, "is a loop of symbolic links");
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            return refused(given, "is a folder, not a file name");
        }
        if (!S_ISREG(st.st_mode)) {
            return refused(given, "is not a regular file (a FIFO, socket or device); refused");
        }
    }
    const std::string folder = folderOf(path);
    struct stat fst {};
    if (::stat(folder.c_str(), &fst) != 0) {
        return refused(given, std::string("cannot be written: folder \"") + folder +
                                  "\": " + std::strerror(errno));
    }
    if (!S_ISDIR(fst.st_mode)) {
        return refused(given, "cannot be written: \"" + folder + "\" is not a folder");
    }
    // A new file is made in the folder and renamed over the old one, so the folder must take it.
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return refused(given, std::string("cannot be written: folder \"") + folder +
                                  "\": " + std::strerror(errno));
    }
    return {true, path, {}};
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace trindel
