#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub dump FILE [--fps VALUE]\n"
    "\n"
    "Loads FILE as the player does and prints its format, the frame rate used (for the formats\n"
    "that count frames), the number of entries, the text encoding, then one line per entry:\n"
    "index, start and end in milliseconds, and the text with its bytes escaped, separated by\n"
    "tabs.\n"
    "\n"
    "  --fps VALUE  frames per second of the film (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 after a load, 1 when FILE cannot be opened, 2 on a usage error, 3 when\n"
    "the extension of FILE has no reader.\n";

int UsageError(const char* message) {
    std::fprintf(stderr, "orvalen-sub dump: %s\n%s", message, Usage);
    return 2;
}

}  // namespace

int RunDump(int argc, char** argv) {
    const char* file = nullptr;
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
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option");
        } else if (file) {
            return UsageError("only one FILE");
        } else {
            file = arg;
        }
    }
    if (!file) return UsageError("FILE is missing");

    SubtitleTrack track;
    LoadReport report;
    int status = LoadInput(file, frameRate, track, &report);
    if (status == 1) return status;

    std::string out = "format: ";
    out += ReaderName(report.Reader);
    out += '\n';
    if (ReaderCountsFrames(report.Reader)) out += "framerate: " + std::to_string(frameRate) + '\n';
    out += "count: " + std::to_string(status == 0 ? track.Count : 0) + '\n';
    if (status == 0) {
        out += "encoding: " + track.Encoding + '\n';
        for (int32_t i = 0; i < track.Count; ++i) {
            out += std::to_string(i) + '\t' + std::to_string(track.StartMs[i]) + '\t' +
                   std::to_string(track.EndMs[i]) + '\t' + EscapeText(track.Texts[i]) + '\n';
        }
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvalen-sub dump: cannot write the output\n");
        return 1;
    }
    return status;
}

}  // namespace orvalen::cli
