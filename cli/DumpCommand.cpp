#include <string>

#include "subtitles/TextEncoding.h"

#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub dump FILE [--fps VALUE] [--encoding NAME]\n"
    "\n"
    "Loads FILE as the player does and prints its format, the frame rate used (for the formats\n"
    "that count frames), the number of entries, the text encoding, then one line per entry:\n"
    "index, start and end in milliseconds, and the text with its bytes escaped, separated by\n"
    "tabs.\n"
    "\n"
    "  --fps VALUE      frames per second of the film (25, 23.976); default 23.976\n"
    "  --encoding NAME  the texts' encoding (WINDOWS-1251, KOI8-R, SHIFT_JIS...): texts are\n"
    "                   printed converted from it to UTF-8, non-ASCII characters as they are;\n"
    "                   without it, the detected encoding is named and the bytes escaped\n"
    "\n"
    "Exit status: 0 after a load, 1 when FILE cannot be opened, 2 on a usage error, 3 when\n"
    "the extension of FILE has no reader.\n";

}  // namespace

int RunDump(int argc, char** argv) {
    int32_t frameRate = DefaultFrameRate;
    OptionParser options("dump", Usage, 1, "only one FILE");
    options.AddFps(frameRate);
    const char* encoding = nullptr;
    options.AddOption("--encoding", "--encoding needs a NAME", [&encoding](const char* value) {
        encoding = value;
        return nullptr;
    });
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    const char* file = options.Positionals()[0];
    std::string converted;
    if (encoding && !ConvertToUtf8("", encoding, converted))
        return options.UsageError("unknown encoding " + std::string(encoding));

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
        out += "encoding: " + (encoding ? std::string(encoding) : track.Encoding) + '\n';
        for (int32_t i = 0; i < track.Count; ++i) {
            std::string_view text = track.Texts[i];
            if (encoding) {
                ConvertToUtf8(text, encoding, converted);
                text = converted;
            }
            out += std::to_string(i) + '\t' + std::to_string(track.StartMs[i]) + '\t' +
                   std::to_string(track.EndMs[i]) + '\t' + EscapeText(text, encoding) + '\n';
        }
    }
    return WriteStandardOutput(out, "dump") ? status : 1;
}

}  // namespace orvalen::cli
