#include "subtitles/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orvalen {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// The file a write to path lands in: the target of a symbolic link, or path itself.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        ::realpath(path.c_str(), resolved)) {
        return resolved;
    }
    return path;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool CanOpenForReading(const std::string& path, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    struct stat info;
    bool directory = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    if (directory) error = Reason(EISDIR);
    return !directory;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    bytes.clear();
    struct stat info;
    size_t expected = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
                          ? static_cast<size_t>(info.st_size)
                          : 0;
    // Read straight into the string; a file that grows meanwhile is read to its end.
    size_t filled = 0;
    bytes.resize(expected + 1);
    while (true) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = Reason(errno);
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(filled);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    std::string target = ResolveTarget(path);
    std::string pattern = target + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    struct stat existing;
    mode_t mode =
        ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(temporary.data(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(temporary.data());
        error = Reason(savedErrno);
    }
    return ok;
}

}  // namespace orvalen
