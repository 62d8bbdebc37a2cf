#include "settings/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

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

bool WriteAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        ssize_t written = ::write(fd, contents.data() + done, contents.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// The path that is really replaced: the target of a symbolic link.
bool ResolveTarget(const std::string& path, std::string& target) {
    struct stat linkInfo;
    if (::lstat(path.c_str(), &linkInfo) != 0 || !S_ISLNK(linkInfo.st_mode)) {
        target = path;
        return true;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return false;
    target = resolved;
    std::free(resolved);
    return true;
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new file beside target with the permissions the process would give target.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    std::string stem =
        DirectoryOf(target) + "/." + BaseNameOf(target) + "." + std::to_string(::getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = stem + std::to_string(attempt) + ".tmp";
        int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) return errno == ENOENT ? FileReadResult::Missing : FileReadResult::Failed;
    struct stat info;
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileReadResult::Failed;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            contents.clear();
            return FileReadResult::Failed;
        }
        contents.append(buffer, static_cast<size_t>(got));
    }
    return FileReadResult::Read;
}

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
    std::string target;
    if (!ResolveTarget(path, target)) return false;
    struct stat existing;
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return false;
    // A file the user made read-only stays as it is, even for root, whom the permission bits
    // do not stop: replacing it through the directory would defeat the protection.
    if (exists && (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0)) {
        return false;
    }

    std::string temporaryPath;
    Descriptor temporary(CreateTemporaryBeside(target, temporaryPath));
    if (temporary.Get() < 0) return false;
    bool written = WriteAll(temporary.Get(), contents);
    if (written && exists) {
        written = ::fchmod(temporary.Get(), existing.st_mode & 07777) == 0;
        // Only root can hand the file back to another owner; keeping ours is fine otherwise.
        if (written && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
            [[maybe_unused]] int ignored =
                ::fchown(temporary.Get(), existing.st_uid, existing.st_gid);
        }
    }
    // No fsync: it costs ~10 ms a key on a plain disk, 30 times per OK, and a write that fails
    // already leaves the old file whole because the rename never happens.
    written = temporary.Close() && written;
    if (!written || ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        ::unlink(temporaryPath.c_str());
        return false;
    }
    return true;
}

}  // namespace orvalen
