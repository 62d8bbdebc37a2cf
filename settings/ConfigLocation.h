#pragma once

#include <string>

namespace orvalen {

// What decides where Config.ini lives.
struct ConfigLocationInputs {
    std::string Override;       // $ORVALEN_CONFIG, "" when unset
    std::string ExecutableDir;  // directory of the running executable, "" when unknown
    bool ExecutableDirWritable = false;
    std::string XdgConfigHome;  // $XDG_CONFIG_HOME, "" when unset
    std::string Home;           // the user's home directory, "" when unknown
};

// The override when set; else Config.ini beside the executable when that directory is
// writable; else <XDG_CONFIG_HOME>/orvalen/Config.ini, where a relative or empty
// XDG_CONFIG_HOME counts as unset and means <Home>/.config.
std::string ChooseConfigFilePath(const ConfigLocationInputs& inputs);

// The inputs of the running process.
ConfigLocationInputs CurrentConfigLocationInputs();

}  // namespace orvalen
