#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/AboutBox.h"
#include "app/Application.h"
#include "app/ConfigBox.h"
#include "app/Fiche.h"
#include "app/ReferenceDialog.h"
#include "discovery/Selectfiche.h"
#include "media/MpvDevice.h"

int main(int argc, char** argv) {
    using namespace orvalen;
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "orvalen: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it from a desktop session, or under a virtual one: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "orvalen");
        return 1;
    }
    Application app(argc, argv);
    QApplication::setApplicationName("Orvalen");
    // libmpv needs C number formatting, which Qt's locale set-up replaced.
    std::setlocale(LC_NUMERIC, "C");
    try {
        // The dialogs are children of the main window and go with it.
        Fiche = new TFiche(std::make_unique<MpvDevice>(), QApplication::arguments().mid(1));
        ConfigBox = new TConfigBox(Fiche);
        SelectSub = new TSelectSub(Fiche);
        new ReferenceDialog(Fiche);
        AboutBox = new TAboutBox(Fiche);
        Fiche->show();
        QApplication::exec();
        delete Fiche;
        ConfigBox = nullptr;
        SelectSub = nullptr;
        AboutBox = nullptr;
    } catch (const std::exception& error) {
        Application::ShowException(error.what());
    }
    return 0;
}
