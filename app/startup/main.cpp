#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/startup/Application.h"
#include "app/startup/CommandLineOptions.h"
#include "app/startup/DiscardQtSettings.h"
#include "app/startup/DisplayCheck.h"
#include "app/startup/QuitOnSignal.h"
#include "app/startup/VersionReport.h"
#include "media/MpvDevice.h"

int main(int argc, char** argv) {
    using namespace orvalen;
    if (const std::optional<int> status = AnswerInformationOptions(argc, argv, stdout))
        return *status;
    std::string renderProblem;
    const std::optional<RenderPath> forcedRender =
        TakeRenderOption(argc, argv, std::getenv("ORVALEN_RENDER"), &renderProblem);
    if (!renderProblem.empty()) std::fprintf(stderr, "orvalen: %s\n", renderProblem.c_str());
    if (WantsVerboseVersion(argc, argv)) {
        return PrintVerboseVersion(argc, argv, forcedRender, stdout);
    }
    const bool verbose = TakeFlag(argc, argv, "--verbose");
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "orvalen: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it from a desktop session, or under a virtual one: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "orvalen");
        return 1;
    }
    if (!DisplayReachable(stderr)) return 1;
    DiscardQtSettings();
    // The film's pictures are drawn in one OpenGL context and shown in the windows' own.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto displayFailure = std::make_unique<ExitOnDisplayFailure>(stderr);
    Application app(argc, argv);
    displayFailure.reset();
    const QuitOnSignal quitOnSignal({SIGTERM, SIGINT});
    QApplication::setApplicationName("Orvalen");
    // libmpv needs C number formatting, which Qt's locale set-up replaced.
    std::setlocale(LC_NUMERIC, "C");
    try {
        app.OpenWindows(std::make_unique<MpvDevice>(), forcedRender);
        QApplication::exec();
        if (verbose) std::fprintf(stderr, "orvalen: %s\n", app.RenderingReport().c_str());
        app.CloseWindows();
    } catch (const std::exception& error) {
        Application::ShowException(error.what());
    }
    return 0;
}
