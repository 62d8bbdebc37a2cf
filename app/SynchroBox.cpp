#include "app/SynchroBox.h"

namespace orvalen {

TSynchroBox* SynchroBox = nullptr;

TSynchroBox::TSynchroBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Synchronisation semi-automatique");
}

}  // namespace orvalen
