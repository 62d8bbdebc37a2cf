#include "app/startup/CommandLineOptions.h"

#include <cstring>
#include <span>
#include <string_view>

#include "discovery/FileKinds.h"
#include "orvalen/Version.h"
#include "settings/ConfigLocation.h"

namespace orvalen {

namespace {

// The film types File > Open offers, a few to a line.
std::string FilmTypesText() {
    constexpr size_t kPerLine = 11;
    std::string text;
    const std::span<const std::string_view> films = FilmExtensions();
    for (size_t i = 0; i < films.size(); ++i) {
        text += i == 0 ? "  " : i % kPerLine == 0 ? ",\n  " : ", ";
        text += "." + std::string(films[i]);
    }
    return text + "\n";
}

}  // namespace

std::string UsageText(const std::string& configFilePath) {
    return "usage: orvalen [FILM]\n"
           "\n"
           "Plays FILM and shows the subtitle file found by its name. The film types:\n" +
           FilmTypesText() +
           "\n"
           "options:\n"
           "  -h, --help     print this help and exit\n"
           "  --version      print the version and exit; with --verbose, also the OpenGL\n"
           "                 renderer and the render path it leads to\n"
           "  --verbose      on exit, print the render path and the frames dropped\n"
           "  --render=PATH  draw the film with the graphics card (gpu) or the processor\n"
           "                 (software); by default the graphics card when it has a\n"
           "                 hardware OpenGL driver, else the processor\n"
           "\n"
           "settings file: " +
           configFilePath +
           "\n"
           "\n"
           "environment:\n"
           "  ORVALEN_CONFIG     the settings file to use instead of the one above\n"
           "  XDG_CONFIG_HOME    the folder holding orvalen/Config.ini (default ~/.config)\n"
           "  XDG_CONFIG_DIRS    the folders looked in for the shipped default\n"
           "                     orvalen/Config.ini, read until the settings file exists\n"
           "                     (default /etc/xdg)\n"
           "  DISPLAY            the X display to show the window on\n"
           "  WAYLAND_DISPLAY    the Wayland display to show the window on\n"
           "  QT_QPA_PLATFORM    Qt's display back end (xcb, wayland, offscreen)\n"
           "  ORVALEN_RENDER     gpu or software, as --render does\n";
}

std::optional<int> AnswerInformationOptions(int argc, char** argv, std::FILE* out) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            const std::string usage =
                UsageText(ChooseConfigFilePath(CurrentConfigLocationInputs()));
            std::fputs(usage.c_str(), out);
            return 0;
        }
        if (std::strcmp(argument, "--version") == 0 && !WantsVerboseVersion(argc, argv)) {
            std::fprintf(out, "orvalen %s\n", kVersion);
            return 0;
        }
    }
    return std::nullopt;
}

bool WantsVerboseVersion(int argc, char** argv) {
    bool version = false;
    bool verbose = false;
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        version = version || std::strcmp(argv[i], "--version") == 0;
        verbose = verbose || std::strcmp(argv[i], "--verbose") == 0;
    }
    return version && verbose;
}

namespace {

void RemoveArgument(int& argc, char** argv, int index) {
    for (int j = index; j < argc; ++j) argv[j] = argv[j + 1];
    --argc;
}

}  // namespace

bool TakeFlag(int& argc, char** argv, const char* flag) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        if (std::strcmp(argv[i], flag) == 0) {
            RemoveArgument(argc, argv, i);
            return true;
        }
    }
    return false;
}

std::optional<RenderPath> TakeRenderOption(int& argc, char** argv, const char* environment,
                                           std::string* problem) {
    constexpr std::string_view kOption = "--render=";
    const char* value = environment;
    std::string source = "ORVALEN_RENDER";
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, kOption.size()) != kOption) continue;
        value = argv[i] + kOption.size();
        source = "--render";
        RemoveArgument(argc, argv, i);
        break;
    }
    if (value == nullptr || *value == '\0') return std::nullopt;
    std::optional<RenderPath> path = ParseRenderPath(value);
    if (!path && problem) {
        *problem = source + ": \"" + value + "\" is neither gpu nor software";
    }
    return path;
}

}  // namespace orvalen
