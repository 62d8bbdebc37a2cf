#include "app/ConfigBox.h"

#include "settings/DefaultConfig.h"

namespace orvalen {

TConfigBox* ConfigBox = nullptr;

TConfigBox::TConfigBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configuration");
    Values = LoadSettings(IniFile(ConfigFileToRead()));
}

}  // namespace orvalen
