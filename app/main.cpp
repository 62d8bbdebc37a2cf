#include <QApplication>

#include "app/Fiche.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvalen");
    orvalen::TFiche window;
    window.show();
    return app.exec();
}
