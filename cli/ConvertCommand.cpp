#include <sys/stat.h>

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

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

// True when both names lead to one existing file.
bool SameFile(const char* a, const char* b) {
    struct stat first;
    struct stat second;
    return ::stat(a, &first) == 0 && ::stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

}  // namespace

int RunConvert(int argc, char** argv) {
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    OptionParser options("convert", Usage, 1, "only one FILE");
    options.AddFps(frameRate);
    options.AddOutput(output);
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    if (output && !*output) return options.UsageError("-o needs a file name");
    const char* file = options.Positionals()[0];

    SubtitleTrack track;
    int status = LoadInput(file, frameRate, track);
    if (status != 0) return status;
    if (track.Count == 0 && output && SameFile(file, output)) {
        std::fprintf(stderr,
                     "orvalen-sub convert: '%s' gave no subtitle; it is not replaced by an "
                     "empty file\n",
                     file);
        return 1;
    }
    return WriteSubRipOutput(track, output, "convert");
}

}  // namespace orvalen::cli
