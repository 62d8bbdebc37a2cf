#include "discovery/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace orvalen {

namespace {

const char* OrCurrent(const std::string& path) {
    return path.empty() ? "." : path.c_str();
}

bool MatchesAny(const std::string& name, const std::vector<FilePattern>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const FilePattern& pattern) { return pattern.Matches(name); });
}

}  // namespace

std::vector<std::string> ListMatchingFiles(const std::string& directory,
                                           const std::vector<FilePattern>& patterns) {
    std::vector<std::string> names;
    if (patterns.empty()) return names;
    DIR* stream = ::opendir(OrCurrent(directory));
    if (stream == nullptr) return names;
    while (const dirent* entry = ::readdir(stream)) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || !MatchesAny(name, patterns)) continue;
        struct stat info;
        if (::fstatat(::dirfd(stream), entry->d_name, &info, 0) != 0) continue;
        if (S_ISREG(info.st_mode)) names.push_back(std::move(name));
    }
    ::closedir(stream);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameLessIgnoringCase(a, b);
    });
    return names;
}

bool IsDirectory(const std::string& path) {
    struct stat info;
    return ::stat(OrCurrent(path), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ReportedDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(OrCurrent(path), error);
    std::string reported = error ? path : absolute.lexically_normal().string();
    while (reported.size() > 1 && reported.back() == '/') reported.pop_back();
    return reported;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

}  // namespace orvalen
