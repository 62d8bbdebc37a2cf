#pragma once

#include <string>
#include <vector>

namespace orvalen {

// What decides where Config.ini lives.
struct ConfigLocationInputs {
    std::string Override;         // $ORVALEN_CONFIG, "" when unset
    std::string ExecutableDir;    // directory of the running executable, "" when unknown
    std::string XdgConfigHome;    // $XDG_CONFIG_HOME, "" when unset
    std::string XdgConfigDirs;    // $XDG_CONFIG_DIRS, "" when unset
    std::string SystemConfigDir;  // where the install puts the shipped default, "" when none
    std::string Home;             // the user's home directory, "" when unknown
};

// The user's own file, the one written: the override when set; else
// <XDG_CONFIG_HOME>/orvalen/Config.ini, where a relative or empty XDG_CONFIG_HOME counts as
// unset and means <Home>/.config.
std::string ChooseConfigFilePath(const ConfigLocationInputs& inputs);

// The shipped defaults, read while the user has no file of their own, best first:
// orvalen/Config.ini in each absolute directory of XDG_CONFIG_DIRS (/etc/xdg when it names
// none), then in the install's own system directory, then Config.ini beside the executable
// (where the build tree keeps it). None of them is ever written.
std::vector<std::string> DefaultConfigFilePaths(const ConfigLocationInputs& inputs);

// The inputs of the running process.
ConfigLocationInputs CurrentConfigLocationInputs();

}  // namespace orvalen
