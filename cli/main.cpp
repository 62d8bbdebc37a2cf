#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "orvalen/Version.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"dump", orvalen::cli::RunDump, "print a subtitle file as the player reads it"},
    {"convert", orvalen::cli::RunConvert,
     "write a subtitle file as SubRip, WebVTT, ASS or MicroDVD"},
    {"search", orvalen::cli::RunSearch, "list the subtitle files found for a film"},
    {"probe", orvalen::cli::RunProbe, "print a film's length, picture size and frame rate"},
    {"simulate", orvalen::cli::RunSimulate, "run the playback clock over given positions"},
    {"resync", orvalen::cli::RunResync, "resynchronise a subtitle file from four references"},
    {"merge", orvalen::cli::RunMerge, "append a second subtitle file at a given time"},
    {"autosync", orvalen::cli::RunAutosync, "synchronise a subtitle file with a film's sound"},
};

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: orvalen-sub COMMAND [ARGS...]\n\ncommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %-9s %s\n", command.name, command.summary);
    }
    std::fprintf(out,
                 "\n'orvalen-sub COMMAND --help' describes a command; "
                 "'orvalen-sub --version' prints the version.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvalen-sub %s\n", orvalen::kVersion);
        return 0;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "orvalen-sub: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
