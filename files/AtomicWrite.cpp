#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
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

// Temporary files are named ".<target's name>.<pid>.<n>.orvalen-tmp", the target's name cut
// so that the whole stays within NAME_MAX: a legal target name always has a legal temporary.
constexpr std::string_view TemporaryMark = ".orvalen-tmp";
constexpr size_t TemporaryNumbersMax = sizeof ".4294967295.99" - 1;
constexpr int TemporaryAttempts = 100;

std::string TemporaryPrefix(const std::string& target) {
    const size_t slash = target.rfind('/');
    std::string_view name(target);
    if (slash != std::string::npos) name.remove_prefix(slash + 1);
    size_t keep = std::min(name.size(),
                           size_t{NAME_MAX} - 1 - TemporaryNumbersMax - TemporaryMark.size() - 1);
    // Cut before a UTF-8 continuation byte, never inside a character.
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    return directory + "." + std::string(name.substr(0, keep)) + ".";
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.size() <= 10 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that made a temporary name of prefix, when name is one; 0 otherwise.
pid_t TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() + TemporaryMark.size() || !name.starts_with(prefix) ||
        !name.ends_with(TemporaryMark))
        return 0;
    name = name.substr(prefix.size(), name.size() - prefix.size() - TemporaryMark.size());
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos || !AllDigits(name.substr(0, dot)) ||
        !AllDigits(name.substr(dot + 1)))
        return 0;
    const unsigned long pid = std::stoul(std::string(name.substr(0, dot)));
    return pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

// A save killed between creating its temporary file and renaming it leaves the file behind;
// those of processes that no longer run are removed before target is written again.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string prefixPath = TemporaryPrefix(target);
    const size_t slash = prefixPath.rfind('/');
    const std::string prefix = prefixPath.substr(slash + 1);
    DIR* directory = ::opendir(slash == std::string::npos ? "." : DirectoryOf(target).c_str());
    if (directory == nullptr) return;
    while (const dirent* entry = ::readdir(directory)) {
        const pid_t owner = TemporaryOwner(entry->d_name, prefix);
        if (owner == 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        struct stat info;
        if (::fstatat(::dirfd(directory), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) {
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
        }
    }
    ::closedir(directory);
}

// A new file beside target, created with target's permissions (or a new file's) so that its
// contents are never more readable than target's.
int CreateTemporaryBeside(const std::string& target, mode_t mode, std::string& temporary) {
    RemoveStaleTemporaries(target);
    const std::string stem = TemporaryPrefix(target) + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < TemporaryAttempts; ++attempt) {
        temporary = stem + std::to_string(attempt) + std::string(TemporaryMark);
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

// Puts the finished temporary at target unless something is there already: link() never
// replaces; file systems without hard links get the same from RENAME_NOREPLACE.
bool PlaceWithoutReplacing(const std::string& temporary, const std::string& target) {
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return true;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return false;
    return ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) ==
           0;
}

}  // namespace

bool CreateFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    std::string temporary;
    Descriptor file(CreateTemporaryBeside(path, 0666, temporary));
    if (file.Get() < 0) return Fail(errno, error);
    bool ok = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
    int reason = errno;
    if (!file.Close() && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && !PlaceWithoutReplacing(temporary, path)) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(reason, error);
    }
    SyncDirectory(DirectoryOf(path));
    return true;
}

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
