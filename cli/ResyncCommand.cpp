#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/IntegerArgument.h"
#include "resync/Resynchronisation.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub resync FILE --ref N:MARK --ref N:MARK --ref N:MARK --ref N:MARK\n"
    "                          [-o OUT] [--fps VALUE]\n"
    "\n"
    "Loads FILE as the player does and resynchronises it as the player's four space-bar\n"
    "presses would: subtitle N (counted from 0) should appear at MARK milliseconds of the\n"
    "film. Prints the factor and shift (\"Dilatation = 1.04   Shift = -599\") and writes the\n"
    "rewritten subtitles as SubRip to OUT; nothing is written without -o.\n"
    "\n"
    "  --ref N:MARK  a reference subtitle and its mark; exactly four, N increasing\n"
    "  -o OUT        the SubRip file to write (replaced atomically)\n"
    "  --fps VALUE   frames per second of the film (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 on success, 1 when FILE cannot be opened, OUT cannot be written or two\n"
    "references start at the same time, 2 on a usage error (also for N outside FILE), 3 when\n"
    "the extension of FILE has no reader.\n";

bool ParseReference(const char* text, int32_t& number, int32_t& mark) {
    const char* colon = std::strchr(text, ':');
    if (!colon) return false;
    std::string numberText(text, colon);
    return ParseInt32(numberText.c_str(), number) && number >= 0 && ParseInt32(colon + 1, mark);
}

}  // namespace

int RunResync(int argc, char** argv) {
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    std::vector<int32_t> numbers;
    std::vector<int32_t> marks;
    OptionParser options("resync", Usage, 1, "only one FILE");
    options.AddOption("--ref", "--ref needs N:MARK", [&](const char* value) -> const char* {
        int32_t number = 0;
        int32_t mark = 0;
        if (!ParseReference(value, number, mark)) {
            return "--ref takes N:MARK, N from 0, MARK in milliseconds";
        }
        numbers.push_back(number);
        marks.push_back(mark);
        return nullptr;
    });
    options.AddFps(frameRate);
    options.AddOutput(output);
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    if (output && !*output) return options.UsageError("-o needs a file name");
    if (numbers.size() != 4) return options.UsageError("exactly four --ref are needed");
    for (size_t k = 1; k < 4; ++k) {
        if (numbers[k] <= numbers[k - 1]) return options.UsageError("the four N must increase");
    }
    const char* file = options.Positionals()[0];

    SubtitleTrack track;
    int status = LoadInput(file, frameRate, track);
    if (status != 0) return status;
    if (numbers[3] >= track.Count) {
        return options.UsageError("N must be below " + std::to_string(track.Count) +
                                  ", the number of subtitles in FILE");
    }

    ResyncQuad starts;
    ResyncQuad quadMarks;
    for (int k = 0; k < 4; ++k) {
        starts[k] = track.StartMs[numbers[k]];
        quadMarks[k] = marks[k];
    }
    ResyncResult result = ComputeResync(starts, quadMarks);
    if (!result.Ok) {
        std::fprintf(stderr,
                     "orvalen-sub resync: subtitles %d and %d start at the same time; choose "
                     "other references\n",
                     numbers[result.FirstEqual], numbers[result.SecondEqual]);
        return 1;
    }
    ApplyResync(track, result.Factor, result.Shift);
    std::printf("%s\n", ResyncStatusText(result.Factor, result.Shift).c_str());
    if (std::fflush(stdout) != 0) return 1;
    return output ? WriteSubRipOutput(track, output, "resync") : 0;
}

}  // namespace orvalen::cli
