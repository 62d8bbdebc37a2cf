#include "app/ConfigBox.h"

namespace orvalen {

TConfigBox* ConfigBox = nullptr;

TConfigBox::TConfigBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configuration");
    Values = LoadSettings(IniFile(ConfigFilePath()));
}

}  // namespace orvalen
