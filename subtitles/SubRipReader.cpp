#include "subtitles/SubRipReader.h"

#include <algorithm>
#include <string>

namespace orvalen {

namespace {

constexpr std::string_view WhiteSpace = " \t\v\f\r\n";

// The line that starts at position, its LF included; empty at the end of the text.
std::string_view LineAt(std::string_view text, size_t position) {
    size_t lf = text.find('\n', position);
    size_t length = lf == std::string_view::npos ? std::string_view::npos : lf + 1 - position;
    return text.substr(position, length);
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(WhiteSpace) == std::string_view::npos;
}

bool IsNumberLine(std::string_view line) {
    size_t first = line.find_first_not_of(WhiteSpace);
    if (first == std::string_view::npos) return false;
    std::string_view number = line.substr(first, line.find_last_not_of(WhiteSpace) + 1 - first);
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "h:m:s" at position, then "," or "." and the milliseconds as written, which may be missing;
// position moves past what was read.
bool ClockAt(std::string_view line, size_t& position, int32_t& time) {
    int32_t h = 0, m = 0, s = 0, ms = 0;
    ScanResult clock = ScanText(line.substr(position), "%d:%d:%d", h, m, s);
    if (clock.Converted != 3) return false;
    position += clock.Consumed;
    if (position < line.size() && (line[position] == ',' || line[position] == '.')) {
        ScanResult fraction = ScanText(line.substr(position + 1), "%d", ms);
        if (fraction.Converted == 1) position += 1 + fraction.Consumed;
    }
    time = ClockTime(h, m, s, ms, 1);
    return true;
}

// "-->", also written "->", "- >" or with more spaces.
bool ArrowAt(std::string_view line, size_t& position) {
    position = std::min(line.find_first_not_of(" \t", position), line.size());
    if (position == line.size() || line[position] != '-') return false;
    position = std::min(line.find_first_not_of("- \t", position), line.size());
    if (position == line.size() || line[position] != '>') return false;
    ++position;
    return true;
}

// Start and end are written only when line is a time line; what follows the end time, such as
// "X1:243 X2:478 Y1:374 Y2:410", is not read.
bool TimeLine(std::string_view line, int32_t& start, int32_t& end) {
    // Most lines are text: without a '>' a line cannot hold an arrow.
    if (line.find('>') == std::string_view::npos) return false;
    size_t position = 0;
    int32_t first = 0, second = 0;
    if (!ClockAt(line, position, first) || !ArrowAt(line, position) ||
        !ClockAt(line, position, second))
        return false;
    start = first;
    end = second;
    return true;
}

bool IsTimeLine(std::string_view line) {
    int32_t start = 0, end = 0;
    return TimeLine(line, start, end);
}

size_t SkipBlankLines(std::string_view text, size_t position) {
    std::string_view line = LineAt(text, position);
    while (!line.empty() && IsBlank(line)) {
        position += line.size();
        line = LineAt(text, position);
    }
    return position;
}

// A time line, or a number line right before one.
bool CueStartsAt(std::string_view text, size_t position) {
    std::string_view line = LineAt(text, position);
    return IsTimeLine(line) ||
           (IsNumberLine(line) && IsTimeLine(LineAt(text, position + line.size())));
}

// After empty lines, a number line starts a cue even when its time line is unreadable.
bool CueStartsAfterEmptyLine(std::string_view text, size_t position) {
    std::string_view line = LineAt(text, position);
    return line.empty() || IsTimeLine(line) || IsNumberLine(line);
}

// The text lines of the cue whose time line ends before position, each with its LF; the first
// without its leading blanks. Returns where the next cue starts.
size_t CueText(std::string_view text, size_t position, std::string& cueText) {
    cueText.clear();
    while (position < text.size() && !CueStartsAt(text, position)) {
        std::string_view line = LineAt(text, position);
        if (IsBlank(line)) {
            size_t next = SkipBlankLines(text, position);
            if (CueStartsAfterEmptyLine(text, next)) return next;
            if (!cueText.empty()) cueText += text.substr(position, next - position);
            position = next;
            continue;
        }
        position += line.size();
        if (cueText.empty()) line.remove_prefix(line.find_first_not_of(" \t"));
        cueText += line;
    }
    return position;
}

}  // namespace

void ReadSubRip(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view text = stream.Remaining();
    stream.Skip(text.size());
    int32_t start = 0, end = 0;
    std::string cueText;
    size_t position = SkipBlankLines(text, 0);
    while (position < text.size()) {
        std::string_view line = LineAt(text, position);
        position += line.size();
        if (IsNumberLine(line)) {
            // Times that cannot be read keep the values of the cue before.
            position = SkipBlankLines(text, position);
            line = LineAt(text, position);
            if (TimeLine(line, start, end)) position += line.size();
        } else if (!TimeLine(line, start, end)) {
            // Only lines before the first cue get here.
            position = SkipBlankLines(text, position);
            continue;
        }
        position = CueText(text, position, cueText);
        entries.Append(start, end, cueText);
    }
}

bool StartsWithSubRipCue(std::string_view text) {
    size_t position = SkipBlankLines(text, 0);
    std::string_view line = LineAt(text, position);
    return IsNumberLine(line) && IsTimeLine(LineAt(text, position + line.size()));
}

}  // namespace orvalen
