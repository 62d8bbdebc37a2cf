#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "files/FileIo.h"

namespace orvalen {

namespace {

// Closes a descriptor when leaving scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool Fail(int reason, std::string& error) {
    error = std::strerror(reason);
    return false;
}

bool WriteAll(int fd, std::string_view bytes) {
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

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Follows the symbolic links from path to the name a write lands on, which may not exist yet
// (the end of a dangling link).
bool FollowLinks(const std::string& path, std::string& target, std::string& error) {
    target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0) return errno == ENOENT || Fail(errno, error);
        if (!S_ISLNK(info.st_mode)) return true;
        char link[PATH_MAX];
        ssize_t size = ::readlink(target.c_str(), link, sizeof link);
        if (size < 0) return Fail(errno, error);
        if (static_cast<size_t>(size) == sizeof link) return Fail(ENAMETOOLONG, error);
        std::string next(link, static_cast<size_t>(size));
        target = next[0] == '/' ? next : DirectoryOf(target) + "/" + next;
    }
    return Fail(ELOOP, error);
}

// A pipe, a terminal or a null device takes the bytes as they come; there is no file to
// replace. A pipe that no one reads fails at once instead of waiting for a reader.
bool WriteInPlace(const std::string& path, bool pipe, std::string_view bytes, std::string& error) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (pipe && errno == ENXIO) {
            error = "no process reads from the pipe";
            return false;
        }
        return Fail(errno, error);
    }
    int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return Fail(errno, error);
    }
    if (!WriteAll(file.Get(), bytes)) return Fail(errno, error);
    return file.Close() || Fail(errno, error);
}

// The write permission an in-place write would need. Root passes every permission check, so
// a file whose mode has no write bit at all is refused for root too: someone made it
// read-only on purpose.
bool MayWrite(const std::string& target, const struct stat& info, std::string& error) {
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Fail(errno, error);
    return (info.st_mode & 0222) != 0 || Fail(EACCES, error);
}

// A new file beside target, created with target's permissions (or a new file's) so that its
// contents are never more readable than target's.
int CreateTemporaryBeside(const std::string& target, mode_t mode, std::string& temporary) {
    std::string stem = target + "." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(attempt) + ".tmp";
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes a finished rename durable. Some file systems cannot sync a directory; the new file
// is in place all the same, so a failure here is not reported.
void SyncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool ReplaceRegularFile(const std::string& target, const struct stat* existing,
                        std::string_view bytes, std::string& error) {
    if (existing && !MayWrite(target, *existing, error)) return false;
    std::string temporary;
    Descriptor file(
        CreateTemporaryBeside(target, existing ? existing->st_mode & 0777 : 0666, temporary));
    if (file.Get() < 0) return Fail(errno, error);
    bool ok = true;
    if (existing) {
        // Only root can hand the file back to its owner; keeping ours is fine otherwise.
        if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(file.Get(), existing->st_uid, existing->st_gid);
        }
        ok = ::fchmod(file.Get(), existing->st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    int reason = errno;
    if (!file.Close() && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(reason, error);
    }
    SyncDirectory(DirectoryOf(target));
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    struct stat info;
    bool exists = ::stat(path.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) return Fail(errno, error);
    if (exists && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
        // Opened by path, so that the links of /proc (/dev/stdout) lead where they point.
        return WriteInPlace(path, S_ISFIFO(info.st_mode), bytes, error);
    }
    if (exists && S_ISDIR(info.st_mode)) return Fail(EISDIR, error);
    if (exists && !S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return false;
    }
    std::string target;
    if (!FollowLinks(path, target, error)) return false;
    return ReplaceRegularFile(target, exists ? &info : nullptr, bytes, error);
}

}  // namespace orvalen
