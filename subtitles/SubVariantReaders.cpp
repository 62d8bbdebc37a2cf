#include "subtitles/SubVariantReaders.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalen {

namespace {

bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// Line reads up to and including the first line that starts with prefix; false when the file
// ends first.
bool SkipHeader(TextStream& stream, std::string_view prefix, std::string_view& line) {
    while (stream.ReadLine(line)) {
        if (StartsWith(line, prefix)) return true;
    }
    return false;
}

// Seconds that wrap at 256: a value lower than the one before starts the next lap.
class WrappedClock {
  public:
    int32_t Time(int32_t seconds, int32_t hundredths) {
        if (previous_ > seconds) ++laps_;
        previous_ = seconds;
        uint32_t total = 256u * laps_ + static_cast<uint32_t>(seconds);
        return static_cast<int32_t>(total * 1000u + 10u * static_cast<uint32_t>(hundredths));
    }

  private:
    uint32_t laps_ = 0;
    int32_t previous_ = 0;
};

constexpr std::string_view SubViewer2Times = "%d:%d:%d.%d,%d:%d:%d.%d";

// Whether text, after white space, starts with a SubViewer 2 time line.
bool StartsWithSubViewer2Times(std::string_view text) {
    return MatchPattern(text, SubViewer2Times, nullptr, 0).Converted == 8;
}

bool OnlySpaceAfter(std::string_view line, size_t position) {
    return line.substr(position).find_first_not_of(" \t\n\v\f\r") == std::string_view::npos;
}

}  // namespace

void ReadBraceBlocks(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view current;
    std::string_view lastAppended;
    std::string_view line;
    std::string text;
    bool ended = !SkipHeader(stream, "{T", current);
    int32_t h = 0, m = 0, s = 0, c = 0;
    while (!ended && StartsWith(current, "{T") && current != lastAppended) {
        ScanText(current, "{T %d:%d:%d:%d", h, m, s, c);
        int32_t start = ClockTime(h, m, s, c, 10);
        text.clear();
        while (true) {
            if (!stream.ReadLine(line)) {
                ended = true;
                break;
            }
            if (line[0] == '}' || line == lastAppended) break;
            text += line;
            lastAppended = line;
        }
        // The stream now stands at the clearing block, whose time ends this subtitle.
        stream.Scan("{T %d:%d:%d:%d", h, m, s, c);
        entries.Append(start, ClockTime(h, m, s, c, 10), text);
        // The rest of its first line, its text line, its "}" line, and the next block's first
        // line, which becomes the current line.
        for (int i = 0; i < 4 && !ended; ++i) ended = !stream.ReadLine(current);
    }
}

void ReadSubViewer1(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view header;
    std::string line;
    if (!SkipHeader(stream, "[BEGIN]", header)) return;
    stream.ReadLine(line);
    int32_t h = 0, m = 0, s = 0;
    int32_t endH = 0, endM = 0, endS = 0;
    while (stream.Scan("[%d:%d:%d]\n", h, m, s).Converted == 3) {
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\r');
        stream.Scan("[%d:%d:%d]\n", endH, endM, endS);
        entries.Append(ClockTime(h, m, s), ClockTime(endH, endM, endS), line);
    }
}

void ReadSubViewer2(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view header;
    std::string line;
    std::string text;
    if (!SkipHeader(stream, "[SUBTIT", header)) return;
    stream.ReadLine(line);
    int32_t h = 0, m = 0, s = 0, c = 0;
    int32_t endH = 0, endM = 0, endS = 0, endC = 0;
    while (stream.Scan(SubViewer2Times, h, m, s, c, endH, endM, endS, endC).Converted == 8) {
        text.clear();
        // A record whose text is missing must not take the next record's time line as text.
        if (!StartsWithSubViewer2Times(stream.Remaining())) {
            stream.Scan("\n");
            stream.ReadLine(text);
            ReplaceBreakTag(text);
            if (!StartsWithSubViewer2Times(stream.Remaining())) stream.ReadLine(line);
        }
        entries.Append(ClockTime(h, m, s, c, 10), ClockTime(endH, endM, endS, endC, 10), text);
    }
}

void ReadWrappedSeconds(EntryAppender& entries, TextStream& stream, int32_t) {
    WrappedClock clock;
    int32_t number = 0, seconds = 0, hundredths = 0;
    std::string text;
    std::string line;
    while (stream.Scan("%d %d.%d \\ ~:\\", number, seconds, hundredths).Converted == 3) {
        int32_t start = clock.Time(seconds, hundredths);
        stream.ReadLine(text);
        stream.ReadLine(line);
        ScanResult bare = ScanText(line, "%d %d.%d", number, seconds, hundredths);
        if (bare.Converted == 3 && OnlySpaceAfter(line, bare.Consumed)) {
            entries.Append(start, clock.Time(seconds, hundredths), text);
            continue;
        }
        // A timed text line right after a subtitle ends it half a second early and starts the
        // next one at once.
        ScanText(line, "%d %d.%d \\ ~:\\", number, seconds, hundredths);
        int32_t time = clock.Time(seconds, hundredths);
        entries.Append(start, static_cast<int32_t>(static_cast<uint32_t>(time) - 500u), text);
        size_t backslash = line.find('\\');
        size_t textStart = backslash == std::string::npos ? line.size() : backslash + 5;
        text = line.substr(std::min(textStart, line.size()));
        stream.Scan("%d %d.%d\n", number, seconds, hundredths);
        entries.Append(time, clock.Time(seconds, hundredths), text);
    }
}

void ReadTimecodePairs(EntryAppender& entries, TextStream& stream, int32_t) {
    int32_t h = 0, m = 0, s = 0, c = 0;
    int32_t endH = 0, endM = 0, endS = 0, endC = 0;
    std::string_view prefix;
    std::string text;
    while (stream.ReadLine(prefix, 6)) {
        stream.Scan("%d:%d:%d:%d  %d:%d:%d:%d  ", h, m, s, c, endH, endM, endS, endC);
        text.clear();
        TextBlock(stream, text);
        entries.Append(ClockTime(h, m, s, c, 10), ClockTime(endH, endM, endS, endC, 10), text);
    }
}

}  // namespace orvalen
