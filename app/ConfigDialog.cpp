#include "app/ConfigDialog.h"

#include "settings/DefaultConfig.h"

namespace orvalen {

ConfigDialog::ConfigDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configuration");
    settings_ = LoadSettings(IniFile(ConfigFileToRead()));
}

const Settings& ConfigDialog::CurrentSettings() const {
    return settings_;
}

}  // namespace orvalen
