#include "subtitles/WebVttReader.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orvalen {

namespace {

// The file as lines ended by LF or a lone CR (the stream has already made CR LF one LF).
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ >= text_.size(); }
    size_t Position() const { return position_; }
    void Seek(size_t position) { position_ = position; }

    // The next line without its terminator; sets seenEnd when no terminator followed it.
    std::string_view Next(bool& seenEnd) {
        const char* begin = text_.data() + position_;
        const size_t left = text_.size() - position_;
        const void* lf = std::memchr(begin, '\n', left);
        size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) : left;
        // A lone CR also ends a line; the stream has already made every CR LF one LF.
        if (const void* cr = std::memchr(begin, '\r', length))
            length = static_cast<size_t>(static_cast<const char*>(cr) - begin);
        seenEnd = length == left;
        position_ += seenEnd ? length : length + 1;
        return std::string_view(begin, length);
    }

    void SkipLineEnds() {
        while (!AtEnd() && (text_[position_] == '\n' || text_[position_] == '\r')) ++position_;
    }

  private:
    std::string_view text_;
    size_t position_ = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void SkipBlanks(std::string_view line, size_t& i) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\f')) ++i;
}

// Digits at i, their count in length; the value wraps like every time.
uint32_t Digits(std::string_view line, size_t& i, size_t& length) {
    uint32_t value = 0;
    size_t start = i;
    while (i < line.size() && IsDigit(line[i])) {
        value = value * 10u + static_cast<uint32_t>(line[i] - '0');
        ++i;
    }
    length = i - start;
    return value;
}

// "[hh...:]mm:ss.ttt" at i; false when it is not one.
bool Timestamp(std::string_view line, size_t& i, int32_t& ms) {
    size_t length = 0;
    if (i >= line.size() || !IsDigit(line[i])) return false;
    uint32_t first = Digits(line, i, length);
    bool hours = length != 2 || first > 59;
    if (i >= line.size() || line[i] != ':') return false;
    ++i;
    uint32_t second = Digits(line, i, length);
    if (length != 2) return false;
    uint32_t h = 0, m = first, s = second;
    if (hours || (i < line.size() && line[i] == ':')) {
        if (i >= line.size() || line[i] != ':') return false;
        ++i;
        h = first;
        m = second;
        s = Digits(line, i, length);
        if (length != 2) return false;
    }
    if (i >= line.size() || line[i] != '.') return false;
    ++i;
    uint32_t fraction = Digits(line, i, length);
    if (length != 3 || m > 59 || s > 59) return false;
    ms = static_cast<int32_t>((3600u * h + 60u * m + s) * 1000u + fraction);
    return true;
}

// "start --> end [settings]"; the settings are not used.
bool CueTimings(std::string_view line, int32_t& start, int32_t& end) {
    size_t i = 0;
    SkipBlanks(line, i);
    if (!Timestamp(line, i, start)) return false;
    SkipBlanks(line, i);
    if (line.substr(i, 3) != "-->") return false;
    i += 3;
    SkipBlanks(line, i);
    return Timestamp(line, i, end);
}

struct Cue {
    bool found = false;
    int32_t start = 0;
    int32_t end = 0;
    std::string text;  // each line followed by LF; the buffer is reused from block to block
};

// One block: lines up to an empty line. A cue when its first line, or its second after an
// identifier, holds valid timings; a NOTE, STYLE or REGION block, or a header, is no cue. A
// line with "-->" later on ends the block and starts the next one.
void CollectBlock(LineCursor& lines, bool inHeader, Cue& cue) {
    cue.found = false;
    cue.text.clear();
    int lineCount = 0;
    bool seenArrow = false;
    bool seenEnd = false;
    size_t previous = lines.Position();
    while (!seenEnd) {
        std::string_view line = lines.Next(seenEnd);
        ++lineCount;
        if (line.find("-->") != std::string_view::npos) {
            if (!inHeader && (lineCount == 1 || (lineCount == 2 && !seenArrow))) {
                seenArrow = true;
                previous = lines.Position();
                cue.found = CueTimings(line, cue.start, cue.end);
                cue.text.clear();
                continue;
            }
            lines.Seek(previous);
            break;
        }
        if (line.empty()) break;
        cue.text += line;
        cue.text += '\n';
        previous = lines.Position();
    }
}

}  // namespace

void ReadWebVtt(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view text = stream.Remaining();
    // The decoding step makes every NUL a replacement character before any parsing.
    std::string withoutNul;
    if (text.find('\0') != std::string_view::npos) {
        withoutNul.reserve(text.size());
        for (char c : text) {
            if (c == '\0')
                withoutNul += "\xEF\xBF\xBD";
            else
                withoutNul += c;
        }
        text = withoutNul;
    }
    constexpr std::string_view signature = "WEBVTT";
    bool signed_ =
        text.substr(0, signature.size()) == signature &&
        (text.size() == signature.size() ||
         std::string_view(" \t\n\r").find(text[signature.size()]) != std::string_view::npos);
    if (!signed_) return;
    LineCursor lines(text);
    bool seenEnd = false;
    lines.Next(seenEnd);  // the signature line, with its free text
    Cue cue;
    if (!lines.AtEnd() && text[lines.Position()] != '\n' && text[lines.Position()] != '\r')
        CollectBlock(lines, true, cue);
    lines.SkipLineEnds();
    while (!lines.AtEnd()) {
        CollectBlock(lines, false, cue);
        if (cue.found) entries.Append(cue.start, cue.end, cue.text);
        lines.SkipLineEnds();
    }
}

}  // namespace orvalen
