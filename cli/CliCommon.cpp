#include "cli/CliCommon.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

std::string EscapeText(std::string_view text) {
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
        if (byte < 0x20 || byte >= 0x7f) {
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
    return 0;
}

}  // namespace orvalen::cli
