#include "settings/DefaultConfig.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "files/FileIo.h"
#include "settings/ConfigLocation.h"
#include "settings/Settings.h"

namespace orvalen {

namespace {

bool Exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The per-user directory (~/.config/orvalen) may not exist yet; made private to the user.
void CreateParentDirectories(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return;
    }
}

// The default's opening comment speaks of the default itself; the copy says what it is.
std::string UserCopyOf(std::string_view defaults) {
    size_t body = 0;
    while (body < defaults.size() && defaults[body] == ';') {
        const size_t end = defaults.find('\n', body);
        body = end == std::string_view::npos ? defaults.size() : end + 1;
    }
    return "; Orvalen's settings, copied from its defaults. The program writes the bars here at\n"
           "; exit when they have changed, and OK in View > Configuration writes the rest.\n" +
           std::string(defaults.substr(body));
}

}  // namespace

std::string ConfigFileToRead(const std::string& userFile,
                             const std::vector<std::string>& defaults) {
    if (Exists(userFile)) return userFile;
    for (const std::string& path : defaults) {
        if (IsRegularFile(path)) return path;
    }
    return userFile;
}

bool CreateUserConfigFromDefault(const std::string& userFile,
                                 const std::vector<std::string>& defaults) {
    const std::string source = ConfigFileToRead(userFile, defaults);
    if (source == userFile) return false;
    std::string contents;
    std::string error;
    if (ReadWholeFile(source, contents, error) != ReadStatus::Read) return false;
    CreateParentDirectories(userFile);
    // Made whole beside it and linked into place: an instance starting meanwhile reads and
    // rewrites either the default or the complete copy, never a half-made file.
    return CreateFileAtomically(userFile, UserCopyOf(contents), error);
}

std::string ConfigFileToRead() {
    const ConfigLocationInputs inputs = CurrentConfigLocationInputs();
    return ConfigFileToRead(ChooseConfigFilePath(inputs), DefaultConfigFilePaths(inputs));
}

std::string ConfigFileToWrite() {
    const ConfigLocationInputs inputs = CurrentConfigLocationInputs();
    const std::string userFile = ChooseConfigFilePath(inputs);
    CreateUserConfigFromDefault(userFile, DefaultConfigFilePaths(inputs));
    return userFile;
}

std::string ConfigReadProblem(const std::string& path) {
    std::string bytes, error;
    if (ReadWholeFile(path, bytes, error) != ReadStatus::Failed) return {};
    return "Cannot read the settings file " + path + ": " + error +
           ". The default settings are used.";
}

}  // namespace orvalen
