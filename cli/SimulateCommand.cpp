#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

int UsageError(const char* message) {
    std::fprintf(stderr, "orvalen-sub simulate: %s\n%s", message, Usage);
    return 2;
}

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
    const char* file = nullptr;
    int32_t frameRate = DefaultFrameRate;
    int32_t delay = 0;
    std::vector<Position> positions;
    bool havePositions = false;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(arg, "--fps") == 0) {
            if (++i == argc) return UsageError("--fps needs a value");
            if (!ParseFps(argv[i], frameRate)) return UsageError("--fps takes a positive number");
        } else if (std::strcmp(arg, "--delay") == 0) {
            if (++i == argc) return UsageError("--delay needs a value");
            if (!ParseMilliseconds(argv[i], delay)) return UsageError("--delay takes an integer");
        } else if (std::strcmp(arg, "--positions") == 0) {
            if (++i == argc) return UsageError("--positions needs a list");
            if (havePositions) return UsageError("only one --positions");
            if (!ParsePositions(argv[i], positions)) {
                return UsageError("--positions takes integers separated by commas");
            }
            havePositions = true;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option");
        } else if (file) {
            return UsageError("only one FILE");
        } else {
            file = arg;
        }
    }
    if (!file) return UsageError("FILE is missing");
    if (!havePositions) return UsageError("--positions is missing");

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
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvalen-sub simulate: cannot write the output\n");
        return 1;
    }
    return status;
}

}  // namespace orvalen::cli
