#include "subtitles/TxtReaders.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalen {

namespace {

// One record is one line. A longer line keeps this much, and the rest of it is dropped rather
// than read as a record of its own, which would end the reading.
constexpr size_t TxtLineLimit = size_t{1} << 20;

bool ReadRecordLine(TextStream& stream, std::string_view& line) {
    if (!stream.ReadLine(line, TxtLineLimit)) return false;
    std::string_view rest = line;
    while (rest.back() != '\n' && stream.ReadLine(rest, TxtLineLimit)) {
    }
    return true;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\n\r\v\f") == std::string_view::npos;
}

int32_t Negated(int32_t value) {
    return static_cast<int32_t>(0u - static_cast<uint32_t>(value));
}

// "[-]h:mm:ss:" or "[-]h:mm:ss=" at the start of line: its time and the text after it.
bool ClassicRecord(std::string_view line, int32_t& time, std::string_view& text) {
    int32_t h = 0, m = 0, s = 0;
    ScanResult match = ScanText(line, "%d:%d:%d", h, m, s);
    if (match.Converted != 3 || match.Consumed >= line.size()) return false;
    char separator = line[match.Consumed];
    if (separator != ':' && separator != '=') return false;
    // "-0:00:07" reads hours 0: the sign belongs to the whole time.
    size_t first = line.find_first_not_of(" \t\n\v\f\r");
    bool negative = line[first] == '-';
    if (negative) h = Negated(h);
    time = ClockTime(h, m, s);
    if (negative) time = Negated(time);
    text = line.substr(match.Consumed + 1);
    return true;
}

// "[start][end]" at the start of line: its times and the text after it; start and end are
// only written when the line is a record.
bool Mpl2Record(std::string_view line, int32_t& start, int32_t& end, std::string_view& text) {
    int32_t first = 0, second = 0;
    ScanResult match = ScanText(line, "[%d][%d]", first, second);
    if (match.Converted != 2 || line[match.Consumed - 1] != ']') return false;
    start = static_cast<int32_t>(static_cast<uint32_t>(first) * 100u);
    end = static_cast<int32_t>(static_cast<uint32_t>(second) * 100u);
    text = line.substr(match.Consumed);
    return true;
}

// The first line that is not blank, empty when there is none.
std::string_view FirstRecord(std::string_view text) {
    while (!text.empty()) {
        size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        std::string_view line = text.substr(0, std::min(end, TxtLineLimit));
        if (!IsBlankLine(line)) return line;
        text.remove_prefix(line.size());
    }
    return {};
}

bool HasTMPlayerLayout(std::string_view text) {
    int32_t h = 0, m = 0, s = 0, tenths = 0;
    return ScanText(text, "%d:%d:%d,%d=", h, m, s, tenths).Converted == 4;
}

int32_t ClassicEnd(int32_t start, int32_t next) {
    int64_t shown = static_cast<int64_t>(next) - start;
    if (shown > 0 && shown <= ClassicTMPlayerLongestShow) return next;
    return static_cast<int32_t>(static_cast<uint32_t>(start) + ClassicTMPlayerLongestShow);
}

}  // namespace

bool StartsWithMpl2Record(std::string_view text) {
    int32_t start = 0, end = 0;
    std::string_view rest;
    return !HasTMPlayerLayout(text) && Mpl2Record(FirstRecord(text), start, end, rest);
}

bool StartsWithClassicTMPlayerRecord(std::string_view text) {
    int32_t time = 0;
    std::string_view rest;
    return !HasTMPlayerLayout(text) && ClassicRecord(FirstRecord(text), time, rest);
}

void ReadTMPlayerClassic(EntryAppender& entries, TextStream& stream, int32_t) {
    bool pending = false;  // a subtitle waits for the next record to end it
    int32_t start = 0;
    std::string text;
    std::string_view line;
    while (ReadRecordLine(stream, line)) {
        if (IsBlankLine(line)) continue;
        int32_t time = 0;
        std::string_view recordText;
        if (!ClassicRecord(line, time, recordText)) break;
        if (pending) entries.Append(start, ClassicEnd(start, time), text);
        pending = !IsBlankLine(recordText);
        start = time;
        text.assign(recordText);
    }
    if (pending) entries.Append(start, ClassicEnd(start, start), text);
}

void ReadMpl2(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string_view line;
    while (ReadRecordLine(stream, line)) {
        if (IsBlankLine(line)) continue;
        int32_t start = 0, end = 0;
        std::string_view text;
        if (!Mpl2Record(line, start, end, text)) break;
        entries.Append(start, end, text);
    }
}

}  // namespace orvalen
