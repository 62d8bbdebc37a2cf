#include "app/Fiche.h"

namespace orvalen {

TFiche::TFiche(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Orvalen");
    resize(678, 440);
}

}  // namespace orvalen
