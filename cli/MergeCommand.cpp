#include <cstdio>
#include <cstring>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/IntegerArgument.h"
#include "resync/Merge.h"
#include "subtitles/SubRipWriter.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub merge FILE SECOND --at MS [-o OUT] [--fps VALUE]\n"
    "\n"
    "Loads FILE and SECOND as the player does and appends the subtitles of SECOND behind those\n"
    "of FILE as the player's merge does: the first subtitle of SECOND starts at MS\n"
    "milliseconds and the others keep their spacing. Writes the result as SubRip to OUT or to\n"
    "standard output. Subtitles beyond the player's capacity of 10000 are left out, with a\n"
    "warning.\n"
    "\n"
    "  --at MS      where the first subtitle of SECOND starts, in milliseconds\n"
    "  -o OUT       the SubRip file to write (replaced atomically)\n"
    "  --fps VALUE  frames per second of the film (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 on success, 1 when an input cannot be opened or OUT cannot be written, 2\n"
    "on a usage error, 3 when the extension of an input has no reader.\n";

int UsageError(const char* message) {
    std::fprintf(stderr, "orvalen-sub merge: %s\n%s", message, Usage);
    return 2;
}

}  // namespace

int RunMerge(int argc, char** argv) {
    const char* files[2] = {nullptr, nullptr};
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    bool anchored = false;
    int32_t anchorMs = 0;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--at") == 0) {
            if (++i == argc) return UsageError("--at needs a time in milliseconds");
            if (anchored) return UsageError("only one --at");
            if (!ParseInt32(argv[i], anchorMs)) {
                return UsageError("--at takes a whole number of milliseconds");
            }
            anchored = true;
        } else if (std::strcmp(arg, "--fps") == 0) {
            if (++i == argc) return UsageError("--fps needs a value");
            if (!ParseFps(argv[i], frameRate)) return UsageError("--fps takes a positive number");
        } else if (std::strcmp(arg, "-o") == 0) {
            if (++i == argc) return UsageError("-o needs a file name");
            if (output) return UsageError("only one -o");
            output = argv[i];
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option");
        } else if (files[1]) {
            return UsageError("only two files");
        } else {
            files[files[0] ? 1 : 0] = arg;
        }
    }
    if (!files[1]) return UsageError("FILE and SECOND are needed");
    if (!anchored) return UsageError("--at is missing");
    if (output && !*output) return UsageError("-o needs a file name");

    SubtitleTrack track;
    SubtitleTrack second;
    int status = LoadInput(files[0], frameRate, track);
    if (status == 0) status = LoadInput(files[1], frameRate, second);
    if (status != 0) return status;

    MergeOutcome outcome = AppendMergeTrack(track, second, anchorMs);
    if (outcome.Dropped > 0) {
        std::fprintf(stderr, "orvalen-sub merge: %s\n", MergeStatusText(outcome).c_str());
    }

    if (output) {
        std::string error;
        if (!SaveSubRipFile(track, output, error)) {
            std::fprintf(stderr, "orvalen-sub merge: cannot write '%s': %s\n", output,
                         error.c_str());
            return 1;
        }
        return 0;
    }
    std::string out;
    WriteSubRip(track, out);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvalen-sub merge: cannot write the output\n");
        return 1;
    }
    return 0;
}

}  // namespace orvalen::cli
