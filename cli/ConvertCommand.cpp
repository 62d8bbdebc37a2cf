#include <sys/stat.h>

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "subtitles/SubtitleWriters.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub convert FILE [-o OUT] [--to srt|vtt|ass|sub] [--fps VALUE]\n"
    "\n"
    "Loads FILE as the player does and writes it as SubRip, byte for byte what the player's\n"
    "Save writes, or with --to in the format named, as the player's Save As writes it, to OUT\n"
    "or to standard output. OUT is replaced atomically: a failed write leaves an existing OUT\n"
    "as it was.\n"
    "\n"
    "  -o OUT       the file to write\n"
    "  --to FORMAT  srt (SubRip), vtt (WebVTT), ass (SubStation Alpha) or sub (MicroDVD)\n"
    "  --fps VALUE  frames per second of the film (25, 23.976), for reading and writing\n"
    "               frame numbers; default 23.976\n"
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

int WriteConverted(const SubtitleTrack& track, SaveFormat format, const TrackSource& source,
                   const char* output) {
    std::string error;
    if (!output) {
        std::string text;
        WriteSubtitles(track, format, source, text);
        return WriteStandardOutput(text, "convert") ? 0 : 1;
    }
    if (SaveSubtitleFile(track, output, format, source, error)) return 0;
    std::fprintf(stderr, "orvalen-sub convert: cannot write '%s': %s\n", output, error.c_str());
    return 1;
}

}  // namespace

int RunConvert(int argc, char** argv) {
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    OptionParser options("convert", Usage, 1, "only one FILE");
    options.AddFps(frameRate);
    options.AddOutput(output);
    const SaveFormatRow* target = nullptr;
    options.AddOption("--to", "--to needs a format", [&target](const char* value) {
        target = SaveFormatNamed(value);
        return target ? nullptr : "--to takes srt, vtt, ass or sub";
    });
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    if (output && !*output) return options.UsageError("-o needs a file name");
    const char* file = options.Positionals()[0];

    SubtitleTrack track;
    LoadReport report;
    int status = LoadInput(file, frameRate, track, &report);
    if (status != 0) return status;
    if (track.Count == 0 && output && SameFile(file, output)) {
        std::fprintf(stderr,
                     "orvalen-sub convert: '%s' gave no subtitle; it is not replaced by an "
                     "empty file\n",
                     file);
        return 1;
    }
    if (!target) return WriteSubRipOutput(track, output, "convert");
    const TrackSource source{MarkupFamilyOf(report.Reader), frameRate};
    return WriteConverted(track, target->Format, source, output);
}

}  // namespace orvalen::cli
