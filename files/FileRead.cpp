#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "files/FileIo.h"

namespace orvalen {

namespace {

// Opens for reading without waiting for a pipe's writer and without taking a terminal.
int OpenForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

ReadStatus Fail(int fd, int reason, std::string& bytes, std::string& error) {
    if (fd >= 0) ::close(fd);
    bytes.clear();
    error = std::strerror(reason);
    return ReadStatus::Failed;
}

ReadStatus TooLarge(int fd, size_t limit, std::string& bytes, std::string& error) {
    Fail(fd, 0, bytes, error);
    error = "file too large (over " + std::to_string(limit >> 20) + " MiB)";
    return ReadStatus::Failed;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                         size_t limit) {
    bytes.clear();
    int fd = OpenForReading(path);
    if (fd < 0) {
        int reason = errno;
        Fail(fd, reason, bytes, error);
        return reason == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) return Fail(fd, errno, bytes, error);
    if (S_ISDIR(info.st_mode)) return Fail(fd, EISDIR, bytes, error);
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        error = "not a regular file";
        return ReadStatus::Failed;
    }
    if (static_cast<uint64_t>(info.st_size) > limit) return TooLarge(fd, limit, bytes, error);
    // Read straight into the string; a file that grows meanwhile is read to its end, or to
    // one byte past the limit.
    size_t filled = 0;
    bytes.resize(static_cast<size_t>(info.st_size) + 1);
    while (true) {
        if (filled > limit) return TooLarge(fd, limit, bytes, error);
        if (filled == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit + 1));
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(fd, errno, bytes, error);
        }
        if (n == 0) break;
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(filled);
    return ReadStatus::Read;
}

bool CanOpenForReading(const std::string& path, std::string& error) {
    int fd = OpenForReading(path);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info;
    bool directory = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    if (directory) error = std::strerror(EISDIR);
    return !directory;
}

}  // namespace orvalen
