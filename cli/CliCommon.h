#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/Parser.h"

namespace orvalen::cli {

// Reads the value of --fps (frames per second as a decimal number, "25" or "23.976") into
// thousandths, rounded. False when it is not a positive number.
bool ParseFps(const char* text, int32_t& frameRate);

// A text byte by byte: backslash as "\\", LF "\n", CR "\r", TAB "\t", other bytes below 0x20,
// 0x7f and, unless keepHighBytes (for text already in UTF-8), 0x80..0xff as "\xHH"; every
// other byte as itself.
std::string EscapeText(std::string_view text, bool keepHighBytes = false);

// Loads an input file exactly as the player's loader does, with the given frame rate for the
// formats that count frames. Returns 0 on a load with a reader, 1 when the file cannot be
// opened, 3 when its extension has no reader; prints a message on stderr for 1 and 3, and for
// subtitles left out beyond the track's capacity, unless quiet.
int LoadInput(const std::string& path, int32_t frameRate, SubtitleTrack& track,
              LoadReport* report = nullptr, bool quiet = false);

// Writes text to standard output and flushes it. On failure says "orvalen-sub COMMAND: cannot
// write WHAT" on stderr and returns false.
bool WriteStandardOutput(std::string_view text, const char* command,
                         const char* what = "the output");

// Writes the track as SubRip, byte for byte what the player's Save writes: to the file out,
// replaced atomically, or to standard output when out is null. Returns the exit status: 0, or 1
// with a message on stderr when the output cannot be written.
int WriteSubRipOutput(SubtitleTrack& track, const char* out, const char* command);

// The argument loop the commands share: --help or -h prints the usage text on stdout; an
// option the command declared reads the argument after it; any other argument starting with
// '-' (but "-" alone) is an unknown option; the rest are positional. A usage error prints
// "orvalen-sub COMMAND: MESSAGE" and the usage text on stderr.
class OptionParser {
  public:
    // Takes an option's value; returns null when the value is taken, else the usage error.
    using ValueHandler = std::function<const char*(const char* value)>;

    OptionParser(const char* command, const char* usage, size_t maxPositionals,
                 const char* tooManyPositionals);

    // An option followed by a value; missingValue is the usage error when none follows.
    void AddOption(const char* name, const char* missingValue, ValueHandler take);
    // --fps VALUE, as read by ParseFps.
    void AddFps(int32_t& frameRate);
    // -o OUT, given at most once.
    void AddOutput(const char*& output);

    // Reads the arguments; returns the exit status when they end the command (0 after --help,
    // 2 after a usage error), nothing when the command goes on.
    std::optional<int> Parse(int argc, char** argv);

    const std::vector<const char*>& Positionals() const { return positionals_; }

    // Prints the message and the usage text on stderr; returns 2.
    int UsageError(std::string_view message) const;

  private:
    struct Option {
        const char* name;
        const char* missingValue;
        ValueHandler take;
    };

    const char* command_;
    const char* usage_;
    size_t maxPositionals_;
    const char* tooManyPositionals_;
    std::vector<Option> options_;
    std::vector<const char*> positionals_;
};

}  // namespace orvalen::cli
