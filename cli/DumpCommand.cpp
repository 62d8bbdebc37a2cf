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

}  // namespace

int RunDump(int argc, char** argv) {
    int32_t frameRate = DefaultFrameRate;
    OptionParser options("dump", Usage, 1, "only one FILE");
    options.AddFps(frameRate);
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    const char* file = options.Positionals()[0];

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
    return WriteStandardOutput(out, "dump") ? status : 1;
}

}  // namespace orvalen::cli
