#include "cli/CliCommon.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "subtitles/SubRipWriter.h"

namespace orvalen::cli {

namespace {

// Answers every film with the rate given on the command line.
class FixedFrameRate : public FrameRateProvider {
  public:
    explicit FixedFrameRate(int32_t frameRate) : frameRate_(frameRate) {}
    int32_t GetFrameRate(const std::string&) override { return frameRate_; }

  private:
    int32_t frameRate_;
};

// Digits with at most one decimal point among or after them: "25", "23.976", ".5".
bool IsDecimalNumber(const char* text) {
    bool digit = false;
    bool point = false;
    for (const char* c = text; *c; ++c) {
        if (*c >= '0' && *c <= '9') {
            digit = true;
        } else if (*c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

}  // namespace

bool ParseFps(const char* text, int32_t& frameRate) {
    if (!text || !IsDecimalNumber(text)) return false;
    errno = 0;
    char* end = nullptr;
    double fps = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(fps) || fps <= 0) return false;
    double thousandths = std::round(fps * 1000.0);
    if (thousandths < 1 || thousandths > std::numeric_limits<int32_t>::max()) return false;
    frameRate = static_cast<int32_t>(thousandths);
    return true;
}

std::string EscapeText(std::string_view text, bool keepHighBytes) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                escaped += "\\\\";
                continue;
            case '\n':
                escaped += "\\n";
                continue;
            case '\r':
                escaped += "\\r";
                continue;
            case '\t':
                escaped += "\\t";
                continue;
            default:
                break;
        }
        if (byte < 0x20 || byte == 0x7f || (byte > 0x7f && !keepHighBytes)) {
            escaped += "\\x";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0xf];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

int LoadInput(const std::string& path, int32_t frameRate, SubtitleTrack& track, LoadReport* report,
              bool quiet) {
    LoaderState state;
    FixedFrameRate frameRates(frameRate);
    LoadReport result = LoadSubtitleFile(path, track, state, &frameRates);
    if (report) *report = result;
    if (!result.Opened) {
        if (!quiet) {
            std::fprintf(stderr, "orvalen-sub: cannot open '%s': %s\n", path.c_str(),
                         result.OpenError.c_str());
        }
        return 1;
    }
    if (result.Reader == SubtitleReaderId::None) {
        if (!quiet) {
            std::fprintf(stderr, "orvalen-sub: '%s': no reader for this file extension\n",
                         path.c_str());
        }
        return 3;
    }
    if (result.Dropped > 0 && !quiet) {
        std::fprintf(
            stderr,
            "orvalen-sub: '%s': %lld subtitles not loaded: a track holds at most %d subtitles\n",
            path.c_str(), static_cast<long long>(result.Dropped), TrackCapacity);
    }
    return 0;
}

bool WriteStandardOutput(std::string_view text, const char* command, const char* what) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvalen-sub %s: cannot write %s\n", command, what);
        return false;
    }
    return true;
}

int WriteSubRipOutput(SubtitleTrack& track, const char* out, const char* command) {
    if (out) {
        std::string error;
        if (!SaveSubRipFile(track, out, error)) {
            std::fprintf(stderr, "orvalen-sub %s: cannot write '%s': %s\n", command, out,
                         error.c_str());
            return 1;
        }
        return 0;
    }
    std::string text;
    WriteSubRip(track, text);
    return WriteStandardOutput(text, command) ? 0 : 1;
}

OptionParser::OptionParser(const char* command, const char* usage, size_t maxPositionals,
                           const char* tooManyPositionals)
    : command_(command),
      usage_(usage),
      maxPositionals_(maxPositionals),
      tooManyPositionals_(tooManyPositionals) {}

void OptionParser::AddOption(const char* name, const char* missingValue, ValueHandler take) {
    options_.push_back({name, missingValue, std::move(take)});
}

void OptionParser::AddFps(int32_t& frameRate) {
    AddOption("--fps", "--fps needs a value", [&frameRate](const char* value) {
        return ParseFps(value, frameRate) ? nullptr : "--fps takes a positive number";
    });
}

void OptionParser::AddOutput(const char*& output) {
    AddOption("-o", "-o needs a file name", [&output](const char* value) -> const char* {
        if (output) return "only one -o";
        output = value;
        return nullptr;
    });
}

std::optional<int> OptionParser::Parse(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(usage_, stdout);
            return 0;
        }
        const Option* option = nullptr;
        for (const Option& candidate : options_) {
            if (std::strcmp(arg, candidate.name) == 0) option = &candidate;
        }
        if (option) {
            if (++i == argc) return UsageError(option->missingValue);
            if (const char* error = option->take(argv[i])) return UsageError(error);
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option");
        } else if (positionals_.size() == maxPositionals_) {
            return UsageError(tooManyPositionals_);
        } else {
            positionals_.push_back(arg);
        }
    }
    return std::nullopt;
}

int OptionParser::UsageError(std::string_view message) const {
    std::fprintf(stderr, "orvalen-sub %s: %.*s\n%s", command_, static_cast<int>(message.size()),
                 message.data(), usage_);
    return 2;
}

}  // namespace orvalen::cli
