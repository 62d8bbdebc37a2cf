#include "app/ConfigDialog.h"

namespace orvalen {

ConfigDialog* TheConfigDialog = nullptr;

ConfigDialog::ConfigDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configuration");
    Values = LoadSettings(IniFile(ConfigFilePath()));
}

}  // namespace orvalen
