#include "settings/ConfigLocation.h"

#include <pwd.h>
#include <unistd.h>

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
    if (!inputs.ExecutableDir.empty() && inputs.ExecutableDirWritable) {
        return WithSeparator(inputs.ExecutableDir) + "Config.ini";
    }
    std::string base = inputs.XdgConfigHome;
    if (base.empty() || base.front() != '/') {
        base = inputs.Home.empty() ? std::string() : WithSeparator(inputs.Home) + ".config";
    }
    // Without any home, the current directory is the last place left.
    if (base.empty()) return "orvalen/Config.ini";
    return WithSeparator(base) + "orvalen/Config.ini";
}

ConfigLocationInputs CurrentConfigLocationInputs() {
    ConfigLocationInputs inputs;
    inputs.Override = Environment("ORVALEN_CONFIG");
    inputs.ExecutableDir = ExecutableDirectory();
    inputs.ExecutableDirWritable =
        !inputs.ExecutableDir.empty() && ::access(inputs.ExecutableDir.c_str(), W_OK) == 0;
    inputs.XdgConfigHome = Environment("XDG_CONFIG_HOME");
    inputs.Home = HomeDirectory();
    return inputs;
}

std::string ConfigFilePath() {
    return ChooseConfigFilePath(CurrentConfigLocationInputs());
}

}  // namespace orvalen
