#include "app/startup/VersionReport.h"

#include <QGuiApplication>
#include <string>

#include "app/startup/Application.h"
#include "app/startup/DisplayCheck.h"
#include "app/window/GpuPicture.h"
#include "orvalen/Version.h"

namespace orvalen {

int PrintVerboseVersion(int& argc, char** argv, std::optional<RenderPath> forced, std::FILE* out) {
    std::fprintf(out, "orvalen %s\n", kVersion);
    if (!HasDisplay() || !DisplayReachable(nullptr)) {
        std::fputs("OpenGL renderer: none (no display)\nrender path: software\n", out);
        return 0;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication application(argc, argv);
    const OpenGlReport report = ProbeOpenGl();
    const std::string renderer =
        report.ContextMade ? report.Renderer.toStdString() : "none (no OpenGL 3.2 context)";
    const RenderPath path = DecideRenderPath(forced, report);
    std::fprintf(out, "OpenGL renderer: %s\nrender path: %s%s\n", renderer.c_str(),
                 std::string(RenderPathName(path)).c_str(), forced ? " (forced)" : "");
    return 0;
}

}  // namespace orvalen
