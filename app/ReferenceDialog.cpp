#include "app/ReferenceDialog.h"

namespace orvalen {

ReferenceDialog* TheReferenceDialog = nullptr;

ReferenceDialog::ReferenceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Synchronisation semi-automatique");
}

}  // namespace orvalen
