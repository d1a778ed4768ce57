#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace trindel {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

namespace {

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file's name: hidden, in the target's folder, unique to this process and call, and
// short enough for the file system even when the target's own name is at the length limit.
std::string temporaryName(const std::string& path, unsigned serial) {
    return folderOf(path) + "/." + nameOf(path).substr(0, 200) + ".tmp" +
           std::to_string(::getpid()) + "-" + std::to_string(serial);
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
    // Created with mode 0666 so that the umask applies as to any new file; a file that replaces
    // another takes over its mode below.
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        const std::string name = temporaryName(path, serial++);
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            tempPath_ = name;
        } else if (errno != EEXIST) {
            fail("save", errno);
            return false;
        }
    }
    if (fd_ < 0) {
        fail("save", EEXIST);
        return false;
    }
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
    }
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

WriteResult writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
    return writeFileAtomically(
        path, [bytes](ByteSink& sink) { return sink.write(bytes.data(), bytes.size()); });
}

WriteResult writeFileAtomically(const std::string& path, std::string_view text) {
    return writeFileAtomically(
        path, [text](ByteSink& sink) { return sink.write(text.data(), text.size()); });
}

}  // namespace trindel
