#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/IntegerArgument.h"
#include "resync/Merge.h"

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

}  // namespace

int RunMerge(int argc, char** argv) {
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    bool anchored = false;
    int32_t anchorMs = 0;
    OptionParser options("merge", Usage, 2, "only two files");
    options.AddOption("--at", "--at needs a time in milliseconds",
                      [&](const char* value) -> const char* {
                          if (anchored) return "only one --at";
                          if (!ParseInt32(value, anchorMs)) {
                              return "--at takes a whole number of milliseconds";
                          }
                          anchored = true;
                          return nullptr;
                      });
    options.AddFps(frameRate);
    options.AddOutput(output);
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    const std::vector<const char*>& files = options.Positionals();
    if (files.size() < 2) return options.UsageError("FILE and SECOND are needed");
    if (!anchored) return options.UsageError("--at is missing");
    if (output && !*output) return options.UsageError("-o needs a file name");

    SubtitleTrack track;
    SubtitleTrack second;
    int status = LoadInput(files[0], frameRate, track);
    if (status == 0) status = LoadInput(files[1], frameRate, second);
    if (status != 0) return status;

    MergeOutcome outcome = AppendMergeTrack(track, second, anchorMs);
    if (outcome.Dropped > 0) {
        std::fprintf(stderr, "orvalen-sub merge: %s\n", MergeStatusText(outcome).c_str());
    }
    return WriteSubRipOutput(track, output, "merge");
}

}  // namespace orvalen::cli
