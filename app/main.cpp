#include <QApplication>
#include <QMessageBox>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/ConfigBox.h"
#include "app/Fiche.h"
#include "app/SynchroBox.h"
#include "media/MpvDevice.h"

namespace {

// Shows an exception that escapes an event handler and lets the message loop go on.
class OrvalenApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowException(error.what());
        } catch (...) {
            ShowException("Unknown error");
        }
        return false;
    }

    static void ShowException(const char* what) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromLocal8Bit(what));
    }
};

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "orvalen: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it from a desktop session, or under a virtual one: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "orvalen");
        return 1;
    }
    OrvalenApplication app(argc, argv);
    QApplication::setApplicationName("Orvalen");
    // libmpv needs C number formatting, which Qt's locale set-up replaced.
    std::setlocale(LC_NUMERIC, "C");
    try {
        using namespace orvalen;
        Fiche = new TFiche(std::make_unique<MpvDevice>(), QApplication::arguments().mid(1));
        ConfigBox = new TConfigBox(Fiche);
        SynchroBox = new TSynchroBox(Fiche);
        Fiche->show();
        QApplication::exec();
        delete Fiche;
    } catch (const std::exception& error) {
        OrvalenApplication::ShowException(error.what());
    }
    return 0;
}
