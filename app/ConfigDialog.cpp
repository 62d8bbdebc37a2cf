#include "app/ConfigDialog.h"

namespace orvalen {

ConfigDialog::ConfigDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configuration");
    settings_ = LoadSettings(IniFile(ConfigFilePath()));
}

const Settings& ConfigDialog::CurrentSettings() const {
    return settings_;
}

}  // namespace orvalen
