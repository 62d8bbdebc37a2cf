#include "settings/ConfigLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "settings/Settings.h"

namespace orvalen {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string ExecutableDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<size_t>(length));
            size_t slash = path.rfind('/');
            if (slash == std::string::npos) return {};
            return path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string HomeDirectory() {
    std::string home = Environment("HOME");
    if (!home.empty()) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? std::string(entry->pw_dir)
                                                        : std::string();
}

std::string WithSeparator(std::string directory) {
    if (directory.empty() || directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace

std::string ChooseConfigFilePath(const ConfigLocationInputs& inputs) {
    if (!inputs.Override.empty()) return inputs.Override;
    std::string base = inputs.XdgConfigHome;
    if (base.empty() || base.front() != '/') {
        base = inputs.Home.empty() ? std::string() : WithSeparator(inputs.Home) + ".config";
    }
    // Without any home, the current directory is the last place left.
    if (base.empty()) return "orvalen/Config.ini";
    return WithSeparator(base) + "orvalen/Config.ini";
}

std::vector<std::string> DefaultConfigFilePaths(const ConfigLocationInputs& inputs) {
    std::vector<std::string> paths;
    auto add = [&paths](const std::string& path) {
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    };
    std::vector<std::string> systemDirs;
    for (size_t start = 0; start <= inputs.XdgConfigDirs.size();) {
        size_t colon = inputs.XdgConfigDirs.find(':', start);
        if (colon == std::string::npos) colon = inputs.XdgConfigDirs.size();
        std::string dir = inputs.XdgConfigDirs.substr(start, colon - start);
        // Relative entries are invalid and ignored.
        if (!dir.empty() && dir.front() == '/') systemDirs.push_back(dir);
        start = colon + 1;
    }
    if (systemDirs.empty()) systemDirs.push_back("/etc/xdg");
    if (!inputs.SystemConfigDir.empty()) systemDirs.push_back(inputs.SystemConfigDir);
    for (const std::string& dir : systemDirs) add(WithSeparator(dir) + "orvalen/Config.ini");
    if (!inputs.ExecutableDir.empty()) add(WithSeparator(inputs.ExecutableDir) + "Config.ini");
    return paths;
}

ConfigLocationInputs CurrentConfigLocationInputs() {
    ConfigLocationInputs inputs;
    inputs.Override = Environment("ORVALEN_CONFIG");
    inputs.ExecutableDir = ExecutableDirectory();
    inputs.XdgConfigHome = Environment("XDG_CONFIG_HOME");
    inputs.XdgConfigDirs = Environment("XDG_CONFIG_DIRS");
#ifdef ORVALEN_SYSTEM_CONFIG_DIR
    inputs.SystemConfigDir = ORVALEN_SYSTEM_CONFIG_DIR;
#endif
    inputs.Home = HomeDirectory();
    return inputs;
}

std::string ConfigFilePath() {
    return ChooseConfigFilePath(CurrentConfigLocationInputs());
}

}  // namespace orvalen
