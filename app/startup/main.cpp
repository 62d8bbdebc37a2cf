#include <clocale>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>

#include "app/startup/Application.h"
#include "app/startup/CommandLineOptions.h"
#include "app/startup/DiscardQtSettings.h"
#include "app/startup/DisplayCheck.h"
#include "app/startup/QuitOnSignal.h"
#include "media/MpvDevice.h"

int main(int argc, char** argv) {
    using namespace orvalen;
    if (const std::optional<int> status = AnswerInformationOptions(argc, argv, stdout))
        return *status;
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "orvalen: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it from a desktop session, or under a virtual one: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "orvalen");
        return 1;
    }
    if (!DisplayReachable(stderr)) return 1;
    DiscardQtSettings();
    Application app(argc, argv);
    const QuitOnSignal quitOnSignal({SIGTERM, SIGINT});
    QApplication::setApplicationName("Orvalen");
    // libmpv needs C number formatting, which Qt's locale set-up replaced.
    std::setlocale(LC_NUMERIC, "C");
    try {
        app.OpenWindows(std::make_unique<MpvDevice>());
        QApplication::exec();
        app.CloseWindows();
    } catch (const std::exception& error) {
        Application::ShowException(error.what());
    }
    return 0;
}
