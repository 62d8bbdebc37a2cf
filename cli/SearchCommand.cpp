#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "discovery/SubtitleSearch.h"
#include "settings/DefaultConfig.h"
#include "settings/Settings.h"

namespace orvalen::cli {

namespace {

void PrintSearchUsage(FILE* out) {
    std::fprintf(out,
                 "usage: orvalen-sub search FILM [--config INI]\n"
                 "\n"
                 "Lists the subtitle files the player finds for FILM, one full path per line,\n"
                 "in the order it offers them (at most %d). The search settings come from INI,\n"
                 "by default the Config.ini the player reads (%s).\n",
                 MaxFoundSubtitleFiles, ConfigFileToRead().c_str());
}

int UsageError(const char* message, const char* argument) {
    std::fprintf(stderr, "orvalen-sub search: %s%s\n", message, argument);
    PrintSearchUsage(stderr);
    return 2;
}

}  // namespace

int RunSearch(int argc, char** argv) {
    std::vector<std::string> films;
    std::string configPath;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnded || argument[0] != '-' || std::strcmp(argument, "-") == 0) {
            films.push_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintSearchUsage(stdout);
            return 0;
        } else if (std::strcmp(argument, "--config") == 0) {
            if (i + 1 >= argc) return UsageError("--config needs a file", "");
            configPath = argv[++i];
        } else if (std::strncmp(argument, "--config=", 9) == 0) {
            configPath = argument + 9;
        } else {
            return UsageError("unknown option ", argument);
        }
    }
    if (films.size() != 1) return UsageError("give exactly one film", "");
    if (configPath.empty()) configPath = ConfigFileToRead();

    Settings settings = LoadSettings(IniFile(configPath));
    std::string list;
    for (const std::string& path : FindSubtitleFiles(films[0], settings)) list += path + '\n';
    return WriteStandardOutput(list, "search", "the list") ? 0 : 1;
}

}  // namespace orvalen::cli
