#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace trindel {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode a new file gets: the old file's when it exists, else 0666 less the umask.
mode_t modeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() {
    abandon();
}

void AtomicFile::fail(const std::string& what, int errorNumber) {
    if (error_.empty()) {
        error_ = "Could not " + what + " \"" + nameOf(path_) + "\": " + std::strerror(errorNumber);
    }
}

bool AtomicFile::open(const std::string& path) {
    abandon();
    error_.clear();
    path_ = path;
    if (nameOf(path).empty()) {
        fail("save", EISDIR);
        return false;
    }
    std::string pattern = folderOf(path) + "/." + nameOf(path) + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        fail("save", errno);
        return false;
    }
    tempPath_ = name.data();
    ::fchmod(fd_, modeFor(path));
    return true;
}

bool AtomicFile::write(const void* data, size_t size) {
    if (fd_ < 0) {
        if (error_.empty()) {
            fail("write", EBADF);
        }
        return false;
    }
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("write", errno);
            return false;
        }
        if (n == 0) {
            fail("write", ENOSPC);
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool AtomicFile::commit() {
    if (fd_ < 0 || !error_.empty()) {
        if (error_.empty()) {
            fail("save", EBADF);
        }
        abandon();
        return false;
    }
    if (::fsync(fd_) != 0) {
        fail("save", errno);
        abandon();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail("save", errno);
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        fail("save", errno);
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    tempPath_.clear();
    // Make the rename itself durable.
    const int dir = ::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFile::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

WriteResult writeFileAtomically(const std::string& path,
                                const std::function<bool(ByteSink&)>& writeContent) {
    AtomicFile file;
    if (!file.open(path)) {
        return {false, file.error()};
    }
    if (!writeContent(file)) {
        std::string error = file.error().empty() ? "Saving was cancelled" : file.error();
        file.abandon();
        return {false, error};
    }
    if (!file.commit()) {
        return {false, file.error()};
    }
    return {true, {}};
}

}  // namespace trindel
