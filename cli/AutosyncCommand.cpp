#include <chrono>
#include <cstdio>
#include <string>

#include "autosync/AutoSync.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub autosync FILM SUBTITLES [-o OUT] [--fps VALUE]\n"
    "\n"
    "Synchronises SUBTITLES with the speech of FILM's sound, as the player's Subtitles >\n"
    "Synchronise with the sound does, and prints:\n"
    "  Dilatation = F   Shift = D     (one line per part, then ending \"   from MS\")\n"
    "  parts: N\n"
    "  confidence: P%\n"
    "  time: S s\n"
    "Each subtitle time t of a part becomes t * F - D; a second part starts at the subtitle\n"
    "that started at MS when the film's copy has a cut or an extra scene. Nothing is written\n"
    "without -o, nor when the confidence is too low.\n"
    "\n"
    "  -o OUT        the SubRip file to write (replaced atomically)\n"
    "  --fps VALUE   frames per second for frame-numbered SUBTITLES (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 on success, 1 when FILM has no sound or cannot be decoded, SUBTITLES has\n"
    "no subtitles or cannot be opened, or OUT cannot be written, 2 on a usage error, 3 when\n"
    "the extension of SUBTITLES has no reader, 4 when the confidence is too low.\n";

constexpr int kLowConfidenceStatus = 4;

}  // namespace

int RunAutosync(int argc, char** argv) {
    const char* output = nullptr;
    int32_t frameRate = DefaultFrameRate;
    OptionParser options("autosync", Usage, 2, "only FILM and SUBTITLES");
    options.AddFps(frameRate);
    options.AddOutput(output);
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().size() < 2)
        return options.UsageError("FILM and SUBTITLES are needed");
    if (output && !*output) return options.UsageError("-o needs a file name");
    std::string film = options.Positionals()[0];

    SubtitleTrack track;
    int status = LoadInput(options.Positionals()[1], frameRate, track);
    if (status != 0) return status;

    auto started = std::chrono::steady_clock::now();
    std::atomic<bool> stop{false};
    SoundSync sync = SynchroniseWithSound(film, track, nullptr, stop);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (!sync.Error.empty()) {
        std::fprintf(stderr, "orvalen-sub autosync: %s: %s\n", film.c_str(), sync.Error.c_str());
        return 1;
    }
    std::string report;
    for (const std::string& line : SoundSyncLines(sync.Result)) report += line + "\n";
    char summary[128];
    std::snprintf(summary, sizeof summary, "parts: %zu\nconfidence: %d%%\ntime: %.1f s\n",
                  sync.Result.Parts.size(), sync.ConfidencePercent, took.count());
    report += summary;
    if (!WriteStandardOutput(report, "autosync")) return 1;
    if (!sync.Confident()) {
        std::fprintf(stderr,
                     "orvalen-sub autosync: the sound does not match the subtitles well enough; "
                     "nothing was written\n");
        return kLowConfidenceStatus;
    }
    if (!output) return 0;
    ApplySoundSync(track, sync.Result);
    return WriteSubRipOutput(track, output, "autosync");
}

}  // namespace orvalen::cli
