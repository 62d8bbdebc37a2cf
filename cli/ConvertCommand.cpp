#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "subtitles/SubRipWriter.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub convert FILE [-o OUT] [--fps VALUE]\n"
    "\n"
    "Loads FILE as the player does and writes it as SubRip, byte for byte what the player's\n"
    "Save writes, to OUT or to standard output. OUT is replaced atomically: a failed write\n"
    "leaves an existing OUT as it was.\n"
    "\n"
    "  -o OUT       the SubRip file to write\n"
    "  --fps VALUE  frames per second of the film (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 on success, 1 when FILE cannot be opened or OUT cannot be written, 2 on a\n"
    "usage error, 3 when the extension of FILE has no reader.\n";

int UsageError(const char* message) {
    std::fprintf(stderr, "orvalen-sub convert: %s\n%s", message, Usage);
    return 2;
}

}  // namespace

int RunConvert(int argc, char** argv) {
    const char* file = nullptr;
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--fps") == 0) {
            if (++i == argc) return UsageError("--fps needs a value");
            if (!ParseFps(argv[i], frameRate)) return UsageError("--fps takes a positive number");
        } else if (std::strcmp(arg, "-o") == 0) {
            if (++i == argc) return UsageError("-o needs a file name");
            if (output) return UsageError("only one -o");
            output = argv[i];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option");
        } else if (file) {
            return UsageError("only one FILE");
        } else {
            file = arg;
        }
    }
    if (!file) return UsageError("FILE is missing");
    if (output && !*output) return UsageError("-o needs a file name");

    SubtitleTrack track;
    int status = LoadInput(file, frameRate, track);
    if (status != 0) return status;

    if (output) {
        std::string error;
        if (!SaveSubRipFile(track, output, error)) {
            std::fprintf(stderr, "orvalen-sub convert: cannot write '%s': %s\n", output,
                         error.c_str());
            return 1;
        }
        return 0;
    }
    std::string out;
    WriteSubRip(track, out);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvalen-sub convert: cannot write the output\n");
        return 1;
    }
    return 0;
}

}  // namespace orvalen::cli
