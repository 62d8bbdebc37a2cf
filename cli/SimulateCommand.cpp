#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "playback/PlaybackClock.h"

namespace orvalen::cli {

namespace {

constexpr const char* Usage =
    "usage: orvalen-sub simulate FILE --positions P1,P2,... [--delay D] [--fps VALUE]\n"
    "\n"
    "Loads FILE as the player does, then runs the playback clock once per position, as\n"
    "consecutive ticks of 50 ms would, and prints one line per tick: the position, the\n"
    "subtitle index after the tick and the text shown (escaped as by dump), separated by tabs.\n"
    "The load re-aligns the index at the first position.\n"
    "\n"
    "  --positions LIST  player positions in milliseconds, separated by commas; -1 stands for\n"
    "                    a failed position query; a position written @P is a jump: the index\n"
    "                    is re-aligned at P before its tick\n"
    "  --delay D         milliseconds that widen every subtitle at both ends; default 0\n"
    "  --fps VALUE       frames per second of the film (25, 23.976); default 23.976\n"
    "\n"
    "Exit status: 0 after a load, 1 when FILE cannot be opened, 2 on a usage error, 3 when\n"
    "the extension of FILE has no reader (no subtitle is then ever shown).\n";

bool ParseMilliseconds(std::string_view text, int32_t& value) {
    const std::string copy(text);
    if (copy.empty() || copy.find_first_of(" \t\n") != std::string::npos) return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    if (parsed < std::numeric_limits<int32_t>::min() ||
        parsed > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

struct Position {
    int32_t ms = 0;
    bool jump = false;
};

bool ParsePositions(std::string_view list, std::vector<Position>& positions) {
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        std::string_view item = list.substr(start, comma - start);
        Position position;
        if (!item.empty() && item.front() == '@') {
            position.jump = true;
            item.remove_prefix(1);
        }
        if (!ParseMilliseconds(item, position.ms)) return false;
        positions.push_back(position);
        if (comma == std::string_view::npos) return true;
        start = comma + 1;
    }
}

}  // namespace

int RunSimulate(int argc, char** argv) {
    int32_t frameRate = DefaultFrameRate;
    int32_t delay = 0;
    std::vector<Position> positions;
    bool havePositions = false;
    OptionParser options("simulate", Usage, 1, "only one FILE");
    options.AddFps(frameRate);
    options.AddOption("--delay", "--delay needs a value", [&delay](const char* value) {
        return ParseMilliseconds(value, delay) ? nullptr : "--delay takes an integer";
    });
    options.AddOption("--positions", "--positions needs a list",
                      [&](const char* value) -> const char* {
                          if (havePositions) return "only one --positions";
                          if (!ParsePositions(value, positions)) {
                              return "--positions takes integers separated by commas";
                          }
                          havePositions = true;
                          return nullptr;
                      });
    if (std::optional<int> ended = options.Parse(argc, argv)) return *ended;
    if (options.Positionals().empty()) return options.UsageError("FILE is missing");
    if (!havePositions) return options.UsageError("--positions is missing");
    const char* file = options.Positionals()[0];

    SubtitleTrack track;
    const int status = LoadInput(file, frameRate, track);
    if (status == 1) return status;
    const bool formatUnknown = status == 3;
    ResyncIndex(track, positions.front().ms);

    std::string out;
    for (const Position& position : positions) {
        if (position.jump) ResyncIndex(track, position.ms);
        std::string_view shown;
        if (!formatUnknown) shown = ChooseSubtitle(track, position.ms, delay);
        out += std::to_string(position.ms) + '\t' + std::to_string(track.Cursor) + '\t' +
               EscapeText(shown) + '\n';
    }
    return WriteStandardOutput(out, "simulate") ? status : 1;
}

}  // namespace orvalen::cli
