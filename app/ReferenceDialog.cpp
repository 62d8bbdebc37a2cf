#include "app/ReferenceDialog.h"

namespace orvalen {

ReferenceDialog::ReferenceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Synchronisation semi-automatique");
}

}  // namespace orvalen
